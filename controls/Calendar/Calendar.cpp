#include "Calendar.h"

#include "core/CheckedMath.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"

namespace {

// Days per month in a common year, January first.
constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Clears a flag when leaving the scope, on success and failure alike.
struct FlagReset {
  bool& flag;
  ~FlagReset() { flag = false; }
};

}  // namespace

const TClassInfo& TCalendar::StaticClassInfo() {
  using C = TCalendar;
  constexpr auto never = [](const C*) { return false; };
  static const TClassInfo info =
      ClassBuilder<C>("TCalendar", &TCustomGrid::StaticClassInfo())
          .Publish("Align")
          .Publish("Anchors")
          .Publish("BorderStyle")
          .Publish("Color", clWindow)
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Integer("Day", &C::Day, &C::SetDay)
          .StoredWhen(never)
          .Publish("DragCursor")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Publish("Font")
          .Publish("GridLineWidth")
          .Integer("Month", &C::Month, &C::SetMonth)
          .StoredWhen(never)
          .Publish("ParentColor", 0)
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
          .Publish("ShowHint")
          .Integer("StartOfWeek", &C::StartOfWeek, &C::SetStartOfWeek)
          .Publish("TabOrder")
          .Publish("TabStop", 1)
          .Bool("UseCurrentDate", &C::UseCurrentDate, &C::SetUseCurrentDate, true)
          .Publish("Visible")
          .Integer("Year", &C::Year, &C::SetYear)
          .StoredWhen(never)
          .Publish("OnClick")
          .Event("OnChange", &C::OnChange)
          .Publish("OnDblClick")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDock")
          .Publish("OnEndDrag")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnKeyDown")
          .Publish("OnKeyPress")
          .Publish("OnKeyUp")
          .Publish("OnStartDock")
          .Publish("OnStartDrag")
          .Build();
  return info;
}

TCalendar::TCalendar(TComponent* owner) : TCustomGrid(owner) {
  useCurrentDate_ = true;
  SetFixedCols(0);
  SetFixedRows(1);
  SetColCount(7);
  SetRowCount(7);
  SetScrollBars(ssNone);
  SetOptions((Options() & ~GridOption(goRangeSelect)) | GridOption(goDrawFocusSelected));
  date_ = Date();
  RebuildMonth();
}

// --- the date

int TCalendar::GetDatePart(int index) const {
  uint16_t year = 0, month = 0, day = 0;
  DecodeDate(date_, year, month, day);
  switch (index) {
    case 1: return year;
    case 2: return month;
    case 3: return day;
    default: return -1;
  }
}

void TCalendar::SetDatePart(int index, int value) {
  if (value <= 0) return;
  uint16_t year = 0, month = 0, day = 0;
  DecodeDate(date_, year, month, day);
  switch (index) {
    case 1:
      if (value == year) return;
      year = RangeChecked<uint16_t>(value);
      break;
    case 2:
      if (value > 12 || value == month) return;
      month = uint16_t(value);
      break;
    case 3:
      if (value > CurrentMonthLength() || value == day) return;
      day = uint16_t(value);
      break;
    default: return;
  }
  date_ = EncodeDate(year, month, day);
  useCurrentDate_ = false;
  RebuildMonth();
  NotifyChange();
}

void TCalendar::SetStartOfWeek(int value) {
  const auto day = TDayOfWeek(RangeChecked(value, 0, 6));
  if (day == startOfWeek_) return;
  startOfWeek_ = day;
  RebuildMonth();
}

void TCalendar::SetUseCurrentDate(bool value) {
  if (value == useCurrentDate_) return;
  useCurrentDate_ = value;
  if (!value) return;
  date_ = Date();
  RebuildMonth();
}

int TCalendar::MonthLength(int year, int month) const {
  const int length = CheckedAt(kMonthLengths, CheckedSub(RangeChecked(month, 1, 12), 1));
  return month == 2 && LeapYear(year) ? CheckedAdd(length, 1) : length;
}

int TCalendar::CurrentMonthLength() const {
  const int month = Month();
  return MonthLength(Year(), month);
}

bool TCalendar::LeapYear(int year) const { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// --- layout

std::string TCalendar::CellCaption(int col, int row) const {
  if (row == 0) return ShortDayNames(CheckedAdd(int(startOfWeek_), col) % 7 + 1);
  const int n = CheckedAdd(CheckedAdd(col, dayBase_), CheckedMul(CheckedSub(row, 1), 7));
  if (n < 1 || n > CurrentMonthLength()) return {};
  return IntToStr(n);
}

void TCalendar::RebuildMonth() {
  rebuilding_ = true;
  FlagReset reset{rebuilding_};
  uint16_t year = 0, month = 0, day = 0;
  DecodeDate(date_, year, month, day);
  const int first = DayOfWeek(EncodeDate(year, month, 1));
  const int t = CheckedAdd(CheckedSub(first, int(startOfWeek_)), 7) % 7;
  dayBase_ = CheckedSub(2, t);
  if (dayBase_ == 2) dayBase_ = -5;
  const int offset = CheckedSub(int(day), dayBase_);
  MoveColRow(offset % 7, CheckedAdd(offset / 7, 1), false, false);
  Invalidate();
}

void TCalendar::NotifyChange() {
  if (OnChange) OnChange.code(this);
}

// --- the grid's hooks

bool TCalendar::SelectCell(int col, int row) {
  if (!rebuilding_ && readOnly_) return false;
  if (CellCaption(col, row).empty()) return false;
  return TCustomGrid::SelectCell(col, row);
}

TPoint CenteredTextOrigin(const TRect& cell, int textWidth, int textHeight) {
  return {CheckedAdd(CheckedSub(CheckedSub(cell.Right, cell.Left), textWidth) / 2, cell.Left),
          CheckedAdd(CheckedSub(CheckedSub(cell.Bottom, cell.Top), textHeight) / 2, cell.Top)};
}

// With the font and brush the grid chose; the blank cells are filled too.
void TCalendar::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  (void)state;
  const std::string text = CellCaption(col, row);
  TCanvas* canvas = Canvas();
  const int height = canvas->TextHeight(text);
  const int width = canvas->TextWidth(text);
  const TPoint origin = CenteredTextOrigin(rect, width, height);
  canvas->TextRect(rect, origin.X, origin.Y, text);
}

void TCalendar::Click() {
  TCustomGrid::Click();
  const std::string text = CellCaption(Col(), Row());
  if (!text.empty()) SetDatePart(3, StrToInt(text));
}

void TCalendar::WMSize(TWMSize& msg) { SizeCells(int(msg.Width), int(msg.Height)); }

void TCalendar::Loaded() {
  TCustomGrid::Loaded();
  SizeCells(ClientWidth(), ClientHeight());
}

void TCalendar::SizeCells(int clientWidth, int clientHeight) {
  const int lines = CheckedMul(GridLineWidth(), 6);
  SetDefaultColWidth(CheckedSub(clientWidth, lines) / 7);
  SetDefaultRowHeight(CheckedSub(clientHeight, lines) / 7);
}
