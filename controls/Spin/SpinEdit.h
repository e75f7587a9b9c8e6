// TSpinEdit: an edit box for a whole number with an embedded spin button.
//
// The text is the value: Value converts the text (a text that does not
// convert reads as MinValue) and writing Value formats the clamped number
// into the text. MinValue and MaxValue bound the value unless they are
// equal. The buttons and the up and down arrow keys step by Increment;
// typing is limited to characters that can make up a number.
#pragma once

#include <cstdint>

#include "Spin/SpinButton.h"
#include "controls/Edits.h"

class TSpinEdit : public TCustomEdit {
  TESSALY_CLASS(TSpinEdit)

 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  // Plain fields: storing changes nothing else (the text is not re-clamped).
  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t value) { minValue_ = value; }
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t value) { maxValue_ = value; }
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t value) { increment_ = value; }
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool value) { editorEnabled_ = value; }

  // The text as a number, unclamped; MinValue when it does not convert.
  int32_t Value() const;
  // Writes the decimal form of the clamped value into the text.
  void SetValue(int32_t value);

  // Whether typing key is allowed.
  virtual bool AcceptsChar(char key) const;
  // One step up or down (a read-only edit only beeps). The sum stops at the
  // ends of the 32-bit range before the bounds apply.
  virtual void StepUp(TPersistent* sender);
  virtual void StepDown(TPersistent* sender);

  // The embedded spin button (nullptr once destruction began).
  TSpinButton* Button() const { return spinner_; }
  // The lowest the edit may be, from its font and the screen font.
  int MinimumHeight() const;

  // The form writer never sees the embedded spin button.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void WMSize(TWMSize& msg) override;
  // Lays the button out for the size read: a form may store exactly the
  // size the edit was made with, which sends no WM_SIZE.
  void Loaded() override;
  void CMEnter(TCMEnter& msg) override;
  void CMExit(TCMExit& msg) override;
  void WMPaste(TWMNoParams& msg) override;
  void WMCut(TWMNoParams& msg) override;

 private:
  int32_t ClampValue(int32_t value) const;
  void UpdateTextArea();
  // Keeps the minimum height, then places the button and the text area.
  void FitToSize();

  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  int32_t increment_ = 1;
  TSpinButton* spinner_ = nullptr;
  bool editorEnabled_ = true;
};
