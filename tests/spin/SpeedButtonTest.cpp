// TSpeedButton: clicking on release, the pressed look, glyph cells and
// transparency, grouping, and where glyph and caption go.
#include "SpinTestSupport.h"

namespace {

class SpeedButtonTest : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    button = new TSpeedButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 30, 24);
    button->OnClick.code = [this](TPersistent*) { ++clicks; };
  }
  TSpeedButton* button = nullptr;
  int clicks = 0;
};

TEST_F(SpeedButtonTest, ALeftPressHeldOverTheButtonClicksOnRelease) {
  Press(button, mbLeft);
  EXPECT_EQ(button->State(), bsDown);
  EXPECT_TRUE(button->MouseCapture());
  EXPECT_EQ(clicks, 0);
  Release(button, mbLeft);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), bsUp);
  EXPECT_FALSE(button->MouseCapture());
}

TEST_F(SpeedButtonTest, ThePressedLookFollowsThePointerAndAReleaseOutsideCancels) {
  Press(button, mbLeft);
  MoveMouse(button, 40, 5);
  EXPECT_EQ(button->State(), bsUp);
  MoveMouse(button, 29, 23);
  EXPECT_EQ(button->State(), bsDown);
  MoveMouse(button, 30, 23);  // just outside: right edge excluded
  EXPECT_EQ(button->State(), bsUp);
  Release(button, mbLeft, 30, 23);
  EXPECT_EQ(clicks, 0);
}

TEST_F(SpeedButtonTest, OtherButtonsAndDisabledButtonsNeitherPressNorClick) {
  Press(button, mbRight);
  EXPECT_EQ(button->State(), bsUp);
  Release(button, mbRight);
  button->SetEnabled(false);
  Press(button, mbLeft);
  EXPECT_EQ(button->State(), bsUp);
  Release(button, mbLeft);
  EXPECT_EQ(clicks, 0);
}

TEST_F(SpeedButtonTest, NumGlyphsStaysWithinOneToFour) {
  button->SetNumGlyphs(0);
  EXPECT_EQ(button->NumGlyphs(), 1);
  button->SetNumGlyphs(9);
  EXPECT_EQ(button->NumGlyphs(), 4);
}

TEST_F(SpeedButtonTest, AssigningAStripOfSquareCellsSetsNumGlyphs) {
  TBitmap strip(32, 8);
  button->SetGlyph(&strip);
  EXPECT_EQ(button->NumGlyphs(), 4);
  TBitmap tooMany(40, 8);
  button->SetGlyph(&tooMany);
  EXPECT_EQ(button->NumGlyphs(), 1);
  button->SetNumGlyphs(3);
  TBitmap odd(9, 6);
  button->SetGlyph(&odd);
  EXPECT_EQ(button->NumGlyphs(), 3);
  button->SetGlyph(nullptr);
  EXPECT_TRUE(button->Glyph()->Empty());
}

// Counts the pixels of a colour in the button's area of the form.
int CountColor(TForm* form, TControl* control, TColor color) {
  QImage image;
  form->PaintTo(image);
  int n = 0;
  const TRect r = control->BoundsRect();
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += PixelToColor(image.pixel(x, y)) == color;
  return n;
}

TEST_F(SpeedButtonTest, TheBottomLeftColourOfTheGlyphIsTransparent) {
  TBitmap glyph(6, 4);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 6, 4));
  glyph.Canvas()->Brush()->SetColor(clLime);
  glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
  button->SetGlyph(&glyph);
  EXPECT_EQ(CountColor(form.get(), button, clFuchsia), 0);
  EXPECT_EQ(CountColor(form.get(), button, clLime), 4);
}

TEST_F(SpeedButtonTest, EachStateDrawsItsOwnCell) {
  TBitmap strip(8, 4);  // two cells: up lime, disabled red; bottom-left white
  strip.Canvas()->Brush()->SetColor(clWhite);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
  strip.Canvas()->Brush()->SetColor(clLime);
  strip.Canvas()->FillRect(Rect(1, 0, 3, 2));
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(5, 0, 7, 2));
  button->SetGlyph(&strip);
  EXPECT_EQ(button->NumGlyphs(), 2);
  EXPECT_EQ(CountColor(form.get(), button, clLime), 4);
  EXPECT_EQ(CountColor(form.get(), button, clRed), 0);
  button->SetEnabled(false);
  EXPECT_EQ(CountColor(form.get(), button, clLime), 0);
  EXPECT_EQ(CountColor(form.get(), button, clRed), 4);
  button->SetEnabled(true);
  Press(button, mbLeft);  // no down cell: the up cell again
  EXPECT_EQ(CountColor(form.get(), button, clLime), 4);
  Release(button, mbLeft);
}

TEST_F(SpeedButtonTest, DownNeedsAGroupAndReleasesTheOthersOfIt) {
  button->SetDown(true);
  EXPECT_FALSE(button->Down());
  auto* second = new TSpeedButton(form.get());
  second->SetParent(form.get());
  button->SetGroupIndex(1);
  second->SetGroupIndex(1);
  button->SetDown(true);
  EXPECT_TRUE(button->Down());
  EXPECT_EQ(button->State(), bsExclusive);
  second->SetDown(true);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(button->Down());
  second->SetDown(false);  // the last one down stays without AllowAllUp
  EXPECT_TRUE(second->Down());
  second->SetAllowAllUp(true);
  EXPECT_TRUE(button->AllowAllUp());
  second->SetDown(false);
  EXPECT_FALSE(second->Down());
}

TEST_F(SpeedButtonTest, AClickTogglesAGroupButton) {
  button->SetGroupIndex(2);
  button->SetAllowAllUp(true);
  Press(button, mbLeft);
  Release(button, mbLeft);
  EXPECT_TRUE(button->Down());
  Press(button, mbLeft);
  Release(button, mbLeft);
  EXPECT_FALSE(button->Down());
  EXPECT_EQ(clicks, 2);
}

struct ContentCase {
  TButtonLayout layout;
  int margin, spacing;
  TSize glyph, text;
  TPoint glyphPos;
  TPoint textPos;
};

class ButtonContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(ButtonContent, PlacesGlyphAndCaption) {
  const ContentCase& c = GetParam();
  const TButtonContentLayout at = CalcButtonLayout(Rect(2, 2, 98, 38), c.glyph, c.text, c.layout, c.margin, c.spacing);
  EXPECT_EQ(at.GlyphPos, c.glyphPos);
  EXPECT_EQ(at.TextBounds.TopLeft(), c.textPos);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ButtonContent,
    ::testing::Values(
        // Glyph alone is centred: (96 - 16 + 1) / 2 = 40, (36 - 16 + 1) / 2 = 10.
        ContentCase{blGlyphLeft, -1, 4, {16, 16}, {0, 0}, {42, 12}, {58, 20}},
        // Glyph and caption centred as a group 16 + 4 + 30 wide.
        ContentCase{blGlyphLeft, -1, 4, {16, 16}, {30, 10}, {25, 12}, {45, 15}},
        ContentCase{blGlyphRight, 5, 4, {16, 16}, {30, 10}, {77, 12}, {43, 15}},
        ContentCase{blGlyphTop, -1, 2, {16, 16}, {30, 10}, {42, 6}, {35, 24}},
        ContentCase{blGlyphBottom, 3, -1, {16, 16}, {30, 10}, {42, 19}, {35, 6}},
        // Spread evenly: (96 - 46) / 3 = 16 on each side and between.
        ContentCase{blGlyphLeft, -1, -1, {16, 16}, {30, 10}, {18, 12}, {50, 15}}));

}  // namespace
