// The pixels of a small grid: fixed cells and their raised edges, the
// lines of both kinds, the highlighted current cell and the area beyond the
// cells. Text pixels are left alone (they depend on the fonts).
#include <QImage>

#include "GridTestSupport.h"

namespace {

class GridPaint : public GridFixture {
 protected:
  // Three by three cells of 20 x 10 with 1-pixel lines, no border, so that
  // columns start at 0, 21, 42 and rows at 0, 11, 22.
  TTestGrid* SmallGrid() {
    TTestGrid* g = MakeGrid(3, 3, 100, 50);
    g->SetDefaultColWidth(20);
    g->SetDefaultRowHeight(10);
    return g;
  }
  static uint32_t At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
  static uint32_t Rgb(TColor c) { return ColorToPixel(c) & 0xFFFFFF; }
  static QImage Paint(TTestGrid* g) {
    QImage image;
    g->PaintTo(image);
    return image;
  }
};

}  // namespace

TEST_F(GridPaint, FixedCellsShowFixedColorWithRaisedEdges) {
  TTestGrid* g = SmallGrid();
  g->SetFixedColor(clMaroon);
  const QImage image = Paint(g);
  EXPECT_EQ(At(image, 10, 5), Rgb(clMaroon));        // inside cell (0, 0)
  EXPECT_EQ(At(image, 0, 5), Rgb(clBtnHighlight));   // its left edge
  EXPECT_EQ(At(image, 10, 0), Rgb(clBtnHighlight));  // its top edge
  EXPECT_EQ(At(image, 19, 5), Rgb(clBtnShadow));     // its right edge
  EXPECT_EQ(At(image, 10, 9), Rgb(clBtnShadow));     // its bottom edge
  EXPECT_EQ(At(image, 30, 5), Rgb(clMaroon));        // fixed row, column 1
  g->SetCtl3D(false);
  EXPECT_EQ(At(Paint(g), 0, 5), Rgb(clMaroon));  // flat: no edges
}

TEST_F(GridPaint, FixedLinesAreBlackAndCellLinesSilver) {
  TTestGrid* g = SmallGrid();
  const QImage image = Paint(g);
  EXPECT_EQ(At(image, 20, 5), Rgb(clBlack));    // after fixed column 0, in the fixed row
  EXPECT_EQ(At(image, 20, 15), Rgb(clBlack));   // ... and down the scrollable rows
  EXPECT_EQ(At(image, 41, 5), Rgb(clBlack));    // after column 1, in the fixed row
  EXPECT_EQ(At(image, 41, 15), Rgb(clSilver));  // ... between scrollable cells
  EXPECT_EQ(At(image, 30, 21), Rgb(clSilver));  // after row 1
  EXPECT_EQ(At(image, 10, 21), Rgb(clBlack));   // after row 1, in the fixed column
  EXPECT_EQ(At(image, 80, 5), Rgb(clWindow));   // beyond the last column
  EXPECT_EQ(At(image, 30, 40), Rgb(clWindow));  // below the last row
}

TEST_F(GridPaint, OnASilverGridCellLinesTurnGreyAndLineOptionsSwitchThemOff) {
  TTestGrid* g = SmallGrid();
  g->SetColor(clSilver);
  EXPECT_EQ(At(Paint(g), 41, 15), Rgb(clGray));
  g->SetColor(clWindow);
  g->SetOptions(GridOption(goFixedVertLine) | GridOption(goFixedHorzLine) | GridOption(goHorzLine));
  const QImage image = Paint(g);
  // Column lines take no room now: column 1 starts at 20 and row 1 at 11.
  EXPECT_EQ(At(image, 30, 21), Rgb(clSilver));
  EXPECT_NE(At(image, 39, 15), Rgb(clSilver));
}

TEST_F(GridPaint, TheCurrentCellIsHighlightedUnlessFocusedWithoutDrawFocusSelected) {
  TTestGrid* g = SmallGrid();
  g->MoveColRow(2, 2, true, false);
  QImage image = Paint(g);
  EXPECT_EQ(At(image, 50, 27), Rgb(clHighlight));
  EXPECT_EQ(At(image, 30, 15), Rgb(clWindow));
  g->SetFocus();
  ASSERT_TRUE(g->Focused());
  image = Paint(g);
  EXPECT_EQ(At(image, 50, 27), Rgb(clWindow));  // focused: a focus rectangle instead
  EXPECT_NE(At(image, 42, 22), Rgb(clWindow));  // its dotted frame starts at the corner
  g->SetOptions(g->Options() | GridOption(goDrawFocusSelected));
  EXPECT_EQ(At(Paint(g), 50, 27), Rgb(clHighlight));
}

TEST_F(GridPaint, DrawCellGetsEveryVisibleCellWithItsState) {
  TTestGrid* g = SmallGrid();
  std::vector<std::tuple<int, int, TGridDrawState>> cells;
  g->OnDrawCellProc = [&](TPersistent*, int col, int row, const TRect& rect, TGridDrawState state) {
    cells.emplace_back(col, row, state);
    EXPECT_EQ(rect, g->CellRect(col, row));
  };
  Paint(g);
  ASSERT_EQ(cells.size(), 9u);
  EXPECT_EQ(std::get<2>(cells[0]), TGridDrawState(1u << gdFixed));
  EXPECT_EQ(std::get<2>(cells[4]), TGridDrawState(1u << gdSelected));  // cell (1, 1), unfocused
  EXPECT_EQ(std::get<2>(cells[8]), TGridDrawState(0));
}
