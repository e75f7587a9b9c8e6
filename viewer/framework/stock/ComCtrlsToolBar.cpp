// Tool bar layout: buttons in their stored order, in rows of the button
// size, separators and dividers at their own width, wrapping at the bar's
// edge and after buttons that ask for it.
#include "ComCtrls.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>

#include "ImgList.h"
#include "StockEnum.h"
#include "core/FormNode.h"

std::vector<TRect> ToolBarLayout(
    const std::vector<TToolSlot>& places, int barWidth, int indent, int rowHeight, bool wrapable) {
  std::vector<TRect> out;
  int x = indent, y = 0;
  bool rowEmpty = true;
  for (const TToolSlot& slot : places) {
    if (!slot.visible) {
      out.push_back(Rect(0, 0, 0, 0));
      continue;
    }
    if (wrapable && !rowEmpty && x + slot.width > barWidth) {
      x = indent;
      y += rowHeight;
      rowEmpty = true;
    }
    out.push_back(Bounds(x, y, slot.width, rowHeight));
    x += slot.width;
    rowEmpty = false;
    if (slot.wrapAfter) {
      x = indent;
      y += rowHeight;
      rowEmpty = true;
    }
  }
  return out;
}

void TToolButton::SetStyle(int v) {
  if (style_ == v) return;
  style_ = v;
  if (auto* bar = dynamic_cast<TToolBar*>(Parent())) bar->ArrangeButtons();
  Invalidate();
}

void TToolButton::SetWrap(bool v) {
  if (wrap_ == v) return;
  wrap_ = v;
  if (auto* bar = dynamic_cast<TToolBar*>(Parent())) bar->ArrangeButtons();
}

TSize TToolBar::ButtonSize() const {
  TSize size{buttonWidth_, buttonHeight_};
  if (!showCaptions_) return size;
  const auto* list = dynamic_cast<const TCustomImageList*>(images_);
  const int imageWidth = list ? list->Width() : 0, imageHeight = list ? list->Height() : 0;
  TCanvas m;
  m.SetFont(*Font());
  int text = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && !b->IsSeparator())
      text = std::max(text, m.TextExtentW(b->DisplayText()).cx);
  const int textHeight = m.TextExtentW(QStringLiteral("Wg")).cy;
  if (list_) {
    size.cx = std::max(size.cx, imageWidth + text + 11);
    size.cy = std::max(size.cy, std::max(imageHeight, textHeight) + 6);
  } else {
    size.cx = std::max(size.cx, std::max(imageWidth, text) + 8);
    size.cy = std::max(size.cy, imageHeight + textHeight + 8);
  }
  return size;
}

void TToolBar::ArrangeButtons() {
  if (arranging_ || HasState(csLoading)) return;
  arranging_ = true;
  // Every unaligned child takes its turn in the child order: tool buttons
  // at the button size (separators at their own width), other controls
  // (edits, combo boxes, placeholders) at their own size.
  std::vector<TControl*> items;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Align() == alNone) items.push_back(Controls(i));
  const TSize size = ButtonSize();
  std::vector<TToolSlot> places;
  for (TControl* c : items) {
    auto* b = dynamic_cast<TToolButton*>(c);
    const int width = !b || b->IsSeparator() ? c->Width() : size.cx;
    places.push_back({width, b && b->Wrap(), c->Visible()});
  }
  const std::vector<TRect> rects = ToolBarLayout(places, ClientWidth(), indent_, size.cy, wrapable_);
  for (size_t i = 0; i < items.size(); ++i) {
    if (!places[i].visible) continue;
    const bool button = dynamic_cast<TToolButton*>(items[i]) != nullptr;
    items[i]->SetBounds(rects[i].Left, rects[i].Top, rects[i].Width(), button ? rects[i].Height() : items[i]->Height());
  }
  arranging_ = false;
  Invalidate();
}

void TToolBar::Loaded() {
  TCustomControl::Loaded();
  ArrangeButtons();
}

void TToolBar::AlignControls(TControl* control, TRect& rect) {
  TCustomControl::AlignControls(control, rect);
  ArrangeButtons();
}

STOCK_ENUM(ToolButtonStyleEnumInfo, "TToolButtonStyle", "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
           "tbsDivider", "tbsTextButton")
STOCK_ENUM(EdgeBorderEnumInfo, "TEdgeBorder", "ebLeft", "ebTop", "ebRight", "ebBottom")
STOCK_ENUM(EdgeStyleEnumInfo, "TEdgeStyle", "esNone", "esRaised", "esLowered")
STOCK_ENUM(TBDrawingStyleEnumInfo, "TTBDrawingStyle", "dsNormal", "dsGradient")
STOCK_ENUM(TBGradientDrawingOptionEnumInfo, "TTBGradientDrawingOption", "gdoHotTrack", "gdoGradient")
STOCK_ENUM(CoolBandMaximizeEnumInfo, "TCoolBandMaximize", "bmNone", "bmClick", "bmDblClick")
STOCK_ENUM(PageScrollerOrientationEnumInfo, "TPageScrollerOrientation", "soHorizontal", "soVertical")
STOCK_ENUM(
    AutoCompleteOptionEnumInfo, "TAutoCompleteOption", "acoAutoSuggest", "acoAutoAppend", "acoSearch",
    "acoFilterPrefixes", "acoUseTab", "acoUpDownKeyDropsList", "acoRtlReading", "acoWordFilter", "acoNoPrefixFiltering")
STOCK_ENUM(ComboBoxExStyleEnumInfo, "TComboBoxExStyle", "csExDropDown", "csExSimple", "csExDropDownList")
STOCK_ENUM(ComboBoxExStyleExEnumInfo, "TComboBoxExStyleEx", "csExCaseSensitive", "csExNoEditImage",
           "csExNoEditImageIndent", "csExNoSizeLimit", "csExPathWordBreak")
STOCK_ENUM(BorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")

// ---------------------------------------------------------------------------
// TToolBar and TToolButton

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TToolBar> b("TToolBar", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Align", alTop)
        .Publish("AutoSize")
        .Publish("Caption")
        .BoolField("AllowTextButtons", false)
        .IntegerField("BorderWidth", 0)
        .Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22)
        .Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23)
        .BoolField("Customizable", false)
        .IgnoredReference("DisabledImages", &TComponent::StaticClassInfo)
        .EnumField("DrawingStyle", TBDrawingStyleEnumInfo(), "dsNormal")
        .SetField("EdgeBorders", EdgeBorderEnumInfo(), 2)
        .EnumField("EdgeInner", EdgeStyleEnumInfo(), "esRaised")
        .EnumField("EdgeOuter", EdgeStyleEnumInfo(), "esLowered")
        .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, true)
        .ColorField("GradientEndColor", clBtnFace)
        .ColorField("GradientStartColor", clWindow)
        .SetField("GradientDrawingOptions", TBGradientDrawingOptionEnumInfo(), 3)
        .BoolField("HideClippedButtons", false)
        .ColorField("HotTrackColor", 0xEFD3C6)
        .IgnoredReference("HotImages", &TComponent::StaticClassInfo)
        .Reference("Images", &TComponent::StaticClassInfo, &TToolBar::Images,
                   [](TToolBar* t, TPersistent* v) { t->SetImages(dynamic_cast<TComponent*>(v)); })
        .Integer("Indent", &TToolBar::Indent, &TToolBar::SetIndent, 0)
        .Bool("List", &TToolBar::List, &TToolBar::SetList, false)
        .IgnoredReference("Menu", &TComponent::StaticClassInfo)
        .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, false)
        .BoolField("Transparent", false)
        .Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable, true)
        .Event("OnAdvancedCustomDraw", &TToolBar::OnAdvancedCustomDraw)
        .Event("OnAdvancedCustomDrawButton", &TToolBar::OnAdvancedCustomDrawButton)
        .Event("OnCustomDraw", &TToolBar::OnCustomDraw)
        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton)
        .Event("OnCustomizeAdded", &TToolBar::OnCustomizeAdded)
        .Event("OnCustomizeCanDelete", &TToolBar::OnCustomizeCanDelete)
        .Event("OnCustomizeCanInsert", &TToolBar::OnCustomizeCanInsert)
        .Event("OnCustomized", &TToolBar::OnCustomized)
        .Event("OnCustomizeDelete", &TToolBar::OnCustomizeDelete)
        .Event("OnCustomizeNewButton", &TToolBar::OnCustomizeNewButton)
        .Event("OnCustomizeReset", &TToolBar::OnCustomizeReset)
        .Event("OnCustomizing", &TToolBar::OnCustomizing);
    return b.Build();
  }();
  return info;
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption);
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
  SetParentColor(false);
}
void TToolBar::SetImages(TComponent* c) {
  images_ = c;
  if (c) c->FreeNotification(this);
  Invalidate();
}
void TToolBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}
void TToolBar::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(clBtnHighlight);
  c.FillRect(Rect(0, 0, Width(), 1));
}

namespace {

// Draws an image list's image with its top-left at (x, y). The canvas
// copies pixels without blending, so the pixels the mask hides (alpha 0)
// become a key colour that no shown pixel has, and the transparent copy
// leaves that colour out: what the canvas held shows through.
void DrawImageListImage(TCanvas& canvas, int x, int y, const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  std::unordered_set<QRgb> shown;
  for (int py = 0; py < image.height(); ++py) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(py));
    for (int px = 0; px < image.width(); ++px)
      if (qAlpha(line[px]) >= 128) shown.insert(line[px] & 0xFFFFFFu);
  }
  QRgb key = 0xFF00FFu;
  while (shown.count(key)) key = (key + 0x010203u) & 0xFFFFFFu;
  QImage keyed(image.size(), QImage::Format_RGB32);
  for (int py = 0; py < image.height(); ++py) {
    const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(py));
    auto* to = reinterpret_cast<QRgb*>(keyed.scanLine(py));
    for (int px = 0; px < image.width(); ++px)
      to[px] = 0xFF000000u | (qAlpha(from[px]) >= 128 ? from[px] & 0xFFFFFFu : key);
  }
  canvas.DrawTransparent(x, y, keyed, TColor(qRed(key) | (qGreen(key) << 8) | (qBlue(key) << 16)));
}

}  // namespace

const TClassInfo& TToolButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TToolButton> b("TToolButton", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .BoolField("AllowAllUp", false)
        .Publish("AutoSize")
        .Publish("Caption")
        .Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false)
        .IgnoredReference("DropdownMenu", &TComponent::StaticClassInfo)
        .BoolField("EnableDropdown", false)
        .BoolField("Grouped", false)
        .Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
        .StringField("ImageName")
        .BoolField("Indeterminate", false)
        .BoolField("Marked", false)
        .IgnoredReference("MenuItem", &TComponent::StaticClassInfo)
        .Enum("Style", ToolButtonStyleEnumInfo(), &TToolButton::Style, &TToolButton::SetStyle, "tbsButton")
        .Bool("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap, false);
    return b.Build();
  }();
  return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TToolButton::CMTextChanged(TMessage& msg) {
  TGraphicControl::CMTextChanged(msg);
  if (auto* bar = dynamic_cast<TToolBar*>(Parent()); bar && bar->ShowCaptions()) bar->ArrangeButtons();
  Invalidate();
}

void TToolButton::Paint() {
  TCanvas& c = *Canvas();
  const int w = Width(), h = Height();
  auto* bar = dynamic_cast<TToolBar*>(Parent());
  // A separator is a gap, with an etched line in it on a flat bar; a
  // divider always has the line.
  if (style_ == 3 && !(bar && bar->Flat())) return;
  if (style_ == 3 || style_ == 4) {
    TRect r = Rect(w / 2 - 1, 1, w / 2 + 1, h - 1);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    return;
  }
  if (down_) {
    TRect r = Rect(0, 0, w, h);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
  }
  QImage image;
  TCustomImageList* list = bar && imageIndex_ >= 0 ? dynamic_cast<TCustomImageList*>(bar->Images()) : nullptr;
  if (list) image = list->ImageAt(imageIndex_);
  const bool captions = bar && bar->ShowCaptions();
  const bool beside = captions && bar->List();
  const int shift = down_ ? 1 : 0;
  c.SetFont(*Font());
  TRect text = Rect(0, 0, w, h);
  if (!image.isNull()) {
    const int x = beside ? 4 + shift : (w - image.width()) / 2 + shift;
    const int y = captions && !beside ? 3 + shift : (h - image.height()) / 2 + shift;
    DrawImageListImage(c, x, y, image);
    if (beside)
      text = Rect(x + image.width() + 3, 0, w, h);
    else
      text = Rect(0, y + image.height() + 1, w, h);
  }
  // Without ShowCaptions a button shows its image alone, or nothing.
  if (captions)
    DrawControlText(
        c, text, DisplayText(), beside ? taLeftJustify : taCenter, image.isNull() || beside ? 1 : 0, false, true);
}

// ---------------------------------------------------------------------------
// TCoolBar, TPageScroller, TComboBoxEx

TCoolBand::TCoolBand() : bitmap_(std::make_unique<TBitmap>()) {}
TCoolBand::~TCoolBand() = default;

const TClassInfo& TCoolBand::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCoolBand>("TCoolBand", &TCollectionItem::StaticClassInfo())
          .Object("Bitmap", &TBitmap::StaticClassInfo, &TCoolBand::Bitmap)
          .EnumField("BorderStyle", BorderStyleEnumInfo(), "bsNone")
          .BoolField("Break", true)
          .ColorField("Color", clBtnFace)
          .Reference("Control", &TComponent::StaticClassInfo, &TCoolBand::Control,
                     [](TCoolBand* b, TPersistent* v) { b->SetControl(dynamic_cast<TComponent*>(v)); })
          .BoolField("FixedBackground", true)
          .BoolField("FixedSize", false)
          .BoolField("HorizontalOnly", false)
          .IntegerField("ImageIndex", -1)
          .IntegerField("MinHeight", 25)
          .IntegerField("MinWidth", 0)
          .BoolField("ParentBitmap", true)
          .BoolField("ParentColor", true)
          .StringField("Text")
          .BoolField("Visible", true)
          .IntegerField("Width", 0)
          .Build();
  return info;
}

const TClassInfo& TCoolBar::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCoolBar>("TCoolBar", &TStockBox::StaticClassInfo())
          .Publish("AutoSize")
          .Object("Bands", &TCollection::StaticClassInfo, &TCoolBar::Bands)
          .Publish("BevelEdges")
          .Publish("BevelInner")
          .Publish("BevelKind")
          .Publish("BevelOuter")
          .Publish("BevelWidth")
          .IntegerField("BorderWidth", 0)
          .Object("Bitmap", &TBitmap::StaticClassInfo, &TCoolBar::Bitmap)
          .EnumField("BandBorderStyle", BorderStyleEnumInfo(), "bsSingle")
          .EnumField("BandMaximize", CoolBandMaximizeEnumInfo(), "bmDblClick")
          .SetField("EdgeBorders", EdgeBorderEnumInfo(), 2)
          .EnumField("EdgeInner", EdgeStyleEnumInfo(), "esRaised")
          .EnumField("EdgeOuter", EdgeStyleEnumInfo(), "esLowered")
          .BoolField("FixedOrder", false)
          .BoolField("FixedSize", false)
          .IgnoredReference("Images", &TComponent::StaticClassInfo)
          .BoolField("ShowText", true)
          .BoolField("Vertical", false)
          .Event("OnChange", &TCoolBar::OnChange)
          .Build();
  return info;
}

TCoolBar::TCoolBar(TComponent* owner)
    : TStockBox(owner),
      bands_(std::make_unique<TCollection>(TCoolBand::StaticClassInfo())),
      bitmap_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 150, 75);
  SetAlign(alTop);
  frame_ = 2;
  showClassName_ = false;
}
TCoolBar::~TCoolBar() = default;

const TClassInfo& TPageScroller::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TPageScroller>("TPageScroller", &TStockBox::StaticClassInfo())
          .Publish("AutoSize")
          .BoolField("AutoScroll", false)
          .IntegerField("BorderWidth", 0)
          .IntegerField("ButtonSize", 12)
          .IgnoredReference("Control", &TComponent::StaticClassInfo)
          .BoolField("DragScroll", true)
          .IntegerField("Margin", 0)
          .EnumField("Orientation", PageScrollerOrientationEnumInfo(), "soHorizontal")
          .IntegerField("Position", 0)
          .Event("OnScroll", &TPageScroller::OnScroll)
          .Build();
  return info;
}

TPageScroller::TPageScroller(TComponent* owner) : TStockBox(owner) { SetBounds(0, 0, 150, 45); }

const TClassInfo& TComboExItem::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TComboExItem>("TComboExItem", &TCollectionItem::StaticClassInfo())
          .StringField("Caption")
          .IntegerField("ImageIndex", -1)
          .IntegerField("Indent", -1)
          .IntegerField("OverlayImageIndex", -1)
          .IntegerField("SelectedImageIndex", -1)
          .Build();
  return info;
}

const TClassInfo& TComboBoxEx::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TComboBoxEx> b("TComboBoxEx", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .SetField("AutoCompleteOptions", AutoCompleteOptionEnumInfo(), 2)
        .IntegerField("DropDownCount", 8)
        .IgnoredReference("Images", &TComponent::StaticClassInfo)
        .Integer("ItemIndex", &TComboBoxEx::ItemIndex, &TComboBoxEx::SetItemIndex, -1)
        .Object("ItemsEx", &TCollection::StaticClassInfo, &TComboBoxEx::ItemsEx)
        .IntegerField("ItemHeight", 16)
        .IntegerField("MaxLength", 0)
        .EnumField("Style", ComboBoxExStyleEnumInfo(), "csExDropDown")
        .SetField("StyleEx", ComboBoxExStyleExEnumInfo(), 0)
        .Publish("Text")
        .StringField("TextHint")
        .Event("OnBeginEdit", &TComboBoxEx::OnBeginEdit)
        .Event("OnChange", &TComboBoxEx::OnChange)
        .Event("OnCloseUp", &TComboBoxEx::OnCloseUp)
        .Event("OnDropDown", &TComboBoxEx::OnDropDown)
        .Event("OnEndEdit", &TComboBoxEx::OnEndEdit)
        .Event("OnSelect", &TComboBoxEx::OnSelect);
    return b.Build();
  }();
  return info;
}

TComboBoxEx::TComboBoxEx(TComponent* owner)
    : TCustomComboBox(owner), itemsEx_(std::make_unique<TCollection>(TComboExItem::StaticClassInfo())) {
  itemsEx_->OnChange = [this](TCollection&) { FillWidget(); };
}
TComboBoxEx::~TComboBoxEx() { itemsEx_->OnChange = nullptr; }

void TComboBoxEx::FillWidget() {
  std::vector<std::string> lines;
  for (int i = 0; i < itemsEx_->Count(); ++i) lines.push_back(itemsEx_->Items(i)->FieldOf("Caption").str);
  if (!lines.empty() && lines != items_->Lines()) {
    items_->SetLines(std::move(lines));  // calls FillWidget again with the captions
    return;
  }
  TCustomComboBox::FillWidget();
}
