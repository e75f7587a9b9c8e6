#include "Spin/SpinEdit.h"

#include "Spin/SpinRules.h"
#include "core/SysUtils.h"

const TClassInfo& TSpinEdit::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSpinEdit>("TSpinEdit", &TCustomEdit::StaticClassInfo())
          .Publish("Anchors")
          .Publish("AutoSelect")
          .Publish("AutoSize", 1)
          .Publish("Color")
          .Publish("Constraints")
          .Publish("Ctl3D")
          .Publish("DragCursor")
          .Publish("DragMode")
          .Bool("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled, true)
          .Publish("Enabled")
          .Publish("Font")
          .Integer("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement, 1)
          .Publish("MaxLength")
          .Integer("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue)
          .Integer("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue)
          .Publish("ParentColor", 0)
          .Publish("ParentCtl3D")
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .Publish("ReadOnly")
          .Publish("ShowHint")
          .Publish("TabOrder")
          .Publish("TabStop", 1)
          .Integer("Value", &TSpinEdit::Value, &TSpinEdit::SetValue)
          .Publish("Visible")
          .Publish("OnChange")
          .Publish("OnClick")
          .Publish("OnDblClick")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDrag")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnKeyDown")
          .Publish("OnKeyPress")
          .Publish("OnKeyUp")
          .Publish("OnMouseDown")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Publish("OnStartDrag")
          // Newer forms also give every control its margins and style
          // elements; accepted after the control's own properties.
          .Publish("AlignWithMargins")
          .Publish("Margins")
          .Publish("StyleElements")
          .Build();
  return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  spinner_ = new TSpinButton(this);
  spinner_->SetWidth(15);
  spinner_->SetHeight(17);
  spinner_->SetVisible(true);
  spinner_->SetParent(this);
  spinner_->SetFocusControl(this);
  spinner_->OnUpClick.code = [this](TPersistent* sender) { StepUp(sender); };
  spinner_->OnDownClick.code = [this](TPersistent* sender) { StepDown(sender); };
  SetText("0");
  SetControlStyle(ControlStyle() & ~TControlStyle(csSetCaption));
  increment_ = 1;
  editorEnabled_ = true;
  // The edit paints its own background.
  FieldOf("ParentBackground").ord = 0;
  SetControlStyle(ControlStyle() & ~TControlStyle(csParentBackground));
}

TSpinEdit::~TSpinEdit() {
  // The owner rule destroys the spin button with the other owned components.
  spinner_ = nullptr;
}

void TSpinEdit::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  (void)proc;
  (void)root;
}

// --- value

int32_t TSpinEdit::ClampValue(int32_t value) const { return spin::ClampValue(value, minValue_, maxValue_); }

int32_t TSpinEdit::Value() const {
  try {
    return StrToInt(Text());
  } catch (...) {
    return minValue_;  // a text that is not a number reads as the lower bound
  }
}

void TSpinEdit::SetValue(int32_t value) { SetText(IntToStr(ClampValue(value))); }

void TSpinEdit::StepUp(TPersistent* sender) {
  (void)sender;
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(spin::StepValue(Value(), increment_, true));
}

void TSpinEdit::StepDown(TPersistent* sender) {
  (void)sender;
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(spin::StepValue(Value(), increment_, false));
}

// --- typing

bool TSpinEdit::AcceptsChar(char key) const { return spin::AcceptsSpinChar(key, DecimalSeparator, editorEnabled_); }

void TSpinEdit::KeyPress(char& key) {
  if (!AcceptsChar(key)) {
    key = 0;
    MessageBeep(0);
  }
  if (key != 0) TCustomEdit::KeyPress(key);
}

void TSpinEdit::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_UP)
    StepUp(this);
  else if (key == VK_DOWN)
    StepDown(this);
  TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::WMPaste(TWMNoParams& msg) {
  if (editorEnabled_ && !ReadOnly()) TCustomEdit::WMPaste(msg);
}

void TSpinEdit::WMCut(TWMNoParams& msg) {
  if (editorEnabled_ && !ReadOnly()) TCustomEdit::WMCut(msg);
}

// --- window and layout

void TSpinEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= uint32_t(ES_MULTILINE) | uint32_t(WS_CLIPCHILDREN);
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  UpdateTextArea();
}

void TSpinEdit::UpdateTextArea() {
  if (!spinner_) return;
  SetFormatRect(spin::EditTextArea(ClientWidth(), ClientHeight(), spinner_->Width()));
}

int TSpinEdit::MinimumHeight() const {
  return spin::MinimumEditHeight(TextMetricHeight(*Font()), kScreenFontHeight, kSystemBorderHeight);
}

void TSpinEdit::WMSize(TWMSize& msg) {
  TCustomEdit::WMSize(msg);
  FitToSize();
}

void TSpinEdit::Loaded() {
  TCustomEdit::Loaded();
  FitToSize();
}

void TSpinEdit::FitToSize() {
  const int minimum = MinimumHeight();
  if (Height() < minimum) {
    SetHeight(minimum);  // the resize brings its own WM_SIZE
    return;
  }
  if (!spinner_) return;
  const bool threeD = NewStyleControls && Ctl3D();
  spinner_->SetBoundsRect(spin::EmbeddedButtonBounds(Width(), Height(), spinner_->Width(), threeD));
  UpdateTextArea();
}

// --- focus

void TSpinEdit::CMEnter(TCMEnter& msg) {
  if (AutoSelect() && !InState(csLButtonDown)) SelectAll();
  TCustomEdit::CMEnter(msg);
}

void TSpinEdit::CMExit(TCMExit& msg) {
  TCustomEdit::CMExit(msg);
  const int32_t value = Value();
  if (ClampValue(value) != value) SetValue(value);
}
