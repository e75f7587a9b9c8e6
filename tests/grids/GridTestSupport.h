// Shared set-up of the grid tests: a Qt application on the off-screen
// platform, a shown form, a string grid whose protected input handlers are
// reachable, and mouse and key helpers.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "controls/Forms.h"
#include "controls/Grids.h"
#include "stock/StringGrids.h"

// Sends mouse messages to a control in its own coordinates.
void Press(TControl* control, int x, int y, bool shift = false);
void Release(TControl* control, int x, int y);
void MoveMouse(TControl* control, int x, int y);

// A string grid whose keyboard handler tests call with any shift state.
class TTestGrid : public TStringGrid {
 public:
  explicit TTestGrid(TComponent* owner) : TStringGrid(owner) {}
  void Key(Word key, TShiftState shift = 0) { KeyDown(key, shift); }
  void Wheel(int notches) { MouseWheel(notches); }
  LRESULT DlgCode() { return Perform(WM_GETDLGCODE); }
  int clicks = 0;
  void Click() override {
    ++clicks;
    TStringGrid::Click();
  }
};

class GridFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A grid on the form, without a border: client = bounds.
  TTestGrid* MakeGrid(int cols, int rows, int width, int height);

  std::unique_ptr<TForm> form;
};
