// What an outline paints: tree lines, plus/minus boxes, pictures and the
// selection. Text glyphs are not checked (fonts differ between machines).
//
// The outline is 200 x 120 with a sunken border of two pixels, so its rows
// start at (2, 2) and are 16 pixels high.
#include "OutlineTestSupport.h"

#include <QWheelEvent>

namespace {

class OutlinePaint : public OutlineFixture {
 protected:
  void SetUp() override {
    OutlineFixture::SetUp();
    outline->SetItemHeight(16);
  }
};

}  // namespace

TEST_F(OutlinePaint, TreeStyleDrawsAPlusBoxThatTurnsIntoAMinus) {
  outline->SetOutlineStyle(osTreeText);
  FillOutline(*outline, "A\n\ta1\nB");
  // Level 1 with root lines: connector column at x 10, a 9 x 9 box around (10, 9).
  QImage closed = outline->Render();
  EXPECT_EQ(PixelAt(closed, 6, 5), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(closed, 14, 13), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(closed, 7, 6), Rgb(clWindow));
  EXPECT_EQ(PixelAt(closed, 8, 9), Rgb(clWindowText));   // the bar
  EXPECT_EQ(PixelAt(closed, 10, 7), Rgb(clWindowText));  // the upright of the plus

  outline->Items(1)->Expand();
  QImage open = outline->Render();
  EXPECT_EQ(PixelAt(open, 8, 9), Rgb(clWindowText));
  EXPECT_EQ(PixelAt(open, 10, 7), Rgb(clWindow));
  // B has no children: no box on its row (row 2 now, since a1 shows).
  EXPECT_EQ(PixelAt(open, 6, 2 + 32 + 3), Rgb(clWindow));
}

TEST_F(OutlinePaint, TreeLinesAreDottedAndStopAtTheLastSibling) {
  outline->SetOutlineStyle(osTreeText);
  FillOutline(*outline, "A\nB");
  QImage image = outline->Render();
  // A has a next sibling: its connector runs on below its middle.
  EXPECT_EQ(PixelAt(image, 10, 14), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(image, 10, 15), Rgb(clWindow));  // dotted
  // B is the last: its connector comes from above and stops at its middle (26).
  EXPECT_EQ(PixelAt(image, 10, 18), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(image, 10, 28), Rgb(clWindow));
  // ... and turns right towards the text.
  EXPECT_EQ(PixelAt(image, 12, 26), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(image, 19, 26), Rgb(clWindow));
}

TEST_F(OutlinePaint, WithoutRootLinesTopLevelItemsHaveNoConnector) {
  outline->SetOutlineStyle(osTreeText);
  outline->SetOptions(OutlineOption(ooDrawFocusRect));
  FillOutline(*outline, "A\n\ta1\nB");
  QImage image = outline->Render();
  for (int x = 2; x < 18; ++x) EXPECT_EQ(PixelAt(image, x, 14), Rgb(clWindow)) << x;
}

TEST_F(OutlinePaint, PicturesFollowTheItemsState) {
  outline->SetOutlineStyle(osPictureText);
  FillOutline(*outline, "A\n\tB");
  QImage closed = outline->Render();
  EXPECT_EQ(PixelAt(closed, 2 + 2, 2 + 5), clYellow);  // inside the closed folder
  EXPECT_EQ(PixelAt(closed, 2, 2), Rgb(clWindow));     // its background is left out
  outline->Items(1)->Expand();
  QImage open = outline->Render();
  EXPECT_EQ(PixelAt(open, 2 + 6, 2 + 9), clWhite);  // the open folder's paper
  // B, a leaf one level down, one indent to the right.
  EXPECT_EQ(PixelAt(open, 18 + 3, 18 + 5), clBlack);
  EXPECT_EQ(PixelAt(open, 18 + 4, 18 + 5), clWhite);
}

TEST_F(OutlinePaint, StretchedPicturesFillTheRowHeight) {
  outline->SetOutlineStyle(osPictureText);
  outline->SetOptions(OutlineOption(ooStretchBitmaps));
  outline->SetItemHeight(32);
  FillOutline(*outline, "A\n\tB");
  QImage image = outline->Render();
  // The closed folder's pixel (2, 5) doubled.
  EXPECT_EQ(PixelAt(image, 2 + 4, 2 + 10), clYellow);
  EXPECT_EQ(PixelAt(image, 2 + 5, 2 + 11), clYellow);
}

TEST_F(OutlinePaint, SelectionHighlightsTheTextCellOnly) {
  outline->SetOutlineStyle(osTreeText);
  FillOutline(*outline, "A\nB");
  outline->SetSelectedItem(2);
  QImage image = outline->Render();
  // Text starts one indent in (after the root column): cell from x 20.
  EXPECT_EQ(PixelAt(image, 21, 18 + 1), Rgb(clHighlight));
  EXPECT_EQ(PixelAt(image, 21, 2 + 1), Rgb(clWindow));
  EXPECT_EQ(PixelAt(image, 190, 18 + 1), Rgb(clWindow));
}

TEST_F(OutlinePaint, OwnerDrawHandsEachVisibleRowToTheHandler) {
  FillOutline(*outline, "A\n\ta1\nB");
  outline->SetStyle(otOwnerDraw);
  std::vector<std::pair<int, TRect>> drawn;
  outline->OnDrawItemProc = [&](TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    drawn.emplace_back(index, r);
  };
  outline->Render();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].first, 1);
  EXPECT_EQ(drawn[1].first, 3);
  EXPECT_EQ(drawn[1].second, Rect(2, 18, 198, 34));
}

TEST_F(OutlinePaint, LongListsShowAScrollBarAndScrollToTheSelection) {
  std::string text;
  for (int i = 1; i <= 20; ++i) text += "item" + std::to_string(i) + "\n";
  FillOutline(*outline, text);
  EXPECT_TRUE(outline->VerticalBarShown());
  EXPECT_EQ(outline->ItemArea(), Rect(2, 2, 182, 118));
  outline->SetSelectedItem(20);
  EXPECT_EQ(outline->TopRow(), 20 - 7);  // seven whole rows fit in 116 pixels
  QImage image = outline->Render();
  EXPECT_EQ(PixelAt(image, 183, 2), Rgb(clBtnHighlight));  // the up button's raised edge
}

TEST_F(OutlinePaint, AWideRowShowsAHorizontalBarThatScrollsByItsButtons) {
  outline->SetOutlineStyle(osText);
  FillOutline(*outline, "A\n" + std::string(60, 'W'));
  ASSERT_GT(outline->ContentWidth(), 196);
  EXPECT_FALSE(outline->VerticalBarShown());
  EXPECT_EQ(outline->HorizontalBarRect(), Rect(2, 102, 198, 118));
  EXPECT_EQ(outline->ItemArea(), Rect(2, 2, 198, 102));
  ClickAt(outline, 190, 110);  // the right button
  EXPECT_EQ(outline->LeftOffset(), 16);
  outline->SetSelectedItem(1);
  QImage image = outline->Render();
  // A's text cell starts at 2 + 2, now 16 pixels further left, outside.
  EXPECT_EQ(PixelAt(image, 2, 3), Rgb(clWindow));
  outline->SetLeftOffset(0);
  EXPECT_EQ(PixelAt(outline->Render(), 5, 3), Rgb(clHighlight));
  outline->SetScrollBars(ssVertical);
  EXPECT_TRUE(outline->HorizontalBarRect().IsEmpty());
}

TEST_F(OutlinePaint, TheWheelScrollsThreeRowsANotch) {
  std::string text;
  for (int i = 1; i <= 20; ++i) text += "item" + std::to_string(i) + "\n";
  FillOutline(*outline, text);
  QWheelEvent down(
      QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
      false);
  outline->WidgetEvent(&down);
  EXPECT_EQ(outline->TopRow(), 3);
}

TEST(OutlineScrollBarParts, ThumbSizeAndPlaceFollowThePage) {
  const TRect bar = Rect(0, 0, 16, 116);
  auto top = OutlineScrollBarParts(bar, 20, 7, 0);
  EXPECT_EQ(top.upButton, Rect(0, 0, 16, 16));
  EXPECT_EQ(top.downButton, Rect(0, 100, 16, 116));
  EXPECT_EQ(top.thumb, Rect(0, 16, 16, 16 + 29));  // 84 * 7 / 20
  auto bottom = OutlineScrollBarParts(bar, 20, 7, 13);
  EXPECT_EQ(bottom.thumb.Bottom, 100);
  EXPECT_TRUE(OutlineScrollBarParts(bar, 5, 7, 0).thumb.IsEmpty());
}

TEST(OutlineRowLayout, EachStyleIndentsByLevel) {
  TOutlineMetrics m;
  m.itemHeight = 16;
  m.style = osText;
  EXPECT_EQ(OutlineRowLayout(m, 1).textX, 2);
  EXPECT_EQ(OutlineRowLayout(m, 3).textX, 34);
  m.style = osPlusMinusPictureText;
  auto pm = OutlineRowLayout(m, 2);
  EXPECT_EQ(pm.button, Rect(16, 3, 25, 12));
  EXPECT_EQ(pm.picture, Rect(29, 0, 45, 16));
  EXPECT_EQ(pm.textX, 47);
  m.style = osTreePictureText;
  m.options = OutlineOption(ooDrawTreeRoot);
  auto tree = OutlineRowLayout(m, 1);
  EXPECT_EQ(tree.lineX, 8);
  EXPECT_EQ(tree.picture.Left, 16);
  m.options = 0;
  EXPECT_EQ(OutlineRowLayout(m, 1).lineX, -1);
  EXPECT_EQ(OutlineRowLayout(m, 2).lineX, 8);
}
