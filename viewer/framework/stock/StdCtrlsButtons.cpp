// Push buttons, check boxes and radio buttons over Qt's buttons.
#include "StdCtrls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "StockEnum.h"
#include "controls/ContentReport.h"
#include "controls/Forms.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"

// Setting a direction, even the one in force, re-lays the widget and its
// children out; check boxes and radio buttons set it on every change.
static void SetLayoutDirectionIfChanged(QWidget* widget, Qt::LayoutDirection direction) {
  if (widget->layoutDirection() != direction) widget->setLayoutDirection(direction);
}

// ---------------------------------------------------------------------------
// TButton

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TButton> b("TButton", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Publish("Caption")
        .StringField("CommandLinkHint")
        .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
        .IntegerField("DisabledImageIndex", -1)
        .IgnoredReference("DropDownMenu", &TComponent::StaticClassInfo)
        .BoolField("ElevationRequired", false)
        .IntegerField("HotImageIndex", -1)
        .StringField("DisabledImageName")
        .StringField("HotImageName")
        .StringField("ImageName")
        .StringField("PressedImageName")
        .StringField("SelectedImageName")
        .IgnoredReference("Images", &TComponent::StaticClassInfo)
        .EnumField("ImageAlignment", ImageAlignmentEnumInfo(), "iaLeft")
        .IntegerField("ImageIndex", -1)
        .Object("ImageMargins", &TMargins::StaticClassInfo, &TButton::ImageMargins)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0)
        .IntegerField("PressedImageIndex", -1)
        .IntegerField("SelectedImageIndex", -1)
        .EnumField("Style", ButtonStyleEnumInfo(), "bsPushButton")
        .Bool("WordWrap", &TButton::WordWrap, &TButton::SetWordWrap, false)
        .Event("OnDropDownClick", &TButton::OnDropDownClick);
    return b.Build();
  }();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  // Clicks come from the push button itself.
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

QPushButton* TButton::PushButton() const { return button_.data(); }

QWidget* TButton::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* b = new QPushButton(parentWidget);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(b, &QPushButton::clicked, b, [this] { Click(); });
  button_ = b;
  return b;
}

void TButton::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateFace();
}

void TButton::UpdateFace() {
  if (!button_) return;
  button_->setText(CaptionToMnemonicText(Caption(), *Font()));
  button_->setDefault(default_);
  ApplyControlPalette(button_, this, false);
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (button_) button_->setDefault(v);
}

void TButton::Click() {
  if (modalResult_ != 0)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::CMTextChanged(TMessage& msg) {
  TWinControl::CMTextChanged(msg);
  UpdateFace();
}
void TButton::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  UpdateFace();
}
void TButton::CMDialogKey(TCMDialogKey& msg) {
  if (((msg.CharCode == VK_RETURN && default_) || (msg.CharCode == VK_ESCAPE && cancel_)) &&
      (msg.KeyData & kKeyDataAltDown) == 0 && Visible() && Enabled()) {
    Click();
    msg.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(msg);
}
void TButton::CMDialogChar(TCMDialogChar& msg) {
  if (IsAccel(msg.CharCode, Caption()) && Visible() && Enabled()) {
    Click();
    msg.Result = 1;
    return;
  }
  TWinControl::CMDialogChar(msg);
}

// ---------------------------------------------------------------------------
// TButtonControl

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClassInfo()).Build();
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetColor(clBtnFace);
}

void TButtonControl::SetAlignment(TAlignment v) {
  alignment_ = v;
  Apply();
}

void TButtonControl::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}

void TButtonControl::Apply() {
  QAbstractButton* button = Button();
  if (!button) return;
  applying_ = true;
  ApplyState();
  button->setText(CaptionToMnemonicText(Caption(), *Font()));
  // Left-justified puts the caption left of the box.
  SetLayoutDirectionIfChanged(button, alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  ApplyControlPalette(button, this, false);
  applying_ = false;
}

void TButtonControl::CMTextChanged(TMessage& msg) {
  TWinControl::CMTextChanged(msg);
  Apply();
}
void TButtonControl::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  Apply();
}
void TButtonControl::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  Apply();
}

// ---------------------------------------------------------------------------
// TCheckBox

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomCheckBox>("TCustomCheckBox", &TButtonControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TCheckBox> b("TCheckBox", &TCustomCheckBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .Enum("Alignment", LeftRightEnumInfo(), &TCheckBox::Alignment, &TCheckBox::SetAlignment, taRightJustify)
        .Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed, false)
        .Publish("Caption")
        .Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked, false)
        .Enum("State", CheckBoxStateEnumInfo(), &TCheckBox::State, &TCheckBox::SetState, cbUnchecked)
        .BoolField("WordWrap", false);
    return b.Build();
  }();
  return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (state_ == v) return;
  state_ = v;
  Apply();
  if (!HasState(csLoading) && !applying_) Click();
}
void TCustomCheckBox::SetAllowGrayed(bool v) {
  allowGrayed_ = v;
  Apply();
}

QWidget* TCustomCheckBox::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* b = new QCheckBox(parentWidget);
  QObject::connect(b, &QCheckBox::clicked, b, [this] {
    if (applying_ || !box_) return;
    const auto s = box_->checkState();
    applying_ = true;
    state_ = s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
    applying_ = false;
    Click();
  });
  box_ = b;
  return b;
}

QAbstractButton* TCustomCheckBox::Button() const { return box_.data(); }

void TCustomCheckBox::ApplyState() {
  box_->setTristate(allowGrayed_ || state_ == cbGrayed);
  box_->setCheckState(state_ == cbChecked ? Qt::Checked : state_ == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

// ---------------------------------------------------------------------------
// TRadioButton

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TRadioButton> b("TRadioButton", &TButtonControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .Enum("Alignment", LeftRightEnumInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment, taRightJustify)
        .Publish("Caption")
        .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false)
        .BoolField("WordWrap", false);
    return b.Build();
  }();
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  SetTabStop(v);
  if (v && Parent()) {
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r != this) r->SetChecked(false);
  }
  Apply();
  if (v && !HasState(csLoading) && !applying_) Click();
}

QWidget* TRadioButton::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* b = new QRadioButton(parentWidget);
  b->setAutoExclusive(false);
  QObject::connect(b, &QRadioButton::clicked, b, [this] {
    if (applying_) return;
    if (checked_) {
      Apply();
      return;
    }
    SetChecked(true);
  });
  radio_ = b;
  return b;
}

QAbstractButton* TRadioButton::Button() const { return radio_.data(); }

void TRadioButton::ApplyState() { radio_->setChecked(checked_); }
