// TCalendar: one month as a grid of seven columns and seven rows. The top
// row names the weekdays (from the locale's abbreviations), starting with
// StartOfWeek; the six rows below hold the days, and the current cell is
// the selected day.
//
// The calendar stores only its date. Every cell's text is computed from the
// date, StartOfWeek and FDayBase (the day number of the cell in column 0 of
// row 1, between -5 and 1), which RebuildMonth keeps up to date.
//
// Calling order: creation runs RebuildMonth once; an effective write of
// Year, Month or Day runs RebuildMonth, then NotifyChange (OnChange); a
// change of StartOfWeek, or switching UseCurrentDate on, runs RebuildMonth
// alone.
//
// Arithmetic here is overflow-checked (EIntOverflow) and indexing
// range-checked (ERangeError).
#pragma once

#include <cstdint>
#include <string>

#include "controls/Grids.h"
#include "core/DateTime.h"

// Where a text of the given size starts when centred in a cell: half the
// spare room in, rounded toward zero, so a text larger than the cell starts
// half the excess (rounded toward zero) before it. Overflow raises.
TPoint CenteredTextOrigin(const TRect& cell, int textWidth, int textHeight);

// The weekday of the first column: 0 Sunday, 1 Monday ... 6 Saturday.
using TDayOfWeek = uint8_t;

class TCalendar : public TCustomGrid {
  TESSALY_CLASS(TCalendar)

 public:
  explicit TCalendar(TComponent* owner);

  // Views of the stored date (GetDatePart / SetDatePart with 1, 2, 3).
  int Year() const { return GetDatePart(1); }
  void SetYear(int value) { SetDatePart(1, value); }
  int Month() const { return GetDatePart(2); }
  void SetMonth(int value) { SetDatePart(2, value); }
  int Day() const { return GetDatePart(3); }
  void SetDay(int value) { SetDatePart(3, value); }
  // The year (1), month (2) or day (3) of the date; -1 for another index.
  int GetDatePart(int index) const;
  // Ignores a value of 0 or less, a month above 12, a day beyond the
  // current month and a value the part already has. A year above 65535
  // raises ERangeError; a combination the date library cannot encode
  // raises EConvertError. Either leaves everything as it was.
  void SetDatePart(int index, int value);
  TDateTime CalendarDate() const { return date_; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  TDayOfWeek StartOfWeek() const { return startOfWeek_; }
  // Values outside 0..6 raise ERangeError.
  void SetStartOfWeek(int value);
  bool UseCurrentDate() const { return useCurrentDate_; }
  void SetUseCurrentDate(bool value);
  int DayBase() const { return dayBase_; }

  // A weekday abbreviation in row 0; the day number, or nothing, below.
  std::string CellCaption(int col, int row) const;
  std::string CellText(int col, int row) const override { return CellCaption(col, row); }

  // Days in a month; a month outside 1..12 raises ERangeError.
  virtual int MonthLength(int year, int month) const;
  virtual int CurrentMonthLength() const;
  virtual bool LeapYear(int year) const;
  // Lays the month out again and makes the selected day current.
  virtual void RebuildMonth();
  virtual void NotifyChange();
  void Click() override;

  TMethod OnChange;

 protected:
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  bool SelectCell(int col, int row) override;
  // The seven columns and rows share the client after six grid lines.
  void WMSize(TWMSize& msg) override;
  // Width and Height are read before GridLineWidth: the cells are sized
  // again for the lines the form stores.
  void Loaded() override;

 private:
  void SizeCells(int clientWidth, int clientHeight);

  TDateTime date_ = 0;
  int dayBase_ = 0;
  bool readOnly_ = false;
  TDayOfWeek startOfWeek_ = 0;
  bool rebuilding_ = false;
  bool useCurrentDate_ = false;
};
