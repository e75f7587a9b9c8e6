// Test controls and helpers shared by the control framework's tests.
#pragma once

#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/Forms.h"
#include "core/Exceptions.h"

// A windowed control that fills itself with its colour and records the
// messages the tests look at.
class TTestPanel : public TCustomControl {
  TESSALY_CLASS(TTestPanel)

 public:
  explicit TTestPanel(TComponent* owner);

  std::vector<std::string>* log = nullptr;  // shared message log
  unsigned dlgCode = 0;                     // answer to WM_GETDLGCODE
  int dlgCodeQueries = 0;
  std::vector<Word> keysDown, keysUp;
  std::string chars;
  std::vector<TWMSize> sizes;
  int clicks = 0;
  std::vector<bool> captureAtMove;

  using TCustomControl::Perform;

 protected:
  void Paint() override;
  void WMSize(TWMSize& msg) override;
  void WMGetDlgCode(TWMGetDlgCode& msg) override;
  void CMEnter(TCMEnter& msg) override;
  void CMExit(TCMExit& msg) override;
  void WMSetFocus(TWMSetFocus& msg) override;
  void WMKillFocus(TWMKillFocus& msg) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void Click() override;
  void Note(const std::string& what);
};

// A graphic control that paints its colour; counts clicks.
class TTestShape : public TGraphicControl {
  TESSALY_CLASS(TTestShape)

 public:
  explicit TTestShape(TComponent* owner);
  int clicks = 0;
  std::vector<std::pair<int, int>> downs;

 protected:
  void Paint() override;
  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
};

// A panel that is never narrower than 15 pixels.
class TClampPanel : public TTestPanel {
  TESSALY_CLASS(TClampPanel)

 public:
  explicit TClampPanel(TComponent* owner) : TTestPanel(owner) {}
  void SetBounds(int left, int top, int width, int height) override;
};

void RegisterTestControls();

// Reads form text into a new form owned by nothing.
TForm* FormFromText(const std::string& text);
