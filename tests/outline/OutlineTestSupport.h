// Shared set-up of the outline tests: a Qt application on the off-screen
// platform, a shown form, an outline whose painting can be captured, and
// mouse and key helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QImage>

#include "controls/Forms.h"
#include "controls/Outline.h"

// Exposes painting and counts the virtual expand, collapse and click calls.
class TProbeOutline : public TCustomOutline {
 public:
  explicit TProbeOutline(TComponent* owner) : TCustomOutline(owner) {}

  std::vector<int> expands, collapses;
  int clicks = 0;
  void Expand(int index) override {
    expands.push_back(index);
    TCustomOutline::Expand(index);
  }
  void Collapse(int index) override {
    collapses.push_back(index);
    TCustomOutline::Collapse(index);
  }
  void Click() override {
    ++clicks;
    TCustomOutline::Click();
  }
  // Paint on an image of the control's size first filled with a colour the
  // outline never uses, so untouched pixels show.
  QImage Render();
};

// Left press (and release) at a point of a control's client area.
void ClickAt(TControl* control, int x, int y);
void DoubleClickAt(TControl* control, int x, int y);
void KeyDownTo(TWinControl* control, Word key);
void CharTo(TWinControl* control, char ch);

// The RGB value a colour (system colours included) paints as.
TColor Rgb(TColor color);
TColor PixelAt(const QImage& image, int x, int y);

// Builds the items of an outline from lines with tab indentation.
void FillOutline(TCustomOutline& outline, const std::string& text);

class OutlineFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { form.reset(); }

  std::unique_ptr<TForm> form;
  TProbeOutline* outline = nullptr;  // owned by the form
};
