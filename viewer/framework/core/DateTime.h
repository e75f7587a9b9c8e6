// Dates as the runtime keeps them: a TDateTime counts days (and fractions
// of a day) from 30 December 1899, so 1 January 1900 is 2.0 and dates
// before the epoch are negative. The date part is the value's floor.
//
// The encoders accept the proleptic Gregorian years 1 to 9999; anything
// else, or a day or month that does not exist, raises EConvertError with
// SDateEncodeError.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using TDateTime = double;

namespace Msg {
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
}  // namespace Msg

// Gregorian rule: divisible by 4, and not by 100 unless by 400. Negative
// years get the answer of their absolute value.
bool IsLeapYear(int year);
// Days in a month of a year; 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
// The year, month and day of the date part. A date outside the years the
// encoders accept decodes to 0, 0, 0.
void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day);
// 1 for Sunday up to 7 for Saturday.
int DayOfWeek(TDateTime date);
// Today, local time, without a time part.
TDateTime Date();

// The abbreviated weekday names, index 0 for Sunday up to 6 for Saturday,
// from the LC_TIME category of the named locale ("" reads the environment:
// LC_ALL, LC_TIME, LANG). Names are form strings: non-ASCII names are kept
// as UTF-8 behind the Unicode mark (core/FormStrings.h). An unknown locale
// gives the C locale's Sun..Sat.
std::array<std::string, 7> ShortDayNamesOf(const char* localeName);
// The runtime's table, read once from the environment's LC_TIME, whatever
// the process locale was set to since; ShortDayNames(1) is Sunday's, up to
// ShortDayNames(7), Saturday's. Another index raises ERangeError.
const std::string& ShortDayNames(int index);
