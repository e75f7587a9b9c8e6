#include "SpinTestSupport.h"

#include "FormText.h"
#include "components/Registry.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

namespace {

LPARAM At(int x, int y) { return MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))); }

}  // namespace

void Press(TControl* control, TMouseButton button, int x, int y) {
  const uint32_t msg = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
  const WPARAM keys = button == mbLeft ? MK_LBUTTON : button == mbRight ? MK_RBUTTON : MK_MBUTTON;
  control->Perform(msg, keys, At(x, y));
}

void Release(TControl* control, TMouseButton button, int x, int y) {
  const uint32_t msg = button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
  control->Perform(msg, 0, At(x, y));
}

void MoveMouse(TControl* control, int x, int y, bool leftHeld) {
  control->Perform(WM_MOUSEMOVE, leftHeld ? static_cast<int>(MK_LBUTTON) : 0, At(x, y));
}

void KeyDownTo(TWinControl* control, Word key) { control->Perform(WM_KEYDOWN, key, 0); }

void CharTo(TWinControl* control, char ch) { control->Perform(WM_CHAR, Word(static_cast<unsigned char>(ch)), 0); }

std::unique_ptr<TForm> FormFromText(const std::string& text) {
  RegisterClasses({&TSpinButton::StaticClassInfo(), &TSpinEdit::StaticClassInfo()});
  return FormFromResourceText(text);
}

void SpinFixture::SetUp() {
  TTimer::SetManualClock(true);
  SetMessageBeepHook([this](uint32_t type) { beeps.push_back(type); });
  form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 400, 300);
  form->Show();
}

void SpinFixture::TearDown() {
  form.reset();
  SetMessageBeepHook(nullptr);
  TTimer::SetManualClock(false);
}
