#include "MiscStock.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include "controls/ContentReport.h"
#include "NavigatorGlyphs.h"
#include "TabSetLayout.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

#define STOCK_ENUM(Fn, Type, ...)                  \
  static const TEnumInfo& Fn() {                   \
    static const TEnumInfo e{Type, {__VA_ARGS__}}; \
    return e;                                      \
  }

STOCK_ENUM(MPBtnTypeEnumInfo, "TMPBtnType", "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack",
           "btRecord", "btEject")
STOCK_ENUM(MPDeviceTypeEnumInfo, "TMPDeviceTypes", "dtAutoSelect", "dtAVIVideo", "dtCDAudio", "dtDAT",
           "dtDigitalVideo", "dtMMMovie", "dtOther", "dtOverlay", "dtScanner", "dtSequencer", "dtVCR", "dtVideodisc",
           "dtWaveAudio")
STOCK_ENUM(AutoActivateEnumInfo, "TAutoActivate", "aaManual", "aaGetFocus", "aaDoubleClick")
STOCK_ENUM(SizeModeEnumInfo, "TSizeMode", "smClip", "smCenter", "smScale", "smStretch", "smAutoSize")
STOCK_ENUM(BorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")
STOCK_ENUM(TabStyleEnumInfo, "TTabStyle", "tsStandard", "tsOwnerDraw", "tsSoftTabs", "tsModernTabs",
           "tsModernPopout")
STOCK_ENUM(TabSetPositionEnumInfo, "TTabPosition", "tpTop", "tpBottom", "tpLeft", "tpRight")
STOCK_ENUM(FileTypeEnumInfo, "TFileAttr", "ftReadOnly", "ftHidden", "ftSystem", "ftVolumeID", "ftDirectory",
           "ftArchive", "ftNormal")
STOCK_ENUM(TextCaseEnumInfo, "TTextCase", "tcLowerCase", "tcUpperCase")
STOCK_ENUM(FontDialogDeviceEnumInfo, "TFontDialogDevice", "fdScreen", "fdPrinter", "fdBoth")
STOCK_ENUM(FontDialogOptionEnumInfo, "TFontDialogOption", "fdAnsiOnly", "fdTrueTypeOnly", "fdEffects",
           "fdFixedPitchOnly", "fdForceFontExist", "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel",
           "fdNoStyleSel", "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly",
           "fdApplyButton")
STOCK_ENUM(ColorDialogOptionEnumInfo, "TColorDialogOption", "cdFullOpen", "cdPreventFullOpen", "cdShowHelp",
           "cdSolidColor", "cdAnyColor")
STOCK_ENUM(PrintDialogOptionEnumInfo, "TPrintDialogOption", "poPrintToFile", "poPageNums", "poSelection",
           "poWarning", "poHelp", "poDisablePrintToFile")
STOCK_ENUM(PrintRangeEnumInfo, "TPrintRange", "prAllPages", "prSelection", "prPageNums")
STOCK_ENUM(FindOptionEnumInfo, "TFindOption", "frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord",
           "frHideUpDown", "frMatchCase", "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord", "frReplace",
           "frReplaceAll", "frWholeWord", "frShowHelp")
STOCK_ENUM(PageSetupOptionEnumInfo, "TPageSetupDialogOption", "psoDefaultMinMargins", "psoDisableMargins",
           "psoDisableOrientation", "psoDisablePagePainting", "psoDisablePaper", "psoDisablePrinter",
           "psoMargins", "psoMinMargins", "psoShowHelp", "psoWarning", "psoNoNetworkButton")
STOCK_ENUM(PageMeasureUnitsEnumInfo, "TPageMeasureUnits", "pmDefault", "pmMillimeters", "pmInches")
STOCK_ENUM(GridOrderingEnumInfo, "TGridOrdering", "go16x1", "go8x2", "go4x4", "go2x8", "go1x16")
STOCK_ENUM(DBGridOptionEnumInfo, "TDBGridOption", "dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator",
           "dgColumnResize", "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection",
           "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect", "dgTitleClick", "dgTitleHotTrack")
STOCK_ENUM(ColumnButtonStyleEnumInfo, "TColumnButtonStyle", "cbsAuto", "cbsEllipsis", "cbsNone")
STOCK_ENUM(NavigateBtnEnumInfo, "TNavigateBtn", "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete",
           "nbEdit", "nbPost", "nbCancel", "nbRefresh", "nbApplyUpdates", "nbCancelUpdates")
STOCK_ENUM(NavKindEnumInfo, "TDBNavigatorKind", "dbnHorizontal", "dbnVertical")
STOCK_ENUM(DBLookupListOptionEnumInfo, "TDBLookupListOption", "loColLines", "loRowLines", "loTitles")
STOCK_ENUM(DBLookupComboStyleEnumInfo, "TDBLookupComboStyle", "csDropDown", "csDropDownList")
STOCK_ENUM(DropDownAlignEnumInfo, "TDropDownAlign", "daLeft", "daRight", "daCenter")
STOCK_ENUM(DBCtrlGridOrientationEnumInfo, "TDBCtrlGridOrientation", "goVertical", "goHorizontal")
STOCK_ENUM(DBCtrlGridBorderEnumInfo, "TDBCtrlGridBorder", "gbNone", "gbRaised")

// --- publishing helpers

template <class C>
static void PublishDataLink(ClassBuilder<C>& b) {
  b.StringField("DataField")
      .Reference("DataSource", &TComponent::StaticClassInfo,
                 [](const C* c) -> TComponent* { return c->dataSource; },
                 [](C* c, TPersistent* v) { c->dataSource = dynamic_cast<TComponent*>(v); });
}

template <class C>
static void PublishLookup(ClassBuilder<C>& b) {
  b.StringField("KeyField")
      .StringField("ListField")
      .IntegerField("ListFieldIndex", 0)
      .Reference("ListSource", &TComponent::StaticClassInfo,
                 [](const C* c) -> TComponent* { return c->listSource; },
                 [](C* c, TPersistent* v) { c->listSource = dynamic_cast<TComponent*>(v); })
      .BoolField("NullValueKey", false);
}

template <class C>
static void PublishOldLookup(ClassBuilder<C>& b) {
  b.Reference("LookupSource", &TComponent::StaticClassInfo,
              [](const C* c) -> TComponent* { return c->listSource; },
              [](C* c, TPersistent* v) { c->listSource = dynamic_cast<TComponent*>(v); })
      .StringField("LookupField")
      .StringField("LookupDisplay")
      .StringField("DisplayValue")
      .StringField("Value")
      .SetField("Options", DBLookupListOptionEnumInfo(), 0)
      .BoolField("IndexSwitch", true)
      .IntegerField("DropDownCount", 8)
      .IntegerField("DropDownWidth", 0)
      .BoolField("ReadOnly", false)
;
}

template <class C>
static void PublishEditLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, 1);
  groups::PublishBevels(b);
  b.EnumField("Alignment", AlignmentEnumInfo(), 0)
      .Publish("AutoSelect")
      .Publish("AutoSize", 1)
      .Publish("BorderStyle")
      .Publish("CharCase")
      .Publish("HideSelection")
      .Publish("MaxLength")
      .BoolField("OEMConvert", false)
      .Publish("PasswordChar")
      .Publish("ReadOnly")
      .StringField("TextHint")
      .Publish("OnChange");
}

template <class C>
static void PublishListLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, 1);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .Integer("Columns", &C::Columns, &C::SetColumns, 0)
      .BoolField("ExtendedSelect", true)
      .BoolField("IntegralHeight", false)
      .IntegerField("ItemHeight", 16)
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .EnumField("Style", ListBoxStyleEnumInfo(), 0)
      .IntegerField("TabWidth", 0)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnMeasureItem", &C::OnMeasureItem);
}

template <class C>
static void PublishComboLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, 1);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .BoolField("AutoDropDown", false)
      .EnumField("CharCase", EditCharCaseEnumInfo(), 0)
      .IntegerField("DropDownCount", 8)
      .IntegerField("ItemHeight", 16)
      .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .IntegerField("MaxLength", 0)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .Enum("Style", ComboBoxStyleEnumInfo(), &C::Style, &C::SetStyle, 0)
      .Publish("Text")
      .Event("OnChange", &C::OnChange)
      .Event("OnCloseUp", &C::OnCloseUp)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnDropDown", &C::OnDropDown)
      .Event("OnMeasureItem", &C::OnMeasureItem)
      .Event("OnSelect", &C::OnSelect);
}

template <class C>
static void PublishDialog(ClassBuilder<C>& b) {
  b.BoolField("Ctl3D", true).IntegerField("HelpContext", 0).Event("OnClose", &C::OnClose).Event("OnShow", &C::OnShow);
}

// ---------------------------------------------------------------------------
// TMediaPlayer

const TClassInfo& TMediaPlayer::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMediaPlayer> b("TMediaPlayer", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, 1);
    b.BoolField("AutoEnable", true)
        .BoolField("AutoOpen", false)
        .BoolField("AutoRewind", true)
        .SetField("ColoredButtons", MPBtnTypeEnumInfo(), 0x1FF)
        .EnumField("DeviceType", MPDeviceTypeEnumInfo(), 0)
        .Reference("Display", &TComponent::StaticClassInfo, [](const TMediaPlayer*) -> TComponent* { return nullptr; },
                   [](TMediaPlayer*, TPersistent*) {})
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
          .EnumField("AutoActivate", AutoActivateEnumInfo(), 2)
          .BoolField("AutoVerbMenu", true)
          .EnumField("BorderStyle", BorderStyleEnumInfo(), 1)
          .Publish("Caption")
          .BoolField("CopyOnSave", true)
          .BoolField("Iconic", false)
          .BoolField("OldStreamFormat", false)
          .EnumField("SizeMode", SizeModeEnumInfo(), 0)
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
        .Enum("BorderStyle", BorderStyleEnumInfo(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, 1)
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
  return Rect(0, 0, std::max(0, Width() - scrolling_->ReservedWidth()),
              std::max(0, Height() - scrolling_->ReservedHeight()));
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
    PublishListLike(b);
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
    PublishEditLike(b);
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
        .Reference("Images", &TComponent::StaticClassInfo, [](const TTabSet*) -> TComponent* { return nullptr; },
                   [](TTabSet*, TPersistent*) {})
        .ColorField("SelectedColor", clBtnFace)
        .BoolField("ShowFocus", true)
        .BoolField("SoftTop", false)
        .IntegerField("StartMargin", 5)
        .EnumField("Style", TabStyleEnumInfo(), 0)
        .IntegerField("TabHeight", 20)
        .Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex, -1)
        .Object("Tabs", &TStrings::StaticClassInfo, &TTabSet::Tabs, &TTabSet::SetTabs)
        .Enum("TabPosition", TabSetPositionEnumInfo(), &TTabSet::TabPosition, &TTabSet::SetTabPosition, 1)
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
    groups::PublishWindowed(b, 1);
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
// File-system lists

const TClassInfo& TFileListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFileListBox> b("TFileListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    b.StringField("Directory")
        .BoolField("ExtendedSelect", true)
        .Reference("FileEdit", &TComponent::StaticClassInfo, [](const TFileListBox*) -> TComponent* { return nullptr; },
                   [](TFileListBox*, TPersistent*) {})
        .StringField("FileName")
        .SetField("FileType", FileTypeEnumInfo(), 0x40)
        .BoolField("IntegralHeight", false)
        .IntegerField("ItemHeight", 16)
        .String("Mask", &TFileListBox::Mask, &TFileListBox::SetMask)
        .Bool("MultiSelect", &TFileListBox::MultiSelect, &TFileListBox::SetMultiSelect, false)
        .BoolField("ShowGlyphs", false)
        .Event("OnChange", &TFileListBox::OnChange);
    return b.Build();
  }();
  return info;
}

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) { SetBounds(0, 0, 145, 97); }

void TFileListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  Rescan();
}
void TFileListBox::Rescan() {
  if (!list_) return;
  QStringList patterns;
  for (const QString& p : QString::fromStdString(mask_).split(';', Qt::SkipEmptyParts))
    patterns << (p == "*.*" ? QStringLiteral("*") : p);
  std::vector<std::string> names;
  for (const QString& f : QDir::current().entryList(patterns, QDir::Files, QDir::Name)) names.push_back(f.toStdString());
  items_->SetLines(names);
}

const TClassInfo& TDirectoryListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDirectoryListBox> b("TDirectoryListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    auto noRef = [](const TDirectoryListBox*) -> TComponent* { return nullptr; };
    auto setNoRef = [](TDirectoryListBox*, TPersistent*) {};
    b.StringField("Directory")
        .Reference("DirLabel", &TComponent::StaticClassInfo, noRef, setNoRef)
        .Reference("FileList", &TComponent::StaticClassInfo, noRef, setNoRef)
        .IntegerField("ItemHeight", 16)
        .Event("OnChange", &TDirectoryListBox::OnChange);
    return b.Build();
  }();
  return info;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) { SetBounds(0, 0, 145, 97); }

void TDirectoryListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  std::vector<std::string> lines;
  QDir dir = QDir::current();
  QStringList parts = dir.absolutePath().split('/', Qt::SkipEmptyParts);
  lines.push_back("/");
  for (const QString& p : parts) lines.push_back(p.toStdString());
  items_->SetLines(lines);
}

const TClassInfo& TDriveComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDriveComboBox> b("TDriveComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    b.Reference("DirList", &TComponent::StaticClassInfo, [](const TDriveComboBox*) -> TComponent* { return nullptr; },
                [](TDriveComboBox*, TPersistent*) {})
        .EnumField("TextCase", TextCaseEnumInfo(), 0)
        .Event("OnChange", &TDriveComboBox::OnChange)
        .Event("OnDropDown", &TDriveComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  items_->SetLines({"/"});
  SetItemIndex(0);
}

const TClassInfo& TFilterComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFilterComboBox> b("TFilterComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    b.Reference("FileList", &TComponent::StaticClassInfo, [](const TFilterComboBox*) -> TComponent* { return nullptr; },
                [](TFilterComboBox*, TPersistent*) {})
        .String("Filter", &TFilterComboBox::Filter, &TFilterComboBox::SetFilter)
        .Event("OnChange", &TFilterComboBox::OnChange)
        .Event("OnDropDown", &TFilterComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

TFilterComboBox::TFilterComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  SetFilter(filter_);
}
void TFilterComboBox::SetFilter(const std::string& v) {
  filter_ = v;
  std::vector<std::string> labels;
  size_t start = 0;
  bool label = true;
  for (;;) {
    const size_t bar = v.find('|', start);
    if (label) labels.push_back(v.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    label = !label;
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  items_->SetLines(labels);
  SetItemIndex(labels.empty() ? -1 : 0);
}

// ---------------------------------------------------------------------------
// Dialogs

const TClassInfo& TSaveDialog::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TSaveDialog>("TSaveDialog", &TOpenDialog::StaticClassInfo()).Build();
  return info;
}
const TClassInfo& TOpenPictureDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TOpenPictureDialog>("TOpenPictureDialog", &TOpenDialog::StaticClassInfo()).Build();
  return info;
}
const TClassInfo& TSavePictureDialog::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TSavePictureDialog>("TSavePictureDialog", &TOpenPictureDialog::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TCommonDialog::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCommonDialog>("TCommonDialog", &TComponent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TFontDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFontDialog> b("TFontDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.EnumField("Device", FontDialogDeviceEnumInfo(), 0)
        .Object("Font", &TFont::StaticClassInfo, &TFontDialog::Font)
        .IntegerField("MaxFontSize", 0)
        .IntegerField("MinFontSize", 0)
        .SetField("Options", FontDialogOptionEnumInfo(), 4)
        .Event("OnApply", &TFontDialog::OnApply);
    return b.Build();
  }();
  return info;
}
TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

const TClassInfo& TColorDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TColorDialog> b("TColorDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.ColorField("Color", clBlack)
        .Object("CustomColors", &TStrings::StaticClassInfo, &TColorDialog::CustomColors)
        .SetField("Options", ColorDialogOptionEnumInfo(), 0);
    return b.Build();
  }();
  return info;
}
TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner), customColors_(std::make_unique<TStringList>()) {}

const TClassInfo& TPrintDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPrintDialog> b("TPrintDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.BoolField("Collate", false)
        .IntegerField("Copies", 0)
        .IntegerField("FromPage", 0)
        .IntegerField("MinPage", 0)
        .IntegerField("MaxPage", 0)
        .SetField("Options", PrintDialogOptionEnumInfo(), 0)
        .EnumField("PrintRange", PrintRangeEnumInfo(), 0)
        .BoolField("PrintToFile", false)
        .IntegerField("ToPage", 0);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TPrinterSetupDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPrinterSetupDialog> b("TPrinterSetupDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TFindDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TFindDialog> b("TFindDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.StringField("FindText").SetField("Options", FindOptionEnumInfo(), 1).Event("OnFind", &TFindDialog::OnFind);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TReplaceDialog::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TReplaceDialog>("TReplaceDialog", &TFindDialog::StaticClassInfo())
                                     .StringField("ReplaceText")
                                     .Event("OnReplace", &TReplaceDialog::OnReplace)
                                     .Build();
  return info;
}

const TClassInfo& TPageSetupDialog::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPageSetupDialog> b("TPageSetupDialog", &TCommonDialog::StaticClassInfo());
    PublishDialog(b);
    b.IntegerField("MinMarginLeft", 0)
        .IntegerField("MinMarginTop", 0)
        .IntegerField("MinMarginRight", 0)
        .IntegerField("MinMarginBottom", 0)
        .IntegerField("MarginLeft", 0)
        .IntegerField("MarginTop", 0)
        .IntegerField("MarginRight", 0)
        .IntegerField("MarginBottom", 0)
        .SetField("Options", PageSetupOptionEnumInfo(), 1)
        .IntegerField("PageWidth", 0)
        .IntegerField("PageHeight", 0)
        .EnumField("Units", PageMeasureUnitsEnumInfo(), 0)
        .Event("OnDrawEnvStamp", &TPageSetupDialog::OnDrawEnvStamp)
        .Event("OnDrawFullPage", &TPageSetupDialog::OnDrawFullPage)
        .Event("OnDrawGreekText", &TPageSetupDialog::OnDrawGreekText)
        .Event("OnDrawMargin", &TPageSetupDialog::OnDrawMargin)
        .Event("OnDrawMinMargin", &TPageSetupDialog::OnDrawMinMargin)
        .Event("OnDrawRetAddress", &TPageSetupDialog::OnDrawRetAddress)
        .Event("OnPrinterSetup", &TPageSetupDialog::OnPrinterSetup);
    return b.Build();
  }();
  return info;
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
        .Enum("GridOrdering", GridOrderingEnumInfo(), &TColorGrid::GridOrdering, &TColorGrid::SetGridOrdering, 2)
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
  static const TColor colors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
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

// ---------------------------------------------------------------------------
// TDBGrid

const TClassInfo& TColumnTitle::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TColumnTitle>("TColumnTitle", &TPersistent::StaticClassInfo())
                                     .EnumField("Alignment", AlignmentEnumInfo(), 0)
                                     .StringField("Caption")
                                     .ColorField("Color", clBtnFace)
                                     .Object("Font", &TFont::StaticClassInfo, &TColumnTitle::Font)
                                     .Build();
  return info;
}

const TClassInfo& TColumn::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TColumn>("TColumn", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), 0)
          .EnumField("ButtonStyle", ColumnButtonStyleEnumInfo(), 0)
          .ColorField("Color", clWindow)
          .IntegerField("DropDownRows", 7)
          .BoolField("Expanded", true)
          .StringField("FieldName")
          .Object("Font", &TFont::StaticClassInfo, &TColumn::Font)
          .EnumField("ImeMode", ImeModeEnumInfo(), imDontCare)
          .StringField("ImeName")
          .Object("PickList", &TStrings::StaticClassInfo, &TColumn::PickList)
          .Reference("PopupMenu", &TComponent::StaticClassInfo, [](const TColumn*) -> TComponent* { return nullptr; },
                     [](TColumn*, TPersistent*) {})
          .BoolField("ReadOnly", false)
          .Object("Title", &TColumnTitle::StaticClassInfo, &TColumn::Title)
          .BoolField("Visible", true)
          .IntegerField("Width", 64)
          .Build();
  return info;
}

const TClassInfo& TDBGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBGrid> b("TDBGrid", &TCustomGrid::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    PublishDataLink(b);
    b.Publish("BorderStyle")
        .Object("Columns", &TCollection::StaticClassInfo, &TDBGrid::Columns)
        .Publish("DefaultDrawing")
        .Publish("DrawingStyle")
        .Publish("FixedColor")
        .Publish("GradientEndColor")
        .Publish("GradientStartColor")
        .Set("Options", DBGridOptionEnumInfo(), &TDBGrid::DBOptions, &TDBGrid::SetDBOptions, 0x0C7F)
        .BoolField("ReadOnly", false)
        .Object("TitleFont", &TFont::StaticClassInfo, &TDBGrid::TitleFont)
        .Event("OnCellClick", &TDBGrid::OnCellClick)
        .Event("OnColEnter", &TDBGrid::OnColEnter)
        .Event("OnColExit", &TDBGrid::OnColExit)
        .Event("OnColumnMoved", &TDBGrid::OnColumnMoved)
        .Event("OnDrawColumnCell", &TDBGrid::OnDrawColumnCell)
        .Event("OnDrawDataCell", &TDBGrid::OnDrawDataCell)
        .Event("OnEditButtonClick", &TDBGrid::OnEditButtonClick)
        .Event("OnTitleClick", &TDBGrid::OnTitleClick);
    return b.Build();
  }();
  return info;
}

TDBGrid::TDBGrid(TComponent* owner)
    : TCustomGrid(owner),
      columns_(std::make_unique<TCollection>(TColumn::StaticClassInfo())),
      titleFont_(std::make_unique<TFont>()) {
  columns_->OnChange = [this](TCollection&) { Layout(); };
  SetDBOptions(dbOptions_);
}
TDBGrid::~TDBGrid() { columns_->OnChange = nullptr; }

// Column and row lines, tabs and row selection are the grid's own options.
void TDBGrid::SetDBOptions(int64_t v) {
  dbOptions_ = v;
  TGridOptions o = Options() & ~(GridOption(goFixedVertLine) | GridOption(goVertLine) | GridOption(goFixedHorzLine) |
                                 GridOption(goHorzLine) | GridOption(goTabs) | GridOption(goRowSelect) |
                                 GridOption(goRangeSelect) | GridOption(goColSizing));
  if (HasDBOption(5)) o |= GridOption(goFixedVertLine) | GridOption(goVertLine);
  if (HasDBOption(6)) o |= GridOption(goFixedHorzLine) | GridOption(goHorzLine);
  if (HasDBOption(7)) o |= GridOption(goTabs);
  if (HasDBOption(8)) o |= GridOption(goRowSelect);
  if (HasDBOption(4)) o |= GridOption(goColSizing);
  SetOptions(o);
  Layout();
}

void TDBGrid::Layout() {
  const int indicator = IndicatorOffset();
  const int titles = HasDBOption(2) ? 1 : 0;
  const int columns = std::max(1, columns_->Count());
  SetFixedCols(0);
  SetFixedRows(0);
  SetColCount(columns + indicator);
  SetRowCount(titles + 1);
  SetFixedCols(indicator);
  SetFixedRows(titles);
  if (indicator) SetColWidths(0, kIndicatorWidth);
  for (int i = 0; i < columns_->Count(); ++i) {
    const TFieldValue* w = columns_->Items(i)->FindField("Width");
    SetColWidths(i + indicator, w ? int(w->ord) : DefaultColWidth());
  }
  if (columns_->Count() == 0) SetColWidths(indicator, DefaultColWidth());
  Invalidate();
}

std::string TDBGrid::CellText(int col, int row) const {
  const int index = col - IndicatorOffset();
  if (!HasDBOption(2) || row != 0 || index < 0 || index >= columns_->Count()) return {};
  auto* column = static_cast<TColumn*>(columns_->Items(index));
  if (const TFieldValue* c = column->Title()->FindField("Caption"); c && !c->str.empty()) return c->str;
  return column->FieldOf("FieldName").str;
}

// Titles in the title font. The preview never opens a data set, so the
// grid looks as it does at design time: the data row is empty, with no
// current cell or row mark, in the grid's colour (the indicator column in
// the fixed colour).
void TDBGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  TCanvas* canvas = Canvas();
  const bool dataRow = row >= (HasDBOption(2) ? 1 : 0);
  if (dataRow) {
    if (!DefaultDrawing()) return;
    canvas->Brush()->SetColor(InDrawState(state, gdFixed) ? FixedColor() : Color());
    canvas->FillRect(rect);
    return;
  }
  if (HasDBOption(2)) canvas->Font()->Assign(*titleFont_);
  if (DefaultDrawing()) DrawCellText(*canvas, rect, CellText(col, row));
}

// ---------------------------------------------------------------------------
// TDBNavigator

const TClassInfo& TDBNavigator::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBNavigator> b("TDBNavigator", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Ctl3D").Publish("ParentCtl3D").Publish("Color").Publish("ParentColor");
    groups::PublishWindowed(b);
    b.Reference("DataSource", &TComponent::StaticClassInfo, [](const TDBNavigator* c) -> TComponent* { return c->dataSource; },
                [](TDBNavigator* c, TPersistent* v) { c->dataSource = dynamic_cast<TComponent*>(v); })
        .BoolField("ConfirmDelete", true)
        .BoolField("Flat", false)
        .Object("Hints", &TStrings::StaticClassInfo, &TDBNavigator::Hints)
        .Reference("Images", &TComponent::StaticClassInfo, [](const TDBNavigator*) -> TComponent* { return nullptr; },
                   [](TDBNavigator*, TPersistent*) {})
        .EnumField("Kind", NavKindEnumInfo(), 0)
        .Set("VisibleButtons", NavigateBtnEnumInfo(), &TDBNavigator::VisibleButtons, &TDBNavigator::SetVisibleButtons,
             0x3FF)
        .Event("BeforeAction", &TDBNavigator::BeforeAction);
    return b.Build();
  }();
  return info;
}

TDBNavigator::TDBNavigator(TComponent* owner) : TCustomControl(owner), hints_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 240, 25);
  SetColor(clBtnFace);
  SetParentColor(false);
}
TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::Paint() {
  TCanvas& c = *Canvas();
  const TFieldValue* kind = FindField("Kind");
  const bool vertical = kind && kind->ord == 1;
  const TFieldValue* flatField = FindField("Flat");
  const bool flat = flatField && flatField->ord;
  for (const TNavigatorButton& b : NavigatorButtons(visibleButtons_, Width(), Height(), vertical)) {
    TRect r = b.rect;
    if (!flat) {
      Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
      Frame3D(c, r, cl3DLight, clBtnShadow, 1);
    }
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    DrawNavigatorGlyph(c, b.kind, b.rect, Enabled());
  }
}

// ---------------------------------------------------------------------------
// The other data-aware controls

// The stored Items of a data-aware list, decoded by the control's font.
static void ReportItems(TContentReport& report, const TStrings& items, const TFont& font) {
  std::vector<std::string> texts;
  for (int i = 0; i < items.Count(); ++i) texts.push_back(font.Decode(items.Get(i)).toStdString());
  report.AddStrings("items", texts);
}
void TDBListBox::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }
void TDBComboBox::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }
void TDBRadioGroup::ReportContent(TContentReport& report) const { ReportItems(report, *Items(), *Font()); }

const TClassInfo& TDBText::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBText> b("TDBText", &TCustomLabel::StaticClassInfo());
    groups::PublishControl(b);
    b.Publish("Color").Publish("Font").Publish("ParentColor").Publish("ParentFont");
    PublishDataLink(b);
    b.Enum("Alignment", AlignmentEnumInfo(), &TDBText::Alignment, &TDBText::SetAlignment, taLeftJustify)
        .Publish("AutoSize", 0)
        .Bool("Transparent", &TDBText::Transparent, &TDBText::SetTransparent)
        .Bool("WordWrap", &TDBText::WordWrap, &TDBText::SetWordWrap, false)
        .Enum("Layout", TextLayoutEnumInfo(), &TDBText::Layout, &TDBText::SetLayout, tlTop);
    return b.Build();
  }();
  return info;
}

TDBText::TDBText(TComponent* owner) : TCustomLabel(owner) {
  SetShowAccelChar(false);
  SetAutoSize(false);
}
// Without data the text shows its field's name, as at design time.
QString TDBText::LabelText() const {
  const TFieldValue* f = FindField("DataField");
  return f && !f->str.empty() ? QString::fromStdString(f->str) : QString::fromStdString(Name());
}

const TClassInfo& TDBEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBEdit> b("TDBEdit", &TCustomEdit::StaticClassInfo());
    PublishEditLike(b);
    PublishDataLink(b);
    return b.Build();
  }();
  return info;
}

template <class C>
static void PublishMemoLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, 1);
  groups::PublishBevels(b);
  PublishDataLink(b);
  b.Enum("Alignment", AlignmentEnumInfo(), &C::Alignment, &C::SetAlignment, taLeftJustify)
      .BoolField("AutoDisplay", true)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .BoolField("HideSelection", true)
      .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength, 0)
      .BoolField("OEMConvert", false)
      .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
      .Enum("ScrollBars", ScrollStyleEnumInfo(), &C::ScrollBars, &C::SetScrollBars, ssNone)
      .BoolField("WantReturns", true)
      .BoolField("WantTabs", false)
      .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap, true)
      .Event("OnChange", &C::OnChange);
}

const TClassInfo& TDBMemo::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBMemo> b("TDBMemo", &TCustomMemo::StaticClassInfo());
    PublishMemoLike(b);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBRichEdit::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBRichEdit> b("TDBRichEdit", &TCustomMemo::StaticClassInfo());
    PublishMemoLike(b);
    b.BoolField("PlainText", false)
        .Event("OnProtectChange", &TDBRichEdit::OnProtectChange)
        .Event("OnResizeRequest", &TDBRichEdit::OnResizeRequest)
        .Event("OnSaveClipboard", &TDBRichEdit::OnSaveClipboard)
        .Event("OnSelectionChange", &TDBRichEdit::OnSelectionChange);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBImage> b("TDBImage", &TStockBox::StaticClassInfo());
    PublishDataLink(b);
    b.BoolField("AutoDisplay", true)
        .EnumField("BorderStyle", BorderStyleEnumInfo(), 1)
        .BoolField("Center", true)
        .BoolField("Proportional", false)
        .BoolField("QuickDraw", true)
        .BoolField("ReadOnly", false)
        .BoolField("Stretch", false);
    return b.Build();
  }();
  return info;
}
TDBImage::TDBImage(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 105, 105);
  SetColor(clWindow);
}

const TClassInfo& TDBListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBListBox> b("TDBListBox", &TCustomListBox::StaticClassInfo());
    PublishListLike(b);
    PublishDataLink(b);
    b.BoolField("ReadOnly", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBComboBox> b("TDBComboBox", &TCustomComboBox::StaticClassInfo());
    PublishComboLike(b);
    PublishDataLink(b);
    b.BoolField("ReadOnly", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBCheckBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBCheckBox> b("TDBCheckBox", &TCustomCheckBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b);
    groups::PublishWindowed(b, 1);
    PublishDataLink(b);
    b.Enum("Alignment", LeftRightEnumInfo(), &TDBCheckBox::Alignment, &TDBCheckBox::SetAlignment, taRightJustify)
        .Bool("AllowGrayed", &TDBCheckBox::AllowGrayed, &TDBCheckBox::SetAllowGrayed, false)
        .Publish("Caption")
        .BoolField("ReadOnly", false)
        .StringField("ValueChecked")
        .StringField("ValueUnchecked")
        .BoolField("WordWrap", false);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBRadioGroup::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBRadioGroup> b("TDBRadioGroup", &TCustomRadioGroup::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    PublishDataLink(b);
    b.Publish("Caption")
        .Integer("Columns", &TDBRadioGroup::Columns, &TDBRadioGroup::SetColumns, 1)
        .Object("Items", &TStrings::StaticClassInfo, &TDBRadioGroup::Items, &TDBRadioGroup::SetItems)
        .BoolField("ReadOnly", false)
        .Object("Values", &TStrings::StaticClassInfo, &TDBRadioGroup::Values)
        .BoolField("WordWrap", false)
        .Event("OnChange", &TDBRadioGroup::OnChange);
    return b.Build();
  }();
  return info;
}
TDBRadioGroup::TDBRadioGroup(TComponent* owner) : TCustomRadioGroup(owner), values_(std::make_unique<TStringList>()) {}
TDBRadioGroup::~TDBRadioGroup() = default;

const TClassInfo& TDBLookupListBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupListBox> b("TDBLookupListBox", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    PublishDataLink(b);
    PublishLookup(b);
    b.EnumField("BorderStyle", BorderStyleEnumInfo(), 1).BoolField("ReadOnly", false).IntegerField("RowCount", 7);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupComboBox::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupComboBox> b("TDBLookupComboBox", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    PublishDataLink(b);
    PublishLookup(b);
    b.EnumField("DropDownAlign", DropDownAlignEnumInfo(), 0)
        .IntegerField("DropDownRows", 7)
        .IntegerField("DropDownWidth", 0)
        .BoolField("ReadOnly", false)
        .Event("OnCloseUp", &TDBLookupComboBox::OnCloseUp)
        .Event("OnDropDown", &TDBLookupComboBox::OnDropDown);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupList::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupList> b("TDBLookupList", &TCustomListBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    PublishDataLink(b);
    PublishOldLookup(b);
    b.EnumField("BorderStyle", BorderStyleEnumInfo(), 1);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBLookupCombo::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBLookupCombo> b("TDBLookupCombo", &TCustomComboBox::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    PublishDataLink(b);
    PublishOldLookup(b);
    b.EnumField("Style", DBLookupComboStyleEnumInfo(), 0);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TDBCtrlGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDBCtrlGrid> b("TDBCtrlGrid", &TStockBox::StaticClassInfo());
    PublishDataLink(b);
    b.BoolField("AllowDelete", true)
        .BoolField("AllowInsert", true)
        .IntegerField("ColCount", 1)
        .EnumField("Orientation", DBCtrlGridOrientationEnumInfo(), 0)
        .EnumField("PanelBorder", DBCtrlGridBorderEnumInfo(), 1)
        .IntegerField("PanelHeight", 72)
        .IntegerField("PanelWidth", 200)
        .IntegerField("RowCount", 3)
        .ColorField("SelectedColor", clHighlight)
        .BoolField("ShowFocus", true)
        .Event("OnPaintPanel", &TDBCtrlGrid::OnPaintPanel);
    return b.Build();
  }();
  return info;
}
TDBCtrlGrid::TDBCtrlGrid(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 200, 216);
  showClassName_ = false;
}
