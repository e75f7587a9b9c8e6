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

#include "controls/ContentReport.h"
#include "controls/Forms.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "StockEnum.h"

// ---------------------------------------------------------------------------
// Enumerations


STOCK_ENUM_SHARED(LeftRightEnumInfo, "TLeftRight", "taLeftJustify", "taRightJustify")
STOCK_ENUM_SHARED(VerticalAlignmentEnumInfo, "TVerticalAlignment", "taAlignTop", "taAlignBottom", "taVerticalCenter")
STOCK_ENUM_SHARED(TextLayoutEnumInfo, "TTextLayout", "tlTop", "tlCenter", "tlBottom")
STOCK_ENUM_SHARED(CheckBoxStateEnumInfo, "TCheckBoxState", "cbUnchecked", "cbChecked", "cbGrayed")
STOCK_ENUM_SHARED(ListBoxStyleEnumInfo, "TListBoxStyle", "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable",
           "lbVirtual", "lbVirtualOwnerDraw")
STOCK_ENUM_SHARED(ComboBoxStyleEnumInfo, "TComboBoxStyle", "csDropDown", "csSimple", "csDropDownList",
           "csOwnerDrawFixed", "csOwnerDrawVariable")
STOCK_ENUM_SHARED(StaticBorderStyleEnumInfo, "TStaticBorderStyle", "sbsNone", "sbsSingle", "sbsSunken")
STOCK_ENUM_SHARED(ScrollBarKindEnumInfo, "TScrollBarKind", "sbHorizontal", "sbVertical")
STOCK_ENUM_SHARED(ScrollCodeEnumInfo, "TScrollCode", "scLineUp", "scLineDown", "scPageUp", "scPageDown",
           "scPosition", "scTrack", "scTop", "scBottom", "scEndScroll")
STOCK_ENUM_SHARED(EllipsisPositionEnumInfo, "TEllipsisPosition", "epNone", "epPathEllipsis", "epEndEllipsis",
           "epWordEllipsis")
STOCK_ENUM_SHARED(ButtonStyleEnumInfo, "TCustomButton.TButtonStyle", "bsPushButton", "bsCommandLink", "bsSplitButton")
STOCK_ENUM_SHARED(ImageAlignmentEnumInfo, "TImageAlignment", "iaLeft", "iaRight", "iaTop", "iaBottom", "iaCenter")
STOCK_ENUM_SHARED(EditAlignmentEnumInfo, "TAlignment", "taLeftJustify", "taRightJustify", "taCenter")
STOCK_ENUM_SHARED(AutoCompleteModeEnumInfo, "TAutoCompleteMode", "acNone", "acAppend", "acSuggest", "acSuggestAppend")

// ---------------------------------------------------------------------------
// Helpers

// Setting a direction, even the one in force, re-lays the widget and its
// children out; check boxes and radio buttons set it on every change.
static void SetLayoutDirectionIfChanged(QWidget* widget, Qt::LayoutDirection direction) {
  if (widget->layoutDirection() != direction) widget->setLayoutDirection(direction);
}

void DrawCaptionText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout,
                     bool wordWrap, bool showAccelChar, bool enabled) {
  if (!enabled) {
    // The classic embossed look: a highlight copy one pixel down and right
    // under the text in the shadow colour.
    TRect shifted = rect;
    OffsetRect(shifted, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    DrawControlText(canvas, shifted, text, alignment, layout, wordWrap, showAccelChar);
    canvas.Font()->SetColor(clBtnShadow);
  }
  DrawControlText(canvas, rect, text, alignment, layout, wordWrap, showAccelChar);
}

namespace {
struct TextLine {
  QString text;
  int accel = -1;  // index of the underlined character
};

// Where the line that starts at `start` of a paragraph ends when wrapped to
// `width`: after the last space-separated word that fits, or inside a word
// too long for the width. `breaks` holds the paragraph's break positions
// (each space, and its end) in order. A prefix only widens as it grows, so
// the last fitting break is found by doubling steps and then halving, and
// a line costs a few measurements of itself however long the paragraph is.
int WrappedLineEnd(const TCanvas& canvas, const QString& para, const std::vector<int>& breaks, int start,
                   int width) {
  auto fits = [&](int end) { return canvas.TextExtentW(para.mid(start, end - start)).cx <= width; };
  const size_t first = size_t(std::upper_bound(breaks.begin(), breaks.end(), start) - breaks.begin());
  // Once anyFits: breaks[lo] fits, and breaks[hi] does not (hi == size: the rest fits).
  size_t lo = first, hi = breaks.size();
  bool anyFits = false;
  for (size_t step = 1;; step *= 2) {
    const size_t at = std::min(first + step - 1, breaks.size() - 1);
    if (!fits(breaks[at])) {
      hi = at;
      break;
    }
    lo = at;
    anyFits = true;
    if (at == breaks.size() - 1) return int(para.size());  // the rest fits
  }
  if (anyFits) {
    while (hi - lo > 1) {
      const size_t mid = lo + (hi - lo) / 2;
      (fits(breaks[mid]) ? lo : hi) = mid;
    }
    return breaks[lo];
  }
  // A word longer than the width: break it where it overflows, after at
  // least one character.
  int good = start + 1, bad = breaks[first];
  if (bad <= good) return good;
  while (bad - good > 1) {
    const int mid = good + (bad - good) / 2;
    (fits(mid) ? good : bad) = mid;
  }
  return good;
}

// Splits text into lines (wrapping at spaces when a width is given) and
// resolves accelerator marks.
std::vector<TextLine> LayoutText(const TCanvas& canvas, const QString& text, int width, bool wrap,
                                 bool accel) {
  QString plain;
  int accelIndex = -1;
  if (accel) {
    for (int i = 0; i < text.size(); ++i) {
      if (text[i] == '&' && i + 1 < text.size()) {
        ++i;
        if (text[i] != '&' && accelIndex < 0) accelIndex = int(plain.size());
      }
      plain += text[i];
    }
  } else {
    plain = text;
  }
  std::vector<TextLine> lines;
  int offset = 0;
  const QStringList paragraphs = plain.split('\n');
  std::vector<int> breaks;
  for (QString para : paragraphs) {
    if (para.endsWith('\r')) para.chop(1);
    if (!wrap || width <= 0) {
      lines.push_back({para, accelIndex >= offset && accelIndex < offset + para.size() ? accelIndex - offset : -1});
    } else {
      breaks.clear();
      for (int i = 1; i < para.size(); ++i)
        if (para[i] == ' ') breaks.push_back(i);
      breaks.push_back(int(para.size()));
      int start = 0;
      while (start <= para.size()) {
        const int end = start < para.size() ? WrappedLineEnd(canvas, para, breaks, start, width) : int(para.size());
        TextLine line{para.mid(start, end - start), -1};
        const int absStart = offset + start;
        if (accelIndex >= absStart && accelIndex < absStart + line.text.size()) line.accel = accelIndex - absStart;
        lines.push_back(line);
        start = end;
        while (start < para.size() && para[start] == ' ') ++start;
        if (start >= para.size()) break;
      }
    }
    offset += int(para.size()) + 1;
  }
  return lines;
}
}  // namespace

TSize DrawControlText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout,
                      bool wordWrap, bool showAccel, bool measureOnly) {
  const auto lines = LayoutText(canvas, text, rect.Width(), wordWrap, showAccel);
  const int lineHeight = canvas.TextHeight({});
  int maxWidth = 0;
  for (const auto& l : lines) maxWidth = std::max(maxWidth, canvas.TextExtentW(l.text).cx);
  const int total = lineHeight * int(lines.size());
  if (measureOnly) return {maxWidth, total};
  int y = rect.Top;
  if (layout == 1) y = rect.Top + (rect.Height() - total) / 2;
  if (layout == 2) y = rect.Bottom - total;
  canvas.Brush()->SetStyle(bsClear);
  for (const auto& l : lines) {
    const int w = canvas.TextExtentW(l.text).cx;
    int x = rect.Left;
    if (alignment == taRightJustify) x = rect.Right - w;
    if (alignment == taCenter) x = rect.Left + (rect.Width() - w) / 2;
    canvas.TextRectW(rect, x, y, l.text);
    if (l.accel >= 0) {
      const int ux = x + canvas.TextExtentW(l.text.left(l.accel)).cx;
      const int uw = canvas.TextExtentW(l.text.mid(l.accel, 1)).cx;
      const int ascent = canvas.Font()->CellMetrics().ascent;
      const TColor keep = canvas.Brush()->Color();
      canvas.Brush()->SetColor(canvas.Font()->Color());
      canvas.FillRect(Rect(ux, y + ascent + 1, ux + uw, y + ascent + 2));
      canvas.Brush()->SetColor(keep);
      canvas.Brush()->SetStyle(bsClear);
    }
    y += lineHeight;
  }
  return {maxWidth, total};
}

std::vector<std::string> DecodedLines(const std::vector<std::string>& lines, const TFont& font) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const auto& line : lines) out.push_back(font.Decode(line).toStdString());
  return out;
}

void DefineIsControl(TFiler& filer, TPersistent* self) {
  (void)self;
  filer.DefineProperty("IsControl", [](const TFormNode&) {}, [] { return TFormNode::Integer(0); }, false);
}

// ---------------------------------------------------------------------------
// TSyncedStrings

const TClassInfo& TSyncedStrings::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TSyncedStrings>("TStrings", &TStrings::StaticClassInfo()).Build();
  return info;
}

std::string TSyncedStrings::Get(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return lines_[size_t(index)];
}
void TSyncedStrings::Put(int index, const std::string& s) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  lines_[size_t(index)] = s;
  Changed();
}
void TSyncedStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) ListIndexError(index);
  lines_.insert(lines_.begin() + index, s);
  Changed();
}
void TSyncedStrings::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  lines_.erase(lines_.begin() + index);
  Changed();
}
void TSyncedStrings::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}
void TSyncedStrings::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Changed();
}
void TSyncedStrings::AddLines(std::vector<std::string>&& lines) {
  if (lines.empty()) return;
  lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  Changed();
}
void TSyncedStrings::SetUpdateState(bool updating) {
  if (!updating && pending_) {
    pending_ = false;
    if (OnChanged) OnChanged();
  }
}
void TSyncedStrings::Changed() {
  if (UpdateCount() > 0) {
    pending_ = true;
    return;
  }
  if (OnChanged) OnChanged();
}

// ---------------------------------------------------------------------------
// TStockBox

const TClassInfo& TStockBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TStockBox> b("TStockBox", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b);
    return b.Build();
  }();
  return info;
}

TStockBox::TStockBox(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(false);
}

static void PaintBoxFace(TCanvas& c, TControl* control, int frame, bool showName, int w, int h) {
  TRect r = Rect(0, 0, w, h);
  if (frame == 1) Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
  if (frame == 2) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  if (frame == 3) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  if (!showName) return;
  TFont f;
  f.SetName("Small Fonts");
  f.SetHeight(-9);
  f.SetColor(clGrayText);
  c.SetFont(f);
  c.Brush()->SetStyle(bsClear);
  c.TextRectW(r, r.Left + 2, r.Top + 1, QString::fromStdString(control->ClassName()));
}

void TStockBox::Paint() { PaintBoxFace(*Canvas(), this, frame_, showClassName_, Width(), Height()); }

const TClassInfo& TStockGraphicBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TStockGraphicBox> b("TStockGraphicBox", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    return b.Build();
  }();
  return info;
}

TStockGraphicBox::TStockGraphicBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TStockGraphicBox::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.FillRect(Rect(0, 0, Width(), Height()));
  PaintBoxFace(c, this, 1, true, Width(), Height());
}

// ---------------------------------------------------------------------------
// TCustomLabel

const TClassInfo& TCustomLabel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomLabel>("TCustomLabel", &TGraphicControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TLabel> b("TLabel", &TCustomLabel::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Color").Publish("Font").Publish("ParentColor").Publish("ParentFont");
    b.Enum("Alignment", AlignmentEnumInfo(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
        .Publish("AutoSize", 1)
        .Publish("Caption")
        .EnumField("EllipsisPosition", EllipsisPositionEnumInfo(), 0)
        .Reference("FocusControl", &TComponent::StaticClassInfo, &TLabel::FocusControl,
                   [](TLabel* l, TPersistent* v) { l->SetFocusControl(dynamic_cast<TComponent*>(v)); })
        .IntegerField("GlowSize", 0)
        .Enum("Layout", TextLayoutEnumInfo(), &TLabel::Layout, &TLabel::SetLayout, tlTop)
        .Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true)
        .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
    return b.Build();
  }();
  return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}
void TCustomLabel::SetLayout(TTextLayout v) {
  if (layout_ == v) return;
  layout_ = v;
  Invalidate();
}
void TCustomLabel::SetWordWrap(bool v) {
  if (wordWrap_ == v) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}
void TCustomLabel::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  Invalidate();
}
void TCustomLabel::SetShowAccelChar(bool v) {
  if (showAccelChar_ == v) return;
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}
void TCustomLabel::SetFocusControl(TComponent* c) {
  if (focusControl_ == c) return;
  focusControl_ = c;
  if (c) c->FreeNotification(this);
}
void TCustomLabel::SetAutoSize(bool v) {
  if (AutoSize() == v) return;
  TControl::SetAutoSize(v);
  AdjustBounds();
}
void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}
void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}
void TCustomLabel::DefineProperties(TFiler& filer) {
  TGraphicControl::DefineProperties(filer);
  DefineIsControl(filer, this);
}
void TCustomLabel::CMTextChanged(TMessage& msg) {
  TGraphicControl::CMTextChanged(msg);
  AdjustBounds();
  Invalidate();
}
void TCustomLabel::CMFontChanged(TMessage& msg) {
  TGraphicControl::CMFontChanged(msg);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::AdjustBounds() {
  if (HasState(csLoading) || !AutoSize()) return;
  TCanvas measure;
  measure.SetFont(*Font());
  QString text = LabelText();
  if (text.isEmpty()) text = QStringLiteral(" ");
  const TSize size = DrawControlText(measure, Rect(0, 0, wordWrap_ ? Width() : 0, 0), text, taLeftJustify,
                                     0, wordWrap_, showAccelChar_, true);
  int left = Left();
  const int w = wordWrap_ ? Width() : size.cx;
  if (!wordWrap_ && alignment_ == taRightJustify) left += Width() - w;
  if (!wordWrap_ && alignment_ == taCenter) left += (Width() - w) / 2;
  SetBounds(left, Top(), w, size.cy);
}

void TCustomLabel::Paint() {
  TCanvas& c = *Canvas();
  const TRect r = Rect(0, 0, Width(), Height());
  if (!transparent_) {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
  }
  c.SetFont(*Font());
  DrawCaptionText(c, r, LabelText(), alignment_, layout_, wordWrap_, showAccelChar_, Enabled());
}

// ---------------------------------------------------------------------------
// TEdit

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TEdit> b("TEdit", &TCustomEdit::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    b.EnumField("Alignment", EditAlignmentEnumInfo(), taLeftJustify)
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
    groups::PublishWindowed(b, 1);
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
    for (size_t i = size_t(firstAppended); i < lines->lines_.size(); ++i)
      added << font.Decode(lines->lines_[i]);
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

// ---------------------------------------------------------------------------
// TButton

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TButton> b("TButton", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b, 1);
    b.Reference("Action", &TComponent::StaticClassInfo, [](const TButton*) -> TComponent* { return nullptr; },
                [](TButton*, TPersistent*) {})
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Publish("Caption")
        .StringField("CommandLinkHint")
        .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
        .IntegerField("DisabledImageIndex", -1)
        .Reference("DropDownMenu", &TComponent::StaticClassInfo,
                   [](const TButton*) -> TComponent* { return nullptr; }, [](TButton*, TPersistent*) {})
        .BoolField("ElevationRequired", false)
        .IntegerField("HotImageIndex", -1)
        .StringField("DisabledImageName")
        .StringField("HotImageName")
        .StringField("ImageName")
        .StringField("PressedImageName")
        .StringField("SelectedImageName")
        .Reference("Images", &TComponent::StaticClassInfo,
                   [](const TButton*) -> TComponent* { return nullptr; }, [](TButton*, TPersistent*) {})
        .EnumField("ImageAlignment", ImageAlignmentEnumInfo(), 0)
        .IntegerField("ImageIndex", -1)
        .Object("ImageMargins", &TMargins::StaticClassInfo, &TButton::ImageMargins)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0)
        .IntegerField("PressedImageIndex", -1)
        .IntegerField("SelectedImageIndex", -1)
        .EnumField("Style", ButtonStyleEnumInfo(), 0)
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
    groups::PublishWindowed(b, 1);
    b.Reference("Action", &TComponent::StaticClassInfo, [](const TCheckBox*) -> TComponent* { return nullptr; },
                [](TCheckBox*, TPersistent*) {})
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
    b.Reference("Action", &TComponent::StaticClassInfo,
                [](const TRadioButton*) -> TComponent* { return nullptr; }, [](TRadioButton*, TPersistent*) {})
        .Enum("Alignment", LeftRightEnumInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment,
              taRightJustify)
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

// ---------------------------------------------------------------------------
// TCustomListBox

const TClassInfo& TCustomListBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomListBox>("TCustomListBox", &TWinControl::StaticClassInfo()).Build();
  return info;
}

template <class C>
static void PublishListBox(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, 1);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .IntegerField("AutoCompleteDelay", 500)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .Integer("Columns", &C::Columns, &C::SetColumns, 0)
      .BoolField("ExtendedSelect", true)
      .BoolField("IntegralHeight", false)
      .IntegerField("ItemHeight", 16)
      .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
      .StoredWhen([](const C*) { return false; })
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false)
      .IntegerField("ScrollWidth", 0)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .EnumField("Style", ListBoxStyleEnumInfo(), lbStandard)
      .IntegerField("TabWidth", 0)
      .Event("OnData", &C::OnData)
      .Event("OnDataFind", &C::OnDataFind)
      .Event("OnDataObject", &C::OnDataObject)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnMeasureItem", &C::OnMeasureItem);
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TListBox> b("TListBox", &TCustomListBox::StaticClassInfo());
    PublishListBox(b);
    return b.Build();
  }();
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TSyncedStrings>()) {
  SetControlStyle(csSetCaption | csDoubleClicks | csClickEvents);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChanged = [this] { FillWidget(); };
}
TCustomListBox::~TCustomListBox() { items_->OnChanged = nullptr; }

void TCustomListBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}
int TCustomListBox::ItemIndex() const { return list_ ? list_->currentRow() : itemIndex_; }
void TCustomListBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (list_) list_->setCurrentRow(v);
}
void TCustomListBox::SetMultiSelect(bool v) {
  multiSelect_ = v;
  if (list_) list_->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}
void TCustomListBox::SetSorted(bool v) {
  sorted_ = v;
  if (v) std::sort(const_cast<std::vector<std::string>&>(items_->Lines()).begin(),
                   const_cast<std::vector<std::string>&>(items_->Lines()).end());
  FillWidget();
}
void TCustomListBox::SetColumns(int v) {
  columns_ = v;
  if (list_) {
    list_->setFlow(v > 0 ? QListView::TopToBottom : QListView::TopToBottom);
    list_->setWrapping(v > 0);
  }
}
void TCustomListBox::SetBorderStyle(TEditBorderStyle v) {
  borderStyle_ = v;
  if (list_) list_->setFrameShape(v == ebsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
}
QListWidget* TCustomListBox::ListWidget() const { return list_.data(); }

QWidget* TCustomListBox::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* l = new QListWidget(parentWidget);
  l->setUniformItemSizes(true);
  QObject::connect(l, &QListWidget::currentRowChanged, l, [this](int row) { itemIndex_ = row; });
  list_ = l;
  return l;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  SetMultiSelect(multiSelect_);
  SetBorderStyle(borderStyle_);
  SetColumns(columns_);
  ApplyControlPalette(list_, this, true);
  FillWidget();
}

void TCustomListBox::FillWidget() {
  if (!list_) return;
  const int keep = itemIndex_;
  list_->clear();
  const TFont& font = *Font();
  for (const auto& s : items_->Lines()) list_->addItem(font.Decode(s));
  if (keep >= 0 && keep < list_->count()) list_->setCurrentRow(keep);
  itemIndex_ = keep;
}

void TCustomListBox::ReportContent(TContentReport& report) const {
  report.AddStrings("items", DecodedLines(items_->Lines(), *Font()));
}

void TCustomListBox::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(list_, this, true);
  FillWidget();
}
void TCustomListBox::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(list_, this, true);
}

// ---------------------------------------------------------------------------
// TCustomComboBox

const TClassInfo& TCustomComboBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomComboBox>("TCustomComboBox", &TWinControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TComboBox> b("TComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    b.BoolField("AutoComplete", true)
        .IntegerField("AutoCompleteDelay", 500)
        .BoolField("AutoCloseUp", false)
        .BoolField("AutoDropDown", false)
        .BoolField("AutoDropDownWidth", false)
        .EnumField("CharCase", EditCharCaseEnumInfo(), ecNormal)
        .IntegerField("DropDownCount", 8)
        .IntegerField("DropDownWidth", 0)
        .BoolField("ExtendedUI", false)
        .IntegerField("ItemHeight", 16)
        .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1)
        .Object("Items", &TStrings::StaticClassInfo, &TComboBox::Items, &TComboBox::SetItems)
        .IntegerField("MaxLength", 0)
        .Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, false)
        .Enum("Style", ComboBoxStyleEnumInfo(), &TComboBox::Style, &TComboBox::SetStyle, csDropDown)
        .Publish("Text")
        .StringField("TextHint")
        .Event("OnChange", &TComboBox::OnChange)
        .Event("OnCloseUp", &TComboBox::OnCloseUp)
        .Event("OnDrawItem", &TComboBox::OnDrawItem)
        .Event("OnDropDown", &TComboBox::OnDropDown)
        .Event("OnMeasureItem", &TComboBox::OnMeasureItem)
        .Event("OnSelect", &TComboBox::OnSelect);
    return b.Build();
  }();
  return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TSyncedStrings>()) {
  SetControlStyle(csSetCaption | csDoubleClicks | csClickEvents);
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChanged = [this] { FillWidget(); };
}
TCustomComboBox::~TCustomComboBox() { items_->OnChanged = nullptr; }

void TCustomComboBox::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}
void TCustomComboBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (v >= 0 && v < items_->Count() && !HasState(csLoading)) TControl::SetText(items_->Get(v));
  FillWidget();
}
void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  style_ = v;
  FillWidget();
}
void TCustomComboBox::SetText(const std::string& v) {
  TWinControl::SetText(v);
  if (combo_ && !filling_ && combo_->isEditable()) combo_->setEditText(DisplayText());
}
QComboBox* TCustomComboBox::ComboWidget() const { return combo_.data(); }

QWidget* TCustomComboBox::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* c = new QComboBox(parentWidget);
  QObject::connect(c, &QComboBox::activated, c, [this](int index) {
    itemIndex_ = index;
    if (index >= 0 && index < items_->Count()) TControl::SetText(items_->Get(index));
    if (OnSelect) OnSelect.code(this);
    if (OnChange) OnChange.code(this);
  });
  combo_ = c;
  return c;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyControlPalette(combo_, this, true);
  FillWidget();
}

void TCustomComboBox::FillWidget() {
  if (!combo_) return;
  filling_ = true;
  combo_->clear();
  combo_->setEditable(style_ == csDropDown || style_ == csSimple);
  const TFont& font = *Font();
  std::vector<std::string> items = items_->Lines();
  if (sorted_) std::sort(items.begin(), items.end());
  for (const auto& s : items) combo_->addItem(font.Decode(s));
  combo_->setCurrentIndex(itemIndex_ < combo_->count() ? itemIndex_ : -1);
  if (combo_->isEditable()) combo_->setEditText(DisplayText());
  filling_ = false;
}

void TCustomComboBox::ReportContent(TContentReport& report) const {
  std::vector<std::string> items = items_->Lines();
  if (sorted_) std::sort(items.begin(), items.end());
  report.AddStrings("items", DecodedLines(items, *Font()));
}

void TCustomComboBox::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(combo_, this, true);
  FillWidget();
}
void TCustomComboBox::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(combo_, this, true);
}

// ---------------------------------------------------------------------------
// TScrollBar

const TClassInfo& TScrollBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TScrollBar> b("TScrollBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Ctl3D").Publish("ParentCtl3D");
    groups::PublishWindowed(b, 1);
    b.Enum("Kind", ScrollBarKindEnumInfo(), &TScrollBar::Kind, &TScrollBar::SetKind, 0)
        .Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1)
        .Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100)
        .Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0)
        .Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
        .Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0)
        .Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1)
        .Event("OnChange", &TScrollBar::OnChange)
        .Event("OnScroll", &TScrollBar::OnScroll);
    return b.Build();
  }();
  return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csDoubleClicks);
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TScrollBar::SetKind(int v) {
  if (kind_ == v) return;
  kind_ = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Apply();
}
void TScrollBar::SetPosition(int v) {
  if (position_ == v) return;
  position_ = v;
  Apply();
  if (!HasState(csLoading) && OnChange) OnChange.code(this);
}

QWidget* TScrollBar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* s = new QScrollBar(parentWidget);
  QObject::connect(s, &QScrollBar::valueChanged, s, [this](int v) {
    if (!applying_) SetPosition(v);
  });
  bar_ = s;
  return s;
}
void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TScrollBar::Apply() {
  if (!bar_) return;
  applying_ = true;
  bar_->setOrientation(kind_ == 0 ? Qt::Horizontal : Qt::Vertical);
  bar_->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
  bar_->setPageStep(std::max(1, pageSize_ > 0 ? pageSize_ : largeChange_));
  bar_->setSingleStep(smallChange_);
  bar_->setValue(position_);
  applying_ = false;
}

// ---------------------------------------------------------------------------
// TGroupBox

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomGroupBox>("TCustomGroupBox", &TCustomControl::StaticClassInfo())
          .BoolField("DefaultHeaderFont", true).Protected()
          .Object("HeaderFont", &TFont::StaticClassInfo, &TCustomGroupBox::HeaderFont).Protected()
          .BoolField("ShowFrame", true).Protected()
          .Build();
  return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TGroupBox> b("TGroupBox", &TCustomGroupBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Caption").Publish("DefaultHeaderFont").Publish("HeaderFont").Publish("ShowFrame");
    return b.Build();
  }();
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 185, 105);
  SetColor(clBtnFace);
  SetParentColor(true);
}

TCustomGroupBox::~TCustomGroupBox() = default;

const TFont& TCustomGroupBox::CaptionFont() const {
  const TFieldValue* useDefault = FindField("DefaultHeaderFont");
  return useDefault && useDefault->ord == 0 ? *headerFont_ : *Font();
}

static int CaptionHeight(const TFont& font) {
  TCanvas measure;
  measure.SetFont(font);
  return measure.TextExtentW(QStringLiteral("0")).cy;
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  rect.Top += CaptionHeight(CaptionFont());
  InflateRect(rect, -1, -1);
  if (Ctl3D()) InflateRect(rect, -1, -1);
}

void TCustomGroupBox::Paint() {
  TCanvas& c = *Canvas();
  const TFont& font = CaptionFont();
  const int h = CaptionHeight(font);
  const TFieldValue* showFrame = FindField("ShowFrame");
  TRect r = Rect(0, h / 2 - 1, Width(), Height());
  if (showFrame && showFrame->ord == 0) {
    // No frame: the caption alone.
  } else if (Ctl3D()) {
    TRect outer = r;
    outer.Left += 1;
    outer.Top += 1;
    c.Brush()->SetStyle(bsClear);
    Frame3D(c, outer, clBtnHighlight, clBtnHighlight, 1);
    TRect inner = r;
    inner.Right -= 1;
    inner.Bottom -= 1;
    Frame3D(c, inner, clBtnShadow, clBtnShadow, 1);
  } else {
    Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  }
  if (!Caption().empty()) {
    const QString text = font.Decode(Caption());
    c.SetFont(font);
    TCanvas measure;
    measure.SetFont(font);
    const TSize size = DrawControlText(measure, Rect(0, 0, 0, 0), text, 0, 0, false, true, true);
    const TRect cap = Bounds(8, 0, size.cx + 2, h);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(cap);
    DrawCaptionText(c, Rect(9, 0, 9 + size.cx + 1, h), text, 0, 0, false, true, Enabled());
  }
}

void TCustomGroupBox::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  Invalidate();
}
void TCustomGroupBox::CMFontChanged(TMessage& msg) {
  TCustomControl::CMFontChanged(msg);
  Realign();
  Invalidate();
}

// ---------------------------------------------------------------------------
// TStaticText

const TClassInfo& TStaticText::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TStaticText> b("TStaticText", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    groups::PublishBevels(b);
    b.Enum("Alignment", AlignmentEnumInfo(), &TStaticText::Alignment, &TStaticText::SetAlignment, taLeftJustify)
        .Publish("AutoSize", 1)
        .Enum("BorderStyle", StaticBorderStyleEnumInfo(), &TStaticText::BorderStyle, &TStaticText::SetBorderStyle,
              sbsNone)
        .Publish("Caption")
        .Reference("FocusControl", &TComponent::StaticClassInfo, &TStaticText::FocusControl,
                   [](TStaticText* t, TPersistent* v) { t->SetFocusControl(dynamic_cast<TComponent*>(v)); })
        .Bool("ShowAccelChar", &TStaticText::ShowAccelChar, &TStaticText::SetShowAccelChar, true)
        .Bool("Transparent", &TStaticText::Transparent, &TStaticText::SetTransparent, false);
    return b.Build();
  }();
  return info;
}

TStaticText::TStaticText(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetColor(clBtnFace);
  SetParentColor(true);
  TControl::SetAutoSize(true);
}

void TStaticText::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TStaticText::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  Invalidate();
}

void TStaticText::Paint() {
  TCanvas& c = *Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (borderStyle_ == sbsSunken) Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
  if (borderStyle_ == sbsSingle) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  c.SetFont(*Font());
  DrawControlText(c, r, DisplayText(), alignment_, 0, false, showAccelChar_);
}
