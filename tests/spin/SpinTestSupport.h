// Shared set-up of the spin control tests: a Qt application on the
// off-screen platform, a shown form to put controls on, a manual timer
// clock, a counted beep, and mouse and key helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Spin/Spin.h"
#include "controls/Forms.h"

// Sends a mouse message to a control in its own client coordinates.
void Press(TControl* control, TMouseButton button, int x = 2, int y = 2);
void Release(TControl* control, TMouseButton button, int x = 2, int y = 2);
void MoveMouse(TControl* control, int x, int y, bool leftHeld = true);
// Sends a key down to a windowed control as the keyboard pipeline does.
void KeyDownTo(TWinControl* control, Word key);
// Sends a typed character to a windowed control (WM_CHAR).
void CharTo(TWinControl* control, char ch);

// Reads form text into a new form (spin classes registered).
std::unique_ptr<TForm> FormFromText(const std::string& text);

class SpinFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Moves the fake timer clock on.
  static void Advance(int ms) { TTimer::AdvanceManualClock(ms); }

  std::unique_ptr<TForm> form;
  std::vector<uint32_t> beeps;
};
