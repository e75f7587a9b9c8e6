// The month's layout: the header row, FDayBase, the cells of each row, the
// current cell on the selected day, and the size of the cells.
#include "CalendarTestSupport.h"

#include <climits>

#include "core/CheckedMath.h"

TEST_F(CalendarFixture, ANewCalendarShowsTodayUnderSundayFirst) {
  EXPECT_EQ(cal->ColCount(), 7);
  EXPECT_EQ(cal->RowCount(), 7);
  EXPECT_EQ(cal->FixedRows(), 1);
  EXPECT_EQ(cal->FixedCols(), 0);
  EXPECT_EQ(cal->ScrollBars(), ssNone);
  EXPECT_FALSE(cal->HasOption(goRangeSelect));
  EXPECT_TRUE(cal->HasOption(goDrawFocusSelected));
  EXPECT_TRUE(cal->UseCurrentDate());
  EXPECT_EQ(cal->StartOfWeek(), 0);
  EXPECT_EQ(cal->CalendarDate(), Date());
  EXPECT_EQ(cal->CellCaption(0, 0), ShortDayNames(1));
  EXPECT_EQ(cal->CellCaption(cal->Col(), cal->Row()), std::to_string(cal->Day()));
}

TEST_F(CalendarFixture, April2026StartsOnWednesdayWithSundayFirst) {
  SetDate(2026, 4, 10);
  EXPECT_EQ(cal->DayBase(), -2);
  EXPECT_EQ(RowCaptions(1), Days({0, 0, 0, 1, 2, 3, 4}));
  EXPECT_EQ(RowCaptions(2), Days({5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(RowCaptions(5), Days({26, 27, 28, 29, 30, 0, 0}));
  EXPECT_EQ(RowCaptions(6), Days({0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(cal->Col(), 5);
  EXPECT_EQ(cal->Row(), 2);
}

TEST_F(CalendarFixture, March2026WithMondayFirstPutsDayOneInTheLastColumn) {
  cal->SetStartOfWeek(1);
  SetDate(2026, 3, 1);
  EXPECT_EQ(cal->DayBase(), -5);
  EXPECT_EQ(RowCaptions(1), Days({0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(cal->CellCaption(6, 0), ShortDayNames(1));  // Sunday's column
  EXPECT_EQ(RowCaptions(6), Days({30, 31, 0, 0, 0, 0, 0}));
  EXPECT_EQ(cal->Col(), 6);
  EXPECT_EQ(cal->Row(), 1);
}

TEST_F(CalendarFixture, A28DayFebruaryStartingInColumnZeroFillsFourRows) {
  SetDate(2026, 2, 28);  // 1 February 2026 is a Sunday
  EXPECT_EQ(cal->DayBase(), 1);
  EXPECT_EQ(RowCaptions(1), Days({1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(RowCaptions(4), Days({22, 23, 24, 25, 26, 27, 28}));
  EXPECT_EQ(RowCaptions(5), Days({0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(RowCaptions(6), Days({0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(cal->Col(), 6);
  EXPECT_EQ(cal->Row(), 4);
}

TEST_F(CalendarFixture, A31DayMonthFromColumnSixEndsInRowSix) {
  cal->SetStartOfWeek(1);
  SetDate(2026, 8, 31);  // 1 August 2026 is a Saturday: column 5
  EXPECT_EQ(RowCaptions(1), Days({0, 0, 0, 0, 0, 1, 2}));
  EXPECT_EQ(RowCaptions(6), Days({31, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(cal->Col(), 0);
  EXPECT_EQ(cal->Row(), 6);
}

TEST_F(CalendarFixture, SaturdayFirstShiftsTheHeaderRound) {
  cal->SetStartOfWeek(6);
  for (int col = 0; col < 7; ++col) EXPECT_EQ(cal->CellCaption(col, 0), ShortDayNames((6 + col) % 7 + 1));
  EXPECT_EQ(cal->CellCaption(0, 0), ShortDayNames(7));
  EXPECT_EQ(cal->CellCaption(6, 0), ShortDayNames(6));
}

TEST_F(CalendarFixture, StartOfWeekMovesTheCellsButNotTheDateAndFiresNoChange) {
  SetDate(2026, 4, 10);
  cal->SetStartOfWeek(3);  // Wednesday first: 1 April in column 0
  EXPECT_EQ(cal->DayBase(), 1);
  EXPECT_EQ(cal->CellCaption(0, 0), ShortDayNames(4));
  EXPECT_EQ(cal->Col(), 2);  // day 10 follows
  EXPECT_EQ(cal->Row(), 2);
  EXPECT_EQ(cal->Day(), 10);
  EXPECT_EQ(changes, 0);
  EXPECT_THROW(cal->SetStartOfWeek(7), ERangeError);
  EXPECT_THROW(cal->SetStartOfWeek(-1), ERangeError);
  EXPECT_EQ(cal->StartOfWeek(), 3);
}

TEST_F(CalendarFixture, CellsTheGridDoesNotHaveRaiseTheRuntimesErrors) {
  SetDate(2026, 2, 1);                                 // FDayBase 1
  EXPECT_THROW(cal->CellCaption(-1, 0), ERangeError);  // weekday index 0
  EXPECT_THROW(cal->CellCaption(INT_MAX, 1), EIntOverflow);
  EXPECT_THROW(cal->CellCaption(0, INT_MIN), EIntOverflow);
  EXPECT_EQ(cal->CellCaption(100, 1), "");  // no overflow: just no day
  cal->SetStartOfWeek(1);
  EXPECT_THROW(cal->CellCaption(INT_MAX, 0), EIntOverflow);
}

TEST_F(CalendarFixture, TheClientIsSharedBySevenColumnsAndRowsAfterSixLines) {
  cal->SetBorderStyle(0);
  cal->SetBounds(0, 0, 250, 200);
  EXPECT_EQ(cal->DefaultColWidth(), 34);
  EXPECT_EQ(cal->DefaultRowHeight(), 27);
  cal->SetGridLineWidth(3);
  cal->SetBounds(0, 0, 251, 200);
  EXPECT_EQ(cal->DefaultColWidth(), 33);
  EXPECT_EQ(cal->DefaultRowHeight(), 26);
  cal->SetBounds(0, 0, 10, 10);  // too small for the lines: no cells to speak of
  EXPECT_LE(cal->DefaultColWidth(), 0);
  EXPECT_TRUE(cal->CellRect(3, 3).IsEmpty());
}

TEST(CalendarText, ATextWiderThanItsCellStartsHalfTheExcessBeforeIt) {
  EXPECT_EQ(CenteredTextOrigin(Rect(10, 20, 30, 40), 27, 20).X, 10 - 3);
  EXPECT_EQ(CenteredTextOrigin(Rect(10, 20, 30, 40), 10, 13).X, 15);
  EXPECT_EQ(CenteredTextOrigin(Rect(10, 20, 30, 40), 10, 13).Y, 23);
}
