#include "GridTestSupport.h"

namespace {

LPARAM At(int x, int y) { return MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))); }

}  // namespace

void Press(TControl* control, int x, int y, bool shift) {
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON | (shift ? uint32_t(MK_SHIFT) : 0u), At(x, y));
}
void Release(TControl* control, int x, int y) { control->Perform(WM_LBUTTONUP, 0, At(x, y)); }
void MoveMouse(TControl* control, int x, int y) { control->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }

void GridFixture::SetUp() {
  form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 600, 400);
  form->Show();
}

void GridFixture::TearDown() { form.reset(); }

TTestGrid* GridFixture::MakeGrid(int cols, int rows, int width, int height) {
  auto* grid = new TTestGrid(form.get());
  grid->SetParent(form.get());
  grid->SetBorderStyle(0);
  grid->SetColCount(cols);
  grid->SetRowCount(rows);
  grid->SetBounds(0, 0, width, height);
  return grid;
}
