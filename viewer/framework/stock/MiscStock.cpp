#include "MiscStock.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include "NavigatorGlyphs.h"
#include "StockEnum.h"
#include "StockGroups.h"
#include "TabSetLayout.h"
#include "controls/ContentReport.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

STOCK_ENUM(MPBtnTypeEnumInfo, "TMPBtnType", "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack",
           "btRecord", "btEject")
STOCK_ENUM(MPDeviceTypeEnumInfo, "TMPDeviceTypes", "dtAutoSelect", "dtAVIVideo", "dtCDAudio", "dtDAT", "dtDigitalVideo",
           "dtMMMovie", "dtOther", "dtOverlay", "dtScanner", "dtSequencer", "dtVCR", "dtVideodisc", "dtWaveAudio")
STOCK_ENUM(AutoActivateEnumInfo, "TAutoActivate", "aaManual", "aaGetFocus", "aaDoubleClick")
STOCK_ENUM(SizeModeEnumInfo, "TSizeMode", "smClip", "smCenter", "smScale", "smStretch", "smAutoSize")
STOCK_ENUM(TabStyleEnumInfo, "TTabStyle", "tsStandard", "tsOwnerDraw", "tsSoftTabs", "tsModernTabs", "tsModernPopout")
STOCK_ENUM(TabSetPositionEnumInfo, "TTabPosition", "tpTop", "tpBottom", "tpLeft", "tpRight")
STOCK_ENUM(GridOrderingEnumInfo, "TGridOrdering", "go16x1", "go8x2", "go4x4", "go2x8", "go1x16")

// ---------------------------------------------------------------------------
// TMediaPlayer

const TClassInfo& TMediaPlayer::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMediaPlayer> b("TMediaPlayer", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.BoolField("AutoEnable", true)
        .BoolField("AutoOpen", false)
        .BoolField("AutoRewind", true)
        .SetField("ColoredButtons", MPBtnTypeEnumInfo(), 0x1FF)
        .EnumField("DeviceType", MPDeviceTypeEnumInfo(), "dtAutoSelect")
        .IgnoredReference("Display", &TComponent::StaticClassInfo)
        .SetField("EnabledButtons", MPBtnTypeEnumInfo(), 0x1FF)
        .StringField("FileName")
        .BoolField("Shareable", false)
        .Set("VisibleButtons", MPBtnTypeEnumInfo(), &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons,
             0x1FF)
        .Event("OnNotify", &TMediaPlayer::OnNotify)
        .Event("OnPostClick", &TMediaPlayer::OnPostClick);
    return b.Build();
  }();
  return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 253, 30);
  SetColor(clBtnFace);
  SetParentColor(false);
}

// A row of push buttons with simple transport symbols.
static void DrawButtonRow(TCanvas& c, int width, int height, int64_t visible, int count) {
  std::vector<int> shown;
  for (int i = 0; i < count; ++i)
    if (visible & (int64_t(1) << i)) shown.push_back(i);
  if (shown.empty()) return;
  const int w = width / int(shown.size());
  for (size_t k = 0; k < shown.size(); ++k) {
    TRect r = Rect(int(k) * w, 0, k + 1 == shown.size() ? width : int(k + 1) * w, height);
    Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(c, r, cl3DLight, clBtnShadow, 1);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    c.Brush()->SetColor(clBtnText);
    c.FillRect(Rect(cx - 3, cy - 3, cx + 3, cy + 3));
  }
}

void TMediaPlayer::Paint() { DrawButtonRow(*Canvas(), Width(), Height(), visibleButtons_, 9); }

// ---------------------------------------------------------------------------
// TOleContainer

const TClassInfo& TOleContainer::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TOleContainer>("TOleContainer", &TStockBox::StaticClassInfo())
          .BoolField("AllowActiveDoc", true)
          .BoolField("AllowInPlace", true)
          .EnumField("AutoActivate", AutoActivateEnumInfo(), "aaDoubleClick")
          .BoolField("AutoVerbMenu", true)
          .EnumField("BorderStyle", EditBorderStyleEnumInfo(), "bsSingle")
          .Publish("Caption")
          .BoolField("CopyOnSave", true)
          .BoolField("Iconic", false)
          .BoolField("OldStreamFormat", false)
          .EnumField("SizeMode", SizeModeEnumInfo(), "smClip")
          .Event("OnActivate", &TOleContainer::OnActivate)
          .Event("OnDeactivate", &TOleContainer::OnDeactivate)
          .Event("OnObjectMove", &TOleContainer::OnObjectMove)
          .Build();
  return info;
}

TOleContainer::TOleContainer(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 121, 121);
  SetColor(clWindow);
}

void TOleContainer::DefineProperties(TFiler& filer) {
  TStockBox::DefineProperties(filer);
  filer.DefineProperty(
      "Data", [this](const TFormNode& v) { data_ = v.bytes; }, [this] { return TFormNode::Binary(data_); },
      !data_.empty());
}

// ---------------------------------------------------------------------------
// TApplicationEvents

const TClassInfo& TApplicationEvents::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TApplicationEvents>("TApplicationEvents", &TComponent::StaticClassInfo())
          .Event("OnActionExecute", &TApplicationEvents::OnActionExecute)
          .Event("OnActionUpdate", &TApplicationEvents::OnActionUpdate)
          .Event("OnActivate", &TApplicationEvents::OnActivate)
          .Event("OnDeactivate", &TApplicationEvents::OnDeactivate)
          .Event("OnException", &TApplicationEvents::OnException)
          .Event("OnGetActiveFormHandle", &TApplicationEvents::OnGetActiveFormHandle)
          .Event("OnGetMainFormHandle", &TApplicationEvents::OnGetMainFormHandle)
          .Event("OnHelp", &TApplicationEvents::OnHelp)
          .Event("OnHint", &TApplicationEvents::OnHint)
          .Event("OnIdle", &TApplicationEvents::OnIdle)
          .Event("OnMessage", &TApplicationEvents::OnMessage)
          .Event("OnMinimize", &TApplicationEvents::OnMinimize)
          .Event("OnModalBegin", &TApplicationEvents::OnModalBegin)
          .Event("OnModalEnd", &TApplicationEvents::OnModalEnd)
          .Event("OnRemoteSessionChanged", &TApplicationEvents::OnRemoteSessionChanged)
          .Event("OnRestore", &TApplicationEvents::OnRestore)
          .Event("OnSettingChange", &TApplicationEvents::OnSettingChange)
          .Event("OnShortCut", &TApplicationEvents::OnShortCut)
          .Event("OnShowHint", &TApplicationEvents::OnShowHint)
          .Build();
  return info;
}
TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {}

// ---------------------------------------------------------------------------
// TScrollBox

const TClassInfo& TScrollBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TScrollBox> b("TScrollBox", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    groups::PublishBevels(b);
    b.Publish("AutoSize")
        .BoolField("AutoScroll", true)
        .Enum(
            "BorderStyle", EditBorderStyleEnumInfo(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, "bsSingle")
        .Object("HorzScrollBar", &TControlScrollBar::StaticClassInfo, &TScrollBox::HorzScrollBar)
        .Object("VertScrollBar", &TControlScrollBar::StaticClassInfo, &TScrollBox::VertScrollBar)
        .BoolField("UseWheelForScrolling", false);
    return b.Build();
  }();
  return info;
}

TScrollBox::TScrollBox(TComponent* owner)
    : TCustomControl(owner),
      horz_(std::make_unique<TControlScrollBar>()),
      vert_(std::make_unique<TControlScrollBar>()),
      scrolling_(std::make_unique<TScrollingArea>(this)) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(true);
}
TScrollBox::~TScrollBox() = default;

void TScrollBox::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  if (borderStyle_ == 1) InflateRect(rect, -2, -2);
}

bool TScrollBox::AutoScroll() const {
  const TFieldValue* f = FindField("AutoScroll");
  return !f || f->ord != 0;
}

TRect TScrollBox::BarArea() const {
  TRect r = Rect(0, 0, Width(), Height());
  if (borderStyle_ == 1) InflateRect(r, -2, -2);
  return r;
}

TRect TScrollBox::GetClientRect() const {
  return Rect(
      0, 0, std::max(0, Width() - scrolling_->ReservedWidth()), std::max(0, Height() - scrolling_->ReservedHeight()));
}

void TScrollBox::Loaded() {
  scrolling_->AdoptStoredPosition(*horz_, *vert_);
  TCustomControl::Loaded();
}

void TScrollBox::CreateWnd() {
  TCustomControl::CreateWnd();
  Realign();
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
  TCustomControl::AlignControls(control, rect);
  if (scrolling_->Update(*horz_, *vert_, AutoScroll(), BarArea())) {
    TRect again = GetClientRect();
    TCustomControl::AlignControls(control, again);
  }
}
void TScrollBox::Paint() {
  if (borderStyle_ != 1) return;
  TRect r = Rect(0, 0, Width(), Height());
  Frame3D(*Canvas(), r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(*Canvas(), r, cl3DDkShadow, cl3DLight, 1);
}

// ---------------------------------------------------------------------------
// TCheckListBox

const TClassInfo& TCheckListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TCheckListBox> b("TCheckListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishListLike(b);
    b.IntegerField("AutoCompleteDelay", 500)
        .IntegerField("ScrollWidth", 0)
        .Event("OnData", &TCheckListBox::OnData)
        .Event("OnDataFind", &TCheckListBox::OnDataFind)
        .Event("OnDataObject", &TCheckListBox::OnDataObject)
        .BoolField("AllowGrayed", false)
        .BoolField("Flat", true)
        .ColorField("HeaderColor", clInfoText)
        .ColorField("HeaderBackgroundColor", clInfoBk)
        .Event("OnClickCheck", &TCheckListBox::OnClickCheck);
    return b.Build();
  }();
  return info;
}

void TCheckListBox::FillWidget() {
  TCustomListBox::FillWidget();
  if (!list_) return;
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

// ---------------------------------------------------------------------------
// TMaskEdit

const TClassInfo& TMaskEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMaskEdit> b("TMaskEdit", &TCustomEdit::StaticClassInfo());
    groups::PublishEditLike(b);
    b.StringField("EditMask").Publish("Text");
    return b.Build();
  }();
  return info;
}

// ---------------------------------------------------------------------------
// TTabSet

const TClassInfo& TTabSet::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTabSet> b("TTabSet", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b);
    b.BoolField("AutoScroll", true)
        .ColorField("BackgroundColor", clBtnFace)
        .BoolField("DitherBackground", true)
        .IntegerField("EndMargin", 5)
        .IgnoredReference("Images", &TComponent::StaticClassInfo)
        .ColorField("SelectedColor", clBtnFace)
        .BoolField("ShowFocus", true)
        .BoolField("SoftTop", false)
        .IntegerField("StartMargin", 5)
        .EnumField("Style", TabStyleEnumInfo(), "tsStandard")
        .IntegerField("TabHeight", 20)
        .Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex, -1)
        .Object("Tabs", &TStrings::StaticClassInfo, &TTabSet::Tabs, &TTabSet::SetTabs)
        .Enum("TabPosition", TabSetPositionEnumInfo(), &TTabSet::TabPosition, &TTabSet::SetTabPosition, "tpBottom")
        .ColorField("UnselectedColor", clWindow)
        .BoolField("Visible", true)
        .Event("OnChange", &TTabSet::OnChange)
        .Event("OnDrawTab", &TTabSet::OnDrawTab)
        .Event("OnGetImageIndex", &TTabSet::OnGetImageIndex)
        .Event("OnMeasureTab", &TTabSet::OnMeasureTab);
    return b.Build();
  }();
  return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), tabs_(std::make_unique<TSyncedStrings>()) {
  SetBounds(0, 0, 185, 21);
  SetColor(clBtnFace);
  SetParentColor(false);
  tabs_->OnChanged = [this] { Invalidate(); };
}
TTabSet::~TTabSet() { tabs_->OnChanged = nullptr; }

TColor TTabSet::FieldColor(const char* name, TColor fallback) const {
  const TFieldValue* v = FindField(name);
  return v ? TColor(v->ord) : fallback;
}

// The old tab set: tabs along one edge meeting a line, the selected one
// joined to it and in the selected colour.
void TTabSet::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(FieldColor("BackgroundColor", clBtnFace));
  c.FillRect(ClientRect());
  c.SetFont(*Font());
  std::vector<QString> texts;
  std::vector<TSize> sizes;
  for (int i = 0; i < tabs_->Count(); ++i) {
    texts.push_back(Font()->Decode(tabs_->Get(i)));
    sizes.push_back(DrawControlText(c, Rect(0, 0, 0, 0), texts.back(), 0, 0, false, true, true));
  }
  const auto position = TTabSetPosition(std::clamp(tabPosition_, 0, 3));
  const TFieldValue* margin = FindField("StartMargin");
  const TTabSetLayout layout =
      LayOutTabSet(sizes, tabIndex_, position, Width(), Height(), margin ? int(margin->ord) : 5);
  c.Brush()->SetColor(clBtnShadow);
  c.FillRect(layout.baseLine);
  // The selected tab last, over its neighbours' overlapping edges.
  std::vector<size_t> order;
  for (size_t i = 0; i < layout.tabs.size(); ++i)
    if (int(i) != tabIndex_) order.push_back(i);
  if (tabIndex_ >= 0 && tabIndex_ < int(layout.tabs.size())) order.push_back(size_t(tabIndex_));
  for (const size_t i : order) {
    const TRect r = layout.tabs[i];
    const bool sel = int(i) == tabIndex_;
    c.Brush()->SetColor(sel ? FieldColor("SelectedColor", clBtnFace) : FieldColor("UnselectedColor", clWindow));
    c.FillRect(r);
    c.Brush()->SetColor(clWindowText);
    // Every edge but the one facing the line.
    if (position != TTabSetPosition::tpRight) c.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
    if (position != TTabSetPosition::tpLeft) c.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
    if (position != TTabSetPosition::tpBottom) c.FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
    if (position != TTabSetPosition::tpTop) c.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    DrawControlText(c, r, texts[i], taCenter, 1, false, true);
  }
}

void TTabSet::ReportContent(TContentReport& report) const {
  std::vector<std::string> tabs;
  for (const std::string& t : tabs_->Lines()) tabs.push_back(Font()->Decode(t).toStdString());
  report.AddStrings("items", tabs);
  report.AddInteger("tabIndex", tabIndex_);
}

// ---------------------------------------------------------------------------
// TOutline

const TClassInfo& TOutline::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TOutline> b("TOutline", &TCustomOutline::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.Publish("BorderStyle")
        .Publish("ItemHeight")
        .Publish("ItemSeparator")
        .Publish("Lines")
        .Publish("Options")
        .Publish("OutlineStyle")
        .Publish("PictureClosed")
        .Publish("PictureLeaf")
        .Publish("PictureMinus")
        .Publish("PictureOpen")
        .Publish("PicturePlus")
        .Publish("ScrollBars")
        .Publish("Style")
        .Publish("OnCollapse")
        .Publish("OnDrawItem")
        .Publish("OnExpand");
    return b.Build();
  }();
  return info;
}

TOutline::TOutline(TComponent* owner) : TCustomOutline(owner) {}

// ---------------------------------------------------------------------------
// TTabbedNotebook

const TClassInfo& TTabbedNotebook::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTabbedNotebook> b("TTabbedNotebook", &TCustomTabControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.String("ActivePage", &TTabbedNotebook::ActivePage, &TTabbedNotebook::SetActivePage)
        .StoredWhen([](const TTabbedNotebook*) { return false; })
        .Integer("PageIndex", &TTabbedNotebook::PageIndex, &TTabbedNotebook::SetPageIndex, 0)
        .Object("Pages", &TStrings::StaticClassInfo, &TTabbedNotebook::Pages, &TTabbedNotebook::SetPages)
        .StoredWhen([](const TTabbedNotebook*) { return false; })
        .Object("TabFont", &TFont::StaticClassInfo, &TTabbedNotebook::TabFont)
        .IntegerField("TabsPerRow", 3)
        .Event("OnChange", &TTabbedNotebook::OnChange);
    return b.Build();
  }();
  return info;
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner)
    : TCustomTabControl(owner), pages_(std::make_unique<TSyncedStrings>()), tabFont_(std::make_unique<TFont>()) {
  pages_->OnChanged = [this] { UpdateTabs(); };
  tabIndex_ = 0;
}
TTabbedNotebook::~TTabbedNotebook() { pages_->OnChanged = nullptr; }

// The tabs name the stored pages; a notebook made without pages shows the
// names assigned to Pages.
std::vector<std::string> TTabbedNotebook::Tabs() const {
  const auto names = NotebookPageNames(*this);
  return names.empty() ? pages_->Lines() : names;
}

std::string TTabbedNotebook::ActivePage() const {
  const auto tabs = Tabs();
  return tabIndex_ >= 0 && tabIndex_ < int(tabs.size()) ? tabs[size_t(tabIndex_)] : std::string();
}

void TTabbedNotebook::SetActivePage(const std::string& v) {
  const auto tabs = Tabs();
  for (size_t i = 0; i < tabs.size(); ++i)
    if (CompareText(tabs[i], v) == 0) SetPageIndex(int(i));
}

// While the form is read the pages do not exist yet: the index waits for
// Loaded.
void TTabbedNotebook::SetPageIndex(int v) {
  SetTabIndex(v);
  if (!HasState(csLoading)) ShowNotebookPage(*this, v);
}

void TTabbedNotebook::TabClicked(int index) {
  ShowNotebookPage(*this, index);
  TCustomTabControl::TabClicked(index);
}

void TTabbedNotebook::Loaded() {
  TCustomTabControl::Loaded();
  PageCaptionChanged();
  ShowNotebookPage(*this, tabIndex_);
}

void TTabbedNotebook::PageCaptionChanged() {
  if (!NotebookPages(*this).empty()) pages_->SetLines(NotebookPageNames(*this));
  UpdateTabs();
}

void TTabbedNotebook::ReportContent(TContentReport& report) const {
  std::vector<std::string> tabs;
  for (const std::string& t : Tabs()) tabs.push_back(Font()->Decode(t).toStdString());
  report.AddStrings("items", tabs);
  report.AddInteger("pageIndex", tabIndex_);
}

// ---------------------------------------------------------------------------
// TColorGrid

const TClassInfo& TColorGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TColorGrid> b("TColorGrid", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b);
    b.BoolField("BackgroundEnabled", true)
        .IntegerField("BackgroundIndex", 15)
        .BoolField("ClickEnablesColor", false)
        .BoolField("ForegroundEnabled", true)
        .IntegerField("ForegroundIndex", 0)
        .Enum("GridOrdering", GridOrderingEnumInfo(), &TColorGrid::GridOrdering, &TColorGrid::SetGridOrdering, "go4x4")
        .IntegerField("Selection", 0)
        .Event("OnChange", &TColorGrid::OnChange);
    return b.Build();
  }();
  return info;
}

TColorGrid::TColorGrid(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 100, 100);
  SetColor(clBtnFace);
}

void TColorGrid::Paint() {
  static const TColor colors[16] = {
      clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
      clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  static const int cols[] = {16, 8, 4, 2, 1};
  const int nc = cols[std::clamp(ordering_, 0, 4)], nr = 16 / nc;
  TCanvas& c = *Canvas();
  for (int i = 0; i < 16; ++i) {
    const int x = (i % nc) * Width() / nc, y = (i / nc) * Height() / nr;
    TRect r = Rect(x, y, (i % nc + 1) * Width() / nc, (i / nc + 1) * Height() / nr);
    Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    c.Brush()->SetColor(colors[i]);
    c.FillRect(r);
  }
}
