#include "Spin/SpinButton.h"

#include <QtGlobal>

#include "Spin/SpinRules.h"
#include "core/Exceptions.h"

// The default arrow glyphs live in this library's Qt resources; a static
// library must register them explicitly before the first lookup.
static void EnsureSpinGlyphResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(spin_glyphs);
    return true;
  }();
  (void)registered;
}

namespace {

// The framework draws the classic look; visual themes are never enabled,
// so the spin button keeps its csFramed style.
constexpr bool kThemesEnabled = false;

// Stops a timer when leaving the scope, on success and failure alike.
struct TimerStopper {
  TTimer* timer;
  ~TimerStopper() {
    if (timer) timer->SetEnabled(false);
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// TTimerSpeedButton

const TClassInfo& TTimerSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTimerSpeedButton>("TTimerSpeedButton", &TSpeedButton::StaticClassInfo()).Build();
  return info;
}

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

TTimerSpeedButton::~TTimerSpeedButton() {
  delete autoRepeatTimer_;
  autoRepeatTimer_ = nullptr;
}

void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSpeedButton::MouseDown(button, shift, x, y);
  // Any mouse button arms the timer; only a left press makes ticks click.
  if (!HasRepeatFlag(rfAutoRepeat)) return;
  if (!autoRepeatTimer_) autoRepeatTimer_ = new TTimer(this);
  TMethod tick;
  tick.code = [this](TPersistent* sender) { RepeatTick(sender); };
  autoRepeatTimer_->SetOnTimer(std::move(tick));
  autoRepeatTimer_->SetInterval(FirstRepeatDelay);
  autoRepeatTimer_->SetEnabled(true);
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The release may click, and the click may raise: the timer stops anyway.
  TimerStopper stopper{autoRepeatTimer_};
  TSpeedButton::MouseUp(button, shift, x, y);
}

void TTimerSpeedButton::RepeatTick(TPersistent* sender) {
  (void)sender;
  autoRepeatTimer_->SetInterval(RepeatInterval);
  if (State() != bsDown || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    autoRepeatTimer_->SetEnabled(false);
    throw;
  }
}

void TTimerSpeedButton::Paint() {
  TSpeedButton::Paint();
  if (!HasRepeatFlag(rfFocusMark)) return;
  const bool pressed = State() == bsDown || State() == bsExclusive;
  Canvas()->DrawFocusRect(spin::FocusMarkRect(Width(), Height(), pressed));
}

// ---------------------------------------------------------------------------
// TSpinButton

const TClassInfo& TSpinButton::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSpinButton>("TSpinButton", &TWinControl::StaticClassInfo())
          .Publish("Align")
          .Publish("Anchors")
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Object("DownGlyph", &TBitmap::StaticClassInfo, &TSpinButton::DownGlyph, &TSpinButton::SetDownGlyph)
          .Integer("DownNumGlyphs", &TSpinButton::DownNumGlyphs, &TSpinButton::SetDownNumGlyphs, 1)
          .Publish("DragCursor")
          .Publish("DragKind")
          .Publish("DragMode")
          .Publish("Enabled")
          .Reference(
              "FocusControl", &TWinControl::StaticClassInfo, &TSpinButton::FocusControl, &TSpinButton::SetFocusControl)
          .Publish("ParentCtl3D")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .Publish("ShowHint")
          .Publish("TabOrder")
          .Publish("TabStop")
          .Object("UpGlyph", &TBitmap::StaticClassInfo, &TSpinButton::UpGlyph, &TSpinButton::SetUpGlyph)
          .Integer("UpNumGlyphs", &TSpinButton::UpNumGlyphs, &TSpinButton::SetUpNumGlyphs, 1)
          .Publish("Visible")
          .Event("OnDownClick", &TSpinButton::OnDownClick)
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDock")
          .Publish("OnEndDrag")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnStartDock")
          .Publish("OnStartDrag")
          .Event("OnUpClick", &TSpinButton::OnUpClick)
          // Newer forms also give every control its margins and style
          // elements; accepted after the control's own properties.
          .Publish("AlignWithMargins")
          .Publish("Margins")
          .Publish("StyleElements")
          .Build();
  return info;
}

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner) {
  TControlStyle style = ControlStyle();
  style &= ~TControlStyle(csAcceptsControls | csSetCaption);
  style |= csFramed | csOpaque;
  if (kThemesEnabled) style &= ~TControlStyle(csFramed);
  SetControlStyle(style);

  upperButton_ = MakeButton();
  lowerButton_ = MakeButton();
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  SetWidth(20);
  SetHeight(25);
  keyButton_ = upperButton_;
}

TTimerSpeedButton* TSpinButton::MakeButton() {
  auto* button = new TTimerSpeedButton(this);
  button->OnClick.code = [this](TPersistent* sender) { ChildClick(sender); };
  button->OnMouseDownProc = [this](TPersistent* sender, TMouseButton mb, TShiftState shift, int x, int y) {
    ChildMouseDown(sender, mb, shift, x, y);
  };
  button->SetVisible(true);
  button->SetEnabled(true);
  button->SetRepeatFlags(RepeatFlag(rfAutoRepeat));
  button->SetParent(this);
  return button;
}

// --- layout

void TSpinButton::LayOutButtons(int& width, int& height) {
  if (!upperButton_ || HasState(csLoading)) return;
  const spin::TButtonPair pair = spin::LayOutButtonPair(width, height);
  width = pair.Width;
  upperButton_->SetBoundsRect(pair.Upper);
  // The lower half starts from the height the upper one actually took.
  const int upper = upperButton_->Height();
  lowerButton_->SetBounds(0, upper - 1, width, height - upper + 1);
}

void TSpinButton::SetBounds(int left, int top, int width, int height) {
  LayOutButtons(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TSpinButton::FitToLayout() {
  int width = Width(), height = Height();
  LayOutButtons(width, height);
  if (width != Width() || height != Height()) TWinControl::SetBounds(Left(), Top(), width, height);
}

void TSpinButton::WMSize(TWMSize& msg) {
  TWinControl::WMSize(msg);
  FitToLayout();
  msg.Result = 0;
}

void TSpinButton::Loaded() {
  TWinControl::Loaded();
  FitToLayout();
}

// --- glyphs

TBitmap* TSpinButton::UpGlyph() const { return upperButton_->Glyph(); }
TBitmap* TSpinButton::DownGlyph() const { return lowerButton_->Glyph(); }

void TSpinButton::SetUpGlyph(TBitmap* value) {
  if (value)
    upperButton_->SetGlyph(value);
  else
    SetDefaultGlyph(upperButton_, "SpinUp");
}

void TSpinButton::SetDownGlyph(TBitmap* value) {
  if (value)
    lowerButton_->SetGlyph(value);
  else
    SetDefaultGlyph(lowerButton_, "SpinDown");
}

void TSpinButton::SetDefaultGlyph(TTimerSpeedButton* button, const char* resourceName) {
  EnsureSpinGlyphResources();
  try {
    button->Glyph()->LoadFromResourceName(resourceName);
  } catch (const Exception&) {
    button->Glyph()->SetImage(QImage());  // a missing picture leaves the glyph empty
  }
  button->SetNumGlyphs(1);
  button->Invalidate();
}

TNumGlyphs TSpinButton::UpNumGlyphs() const { return upperButton_->NumGlyphs(); }
void TSpinButton::SetUpNumGlyphs(TNumGlyphs value) { upperButton_->SetNumGlyphs(value); }
TNumGlyphs TSpinButton::DownNumGlyphs() const { return lowerButton_->NumGlyphs(); }
void TSpinButton::SetDownNumGlyphs(TNumGlyphs value) { lowerButton_->SetNumGlyphs(value); }

// --- focus and keyboard

bool TSpinButton::HasSystemFocus() const { return FindFocusedControl() == this; }

void TSpinButton::WMSetFocus(TWMSetFocus& msg) {
  // The base only tells the form which control is focused (enter and exit
  // notices); the system's own focus handling is not wanted here.
  TWinControl::WMSetFocus(msg);
  keyButton_->SetRepeatFlags(keyButton_->RepeatFlags() | RepeatFlag(rfFocusMark));
  keyButton_->Invalidate();
}

void TSpinButton::WMKillFocus(TWMKillFocus& msg) {
  (void)msg;
  keyButton_->SetRepeatFlags(keyButton_->RepeatFlags() & ~RepeatFlag(rfFocusMark));
  keyButton_->Invalidate();
}

void TSpinButton::WMGetDlgCode(TWMGetDlgCode& msg) { msg.Result = DLGC_WANTARROWS; }

void TSpinButton::SetKeyButton(TTimerSpeedButton* button) {
  if (!TabStop() || !CanFocus() || button == keyButton_) return;
  keyButton_->SetRepeatFlags(keyButton_->RepeatFlags() & ~RepeatFlag(rfFocusMark));
  keyButton_ = button;
  if (HasSystemFocus()) {
    button->SetRepeatFlags(button->RepeatFlags() | RepeatFlag(rfFocusMark));
    Invalidate();
  }
}

void TSpinButton::KeyDown(Word& key, TShiftState shift) {
  (void)shift;
  switch (key) {
    case VK_SPACE: keyButton_->Click(); break;
    case VK_UP:
      SetKeyButton(upperButton_);
      upperButton_->Click();
      break;
    case VK_DOWN:
      SetKeyButton(lowerButton_);
      lowerButton_->Click();
      break;
    default: break;
  }
}

// --- mouse and clicks

void TSpinButton::ChildMouseDown(TPersistent* sender, TMouseButton button, TShiftState shift, int x, int y) {
  (void)shift;
  (void)x;
  (void)y;
  if (button != mbLeft) return;
  if (auto* pressed = dynamic_cast<TTimerSpeedButton*>(sender)) SetKeyButton(pressed);
  if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() && FindFocusedControl() != focusControl_) {
    focusControl_->SetFocus();
    return;
  }
  if (TabStop() && !HasSystemFocus() && CanFocus()) SetFocus();
}

void TSpinButton::ChildClick(TPersistent* sender) {
  if (sender == upperButton_) {
    if (OnUpClick) OnUpClick.code(this);
  } else if (OnDownClick) {
    OnDownClick.code(this);
  }
}

void TSpinButton::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}
