#include "Edits.h"

#include <algorithm>

#include <QAction>
#include <QChildEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "ClassicDrawing.h"
#include "TextCodecs.h"
#include "core/Ascii.h"

const TEnumInfo& EditCharCaseEnumInfo() {
  static const TEnumInfo e{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}};
  return e;
}
const TEnumInfo& EditBorderStyleEnumInfo() {
  static const TEnumInfo e{"TBorderStyle", {"bsNone", "bsSingle"}};
  return e;
}

int TextMetricHeight(const TFont& font) { return font.CellMetrics().Height(); }

char DecimalSeparator = '.';

// ---------------------------------------------------------------------------
// The widget

// A QLineEdit that hands paste and cut to its control as messages, reports
// text changes, and keeps windowed children at their client positions.
class TEditWidget : public QLineEdit {
 public:
  TEditWidget(TCustomEdit* control, QWidget* parent) : QLineEdit(parent), control_(control) {
    connect(this, &QLineEdit::textChanged, this, [this] {
      if (control_ && !control_->settingWidgetText_) control_->WidgetTextChanged();
    });
  }
  void Detach() { control_ = nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (control_) {
      const bool shift = e->modifiers() == Qt::ShiftModifier;
      if (e->matches(QKeySequence::Paste) || (shift && e->key() == Qt::Key_Insert)) {
        control_->Perform(WM_PASTE);
        e->accept();
        return;
      }
      if (e->matches(QKeySequence::Cut) || (shift && e->key() == Qt::Key_Delete)) {
        control_->Perform(WM_CUT);
        e->accept();
        return;
      }
      if (e->matches(QKeySequence::Copy)) {
        control_->Perform(WM_COPY);
        e->accept();
        return;
      }
    }
    QLineEdit::keyPressEvent(e);
    // An edit window keeps every key it is given; none travels on to the
    // parent, whose controls had their say before the widget.
    e->accept();
  }

  void contextMenuEvent(QContextMenuEvent* e) override {
    QMenu* menu = createStandardContextMenu();
    if (control_) {
      RouteAction(menu, QStringLiteral("edit-paste"), WM_PASTE);
      RouteAction(menu, QStringLiteral("edit-cut"), WM_CUT);
      RouteAction(menu, QStringLiteral("edit-copy"), WM_COPY);
      RouteAction(menu, QStringLiteral("edit-delete"), WM_CLEAR);
      RouteAction(menu, QStringLiteral("edit-undo"), WM_UNDO);
    }
    menu->exec(e->globalPos());
    delete menu;
  }

  void childEvent(QChildEvent* e) override {
    QLineEdit::childEvent(e);
    if (e->added() && e->child()->isWidgetType()) e->child()->installEventFilter(this);
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    if (control_ && e->type() == QEvent::Move) control_->PlaceChildWidget(static_cast<QWidget*>(o));
    return QLineEdit::eventFilter(o, e);
  }

 private:
  void RouteAction(QMenu* menu, const QString& name, uint32_t msg) {
    for (QAction* a : menu->actions()) {
      if (a->objectName() != name) continue;
      disconnect(a, &QAction::triggered, nullptr, nullptr);
      connect(a, &QAction::triggered, this, [this, msg] {
        if (control_) control_->Perform(msg);
      });
    }
  }

  TCustomEdit* control_;
};

// ---------------------------------------------------------------------------
// TCustomEdit

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClassInfo())
          .Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true)
          .Protected()
          .Enum("BorderStyle", EditBorderStyleEnumInfo(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                ebsSingle)
          .Protected()
          .Enum("CharCase", EditCharCaseEnumInfo(), &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal)
          .Protected()
          .Bool("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true)
          .Protected()
          .Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
          .Protected()
          .Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar, 0)
          .Protected()
          .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
          .Protected()
          .Event("OnChange", &TCustomEdit::OnChange)
          .Protected()
          .Build();
  return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
  TWinControl::SetAutoSize(true);
}

TCustomEdit::~TCustomEdit() {
  if (edit_) edit_->Detach();
}

QLineEdit* TCustomEdit::LineEdit() const { return edit_; }

// --- text

std::string TCustomEdit::ApplyCharCase(const std::string& text) const {
  if (charCase_ == ecNormal) return text;
  std::string out = text;
  for (char& c : out) {
    if (charCase_ == ecUpperCase) c = AsciiUpper(c);
    if (charCase_ == ecLowerCase) c = AsciiLower(c);
  }
  return out;
}

void TCustomEdit::SetText(const std::string& value) {
  const std::string text = ApplyCharCase(value);
  if (text == Text()) return;
  TWinControl::SetText(text);
  if (edit_) {
    settingWidgetText_ = true;
    edit_->setText(Font()->Decode(text));
    settingWidgetText_ = false;
  }
  selStart_ = selLength_ = 0;
  modified_ = false;
  Change();
}

void TCustomEdit::WidgetTextChanged() {
  QString shown = edit_->text();
  if (charCase_ != ecNormal) {
    const QString cased = charCase_ == ecUpperCase ? shown.toUpper() : shown.toLower();
    if (cased != shown) {
      const int cursor = edit_->cursorPosition();
      settingWidgetText_ = true;
      edit_->setText(cased);
      edit_->setCursorPosition(cursor);
      settingWidgetText_ = false;
      shown = cased;
    }
  }
  const std::string text = Font()->Encode(shown);
  if (text == Text()) return;
  TWinControl::SetText(text);
  modified_ = true;
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange.code(this);
}

// --- properties

void TCustomEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (edit_) edit_->setReadOnly(value);
}

void TCustomEdit::SetMaxLength(int value) {
  if (value == maxLength_) return;
  maxLength_ = value;
  if (edit_) edit_->setMaxLength(value > 0 ? value : 32767);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (value == charCase_) return;
  charCase_ = value;
  SetText(Text());
}

void TCustomEdit::SetPasswordChar(char value) {
  if (value == passwordChar_) return;
  passwordChar_ = value;
  if (edit_) edit_->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
}

void TCustomEdit::SetBorderStyle(TEditBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  if (edit_) edit_->setFrame(value == ebsSingle);
  AdjustHeight();
}

void TCustomEdit::SetAutoSize(bool value) {
  if (value == AutoSize()) return;
  TWinControl::SetAutoSize(value);
  AdjustHeight();
}

// The height that fits the font: its cell height and the frame.
void TCustomEdit::AdjustHeight() {
  if (!AutoSize() || borderStyle_ != ebsSingle || HasState(csLoading)) return;
  const int frame = (Ctl3D() && NewStyleControls ? 8 : 6) * kSystemBorderHeight;
  SetHeight(TextMetricHeight(*Font()) + frame);
}

// --- selection

void TCustomEdit::SelectAll() {
  if (edit_) {
    edit_->selectAll();
  } else {
    selStart_ = 0;
    selLength_ = int(DisplayText().size());
  }
}

void TCustomEdit::ClearSelection() {
  if (edit_) {
    if (!readOnly_) edit_->del();
  } else if (selLength_ > 0) {
    QString shown = DisplayText();
    shown.remove(selStart_, selLength_);
    SetText(Font()->Encode(shown));
  }
}

int TCustomEdit::SelStart() const {
  if (!edit_) return selStart_;
  return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TCustomEdit::SetSelStart(int value) {
  if (edit_) {
    edit_->setCursorPosition(value);
  } else {
    selStart_ = std::clamp(value, 0, int(DisplayText().size()));
    selLength_ = 0;
  }
}

int TCustomEdit::SelLength() const {
  if (!edit_) return selLength_;
  return int(edit_->selectedText().size());
}

void TCustomEdit::SetSelLength(int value) {
  const int start = SelStart();
  if (edit_) {
    edit_->setSelection(start, value);
  } else {
    selLength_ = std::clamp(value, 0, int(DisplayText().size()) - start);
  }
}

std::string TCustomEdit::SelText() const {
  const QString shown = edit_ ? edit_->text() : DisplayText();
  return Font()->Encode(shown.mid(SelStart(), SelLength()));
}

// --- geometry

int TCustomEdit::BorderWidth() const {
  if (borderStyle_ == ebsNone) return 0;
  return Ctl3D() && NewStyleControls ? 2 : 1;
}

TRect TCustomEdit::GetClientRect() const {
  const int b = BorderWidth();
  return Rect(0, 0, std::max(0, Width() - 2 * b), std::max(0, Height() - 2 * b));
}

TPoint TCustomEdit::ClientOffset() const {
  const int b = BorderWidth();
  return {b, b};
}

void TCustomEdit::SetFormatRect(const TRect& rect) {
  formatRect_ = rect;
  ApplyTextMargins();
}

void TCustomEdit::ApplyTextMargins() {
  if (!edit_) return;
  if (formatRect_.IsEmpty()) {
    edit_->setTextMargins(0, 0, 0, 0);
    return;
  }
  const TRect client = GetClientRect();
  edit_->setTextMargins(
      std::max(0, formatRect_.Left), std::max(0, formatRect_.Top), std::max(0, client.Right - formatRect_.Right),
      std::max(0, client.Bottom - formatRect_.Bottom));
}

// A windowed child sits at its client position, inside the frame.
void TCustomEdit::PlaceChildWidget(QWidget* widget) {
  const TPoint offset = ClientOffset();
  for (int i = 0; i < ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Controls(i));
    if (!child || child->WidgetIfAllocated() != widget) continue;
    const QPoint wanted(child->Left() + offset.X, child->Top() + offset.Y);
    if (widget->pos() != wanted) widget->move(wanted);
  }
}

// --- window

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= ES_AUTOHSCROLL;
  if (readOnly_) params.Style |= ES_READONLY;
  if (passwordChar_) params.Style |= ES_PASSWORD;
  if (charCase_ == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
  if (borderStyle_ == ebsSingle) {
    if (Ctl3D() && NewStyleControls)
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
}

QWidget* TCustomEdit::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  windowStyle_ = params.Style;
  edit_ = new TEditWidget(this, parentWidget);
  return edit_;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyToWidget();
}

void TCustomEdit::ApplyToWidget() {
  if (!edit_) return;
  settingWidgetText_ = true;
  // Each of these re-lays the text out in Qt even when nothing changes
  // (a new maximum length sets the whole text again): set only what differs.
  if (edit_->hasFrame() != (borderStyle_ == ebsSingle)) edit_->setFrame(borderStyle_ == ebsSingle);
  if (edit_->isReadOnly() != readOnly_) edit_->setReadOnly(readOnly_);
  const int maxLength = maxLength_ > 0 ? maxLength_ : 32767;
  if (edit_->maxLength() != maxLength) edit_->setMaxLength(maxLength);
  const auto echo = passwordChar_ ? QLineEdit::Password : QLineEdit::Normal;
  if (edit_->echoMode() != echo) edit_->setEchoMode(echo);
  edit_->setText(DisplayText());
  if (selLength_ > 0)
    edit_->setSelection(selStart_, selLength_);
  else
    edit_->setCursorPosition(selStart_);
  settingWidgetText_ = false;
  ApplyTextMargins();
  ApplyControlPalette(edit_, this, true);
}

void TCustomEdit::DestroyWnd() {
  if (edit_) {
    selStart_ = SelStart();
    selLength_ = SelLength();
    edit_->Detach();
    edit_ = nullptr;
  }
  TWinControl::DestroyWnd();
}

// --- messages

void TCustomEdit::WMPaste(TWMNoParams& msg) {
  (void)msg;
  HandleNeeded();
  if (edit_ && !readOnly_) edit_->paste();
}

void TCustomEdit::WMCut(TWMNoParams& msg) {
  (void)msg;
  HandleNeeded();
  if (edit_ && !readOnly_) edit_->cut();
}

void TCustomEdit::WMCopy(TWMNoParams& msg) {
  (void)msg;
  if (edit_) edit_->copy();
}

void TCustomEdit::WMClear(TWMNoParams& msg) {
  (void)msg;
  ClearSelection();
}

void TCustomEdit::WMUndo(TWMNoParams& msg) {
  (void)msg;
  if (edit_ && !readOnly_) edit_->undo();
}

void TCustomEdit::WMGetDlgCode(TWMGetDlgCode& msg) {
  TWinControl::WMGetDlgCode(msg);
  // A multi-line window keeps Return and Escape for itself.
  if (windowStyle_ & ES_MULTILINE) msg.Result |= DLGC_WANTALLKEYS;
}

void TCustomEdit::CMEnter(TCMEnter& msg) {
  // A multi-line window keeps its caret where it was.
  if (autoSelect_ && !InState(csLButtonDown) && !(windowStyle_ & ES_MULTILINE)) SelectAll();
  TWinControl::CMEnter(msg);
}

void TCustomEdit::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  if (edit_) {
    settingWidgetText_ = true;
    edit_->setText(DisplayText());  // the charset may read the bytes differently
    settingWidgetText_ = false;
    ApplyControlPalette(edit_, this, true);
  }
  AdjustHeight();
}

void TCustomEdit::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  if (edit_) ApplyControlPalette(edit_, this, true);
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == CM_CTL3DCHANGED) {
    const int height = Height();
    AdjustHeight();
    ApplyTextMargins();
    // The frame changed: the original makes the window again, which brings
    // a WM_SIZE even when the size stays, so descendants lay out their
    // insides for the new frame.
    if (Height() == height) SendSizeMessage();
    return;
  }
  TWinControl::Dispatch(message);
}
