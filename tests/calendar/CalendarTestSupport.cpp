#include "CalendarTestSupport.h"

namespace {

LPARAM At(int x, int y) { return MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))); }

}  // namespace

std::vector<std::string> Days(std::initializer_list<int> days) {
  std::vector<std::string> out;
  for (int d : days) out.push_back(d ? std::to_string(d) : std::string());
  return out;
}

void CalendarFixture::SetUp() {
  form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 500, 400);
  form->Show();
  cal = new TCalendar(form.get());
  cal->SetParent(form.get());
  cal->SetBounds(0, 0, 300, 200);
  cal->OnChange.code = [this](TPersistent*) { ++changes; };
  cal->OnClick.code = [this](TPersistent*) { ++clicks; };
}

void CalendarFixture::TearDown() { form.reset(); }

void CalendarFixture::SetDate(int year, int month, int day) {
  cal->SetDay(1);
  cal->SetYear(year);
  cal->SetMonth(month);
  cal->SetDay(day);
  changes = 0;
}

std::vector<std::string> CalendarFixture::RowCaptions(int row) const {
  std::vector<std::string> out;
  for (int col = 0; col < 7; ++col) out.push_back(cal->CellCaption(col, row));
  return out;
}

void CalendarFixture::ClickCell(int col, int row) {
  const TRect r = cal->CellRect(col, row);
  const int x = 2 + (r.Left + r.Right) / 2, y = 2 + (r.Top + r.Bottom) / 2;
  cal->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  cal->Perform(WM_LBUTTONUP, 0, At(x, y));
}

void CalendarFixture::Key(Word key) { cal->Perform(WM_KEYDOWN, key, 0); }
