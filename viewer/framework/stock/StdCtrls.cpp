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
STOCK_ENUM_SHARED(ScrollCodeEnumInfo, "TScrollCode", "scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition",
                  "scTrack", "scTop", "scBottom", "scEndScroll")
STOCK_ENUM_SHARED(
    EllipsisPositionEnumInfo, "TEllipsisPosition", "epNone", "epPathEllipsis", "epEndEllipsis", "epWordEllipsis")
STOCK_ENUM_SHARED(ButtonStyleEnumInfo, "TCustomButton.TButtonStyle", "bsPushButton", "bsCommandLink", "bsSplitButton")
STOCK_ENUM_SHARED(ImageAlignmentEnumInfo, "TImageAlignment", "iaLeft", "iaRight", "iaTop", "iaBottom", "iaCenter")

// ---------------------------------------------------------------------------
// Helpers

void DrawCaptionText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout, bool wordWrap,
                     bool showAccelChar, bool enabled) {
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
int WrappedLineEnd(const TCanvas& canvas, const QString& para, const std::vector<int>& breaks, int start, int width) {
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
std::vector<TextLine> LayoutText(const TCanvas& canvas, const QString& text, int width, bool wrap, bool accel) {
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

TSize DrawControlText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout, bool wordWrap,
                      bool showAccel, bool measureOnly) {
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
  filer.DefineProperty(
      "IsControl", [](const TFormNode&) {}, [] { return TFormNode::Integer(0); }, false);
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
        .EnumField("EllipsisPosition", EllipsisPositionEnumInfo(), "epNone")
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
  const TSize size = DrawControlText(
      measure, Rect(0, 0, wordWrap_ ? Width() : 0, 0), text, taLeftJustify, 0, wordWrap_, showAccelChar_, true);
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
// TScrollBar

const TClassInfo& TScrollBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TScrollBar> b("TScrollBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Ctl3D").Publish("ParentCtl3D");
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.Enum("Kind", ScrollBarKindEnumInfo(), &TScrollBar::Kind, &TScrollBar::SetKind, sbHorizontal)
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

void TScrollBar::SetKind(TScrollBarKind v) {
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
  bar_->setOrientation(kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
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
          .BoolField("DefaultHeaderFont", true)
          .Protected()
          .Object("HeaderFont", &TFont::StaticClassInfo, &TCustomGroupBox::HeaderFont)
          .Protected()
          .BoolField("ShowFrame", true)
          .Protected()
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
