// The grid's cells in client coordinates: sizes, lines, scrolling, the
// scroll bars and the border, and the rules of the fixed counts.
#include "GridTestSupport.h"

TEST_F(GridFixture, CellRectsExcludeTheLineAndFollowScrolling) {
  TTestGrid* g = MakeGrid(10, 10, 200, 100);  // 64 x 24 cells, 1-pixel lines
  EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(g->CellRect(2, 1), Rect(130, 25, 194, 49));
  g->SetTopRow(4);
  g->SetLeftCol(3);
  EXPECT_EQ(g->CellRect(3, 4), Rect(65, 25, 129, 49));
  EXPECT_EQ(g->CellRect(0, 4), Rect(0, 25, 64, 49));  // fixed column stays
  EXPECT_TRUE(g->CellRect(1, 1).IsEmpty());           // scrolled out
  EXPECT_TRUE(g->CellRect(9, 9).IsEmpty());           // beyond the client
}

TEST_F(GridFixture, MouseToCellGivesMinusOneOutsideTheCells) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  int col = 0, row = 0;
  g->MouseToCell(70, 30, col, row);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 1);
  g->MouseToCell(64, 24, col, row);  // the lines after cell (0, 0)
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 0);
  g->MouseToCell(300, 30, col, row);
  EXPECT_EQ(col, -1);
  EXPECT_EQ(row, -1);
}

TEST_F(GridFixture, VisibleCountsCountOnlyWhollyShownCells) {
  TTestGrid* g = MakeGrid(10, 10, 300, 100);
  EXPECT_EQ(g->ClientWidth(), 300 - 16);  // both bars show
  // 284 - 65 fixed = 219: three columns of 65 fit, a fourth shows in part.
  EXPECT_EQ(g->VisibleColCount(), 3);
  EXPECT_EQ(g->VisibleRowCount(), 2);  // 84 - 25 = 59: two rows of 25
}

TEST_F(GridFixture, OwnWidthsAndHeightsMoveTheCellsAfterThem) {
  TTestGrid* g = MakeGrid(4, 4, 400, 200);
  g->SetColWidths(1, 10);
  g->SetRowHeights(0, 5);
  EXPECT_EQ(g->CellRect(2, 1), Rect(76, 6, 140, 30));
  g->SetDefaultColWidth(20);  // a new default replaces every own width
  EXPECT_EQ(g->ColWidths(1), 20);
  EXPECT_THROW(g->SetColWidths(4, 10), EInvalidGridOperation);
}

TEST_F(GridFixture, LinesTakeRoomOnlyWhileALineOptionOfTheirDirectionIsSet) {
  TTestGrid* g = MakeGrid(4, 4, 400, 200);
  g->SetGridLineWidth(3);
  EXPECT_EQ(g->CellRect(1, 1), Rect(67, 27, 131, 51));
  g->SetOptions(GridOption(goHorzLine));  // no vertical lines
  EXPECT_EQ(g->CellRect(1, 1), Rect(64, 27, 128, 51));
  g->SetOptions(0);
  EXPECT_EQ(g->CellRect(1, 1), Rect(64, 24, 128, 48));
}

TEST_F(GridFixture, ScrollBarsShowOnlyWhenTheCellsDoNotFit) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 400, 200));
  g->SetRowCount(20);  // too many rows: a vertical bar takes 16 pixels
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 384, 200));
  g->SetScrollBars(ssHorizontal);
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 400, 200));
  g->SetScrollBars(ssBoth);
  g->SetColCount(20);
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 384, 184));
}

TEST_F(GridFixture, TheTopLeftStopsWhereTheLastCellsFillTheClient) {
  TTestGrid* g = MakeGrid(3, 20, 400, 200);
  g->SetTopRow(100);
  // 200 - 25 fixed = 175 pixels: seven rows of 25 end with row 19.
  EXPECT_EQ(g->TopRow(), 13);
  g->SetTopRow(-4);
  EXPECT_EQ(g->TopRow(), 1);
  int changes = 0;
  g->OnTopLeftChanged.code = [&](TPersistent*) { ++changes; };
  g->SetTopRow(5);
  g->SetTopRow(5);
  EXPECT_EQ(changes, 1);
}

TEST_F(GridFixture, TheBorderSurroundsTheClientArea) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  g->SetBorderStyle(1);
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 396, 196));  // a 2-pixel sunken edge
  g->SetCtl3D(false);
  EXPECT_EQ(g->ClientRect(), Rect(0, 0, 398, 198));
  // The mouse is given in the control's coordinates: the border comes first.
  g->SetCtl3D(true);
  Press(g, 2 + 129, 2 + 49);  // on the lines after cell (1, 1)
  Release(g, 2 + 129, 2 + 49);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);
  Press(g, 2 + 130, 2 + 50);
  Release(g, 2 + 130, 2 + 50);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 2);
}

TEST_F(GridFixture, FixedCountsMustLeaveAScrollableCell) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  EXPECT_THROW(g->SetFixedCols(3), EInvalidGridOperation);
  EXPECT_THROW(g->SetFixedRows(-1), EInvalidGridOperation);
  g->SetFixedCols(2);
  EXPECT_EQ(g->Col(), 2);  // the current cell leaves the fixed columns
  g->SetColCount(2);       // fewer columns lower the fixed count
  EXPECT_EQ(g->FixedCols(), 1);
  g->SetColCount(0);
  EXPECT_EQ(g->ColCount(), 1);
  EXPECT_EQ(g->FixedCols(), 0);
}
