// The date library and the checked arithmetic the calendar relies on.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "core/CheckedMath.h"
#include "core/DateTime.h"

namespace {

struct Ymd {
  int y, m, d;
};
Ymd Decoded(TDateTime date) {
  uint16_t y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  return {y, m, d};
}

}  // namespace

TEST(DateEncoding, DayZeroIsTheLastDayButOneOf1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
}

TEST(DateEncoding, EncodeAndDecodeRoundTripAcrossTheAcceptedYears) {
  for (int y : {1, 4, 100, 1600, 1899, 1900, 2000, 2024, 2026, 9999})
    for (int m = 1; m <= 12; ++m)
      for (int d : {1, 28, DaysInAMonth(y, m)}) {
        const Ymd back = Decoded(EncodeDate(y, m, d));
        EXPECT_EQ(back.y, y);
        EXPECT_EQ(back.m, m);
        EXPECT_EQ(back.d, d);
      }
}

TEST(DateEncoding, DaysThatDoNotExistRaiseTheInvalidDateError) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
  EXPECT_THROW(EncodeDate(2026, 4, 31), EConvertError);
  EXPECT_THROW(EncodeDate(2026, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2026, 1, 0), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
  TDateTime untouched = 7;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, untouched));
  EXPECT_EQ(untouched, 7);
}

TEST(DateEncoding, TheTimePartIsIgnoredByDecodeAndDayOfWeek) {
  const TDateTime noon = EncodeDate(2026, 4, 1) + 0.5;
  EXPECT_EQ(Decoded(noon).d, 1);
  EXPECT_EQ(DayOfWeek(noon), 4);  // a Wednesday
  // Before the epoch the date part is the floor, not the truncation.
  const TDateTime before = EncodeDate(1899, 12, 29) + 0.25;
  EXPECT_EQ(Decoded(before).d, 29);
}

TEST(DayOfWeekNumbers, RunFromSundayOneToSaturdaySeven) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 3, 1)), 1);    // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 4, 1)), 4);    // Wednesday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday
}

TEST(LeapYears, FollowTheGregorianRuleAlsoForNegativeYears) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_TRUE(IsLeapYear(-4));
  EXPECT_FALSE(IsLeapYear(-100));
  EXPECT_TRUE(IsLeapYear(-400));
}

TEST(TodaysDate, HasNoTimePart) {
  const TDateTime today = Date();
  EXPECT_EQ(today, static_cast<double>(static_cast<int64_t>(today)));
  EXPECT_GE(Decoded(today).y, 2000);
}

TEST(ShortDayNames, TheCAndPosixLocalesNameSundayToSaturday) {
  const std::array<std::string, 7> expected{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  EXPECT_EQ(ShortDayNamesOf("C"), expected);
  EXPECT_EQ(ShortDayNamesOf("POSIX"), expected);
  EXPECT_EQ(ShortDayNamesOf("no_SUCH.locale"), expected);
}

TEST(ShortDayNames, TheTableRunsFromOneToSevenAndChecksItsIndex) {
  EXPECT_EQ(ShortDayNames(1), ShortDayNamesOf("")[0]);
  EXPECT_EQ(ShortDayNames(7), ShortDayNamesOf("")[6]);
  EXPECT_THROW(ShortDayNames(0), ERangeError);
  EXPECT_THROW(ShortDayNames(8), ERangeError);
}

TEST(CheckedArithmetic, RaisesInsteadOfWrapping) {
  EXPECT_EQ(CheckedAdd(2, 3), 5);
  EXPECT_THROW(CheckedAdd(INT_MAX, 1), EIntOverflow);
  EXPECT_THROW(CheckedSub(INT_MIN, 1), EIntOverflow);
  EXPECT_THROW(CheckedMul(INT_MAX / 2 + 1, 2), EIntOverflow);
  EXPECT_THROW(CheckedDiv(INT_MIN, -1), EIntOverflow);
  EXPECT_EQ(CheckedDiv(-7, 2), -3);
}

TEST(CheckedArithmetic, RangeChecksRefuseValuesOutsideTheTarget) {
  EXPECT_EQ(RangeChecked<uint16_t>(65535), 65535);
  EXPECT_THROW(RangeChecked<uint16_t>(65536), ERangeError);
  EXPECT_THROW(RangeChecked<uint16_t>(-1), ERangeError);
  EXPECT_THROW(RangeChecked(13, 1, 12), ERangeError);
  const int table[3] = {1, 2, 3};
  EXPECT_EQ(CheckedAt(table, 2), 3);
  EXPECT_THROW(CheckedAt(table, 3), ERangeError);
  EXPECT_THROW(CheckedAt(table, -1), ERangeError);
}
