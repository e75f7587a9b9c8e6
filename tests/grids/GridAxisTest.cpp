// One axis of a grid as arithmetic: where cells start, which cell a point
// hits, how far the axis can scroll.
#include <gtest/gtest.h>

#include <vector>

#include "controls/GridAxis.h"

namespace {

// Cells of 64 with a 1-pixel line, one fixed, over a 200-pixel client.
TGridAxis Axis(int first, int count = 10, int extent = 200, const std::vector<int>* sizes = nullptr) {
  TGridAxis a;
  a.Sizes = sizes;
  a.DefaultSize = 64;
  a.LineWidth = 1;
  a.FixedCount = 1;
  a.FirstCell = first;
  a.CellCount = count;
  a.Extent = extent;
  a.Compute();
  return a;
}

}  // namespace

TEST(GridAxis, ScrolledCellsFollowTheFixedOnesAndHiddenOnesHaveNoStart) {
  const TGridAxis a = Axis(3);
  int start = -1;
  ASSERT_TRUE(a.Start(0, start));
  EXPECT_EQ(start, 0);
  ASSERT_TRUE(a.Start(3, start));
  EXPECT_EQ(start, 65);
  ASSERT_TRUE(a.Start(4, start));
  EXPECT_EQ(start, 130);
  EXPECT_FALSE(a.Start(1, start));   // scrolled out
  EXPECT_FALSE(a.Start(6, start));   // beyond the client
  EXPECT_FALSE(a.Start(10, start));  // beyond the grid
}

TEST(GridAxis, APartlyShownLastCellEndsTheGridAtTheClientEdge) {
  const TGridAxis a = Axis(1);
  EXPECT_EQ(a.FixedBoundary, 65);
  EXPECT_EQ(a.LastFullVisible, 2);  // cells 1 and 2 fit, cell 3 shows 5 pixels
  EXPECT_EQ(a.GridBoundary, 200);
  const TGridAxis few = Axis(1, 3);
  EXPECT_EQ(few.GridBoundary, 195);
  EXPECT_EQ(few.LastFullVisible, 2);
}

TEST(GridAxis, APointOnALineBelongsToTheCellBeforeIt) {
  const TGridAxis a = Axis(1, 3);
  EXPECT_EQ(a.CellAt(0), 0);
  EXPECT_EQ(a.CellAt(64), 0);
  EXPECT_EQ(a.CellAt(65), 1);
  EXPECT_EQ(a.CellAt(194), 2);
  EXPECT_EQ(a.CellAt(195), -1);
  EXPECT_EQ(a.CellAt(-1), -1);
}

TEST(GridAxis, TheLastFirstCellStillFillsTheClientWithTheLastCells) {
  EXPECT_EQ(Axis(1).MaxFirstCell(), 8);  // cells 8 and 9 fill the 135 pixels after the fixed cell
  EXPECT_EQ(Axis(1, 3).MaxFirstCell(), 1);
  // A last cell larger than the client is scrolled to on its own.
  const std::vector<int> sizes{64, 10, 500};
  EXPECT_EQ(Axis(1, 3, 200, &sizes).MaxFirstCell(), 2);
}

TEST(GridAxis, OwnSizesOverrideTheDefaultAndNegativeOnesCountAsZero) {
  const std::vector<int> sizes{20, -5, 30};
  const TGridAxis a = Axis(1, 4, 200, &sizes);
  EXPECT_EQ(a.Size(1), 0);
  EXPECT_EQ(a.Size(3), 64);
  int start = 0;
  ASSERT_TRUE(a.Start(3, start));
  EXPECT_EQ(start, 21 + 1 + 31);
}
