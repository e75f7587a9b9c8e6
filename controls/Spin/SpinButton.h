// TSpinButton: two stacked speed buttons, up and down, that repeat their
// click while held and can hand the focus to another control.
//
// The two halves are TTimerSpeedButtons the spin button creates, owns and
// parents itself; form files never contain them. Clicks reach the spin
// button's OnUpClick and OnDownClick with the spin button as sender.
//
// Focus: while the spin button has the keyboard focus its key button (the
// upper one at first) carries a dotted focus mark; space clicks the key
// button and the arrow keys click (and, for a focusable tab stop, select)
// the upper or lower button. A left press hands the focus to FocusControl
// when that can take it, so that an edit with an embedded spin button keeps
// the focus while its buttons are used.
#pragma once

#include <cstdint>

#include "controls/Controls.h"
#include "stock/Buttons.h"
#include "stock/Timers.h"

enum TRepeatFlag : uint8_t { rfFocusMark, rfAutoRepeat };
// A set of TRepeatFlag, bit n for ordinal n.
using TRepeatFlags = uint8_t;
constexpr TRepeatFlags RepeatFlag(TRepeatFlag f) { return TRepeatFlags(1u << f); }

// Auto-repeat timing: from the press to the first repeated click, then
// between repeated clicks.
inline constexpr int FirstRepeatDelay = 400;
inline constexpr int RepeatInterval = 100;

// A speed button that repeats its click while held down and can draw a
// focus mark for its spin button.
class TTimerSpeedButton : public TSpeedButton {
  TESSALY_CLASS(TTimerSpeedButton)

 public:
  explicit TTimerSpeedButton(TComponent* owner);
  ~TTimerSpeedButton() override;

  // Storing the flags does nothing else (no repaint).
  TRepeatFlags RepeatFlags() const { return repeatFlags_; }
  void SetRepeatFlags(TRepeatFlags flags) { repeatFlags_ = flags; }
  bool HasRepeatFlag(TRepeatFlag f) const { return (repeatFlags_ & RepeatFlag(f)) != 0; }

  // The auto-repeat timer: nullptr until the first press that needs it.
  TTimer* AutoRepeatTimer() const { return autoRepeatTimer_; }

  // One timer tick: from now on every RepeatInterval; clicks while the
  // button is pressed and holds the mouse capture. A click that raises
  // stops the timer and lets the exception through.
  void RepeatTick(TPersistent* sender);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  TTimer* autoRepeatTimer_ = nullptr;  // owned by this button
  TRepeatFlags repeatFlags_ = 0;
};

class TSpinButton : public TWinControl {
  TESSALY_CLASS(TSpinButton)

 public:
  explicit TSpinButton(TComponent* owner);

  // The glyph bitmaps of the two buttons themselves (form data fills them
  // in place). Writing copies a bitmap; writing nullptr restores the default
  // arrow ("SpinUp" / "SpinDown") and sets that button's NumGlyphs to 1.
  TBitmap* UpGlyph() const;
  void SetUpGlyph(TBitmap* value);
  TBitmap* DownGlyph() const;
  void SetDownGlyph(TBitmap* value);
  TNumGlyphs UpNumGlyphs() const;
  void SetUpNumGlyphs(TNumGlyphs value);
  TNumGlyphs DownNumGlyphs() const;
  void SetDownNumGlyphs(TNumGlyphs value);

  // Plain reference: not registered for removal notices. It is cleared when
  // a removal reaches this control through the common owner.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value) { focusControl_ = value; }

  TTimerSpeedButton* UpperButton() const { return upperButton_; }
  TTimerSpeedButton* LowerButton() const { return lowerButton_; }
  TTimerSpeedButton* KeyButton() const { return keyButton_; }

  // Width below 15 is widened; the buttons are placed before the bounds
  // change.
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  TMethod OnUpClick, OnDownClick;

 protected:
  void KeyDown(Word& key, TShiftState shift) override;
  void WMSize(TWMSize& msg) override;
  void WMSetFocus(TWMSetFocus& msg) override;
  void WMKillFocus(TWMKillFocus& msg) override;
  void WMGetDlgCode(TWMGetDlgCode& msg) override;

 private:
  TTimerSpeedButton* MakeButton();
  // Places the buttons for a proposed size; widens width to 15. Does
  // nothing before the buttons exist or while loading.
  void LayOutButtons(int& width, int& height);
  // Re-runs the layout on the current size and applies a widened width.
  void FitToLayout();
  void SetKeyButton(TTimerSpeedButton* button);
  void ChildMouseDown(TPersistent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ChildClick(TPersistent* sender);
  void SetDefaultGlyph(TTimerSpeedButton* button, const char* resourceName);
  bool HasSystemFocus() const;

  TTimerSpeedButton* upperButton_ = nullptr;
  TTimerSpeedButton* lowerButton_ = nullptr;
  TTimerSpeedButton* keyButton_ = nullptr;
  TWinControl* focusControl_ = nullptr;
};
