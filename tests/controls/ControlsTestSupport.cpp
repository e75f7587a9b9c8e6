#include "ControlsTestSupport.h"

#include <cstdlib>

#include "FormText.h"
#include "components/Registry.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

const TClassInfo& TTestPanel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestPanel>("TTestPanel", &TCustomControl::StaticClassInfo())
          .Publish("Align")
          .Publish("AlignWithMargins")
          .Publish("Anchors")
          .Publish("Caption")
          .Publish("Color")
          .Publish("Constraints")
          .Publish("Margins")
          .Publish("Font")
          .Publish("ParentColor")
          .Publish("ParentFont")
          .Publish("TabOrder")
          .Publish("TabStop")
          .Publish("Visible")
          .Publish("OnClick")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Build();
  return info;
}

TTestPanel::TTestPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 50, 50);
}

void TTestPanel::Note(const std::string& what) {
  if (log) log->push_back(Name() + ":" + what);
}
void TTestPanel::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}
void TTestPanel::WMSize(TWMSize& msg) {
  sizes.push_back(msg);
  TCustomControl::WMSize(msg);
}
void TTestPanel::WMGetDlgCode(TWMGetDlgCode& msg) {
  ++dlgCodeQueries;
  TCustomControl::WMGetDlgCode(msg);
  msg.Result |= dlgCode;
}
void TTestPanel::CMEnter(TCMEnter& msg) {
  Note("CM_ENTER");
  TCustomControl::CMEnter(msg);
}
void TTestPanel::CMExit(TCMExit& msg) {
  Note("CM_EXIT");
  TCustomControl::CMExit(msg);
}
void TTestPanel::WMSetFocus(TWMSetFocus& msg) {
  Note("WM_SETFOCUS");
  TCustomControl::WMSetFocus(msg);
}
void TTestPanel::WMKillFocus(TWMKillFocus& msg) {
  Note("WM_KILLFOCUS");
  TCustomControl::WMKillFocus(msg);
}
void TTestPanel::KeyDown(Word& key, TShiftState shift) {
  keysDown.push_back(key);
  TCustomControl::KeyDown(key, shift);
}
void TTestPanel::KeyUp(Word& key, TShiftState shift) {
  keysUp.push_back(key);
  TCustomControl::KeyUp(key, shift);
}
void TTestPanel::KeyPress(char& key) {
  chars += key;
  TCustomControl::KeyPress(key);
}
void TTestPanel::MouseMove(TShiftState shift, int x, int y) {
  captureAtMove.push_back(MouseCapture());
  TCustomControl::MouseMove(shift, x, y);
}
void TTestPanel::Click() {
  ++clicks;
  TCustomControl::Click();
}

const TClassInfo& TTestShape::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestShape>("TTestShape", &TGraphicControl::StaticClassInfo())
          .Publish("Align")
          .Publish("Anchors")
          .Publish("Caption")
          .Publish("Color")
          .Publish("Font")
          .Publish("ParentColor")
          .Publish("ParentFont")
          .Publish("Visible")
          .Publish("OnClick")
          .Build();
  return info;
}

TTestShape::TTestShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 20, 20); }
void TTestShape::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(Rect(0, 0, Width() + 50, Height() + 50));  // clipped to the bounds
}
void TTestShape::Click() {
  ++clicks;
  TGraphicControl::Click();
}
void TTestShape::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  downs.push_back({x, y});
  TGraphicControl::MouseDown(button, shift, x, y);
}

const TClassInfo& TClampPanel::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TClampPanel>("TClampPanel", &TTestPanel::StaticClassInfo()).Build();
  return info;
}
void TClampPanel::SetBounds(int left, int top, int width, int height) {
  TTestPanel::SetBounds(left, top, std::max(width, 15), height);
}

void RegisterTestControls() {
  RegisterClasses(
      {&TTestPanel::StaticClassInfo(), &TTestShape::StaticClassInfo(), &TClampPanel::StaticClassInfo(),
       &TForm::StaticClassInfo()});
}

TForm* FormFromText(const std::string& text) {
  RegisterTestControls();
  return FormFromResourceText(text).release();
}
