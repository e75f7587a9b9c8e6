// The current cell: SelectCell before every move, the selection, the keys,
// the mouse and the wheel, and the clicks that end a move.
#include "GridTestSupport.h"

TEST_F(GridFixture, SelectCellIsAskedBeforeEveryMoveAndMayRefuseIt) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  std::vector<std::pair<int, int>> asked;
  g->OnSelectCellProc = [&](TPersistent*, int col, int row, bool& canSelect) {
    asked.emplace_back(col, row);
    canSelect = col != 3;
  };
  g->MoveColRow(2, 2, true, true);
  g->MoveColRow(3, 3, true, true);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 2);
  g->Key(VK_RIGHT);
  EXPECT_EQ(g->Col(), 2);
  Press(g, 3 * 65 + 5, 5 + 25 * 4);
  Release(g, 3 * 65 + 5, 5 + 25 * 4);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(asked.size(), 4u);                         // the mouse asked once; its release moves nothing
  EXPECT_EQ(g->Selection(), (TGridRect{2, 2, 2, 2}));  // nor does it grow a range
}

TEST_F(GridFixture, AMoveOutsideTheGridRaises) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  EXPECT_THROW(g->MoveColRow(5, 1, true, true), EInvalidGridOperation);
  EXPECT_THROW(g->MoveColRow(1, -1, true, true), EInvalidGridOperation);
  EXPECT_EQ(g->Col(), 1);
}

TEST_F(GridFixture, ShiftExtendsARangeOnlyWithRangeSelect) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  g->Key(VK_RIGHT, ShiftOf(ssShift));
  g->Key(VK_DOWN, ShiftOf(ssShift));
  EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 2, 2}));
  g->Key(VK_DOWN);
  EXPECT_EQ(g->Selection(), (TGridRect{2, 3, 2, 3}));
  g->SetOptions(g->Options() & ~GridOption(goRangeSelect));
  g->Key(VK_RIGHT, ShiftOf(ssShift));
  EXPECT_EQ(g->Selection(), (TGridRect{3, 3, 3, 3}));
}

TEST_F(GridFixture, ShiftClickSelectsARangeAndRowSelectTakesWholeRows) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  Press(g, 3 * 65 + 5, 3 * 25 + 5, true);
  Release(g, 3 * 65 + 5, 3 * 25 + 5);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 3, 3}));
  g->SetOptions(g->Options() | GridOption(goRowSelect));
  g->MoveColRow(3, 2, true, true);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 2, 4, 2}));
  EXPECT_EQ(g->Col(), 1);
}

TEST_F(GridFixture, ArrowsHomeEndAndPagesStayInsideTheScrollableCells) {
  TTestGrid* g = MakeGrid(6, 30, 400, 200);
  g->Key(VK_LEFT);
  g->Key(VK_UP);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);
  g->Key(VK_END);
  EXPECT_EQ(g->Col(), 5);
  EXPECT_EQ(g->Row(), 1);
  g->Key(VK_HOME);
  EXPECT_EQ(g->Col(), 1);
  g->Key(VK_NEXT);
  EXPECT_EQ(g->Row(), 1 + g->VisibleRowCount());
  g->Key(VK_END, ShiftOf(ssCtrl));
  EXPECT_EQ(g->Col(), 5);
  EXPECT_EQ(g->Row(), 29);
  EXPECT_EQ(g->TopRow(), 30 - g->VisibleRowCount());  // scrolled into view
  g->Key(VK_PRIOR);
  EXPECT_EQ(g->Row(), 29 - g->VisibleRowCount());
  g->Key(VK_HOME, ShiftOf(ssCtrl));
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->TopRow(), 1);
}

TEST_F(GridFixture, TabMovesAlongTheRowsOnlyWithGoTabs) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  g->Key(VK_TAB);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->DlgCode(), LRESULT(DLGC_WANTARROWS));
  g->SetOptions(g->Options() | GridOption(goTabs));
  EXPECT_EQ(g->DlgCode(), LRESULT(DLGC_WANTARROWS | DLGC_WANTTAB));
  g->Key(VK_TAB);
  g->Key(VK_TAB);  // past the row's end: the next row's first column
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 2);
  g->Key(VK_TAB, ShiftOf(ssShift));
  EXPECT_EQ(g->Col(), 2);
  EXPECT_EQ(g->Row(), 1);
  g->SetOptions(g->Options() | GridOption(goRowSelect));
  EXPECT_EQ(g->DlgCode(), LRESULT(DLGC_WANTARROWS));
}

TEST_F(GridFixture, KeysAndTheMouseEndAMoveWithOneClick) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  int onClick = 0;
  g->OnClick.code = [&](TPersistent*) { ++onClick; };
  g->Key(VK_DOWN);
  EXPECT_EQ(g->clicks, 1);
  Press(g, 2 * 65 + 5, 2 * 25 + 5);
  EXPECT_EQ(g->Col(), 2);  // the press moves the cell ...
  EXPECT_EQ(g->clicks, 1);
  Release(g, 2 * 65 + 5, 2 * 25 + 5);
  EXPECT_EQ(g->clicks, 2);  // ... the release clicks
  EXPECT_EQ(onClick, 2);
  g->SetCol(3);
  EXPECT_EQ(g->clicks, 3);
  Press(g, 5, 5);  // a fixed cell selects nothing and does not click
  Release(g, 5, 5);
  EXPECT_EQ(g->clicks, 3);
}

TEST_F(GridFixture, DraggingFollowsTheMouseWithoutRangeSelect) {
  TTestGrid* g = MakeGrid(5, 5, 400, 200);
  g->SetOptions(g->Options() & ~GridOption(goRangeSelect));
  Press(g, 70, 30);
  MoveMouse(g, 3 * 65 + 5, 30);
  Release(g, 3 * 65 + 5, 30);
  EXPECT_EQ(g->Col(), 3);
  EXPECT_EQ(g->Selection(), (TGridRect{3, 1, 3, 1}));
}

TEST_F(GridFixture, TheWheelMovesTheCurrentRow) {
  TTestGrid* g = MakeGrid(3, 30, 400, 200);
  g->Wheel(-3);
  EXPECT_EQ(g->Row(), 4);
  g->Wheel(10);
  EXPECT_EQ(g->Row(), 1);
}

TEST_F(GridFixture, ColumnsAndRowsSizeByDraggingTheirLinesInTheFixedCells) {
  TTestGrid* g = MakeGrid(4, 4, 400, 200);
  Press(g, 64, 5);  // the line after column 0, without goColSizing: a fixed cell
  MoveMouse(g, 90, 5);
  Release(g, 90, 5);
  EXPECT_EQ(g->ColWidths(0), 64);
  g->SetOptions(g->Options() | GridOption(goColSizing) | GridOption(goRowSizing));
  Press(g, 129, 5);  // the line after column 1
  MoveMouse(g, 100, 5);
  Release(g, 100, 5);
  EXPECT_EQ(g->ColWidths(1), 35);
  Press(g, 5, 49);  // the line after row 1
  MoveMouse(g, 5, 80);
  Release(g, 5, 80);
  EXPECT_EQ(g->RowHeights(1), 55);
  EXPECT_EQ(g->Col(), 1);  // sizing moved nothing
}
