#include "ExtCtrls.h"

#include <algorithm>

#include <QComboBox>
#include <QPainter>
#include <QPixmap>

#include "StockEnum.h"
#include "controls/ContentReport.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"

STOCK_ENUM_SHARED(BevelShapeEnumInfo, "TBevelShape", "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                  "bsRightLine", "bsSpacer")
STOCK_ENUM_SHARED(BevelStyleEnumInfo, "TBevelStyle", "bsLowered", "bsRaised")
STOCK_ENUM_SHARED(
    ShapeTypeEnumInfo, "TShapeType", "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle")
STOCK_ENUM_SHARED(PanelBorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")
STOCK_ENUM_SHARED(ResizeStyleEnumInfo, "TResizeStyle", "rsNone", "rsLine", "rsUpdate", "rsPattern")
STOCK_ENUM_SHARED(ColorBoxStyleEnumInfo, "TColorBoxStyles", "cbStandardColors", "cbExtendedColors", "cbSystemColors",
                  "cbIncludeNone", "cbIncludeDefault", "cbCustomColor", "cbPrettyNames", "cbCustomColors")
STOCK_ENUM_SHARED(BandPaintOptionEnumInfo, "TBandPaintOption", "bpoGrabber", "bpoFrame", "bpoGradient", "bpoRoundRect")
STOCK_ENUM_SHARED(BandDrawingStyleEnumInfo, "TBandDrawingStyle", "dsNormal", "dsGradient")
STOCK_ENUM_SHARED(GradientDirectionEnumInfo, "TGradientDirection", "gdHorizontal", "gdVertical")
STOCK_ENUM_SHARED(HeaderBorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")

// ---------------------------------------------------------------------------
// TCustomPanel

const TClassInfo& TCustomPanel::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCustomPanel>("TCustomPanel", &TCustomControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPanel> b("TPanel", &TCustomPanel::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Default("UseDockManager", 1)
        .Enum("Alignment", AlignmentEnumInfo(), &TPanel::Alignment, &TPanel::SetAlignment, taCenter)
        .Publish("AutoSize")
        .Enum("BevelInner", BevelCutEnumInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner, bvNone)
        .Enum("BevelOuter", BevelCutEnumInfo(), &TPanel::BevelOuter, &TPanel::SetBevelOuter, bvRaised)
        .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1)
        .Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, 0)
        .Enum("BorderStyle", PanelBorderStyleEnumInfo(), &TPanel::BorderStyle, &TPanel::SetBorderStyle, bsNone)
        .Publish("Caption")
        .BoolField("FullRepaint", true)
        .BoolField("Locked", false)
        .Bool("ShowCaption", &TPanel::ShowCaption, &TPanel::SetShowCaption, true)
        .Enum("VerticalAlignment", VerticalAlignmentEnumInfo(), &TPanel::VerticalAlignment,
              &TPanel::SetVerticalAlignment, taVerticalCenter);
    return b.Build();
  }();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks | csReplicatable);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(false);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut v) {
  bevelInner_ = v;
  Changed();
}
void TCustomPanel::SetBevelOuter(TBevelCut v) {
  bevelOuter_ = v;
  Changed();
}
void TCustomPanel::SetBevelWidth(int v) {
  bevelWidth_ = v;
  Changed();
}
void TCustomPanel::SetBorderWidth(int v) {
  borderWidth_ = v;
  Changed();
}
void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  borderStyle_ = v;
  Changed();
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int border = borderWidth_;
  if (bevelOuter_ != bvNone) border += bevelWidth_;
  if (bevelInner_ != bvNone) border += bevelWidth_;
  if (borderStyle_ == bsSingle) border += Ctl3D() ? 2 : 1;
  InflateRect(rect, -border, -border);
}

void TCustomPanel::Paint() {
  TCanvas& c = *Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  c.FillRect(r);
  if (borderStyle_ == bsSingle) {
    if (Ctl3D()) {
      Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
      Frame3D(c, r, cl3DDkShadow, cl3DLight, 1);
    } else {
      Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
    }
  }
  DrawBevelCut(c, r, bevelOuter_, bevelWidth_);
  InflateRect(r, -borderWidth_, -borderWidth_);
  DrawBevelCut(c, r, bevelInner_, bevelWidth_);
  if (showCaption_ && !Caption().empty()) {
    c.SetFont(*Font());
    const int layout = verticalAlignment_ == taAlignTop ? 0 : verticalAlignment_ == taAlignBottom ? 2 : 1;
    DrawControlText(c, r, DisplayText(), alignment_, layout, false, true);
  }
}

void TCustomPanel::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  Invalidate();
}

// ---------------------------------------------------------------------------
// TCustomRadioGroup

const TClassInfo& TCustomRadioGroup::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", &TCustomGroupBox::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TRadioGroup::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TRadioGroup> b("TRadioGroup", &TCustomRadioGroup::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Caption")
        .Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns, 1)
        .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex, -1)
        .Object("Items", &TStrings::StaticClassInfo, &TRadioGroup::Items, &TRadioGroup::SetItems)
        .Publish("DefaultHeaderFont")
        .Publish("HeaderFont")
        .Publish("ShowFrame")
        .BoolField("WordWrap", false);
    return b.Build();
  }();
  return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TSyncedStrings>()) {
  items_->OnChanged = [this] { UpdateButtons(); };
}
TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChanged = nullptr; }

void TCustomRadioGroup::SetItems(TStrings* items) {
  if (items) items_->Assign(*items);
}
void TCustomRadioGroup::SetItemIndex(int v) {
  itemIndex_ = v;
  if (HasState(csLoading)) return;
  updating_ = true;
  for (int i = 0; i < int(buttons_.size()); ++i) buttons_[size_t(i)]->SetChecked(i == v);
  updating_ = false;
}
void TCustomRadioGroup::SetColumns(int v) {
  columns_ = std::clamp(v, 1, 16);
  ArrangeButtons();
}
void TCustomRadioGroup::ReportContent(TContentReport& report) const {
  report.AddStrings("items", DecodedLines(items_->Lines(), *Font()));
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}
void TCustomRadioGroup::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  (void)proc;
  (void)root;  // the buttons are the group's own, made from Items
}

void TCustomRadioGroup::UpdateButtons() {
  if (HasState(csLoading)) return;
  while (int(buttons_.size()) > items_->Count()) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (int(buttons_.size()) < items_->Count()) {
    auto* b = new TRadioButton(this);
    b->OnClick.code = [this, b](TPersistent*) {
      if (updating_) return;
      for (int i = 0; i < int(buttons_.size()); ++i)
        if (buttons_[size_t(i)] == b) itemIndex_ = i;
      Click();
    };
    b->SetParent(this);
    buttons_.push_back(b);
  }
  updating_ = true;
  for (int i = 0; i < int(buttons_.size()); ++i) {
    buttons_[size_t(i)]->SetCaption(items_->Get(i));
    buttons_[size_t(i)]->SetChecked(i == itemIndex_);
  }
  updating_ = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const int h = [this] {
    TCanvas m;
    m.SetFont(*Font());
    return m.TextExtentW(QStringLiteral("0")).cy;
  }();
  const int cols = std::max(1, columns_);
  const int rows = (int(buttons_.size()) + cols - 1) / cols;
  const int colWidth = (Width() - 10) / cols;
  const int top = h + 1;
  const int itemHeight = std::max(1, (Height() - top - 5) / std::max(1, rows));
  for (int i = 0; i < int(buttons_.size()); ++i) {
    const int col = i / rows, row = i % rows;
    buttons_[size_t(i)]->SetBounds(
        8 + col * colWidth, top + row * itemHeight + (itemHeight - h - 4) / 2, std::max(1, colWidth - 2), h + 4);
  }
}

void TCustomRadioGroup::WMSize(TWMSize& msg) {
  TCustomGroupBox::WMSize(msg);
  ArrangeButtons();
}
void TCustomRadioGroup::CMFontChanged(TMessage& msg) {
  TCustomGroupBox::CMFontChanged(msg);
  ArrangeButtons();
}

// ---------------------------------------------------------------------------
// TBevel

const TClassInfo& TBevel::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TBevel> b("TBevel", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("ParentShowHint")
        .Enum("Shape", BevelShapeEnumInfo(), &TBevel::Shape, &TBevel::SetShape, bsBox)
        .Enum("Style", BevelStyleEnumInfo(), &TBevel::Style, &TBevel::SetStyle, bsLowered);
    return b.Build();
  }();
  return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::DefineProperties(TFiler& filer) {
  TGraphicControl::DefineProperties(filer);
  DefineIsControl(filer, this);
}

void TBevel::Paint() {
  TCanvas& c = *Canvas();
  const TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](int x1, int y1, int x2, int y2, TColor col) {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(col);
    c.FillRect(Rect(x1, y1, x2, y2));
  };
  TRect r = Rect(0, 0, w, h);
  switch (shape_) {
    case bsBox: Frame3D(c, r, c1, c2, 1); break;
    case bsFrame: {
      TRect a = Rect(0, 0, w - 1, h - 1), b = Rect(1, 1, w, h);
      Frame3D(c, b, c2, c2, 1);
      Frame3D(c, a, c1, c1, 1);
      break;
    }
    case bsTopLine:
      line(0, 0, w, 1, c1);
      line(0, 1, w, 2, c2);
      break;
    case bsBottomLine:
      line(0, h - 2, w, h - 1, c1);
      line(0, h - 1, w, h, c2);
      break;
    case bsLeftLine:
      line(0, 0, 1, h, c1);
      line(1, 0, 2, h, c2);
      break;
    case bsRightLine:
      line(w - 2, 0, w - 1, h, c1);
      line(w - 1, 0, w, h, c2);
      break;
    case bsSpacer: break;
  }
}

// ---------------------------------------------------------------------------
// TShape

const TClassInfo& TShape::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TShape> b("TShape", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Object("Brush", &TBrush::StaticClassInfo, &TShape::Brush)
        .Object("Pen", &TPen::StaticClassInfo, &TShape::Pen)
        .Enum("Shape", ShapeTypeEnumInfo(), &TShape::Shape, &TShape::SetShape, stRectangle);
    return b.Build();
  }();
  return info;
}

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  SetBounds(0, 0, 65, 65);
  pen_->OnChange = [this] { Invalidate(); };
  brush_->OnChange = [this] { Invalidate(); };
}

void TShape::DefineProperties(TFiler& filer) {
  TGraphicControl::DefineProperties(filer);
  DefineIsControl(filer, this);
}

void TShape::Paint() {
  TCanvas& c = *Canvas();
  c.SetPen(*pen_);
  c.SetBrush(*brush_);
  const int pw = pen_->Width();
  int x = pw / 2, y = pw / 2;
  int w = Width() - pw + 1, h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  if (w < h && (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle)) {
    y += (h - w) / 2;
    h = w;
  } else if (h < w && (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle)) {
    x += (w - h) / 2;
    w = h;
  }
  switch (shape_) {
    case stRectangle:
    case stSquare: c.Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c.RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case stEllipse:
    case stCircle: c.Ellipse(x, y, x + w, y + h); break;
  }
}

// ---------------------------------------------------------------------------
// TImage

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TImage> b("TImage", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("AutoSize")
        .Bool("Center", &TImage::Center, &TImage::SetCenter, false)
        .BoolField("IncrementalDisplay", false)
        .Object("Picture", &TPicture::StaticClassInfo, &TImage::Picture, &TImage::SetPicture)
        .Bool("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent, false)
        .Event("OnProgress", &TImage::OnProgress)
        .Event("OnFindGraphicClass", &TImage::OnFindGraphicClass);
    return b.Build();
  }();
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this] { PictureChanged(); };
}

void TImage::SetPicture(TPicture* p) {
  if (p) picture_->Assign(*p);
}
void TImage::SetTransparent(bool v) {
  transparent_ = v;
  if (picture_->Graphic()) picture_->Graphic()->SetTransparent(v);
  Invalidate();
}
void TImage::SetAutoSize(bool v) {
  TGraphicControl::SetAutoSize(v);
  PictureChanged();
}
void TImage::DefineProperties(TFiler& filer) {
  TGraphicControl::DefineProperties(filer);
  DefineIsControl(filer, this);
}
void TImage::Loaded() {
  TGraphicControl::Loaded();
  if (transparent_ && picture_->Graphic()) picture_->Graphic()->SetTransparent(true);
}

void TImage::PictureChanged() {
  if (AutoSize() && !HasState(csLoading) && picture_->Width() > 0 && picture_->Height() > 0)
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  if (transparent_ && picture_->Graphic()) picture_->Graphic()->SetTransparent(true);
  Invalidate();
}

TRect TImage::DestRect() const {
  int w = picture_->Width(), h = picture_->Height();
  const int cw = Width(), ch = Height();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      if (cw * h > ch * w) {
        w = w * ch / h;
        h = ch;
      } else {
        h = h * cw / w;
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  int x = 0, y = 0;
  if (center_) {
    x = (cw - w) / 2;
    y = (ch - h) / 2;
  }
  return Bounds(x, y, w, h);
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  g->Draw(*Canvas(), DestRect());
}

// ---------------------------------------------------------------------------
// TPaintBox

const TClassInfo& TPaintBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPaintBox> b("TPaintBox", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Color")
        .Publish("Font")
        .Publish("ParentColor")
        .Publish("ParentFont")
        .Event("OnPaint", &TPaintBox::OnPaint);
    return b.Build();
  }();
  return info;
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  Canvas()->SetFont(*Font());
  Canvas()->Brush()->SetColor(Color());
  if (OnPaint) OnPaint.code(this);
}

// ---------------------------------------------------------------------------
// TSplitter

const TClassInfo& TSplitter::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TSplitter> b("TSplitter", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Default("Align", alLeft)
        .BoolField("AutoSnap", true)
        .Bool("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled, false)
        .Publish("Color")
        .Publish("ParentColor")
        .IntegerField("MinSize", 30)
        .EnumField("ResizeStyle", ResizeStyleEnumInfo(), "rsPattern")
        .Event("OnMoved", &TSplitter::OnMoved)
        .Event("OnPaint", &TSplitter::OnPaint);
    return b.Build();
  }();
  return info;
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crHSplit);
}

void TSplitter::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  c.FillRect(Rect(0, 0, Width(), Height()));
  if (beveled_) {
    TRect r = Rect(0, 0, Width(), Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  }
}

// ---------------------------------------------------------------------------
// TNotebook, THeader, TControlBar

const TClassInfo& TNotebook::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TNotebook> b("TNotebook", &TStockBox::StaticClassInfo());
    b.String("ActivePage", &TNotebook::ActivePage, &TNotebook::SetActivePage)
        .StoredWhen([](const TNotebook*) { return false; })
        .Integer("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex, 0)
        .Object("Pages", &TStrings::StaticClassInfo, &TNotebook::Pages, &TNotebook::SetPages)
        .StoredWhen([](const TNotebook*) { return false; })
        .Event("OnPageChanged", &TNotebook::OnPageChanged);
    return b.Build();
  }();
  return info;
}

TNotebook::TNotebook(TComponent* owner) : TStockBox(owner), pages_(std::make_unique<TSyncedStrings>()) {
  frame_ = 0;
  showClassName_ = false;
  SetBounds(0, 0, 150, 150);
}
TNotebook::~TNotebook() = default;

// While the form is read the pages do not exist yet: the index waits for
// Loaded. A stored index beyond the pages shows none rather than failing.
void TNotebook::SetPageIndex(int v) {
  const bool changed = v != pageIndex_;
  pageIndex_ = v;
  if (HasState(csLoading)) return;
  ShowNotebookPage(*this, pageIndex_);
  if (changed && OnPageChanged) OnPageChanged.code(this);
}

std::string TNotebook::ActivePage() const {
  const auto names = NotebookPageNames(*this);
  return pageIndex_ >= 0 && pageIndex_ < int(names.size()) ? names[size_t(pageIndex_)] : std::string();
}

void TNotebook::SetActivePage(const std::string& caption) {
  const int i = FindNotebookPage(*this, caption);
  if (i >= 0) SetPageIndex(i);
}

void TNotebook::Loaded() {
  TStockBox::Loaded();
  PageCaptionChanged();
  ShowNotebookPage(*this, pageIndex_);
}

void TNotebook::PageCaptionChanged() { pages_->SetLines(NotebookPageNames(*this)); }

void TNotebook::ReportContent(TContentReport& report) const {
  std::vector<std::string> names;
  for (const std::string& n : NotebookPageNames(*this)) names.push_back(Font()->Decode(n).toStdString());
  report.AddStrings("items", names);
  report.AddInteger("pageIndex", pageIndex_);
}

namespace {

// A header's sections as forms store them: "Sections", a list of one string
// per section holding #0, its width in digits, #0 and its text. The texts
// become the lines; lists written as "Strings" read as well.
class THeaderSections : public TSyncedStrings {
 public:
  void DefineProperties(TFiler& filer) override {
    TSyncedStrings::DefineProperties(filer);
    filer.DefineProperty(
        "Sections",
        [this](const TFormNode& v) {
          if (v.type != TValueType::vaList) throw EReadError("Invalid property value");
          std::vector<std::string> texts;
          for (const TFormNode& item : v.list) {
            if (!item.IsString()) throw EReadError("Invalid property value");
            const std::string s = item.AsString();
            const size_t end = s.empty() || s[0] != '\0' ? std::string::npos : s.find('\0', 1);
            texts.push_back(end == std::string::npos ? s : s.substr(end + 1));
          }
          SetLines(std::move(texts));
        },
        nullptr, false);
  }
};

}  // namespace

const TClassInfo& THeader::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<THeader> b("THeader", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b);
    b.BoolField("AllowResize", true)
        .EnumField("BorderStyle", HeaderBorderStyleEnumInfo(), "bsSingle")
        .Object("Sections", &TStrings::StaticClassInfo, &THeader::Sections, &THeader::SetSections)
        .Event("OnSized", &THeader::OnSized)
        .Event("OnSizing", &THeader::OnSizing);
    return b.Build();
  }();
  return info;
}

THeader::THeader(TComponent* owner) : TCustomControl(owner), sections_(std::make_unique<THeaderSections>()) {
  SetBounds(0, 0, 250, 25);
  SetColor(clBtnFace);
  SetParentColor(false);
  sections_->OnChanged = [this] { Invalidate(); };
}
THeader::~THeader() { sections_->OnChanged = nullptr; }

void THeader::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  int x = 0;
  const int n = sections_->Count();
  for (int i = 0; i < std::max(1, n); ++i) {
    const int w = i + 1 < n ? std::max(20, Width() / std::max(1, n)) : Width() - x;
    TRect r = Rect(x, 0, x + w, Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    if (i < n)
      DrawControlText(
          c, Rect(r.Left + 3, r.Top, r.Right, r.Bottom), Font()->Decode(sections_->Get(i)), 0, 1, false, true);
    x += w;
  }
}

const TClassInfo& TControlBar::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TControlBar>("TControlBar", &TStockBox::StaticClassInfo())
          .Publish("AutoSize")
          .BoolField("AutoDock", true)
          .BoolField("AutoDrag", true)
          .Publish("BevelInner")
          .Publish("BevelOuter")
          .Publish("BevelWidth")
          .IntegerField("CornerEdge", 12)
          .EnumField("DrawingStyle", BandDrawingStyleEnumInfo(), "dsNormal")
          .ColorField("GradientStartColor", clWindow)
          .ColorField("GradientEndColor", clBtnFace)
          .EnumField("GradientDirection", GradientDirectionEnumInfo(), "gdVertical")
          .Object("Picture", &TPicture::StaticClassInfo, &TControlBar::Picture)
          .SetField("DrawingStyleOptions", BandPaintOptionEnumInfo(), 3)
          .IntegerField("RowSize", 26)
          .BoolField("RowSnap", true)
          .Event("OnBandDrag", &TControlBar::OnBandDrag)
          .Event("OnBandInfo", &TControlBar::OnBandInfo)
          .Event("OnBandMove", &TControlBar::OnBandMove)
          .Event("OnBandPaint", &TControlBar::OnBandPaint)
          .Event("OnBeginBandMove", &TControlBar::OnBeginBandMove)
          .Event("OnEndBandMove", &TControlBar::OnEndBandMove)
          .Event("OnPaint", &TControlBar::OnPaint)
          .Build();
  return info;
}

TControlBar::TControlBar(TComponent* owner) : TStockBox(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 100, 50);
  showClassName_ = false;
  frame_ = 2;
}
TControlBar::~TControlBar() = default;

void TControlBar::Paint() {
  TStockBox::Paint();
  // Band grabbers beside each child.
  TCanvas& c = *Canvas();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* ch = Controls(i);
    if (!ch->Visible()) continue;
    TRect r = Rect(ch->Left() - 9, ch->Top() - 2, ch->Left() + ch->Width() + 2, ch->Top() + ch->Height() + 2);
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    TRect g = Rect(ch->Left() - 7, ch->Top(), ch->Left() - 4, ch->Top() + ch->Height());
    Frame3D(c, g, clBtnHighlight, clBtnShadow, 1);
  }
}

// ---------------------------------------------------------------------------
// TColorBox

const TClassInfo& TColorBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TColorBox> b("TColorBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.BoolField("AutoComplete", true)
        .IntegerField("AutoCompleteDelay", 500)
        .BoolField("AutoDropDown", false)
        .ColorField("DefaultColorColor", clBlack)
        .IntegerField("DropDownCount", 8)
        .IntegerField("ItemHeight", 16)
        .ColorField("NoneColorColor", clBlack)
        .Color("Selected", &TColorBox::Selected, &TColorBox::SetSelected, clBlack)
        .Set("Style", ColorBoxStyleEnumInfo(), &TColorBox::Style, &TColorBox::SetStyle, 0x43)
        .Event("OnChange", &TColorBox::OnChange)
        .Event("OnCloseUp", &TColorBox::OnCloseUp)
        .Event("OnDropDown", &TColorBox::OnDropDown)
        .Event("OnGetColors", &TColorBox::OnGetColors)
        .Event("OnSelect", &TColorBox::OnSelect);
    return b.Build();
  }();
  return info;
}

TColorBox::TColorBox(TComponent* owner) : TCustomComboBox(owner) {}

void TColorBox::SetSelected(TColor c) {
  selected_ = c;
  FillWidget();
}

void TColorBox::FillWidget() {
  if (!combo_) return;
  static const std::pair<TColor, const char*> standard[] = {
      {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
      {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
      {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
      {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"}};
  combo_->clear();
  int current = -1;
  for (const auto& [color, name] : standard) {
    QPixmap swatch(16, 12);
    swatch.fill(ColorToQColor(color));
    if (color == selected_) current = combo_->count();
    combo_->addItem(QIcon(swatch), QString::fromLatin1(name));
  }
  if (current < 0) {
    QPixmap swatch(16, 12);
    swatch.fill(ColorToQColor(selected_));
    current = combo_->count();
    combo_->addItem(QIcon(swatch), QStringLiteral("Custom..."));
  }
  combo_->setCurrentIndex(current);
}
