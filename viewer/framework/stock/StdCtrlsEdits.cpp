// Edits and memos over Qt's line and text editors.
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

// ---------------------------------------------------------------------------
// TEdit

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TEdit> b("TEdit", &TCustomEdit::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.EnumField("Alignment", AlignmentEnumInfo(), taLeftJustify)
        .Publish("AutoSelect")
        .Publish("AutoSize", 1)
        .Publish("BorderStyle")
        .Publish("CharCase")
        .Publish("HideSelection")
        .Publish("MaxLength")
        .BoolField("NumbersOnly", false)
        .BoolField("OEMConvert", false)
        .Publish("PasswordChar")
        .Publish("ReadOnly")
        .Publish("Text")
        .StringField("TextHint")
        .Publish("OnChange");
    return b.Build();
  }();
  return info;
}

void TEdit::DefineProperties(TFiler& filer) {
  TCustomEdit::DefineProperties(filer);
  DefineIsControl(filer, this);
}

// ---------------------------------------------------------------------------
// TCustomMemo

// The memo's lines: a line list that forwards every change to the memo.
class TMemoLines : public TStrings {
 public:
  explicit TMemoLines(TCustomMemo* memo) : memo_(memo) {}
  const TClassInfo& ClassInfo() const override { return TStrings::StaticClassInfo(); }

  int Count() const override {
    memo_->PullFromWidget();
    return int(lines_.size());
  }
  std::string Get(int index) const override {
    memo_->PullFromWidget();
    if (index < 0 || index >= int(lines_.size())) ListIndexError(index);
    return lines_[size_t(index)];
  }
  void Put(int index, const std::string& s) override {
    memo_->PullFromWidget();
    if (index < 0 || index >= int(lines_.size())) ListIndexError(index);
    lines_[size_t(index)] = s;
    memo_->LinesChanged(false, 0);
  }
  void Insert(int index, const std::string& s) override {
    memo_->PullFromWidget();
    if (index < 0 || index > int(lines_.size())) ListIndexError(index);
    const bool append = index == int(lines_.size());
    lines_.insert(lines_.begin() + index, s);
    if (memo_->editor_) memo_->shownLine_ = index;
    memo_->LinesChanged(append, index);
  }
  void Delete(int index) override {
    memo_->PullFromWidget();
    if (index < 0 || index >= int(lines_.size())) ListIndexError(index);
    lines_.erase(lines_.begin() + index);
    memo_->LinesChanged(false, 0);
  }
  void Clear() override {
    memo_->widgetNewer_ = false;
    memo_->shownLine_ = -1;
    lines_.clear();
    memo_->LinesChanged(false, 0);
  }

  std::vector<std::string> lines_;

 protected:
  void SetUpdateState(bool updating) override {
    if (!updating && pending_) {
      pending_ = false;
      memo_->LoadWidget();
    }
  }
  void AddLines(std::vector<std::string>&& lines) override {
    memo_->PullFromWidget();
    const int first = int(lines_.size());
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    if (memo_->editor_ && int(lines_.size()) > first) memo_->shownLine_ = int(lines_.size()) - 1;
    memo_->LinesChanged(true, first);
  }

 private:
  friend class TCustomMemo;
  TCustomMemo* memo_;
  bool pending_ = false;
};

class TMemoWidget : public QPlainTextEdit {
 public:
  TMemoWidget(TCustomMemo* memo, QWidget* parent) : QPlainTextEdit(parent), memo_(memo) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
      if (memo_) memo_->WidgetEdited();
    });
  }
  void Detach() { memo_ = nullptr; }

 private:
  TCustomMemo* memo_;
};

const TClassInfo& TCustomMemo::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCustomMemo>("TCustomMemo", &TWinControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMemo> b("TMemo", &TCustomMemo::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.Enum("Alignment", AlignmentEnumInfo(), &TMemo::Alignment, &TMemo::SetAlignment, taLeftJustify)
        .Enum("BorderStyle", EditBorderStyleEnumInfo(), &TMemo::BorderStyle, &TMemo::SetBorderStyle, ebsSingle)
        .EnumField("CharCase", EditCharCaseEnumInfo(), ecNormal)
        .BoolField("HideSelection", true)
        .Object("Lines", &TStrings::StaticClassInfo, &TMemo::Lines, &TMemo::SetLines)
        .Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength, 0)
        .BoolField("OEMConvert", false)
        .Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false)
        .Enum("ScrollBars", ScrollStyleEnumInfo(), &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone)
        .StringField("TextHint")
        .BoolField("WantReturns", true)
        .BoolField("WantTabs", false)
        .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
        .Event("OnChange", &TMemo::OnChange);
    return b.Build();
  }();
  return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TWinControl(owner), lines_(std::make_unique<TMemoLines>(this)) {
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomMemo::~TCustomMemo() {
  if (auto* w = static_cast<TMemoWidget*>(editor_.data())) w->Detach();
}

TStrings* TCustomMemo::Lines() const {
  PullFromWidget();
  return lines_.get();
}
void TCustomMemo::SetLines(TStrings* lines) {
  if (lines) lines_->Assign(*lines);
}
QPlainTextEdit* TCustomMemo::Editor() const { return editor_.data(); }

void TCustomMemo::SetText(const std::string& v) {
  lines_->BeginUpdate();
  try {
    lines_->Clear();
    lines_->SetText(v);
  } catch (...) {
    lines_->EndUpdate();
    throw;
  }
  lines_->EndUpdate();
}
void TCustomMemo::Clear() { lines_->Clear(); }

void TCustomMemo::SetReadOnly(bool v) {
  readOnly_ = v;
  ApplyOptions();
}
void TCustomMemo::SetScrollBars(TScrollStyle v) {
  scrollBars_ = v;
  ApplyOptions();
}
void TCustomMemo::SetWordWrap(bool v) {
  wordWrap_ = v;
  ApplyOptions();
}
void TCustomMemo::SetAlignment(TAlignment v) {
  alignment_ = v;
  ApplyOptions();
}
void TCustomMemo::SetBorderStyle(TEditBorderStyle v) {
  borderStyle_ = v;
  ApplyOptions();
}

void TCustomMemo::LinesChanged(bool appendedOnly, int firstAppended) {
  auto* lines = static_cast<TMemoLines*>(lines_.get());
  if (lines->UpdateCount() > 0) {
    lines->pending_ = true;
    return;
  }
  if (!editor_) {
    Change();
    return;
  }
  if (appendedOnly && firstAppended > 0) {
    // Appending: add the new lines at the end instead of reloading.
    loading_ = true;
    QStringList added;
    const TFont& font = *Font();
    for (size_t i = size_t(firstAppended); i < lines->lines_.size(); ++i) added << font.Decode(lines->lines_[i]);
    editor_->appendPlainText(added.join('\n'));
    loading_ = false;
    ShowInsertedLine();
    Change();
    return;
  }
  LoadWidget();
}

void TCustomMemo::LoadWidget() {
  if (!editor_) {
    Change();
    return;
  }
  auto* lines = static_cast<TMemoLines*>(lines_.get());
  const TFont& font = *Font();
  QString all;
  size_t bytes = 0;
  for (const auto& l : lines->lines_) bytes += l.size() + 1;
  all.reserve(qsizetype(bytes));
  for (size_t i = 0; i < lines->lines_.size(); ++i) {
    if (i) all += '\n';
    all += font.Decode(lines->lines_[i]);
  }
  loading_ = true;
  editor_->setPlainText(all);
  loading_ = false;
  ShowInsertedLine();
  ++widgetLoads_;
  widgetNewer_ = false;
  Change();
}

void TCustomMemo::ShowInsertedLine() {
  const int line = shownLine_;
  shownLine_ = -1;
  if (line < 0 || !editor_) return;
  const QTextBlock block = editor_->document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
}

void TCustomMemo::WidgetEdited() {
  if (loading_) return;
  widgetNewer_ = true;
  Change();
}

void TCustomMemo::PullFromWidget() const {
  if (!widgetNewer_ || !editor_) return;
  widgetNewer_ = false;
  auto* lines = static_cast<TMemoLines*>(lines_.get());
  lines->lines_.clear();
  const TFont& font = *Font();
  for (QTextBlock b = editor_->document()->begin(); b.isValid(); b = b.next())
    lines->lines_.push_back(font.Encode(b.text()));
  if (lines->lines_.size() == 1 && lines->lines_[0].empty()) lines->lines_.clear();
}

void TCustomMemo::Change() {
  if (OnChange) OnChange.code(this);
}

QWidget* TCustomMemo::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* w = new TMemoWidget(this, parentWidget);
  editor_ = w;
  return w;
}

void TCustomMemo::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyOptions();
  ApplyControlPalette(editor_, this, true);
  LoadWidget();
}

void TCustomMemo::DestroyWnd() {
  PullFromWidget();
  if (auto* w = static_cast<TMemoWidget*>(editor_.data())) w->Detach();
  editor_ = nullptr;
  TWinControl::DestroyWnd();
}

void TCustomMemo::ApplyOptions() {
  if (!editor_) return;
  editor_->setReadOnly(readOnly_);
  const bool h = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  const bool v = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  editor_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  editor_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // A horizontal scroll bar turns wrapping off.
  editor_->setLineWrapMode(wordWrap_ && !h ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  editor_->setFrameShape(borderStyle_ == ebsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}

void TCustomMemo::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(editor_, this, true);
}
void TCustomMemo::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(editor_, this, true);
}
void TCustomMemo::CMEnabledChanged(TMessage& msg) { TWinControl::CMEnabledChanged(msg); }

bool TCustomMemo::WantTabs() const {
  const TFieldValue* f = FindField("WantTabs");
  return f && f->ord != 0;
}
bool TCustomMemo::WantReturns() const {
  const TFieldValue* f = FindField("WantReturns");
  return !f || f->ord != 0;
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& msg) {
  TWinControl::WMGetDlgCode(msg);
  if (WantTabs())
    msg.Result |= DLGC_WANTTAB;
  else
    msg.Result &= ~LRESULT(DLGC_WANTTAB);
  // Without WantReturns, Return (and Escape) go to the form's buttons.
  if (!WantReturns()) msg.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}
