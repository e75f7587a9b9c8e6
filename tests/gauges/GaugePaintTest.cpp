// The gauge's picture, pixel by pixel, rendered off-screen.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "GaugeTestSupport.h"
#include "controls/Forms.h"
#include "controls/Render.h"

namespace {

constexpr TColor kBlue = 0xFF0000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kYellow = 0x00FFFF;

// Expects every pixel of the rectangle (half-open) to have one colour.
void ExpectArea(const QImage& image, const TRect& r, TColor color, const char* what) {
  int wrong = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (PixelAt(image, x, y) != color && wrong++ < 3)
        ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex << PixelAt(image, x, y)
                      << ", expected " << color;
  EXPECT_EQ(wrong, 0) << what;
}

// The one-pixel black ring of a single border.
void ExpectBlackRing(const QImage& image) {
  const int w = image.width();
  const int h = image.height();
  ExpectArea(image, Rect(0, 0, w, 1), kBlack, "top border");
  ExpectArea(image, Rect(0, h - 1, w, h), kBlack, "bottom border");
  ExpectArea(image, Rect(0, 0, 1, h), kBlack, "left border");
  ExpectArea(image, Rect(w - 1, 0, w, h), kBlack, "right border");
}

int CountColor(const QImage& image, TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += PixelAt(image, x, y) == color;
  return n;
}

// --- the scratch bitmap

TEST(BltBitmap, MakeLikeTakesSizeNotPixelsAndFillsWithWindowFrame) {
  TBitmap templ(30, 20);
  templ.Canvas()->Brush()->SetColor(clRed);
  templ.Canvas()->FillRect(Rect(0, 0, 30, 20));
  TBltBitmap blt;
  blt.MakeLike(templ);
  EXPECT_EQ(blt.Width(), 30);
  EXPECT_EQ(blt.Height(), 20);
  ExpectArea(blt.Image(), Rect(0, 0, 30, 20), ColorToRGB(clWindowFrame), "filled image");
  // The brush stays solid in the window-frame colour.
  EXPECT_EQ(blt.Canvas()->Brush()->Style(), bsSolid);
  EXPECT_EQ(blt.Canvas()->Brush()->Color(), clWindowFrame);
}

// --- plain bars of the default gauge (R = 1, 1, 99, 99)

struct PlainBarCase {
  int32_t progress;
  int32_t lastColumn;  // last blue column; 0 when nothing is filled
};

class PlainHorizontalBarPixels : public ::testing::TestWithParam<PlainBarCase> {};

TEST_P(PlainHorizontalBarPixels, FillsColumnsFromLeftInsideBlackRing) {
  const PlainBarCase& c = GetParam();
  TProbeGauge g;
  g.SetProgress(c.progress);
  const QImage image = g.Render();
  ExpectBlackRing(image);
  ExpectArea(image, Rect(1, 1, c.lastColumn + 1, 99), kBlue, "bar");
  ExpectArea(image, Rect(std::max(c.lastColumn + 1, 1), 1, 99, 99), kWhite, "background");
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, PlainHorizontalBarPixels,
    ::testing::Values(PlainBarCase{0, 0}, PlainBarCase{1, 0}, PlainBarCase{2, 0}, PlainBarCase{3, 1},
                      PlainBarCase{50, 48}, PlainBarCase{100, 98}));

TEST(PlainVerticalBarPixels, FullBarIsCutToRow98AndFillsInterior) {
  TProbeGauge g;
  g.SetKind(gkVerticalBar);
  g.SetProgress(100);
  const QImage image = g.Render();
  ExpectBlackRing(image);
  ExpectArea(image, Rect(1, 1, 99, 99), kBlue, "bar");
}

TEST(PlainVerticalBarPixels, HalfBarRisesFromBottom) {
  TProbeGauge g;
  g.SetKind(gkVerticalBar);
  g.SetProgress(50);  // F = 49: rows 50..98
  const QImage image = g.Render();
  ExpectArea(image, Rect(1, 1, 99, 50), kWhite, "background");
  ExpectArea(image, Rect(1, 50, 99, 99), kBlue, "bar");
}

// --- framed bars

// Distinct colours for every part, so each line can be told apart.
constexpr TColor kBorder = 0x636563;
constexpr TColor kBaseHigh = 0xBDBEBD;
constexpr TColor kBaseLow = 0x0000C0;
constexpr TColor kHigh = 0xCEA684;
constexpr TColor kLow = 0x7B4910;

void MakeFramed(TGauge& g) {
  g.SetRealOneStyle(true);
  g.SetBaseInnerLowColor(kBaseLow);
}

TEST(FramedBarPixels, EmptyBarShowsOnlyFrameAndBaseLines) {
  TProbeGauge g;
  MakeFramed(g);
  const QImage image = g.Render();
  EXPECT_EQ(CountColor(image, kBlue), 0);
  EXPECT_EQ(CountColor(image, kHigh), 0);
  EXPECT_EQ(CountColor(image, kLow), 0);
  ExpectArea(image, Rect(1, 2, 2, 97), kBaseHigh, "base highlight, left");
  ExpectArea(image, Rect(2, 1, 97, 2), kBaseHigh, "base highlight, top");
  ExpectArea(image, Rect(97, 2, 98, 97), kBaseLow, "base shadow, right");
  ExpectArea(image, Rect(3, 97, 97, 98), kBaseLow, "base shadow, bottom");
  ExpectArea(image, Rect(2, 2, 97, 97), kWhite, "inside");
  // The rounded frame, away from its corners.
  ExpectArea(image, Rect(10, 0, 90, 1), kBorder, "frame, top");
  ExpectArea(image, Rect(0, 10, 1, 90), kBorder, "frame, left");
  ExpectArea(image, Rect(98, 10, 99, 90), kBorder, "frame, right");
  ExpectArea(image, Rect(10, 98, 90, 99), kBorder, "frame, bottom");
  // Outside the frame, the image's own last column and row stay black.
  ExpectArea(image, Rect(99, 0, 100, 100), kBlack, "right of frame");
  ExpectArea(image, Rect(0, 99, 100, 100), kBlack, "below frame");
}

TEST(FramedBarPixels, HalfHorizontalBarHasHighlightAndShadowEdges) {
  TProbeGauge g;
  MakeFramed(g);
  g.SetProgress(50);  // X = 49
  const QImage image = g.Render();
  ExpectArea(image, Rect(2, 2, 50, 97), kBlue, "fill");
  ExpectArea(image, Rect(1, 1, 2, 98), kHigh, "highlight, left");
  ExpectArea(image, Rect(1, 1, 50, 2), kHigh, "highlight, top");
  ExpectArea(image, Rect(2, 97, 50, 98), kLow, "shadow");
  // The empty part keeps the base lines.
  ExpectArea(image, Rect(50, 1, 97, 2), kBaseHigh, "base highlight beyond bar");
  ExpectArea(image, Rect(50, 97, 97, 98), kBaseLow, "base shadow beyond bar");
  ExpectArea(image, Rect(50, 2, 97, 97), kWhite, "empty part");
}

TEST(FramedBarPixels, NarrowVerticalBarAtOnePercent) {
  TProbeGauge g;
  g.SetBounds(0, 0, 20, 200);  // W = 19, H = 199; Y = 2
  g.SetKind(gkVerticalBar);
  MakeFramed(g);
  g.SetProgress(1);
  const QImage image = g.Render();
  ExpectArea(image, Rect(2, 196, 17, 197), kBlue, "fill row");
  ExpectArea(image, Rect(2, 195, 17, 196), kWhite, "above fill");
  ExpectArea(image, Rect(1, 196, 2, 197), kHigh, "highlight, left");
  ExpectArea(image, Rect(1, 197, 17, 198), kHigh, "highlight, bottom");
  ExpectArea(image, Rect(17, 196, 18, 197), kLow, "shadow");
  EXPECT_EQ(CountColor(image, kBlue), 15);
}

// --- pie

class PiePixels : public ::testing::Test {
 protected:
  QImage RenderPie(int32_t progress) {
    TProbeGauge g;
    g.SetKind(gkPie);
    g.SetColor(clGray);
    g.SetProgress(progress);
    return g.Render();
  }
};

TEST_F(PiePixels, QuarterFillsUpperRight) {
  const QImage image = RenderPie(25);
  ExpectBlackRing(image);
  EXPECT_EQ(PixelAt(image, 3, 3), clGray) << "corner outside the disc";
  ExpectArea(image, Rect(55, 15, 80, 45), kBlue, "upper right quarter");
  ExpectArea(image, Rect(20, 15, 45, 45), kWhite, "upper left quarter");
  ExpectArea(image, Rect(20, 55, 45, 85), kWhite, "lower left quarter");
  ExpectArea(image, Rect(55, 55, 80, 85), kWhite, "lower right quarter");
}

TEST_F(PiePixels, OnePercentIsThinWedgeRightOfTwelve) {
  const QImage image = RenderPie(1);
  EXPECT_EQ(PixelAt(image, 50, 12), kBlue);
  EXPECT_EQ(PixelAt(image, 45, 12), kWhite) << "left of twelve o'clock";
  EXPECT_EQ(PixelAt(image, 58, 12), kWhite) << "beyond the start ray";
}

TEST_F(PiePixels, FullPercentFillsWholeDisc) {
  const QImage image = RenderPie(100);
  EXPECT_EQ(CountColor(image, kWhite), 0);
  ExpectArea(image, Rect(20, 20, 80, 80), kBlue, "disc");
  EXPECT_EQ(PixelAt(image, 3, 3), clGray);
}

TEST_F(PiePixels, ZeroShowsEmptyDisc) {
  const QImage image = RenderPie(0);
  ExpectArea(image, Rect(20, 20, 80, 80), kWhite, "disc");
  EXPECT_EQ(PixelAt(image, 50, 1), kBlue) << "outline at twelve o'clock";
}

// --- needle

class NeedlePixels : public ::testing::Test {
 protected:
  QImage RenderNeedle(int32_t progress) {
    TProbeGauge g;
    g.SetKind(gkNeedle);
    g.SetColor(clGray);
    g.SetProgress(progress);
    return g.Render();
  }

  // The line from the pivot (50, 98) toward tip passes through blue pixels
  // (allowing one pixel of rasterisation either side), and stops short of
  // the tip itself.
  static void ExpectNeedleTo(const QImage& image, TPoint tip) {
    for (double t = 0.05; t < 0.95; t += 0.05) {
      const int x = int(std::lround(50 + t * (tip.X - 50)));
      const int y = int(std::lround(98 + t * (tip.Y - 98)));
      bool blue = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) blue = blue || PixelAt(image, x + dx, y + dy) == kBlue;
      EXPECT_TRUE(blue) << "no needle near (" << x << ", " << y << ")";
    }
  }
};

TEST_F(NeedlePixels, HalfPointsStraightUp) {
  const QImage image = RenderNeedle(50);
  ExpectArea(image, Rect(50, 5, 51, 98), kBlue, "needle");
  EXPECT_EQ(PixelAt(image, 30, 60), kWhite) << "dial";
  EXPECT_EQ(PixelAt(image, 3, 3), clGray) << "outside the dial";
  // The base line lies on the bottom border row, from R.Left on.
  ExpectArea(image, Rect(1, 99, 100, 100), kBlue, "base line");
  EXPECT_EQ(PixelAt(image, 0, 99), kBlack);
}

TEST_F(NeedlePixels, QuarterPointsUpLeft) {
  const QImage image = RenderNeedle(25);
  ExpectNeedleTo(image, {15, 29});
  EXPECT_EQ(PixelAt(image, 70, 60), kWhite) << "right half of the dial is empty";
}

TEST_F(NeedlePixels, FullPointsRightAlongPivotRow) {
  const QImage image = RenderNeedle(100);
  ExpectArea(image, Rect(50, 98, 100, 99), kBlue, "needle");
  EXPECT_EQ(PixelAt(image, 30, 90), kWhite);
}

TEST_F(NeedlePixels, ZeroDrawsNoNeedle) {
  const QImage image = RenderNeedle(0);
  ExpectArea(image, Rect(10, 60, 90, 96), kWhite, "dial interior");
}

// --- border style, text, unknown kinds

TEST(BorderlessGauge, BarCoversWholeControl) {
  TProbeGauge g;
  g.SetBorderStyle(bsNone);
  ExpectArea(g.Render(), Rect(0, 0, 100, 100), kWhite, "empty bar");
  g.SetProgress(100);  // F = 101, capped: the whole control
  ExpectArea(g.Render(), Rect(0, 0, 100, 100), kBlue, "full bar");
}

TEST(BorderlessGauge, FramedBarLosesRightAndBottomOutline) {
  TProbeGauge g;
  g.SetBorderStyle(bsNone);
  MakeFramed(g);
  const QImage image = g.Render();
  EXPECT_EQ(CountColor(image, kBlack), 0);
  ExpectArea(image, Rect(0, 10, 1, 90), kBorder, "frame, left");
  // W = H = 101: the frame's right and bottom lie outside; the base
  // shadow takes the last column.
  ExpectArea(image, Rect(99, 2, 100, 99), kBaseLow, "base shadow, right");
}

TEST(TextOverlay, InvertsWhatLiesBeneath) {
  TProbeGauge g;
  g.SetShowPercent(true);
  g.SetProgress(50);  // "50%" straddles the bar's edge at column 48
  const QImage withText = g.Render();
  g.SetShowText(false);
  const QImage plain = g.Render();
  int overWhite = 0;
  int overBlue = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const TColor before = PixelAt(plain, x, y);
      const TColor after = PixelAt(withText, x, y);
      if (after == before) continue;
      ASSERT_EQ(after, before ^ 0xFFFFFF) << "(" << x << ", " << y << ")";
      ASSERT_TRUE(x >= 1 && x < 99 && y >= 1 && y < 99) << "text outside R";
      overWhite += after == kBlack;
      overBlue += after == kYellow;
    }
  EXPECT_GT(overWhite, 0) << "black glyph pixels over the white part";
  EXPECT_GT(overBlue, 0) << "yellow glyph pixels over the blue part";
}

TEST(TextOverlay, IgnoresFontColour) {
  TProbeGauge g;
  g.SetText("Hi");
  const QImage white = g.Render();
  g.Font()->SetColor(clRed);
  EXPECT_EQ(g.Render(), white);
}

TEST(TextOverlay, DrawnForEveryKind) {
  for (TGaugeKind kind : {gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle}) {
    TProbeGauge g;
    g.SetKind(kind);
    g.SetProgress(30);
    const QImage plain = g.Render();
    g.SetText("MMM");
    EXPECT_NE(g.Render(), plain) << "kind " << int(kind);
  }
}

TEST(TextKind, FillsWithBackColourOnly) {
  TProbeGauge g;
  g.SetKind(gkText);
  g.SetBackColor(clYellow);
  g.SetProgress(60);
  const QImage image = g.Render();
  ExpectBlackRing(image);
  ExpectArea(image, Rect(1, 1, 99, 99), kYellow, "background");
}

TEST(UnknownKind, PaintsAllBlack) {
  TProbeGauge g;
  g.SetKind(TGaugeKind(5));
  g.SetProgress(50);
  ExpectArea(g.Render(), Rect(0, 0, 100, 100), kBlack, "unknown kind");
}

TEST(UnknownKind, ShowsOnlyTheTextInWhite) {
  TProbeGauge g;
  g.SetKind(TGaugeKind(200));
  g.SetShowPercent(true);
  const QImage image = g.Render();
  EXPECT_GT(CountColor(image, kWhite), 0);
  EXPECT_EQ(CountColor(image, kBlack) + CountColor(image, kWhite), 100 * 100);
}

// --- through the framework

TEST(FrameworkRendering, GaugeOnFormLooksLikeItsOwnPaint) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* g = new TProbeGauge(&form);
  g->SetParent(&form);
  g->SetBounds(10, 20, 120, 40);
  g->SetShowPercent(true);
  g->SetProgress(70);
  const QImage own = g->Render();
  EXPECT_EQ(RenderControl(g), own);
}

}  // namespace
