// Writing Year, Month and Day: what is ignored, what raises and leaves
// everything as it was, and what changes the date, the layout and
// UseCurrentDate; month lengths and leap years.
#include "CalendarTestSupport.h"

namespace {

// Everything a failed or ignored write must leave alone.
struct Snapshot {
  TDateTime date;
  int dayBase, col, row;
  bool useCurrentDate;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};
Snapshot Take(const TCalendar* c) { return {c->CalendarDate(), c->DayBase(), c->Col(), c->Row(), c->UseCurrentDate()}; }

}  // namespace

TEST_F(CalendarFixture, IgnoredWritesChangeNothingAndFireNoChange) {
  const Snapshot before = Take(cal);
  cal->SetYear(0);
  cal->SetYear(-3);
  cal->SetMonth(13);
  cal->SetDay(cal->CurrentMonthLength() + 1);
  cal->SetDay(cal->Day());  // the value it already has
  cal->SetDatePart(4, 1);
  EXPECT_EQ(Take(cal), before);
  EXPECT_TRUE(cal->UseCurrentDate());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(cal->GetDatePart(0), -1);
}

TEST_F(CalendarFixture, Day31InA30DayMonthIsIgnored) {
  SetDate(2026, 4, 10);
  cal->SetDay(31);
  EXPECT_EQ(cal->Day(), 10);
  EXPECT_EQ(changes, 0);
}

TEST_F(CalendarFixture, AMonthWithoutTheDayRaisesAndLeavesEverythingAsItWas) {
  SetDate(2026, 3, 31);
  const Snapshot before = Take(cal);
  EXPECT_THROW(cal->SetMonth(4), EConvertError);
  EXPECT_EQ(Take(cal), before);
  EXPECT_EQ(changes, 0);
}

TEST_F(CalendarFixture, The29thOfFebruaryToACommonYearRaises) {
  SetDate(2024, 2, 29);
  EXPECT_THROW(cal->SetYear(2023), EConvertError);
  EXPECT_EQ(cal->Year(), 2024);
  cal->SetYear(2028);
  EXPECT_EQ(cal->Day(), 29);
  EXPECT_EQ(changes, 1);
}

TEST_F(CalendarFixture, YearsBeyondTheDateLibraryRaiseAndAbove65535AreOutOfRange) {
  const Snapshot before = Take(cal);
  EXPECT_THROW(cal->SetYear(65536), ERangeError);
  EXPECT_THROW(cal->SetYear(70000), ERangeError);
  EXPECT_THROW(cal->SetYear(10000), EConvertError);
  EXPECT_EQ(Take(cal), before);
  EXPECT_EQ(changes, 0);
}

TEST_F(CalendarFixture, AnEffectiveWriteMovesTheCellFiresOnceAndLeavesCurrentDate) {
  const int target = cal->Day() == 15 ? 14 : 15;
  const TDateTime today = cal->CalendarDate();
  int seenDay = 0;
  cal->OnChange.code = [&](TPersistent* sender) {
    ++changes;
    EXPECT_EQ(sender, cal);
    seenDay = std::stoi(cal->CellCaption(cal->Col(), cal->Row()));  // the new layout
  };
  cal->SetDay(target);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(seenDay, target);
  EXPECT_FALSE(cal->UseCurrentDate());
  cal->SetUseCurrentDate(true);
  EXPECT_EQ(cal->CalendarDate(), today);
  EXPECT_EQ(cal->CellCaption(cal->Col(), cal->Row()), std::to_string(cal->Day()));
  EXPECT_EQ(changes, 1);
  cal->SetUseCurrentDate(false);  // keeps the date
  EXPECT_EQ(cal->CalendarDate(), today);
}

TEST_F(CalendarFixture, MonthLengthsFollowTheLeapYears) {
  EXPECT_EQ(cal->MonthLength(2000, 2), 29);
  EXPECT_EQ(cal->MonthLength(2024, 2), 29);
  EXPECT_EQ(cal->MonthLength(1900, 2), 28);
  EXPECT_EQ(cal->MonthLength(2023, 2), 28);
  EXPECT_EQ(cal->MonthLength(-4, 2), 29);
  EXPECT_EQ(cal->MonthLength(-100, 2), 28);
  EXPECT_EQ(cal->MonthLength(2023, 4), 30);
  EXPECT_EQ(cal->MonthLength(2023, 12), 31);
  EXPECT_THROW(cal->MonthLength(2023, 0), ERangeError);
  EXPECT_THROW(cal->MonthLength(2023, 13), ERangeError);
  EXPECT_TRUE(cal->LeapYear(-400));
  EXPECT_FALSE(cal->LeapYear(-1));
}

// A descendant that moves the leap day changes the current month's length.
class TNoLeapCalendar : public TCalendar {
 public:
  using TCalendar::TCalendar;
  bool LeapYear(int) const override { return false; }
};

TEST_F(CalendarFixture, CurrentMonthLengthGoesThroughTheOverridableCalls) {
  auto* noLeap = new TNoLeapCalendar(form.get());
  noLeap->SetDay(1);
  noLeap->SetYear(2024);
  noLeap->SetMonth(2);
  EXPECT_EQ(noLeap->CurrentMonthLength(), 28);
  EXPECT_EQ(noLeap->CellCaption(4, 5), "");  // 29 February is not shown
  noLeap->SetDay(29);
  EXPECT_EQ(noLeap->Day(), 1);
}
