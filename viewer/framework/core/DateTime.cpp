#include "DateTime.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <ctime>

#include "CheckedMath.h"
#include "FormStrings.h"

namespace {

constexpr int kMinYear = 1, kMaxYear = 9999;
// Days from 1 January of year 1 to 30 December 1899.
constexpr int64_t kEpochDays = 693593;

// Days from 1 January of year 1 (day 0) to the given date, proleptic
// Gregorian.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 306;  // 0000-03-01 is day -306 of year 1
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 306;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

// Days since 1 January of year 1 of the date part.
int64_t DayNumber(TDateTime date) { return int64_t(std::floor(date)) + kEpochDays; }

std::string ToFormString(const char* text) {
  for (const char* p = text; *p; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return FormStringFromUtf8(text);
  return text;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kLengths[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < kMinYear || year > kMaxYear || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = TDateTime(DaysFromCivil(year, month, day) - kEpochDays);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError(Msg::SDateEncodeError);
  return date;
}

void DecodeDate(TDateTime date, uint16_t& year, uint16_t& month, uint16_t& day) {
  year = month = day = 0;
  if (!std::isfinite(date) || std::fabs(date) > 1e7) return;
  int64_t y = 0;
  int m = 0, d = 0;
  CivilFromDays(DayNumber(date), y, m, d);
  if (y < kMinYear || y > kMaxYear) return;
  year = uint16_t(y);
  month = uint16_t(m);
  day = uint16_t(d);
}

int DayOfWeek(TDateTime date) {
  // Day 0, 1 January of year 1, was a Monday.
  const int64_t n = DayNumber(date) + 1;
  return int(((n % 7) + 7) % 7) + 1;
}

TDateTime Date() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::array<std::string, 7> ShortDayNamesOf(const char* localeName) {
  std::array<std::string, 7> names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  // A locale object of its own: the process locale may have been changed
  // (Qt sets it from the environment for LC_ALL, but others may set "C").
  locale_t loc = newlocale(LC_TIME_MASK, localeName, locale_t(nullptr));
  if (!loc) return names;
  static constexpr nl_item kItems[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  const bool utf8 = std::string(nl_langinfo_l(CODESET, loc)) == "UTF-8";
  for (size_t i = 0; i < names.size(); ++i) {
    const char* name = nl_langinfo_l(kItems[i], loc);
    if (name && *name) names[i] = utf8 ? ToFormString(name) : std::string(name);
  }
  freelocale(loc);
  return names;
}

const std::string& ShortDayNames(int index) {
  static const std::array<std::string, 7> names = ShortDayNamesOf("");
  return CheckedAt(names, RangeChecked(index, 1, 7) - 1);
}
