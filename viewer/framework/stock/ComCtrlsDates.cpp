// Date and time pickers and month calendars, over Qt's editors.
#include "ComCtrls.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>

#include "ImgList.h"
#include "StockEnum.h"
#include "core/FormNode.h"

STOCK_ENUM(DateTimeKindEnumInfo, "TDateTimeKind", "dtkDate", "dtkTime", "dtkDateTime")
STOCK_ENUM(DTDateModeEnumInfo, "TDTDateMode", "dmComboBox", "dmUpDown")
STOCK_ENUM(DTDateFormatEnumInfo, "TDTDateFormat", "dfShort", "dfLong")
STOCK_ENUM(DTCalAlignmentEnumInfo, "TDTCalAlignment", "dtaLeft", "dtaRight")
STOCK_ENUM(CalDayOfWeekEnumInfo, "TCalDayOfWeek", "dowMonday", "dowTuesday", "dowWednesday", "dowThursday", "dowFriday",
           "dowSaturday", "dowSunday", "dowLocaleDefault")

// ---------------------------------------------------------------------------
// Date controls

static double QDateToDays(const QDate& d) { return double(QDate(1899, 12, 30).daysTo(d)); }
static QDateTime DaysToQDateTime(double days) {
  const double whole = std::floor(days);
  const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
  const int ms = int(std::lround((days - whole) * 86400000.0)) % 86400000;
  return QDateTime(date, QTime(0, 0).addMSecs(ms));
}

const TClassInfo& TMonthCalColors::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TMonthCalColors>("TMonthCalColors", &TPersistent::StaticClassInfo())
          .ColorField("BackColor", clWindow)
          .ColorField("TextColor", clWindowText)
          .ColorField("TitleBackColor", clActiveCaption)
          .ColorField("TitleTextColor", clWhite)
          .ColorField("MonthBackColor", clWhite)
          .ColorField("TrailingTextColor", clInactiveCaptionText)
          .Build();
  return info;
}

const TClassInfo& TDateTimePicker::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDateTimePicker> b("TDateTimePicker", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.EnumField("CalAlignment", DTCalAlignmentEnumInfo(), "dtaLeft")
        .Object("CalColors", &TMonthCalColors::StaticClassInfo, &TDateTimePicker::CalColors)
        .BoolField("Checked", true)
        .Float("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
        .Float("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
        .Publish("AutoSize")
        .EnumField("DateFormat", DTDateFormatEnumInfo(), "dfShort")
        .EnumField("DateMode", DTDateModeEnumInfo(), "dmComboBox")
        .StringField("Format")
        .Enum("Kind", DateTimeKindEnumInfo(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind, dtkDate)
        .FloatField("MaxDate")
        .FloatField("MinDate")
        .BoolField("ParseInput", false)
        .BoolField("ShowCheckbox", false)
        .Event("OnChange", &TDateTimePicker::OnChange)
        .Event("OnCloseUp", &TDateTimePicker::OnCloseUp)
        .Event("OnDropDown", &TDateTimePicker::OnDropDown)
        .Event("OnUserInput", &TDateTimePicker::OnUserInput);
    return b.Build();
  }();
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner)
    : TWinControl(owner), calColors_(std::make_unique<TMonthCalColors>()) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  SetColor(clWindow);
  date_ = QDateToDays(QDate::currentDate());
}
void TDateTimePicker::SetDate(double v) {
  date_ = std::floor(v);
  Apply();
}
void TDateTimePicker::SetTime(double v) {
  time_ = v - std::floor(v);
  Apply();
}
QWidget* TDateTimePicker::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* e = new QDateTimeEdit(parentWidget);
  edit_ = e;
  return e;
}
void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TDateTimePicker::Apply() {
  if (!edit_) return;
  edit_->setDateTime(DaysToQDateTime(date_ + time_));
  if (kind_ == dtkTime) {
    edit_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    edit_->setCalendarPopup(false);
  } else {
    edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit_->setCalendarPopup(true);
  }
}

const TClassInfo& TMonthCalendar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMonthCalendar> b("TMonthCalendar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.Publish("AutoSize")
        .IntegerField("BorderWidth", 0)
        .Object("CalColors", &TMonthCalColors::StaticClassInfo, &TMonthCalendar::CalColors)
        .Float("Date", &TMonthCalendar::Date, &TMonthCalendar::SetDate)
        .FloatField("EndDate")
        .EnumField("FirstDayOfWeek", CalDayOfWeekEnumInfo(), "dowLocaleDefault")
        .FloatField("MaxDate")
        .FloatField("MinDate")
        .IntegerField("MaxSelectRange", 31)
        .BoolField("MultiSelect", false)
        .BoolField("ShowToday", true)
        .BoolField("ShowTodayCircle", true)
        .BoolField("WeekNumbers", false)
        .Event("OnGetMonthInfo", &TMonthCalendar::OnGetMonthInfo)
        .Event("OnGetMonthBoldInfo", &TMonthCalendar::OnGetMonthBoldInfo);
    return b.Build();
  }();
  return info;
}

TMonthCalendar::TMonthCalendar(TComponent* owner)
    : TWinControl(owner), calColors_(std::make_unique<TMonthCalColors>()) {
  SetBounds(0, 0, 191, 154);
  SetTabStop(true);
  SetColor(clWindow);
  date_ = QDateToDays(QDate::currentDate());
}
void TMonthCalendar::SetDate(double v) {
  date_ = v;
  if (calendar_) calendar_->setSelectedDate(DaysToQDateTime(v).date());
}
QWidget* TMonthCalendar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* c = new QCalendarWidget(parentWidget);
  c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_ = c;
  return c;
}
void TMonthCalendar::CreateWnd() {
  TWinControl::CreateWnd();
  SetDate(date_);
}
