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
#include "core/FormNode.h"
#include "StockEnum.h"


STOCK_ENUM(TabStyleEnumInfo, "TTabStyle", "tsTabs", "tsButtons", "tsFlatButtons")
STOCK_ENUM(TabPositionEnumInfo, "TTabPosition", "tpTop", "tpBottom", "tpLeft", "tpRight")
STOCK_ENUM(StatusPanelStyleEnumInfo, "TStatusPanelStyle", "psText", "psOwnerDraw")
STOCK_ENUM(StatusPanelBevelEnumInfo, "TStatusPanelBevel", "pbNone", "pbLowered", "pbRaised")
STOCK_ENUM(ProgressBarOrientationEnumInfo, "TProgressBarOrientation", "pbHorizontal", "pbVertical")
STOCK_ENUM(ProgressBarStyleEnumInfo, "TProgressBarStyle", "pbstNormal", "pbstMarquee")
STOCK_ENUM(ProgressBarStateEnumInfo, "TProgressBarState", "pbsNormal", "pbsError", "pbsPaused")
STOCK_ENUM(TrackBarOrientationEnumInfo, "TTrackBarOrientation", "trHorizontal", "trVertical")
STOCK_ENUM(TickMarkEnumInfo, "TTickMark", "tmBottomRight", "tmTopLeft", "tmBoth")
STOCK_ENUM(TickStyleEnumInfo, "TTickStyle", "tsNone", "tsAuto", "tsManual")
STOCK_ENUM(PositionToolTipEnumInfo, "TPositionToolTip", "ptNone", "ptTop", "ptLeft", "ptBottom", "ptRight")
STOCK_ENUM(UDOrientationEnumInfo, "TUDOrientation", "udHorizontal", "udVertical")
STOCK_ENUM(TreeViewCheckStyleEnumInfo, "TTreeViewCheckStyle", "csPartial", "csDimmed", "csExclusion")
STOCK_ENUM(UDAlignButtonEnumInfo, "TUDAlignButton", "udLeft", "udRight")
STOCK_ENUM(HKInvalidKeyEnumInfo, "THKInvalidKey", "hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl",
           "hcShiftAlt", "hcCtrlAlt", "hcShiftCtrlAlt")
STOCK_ENUM(HKModifierEnumInfo, "THKModifier", "hkShift", "hkCtrl", "hkAlt", "hkExt")
STOCK_ENUM(CommonAVIEnumInfo, "TCommonAVI", "aviNone", "aviFindFolder", "aviFindFile", "aviFindComputer",
           "aviCopyFiles", "aviCopyFile", "aviRecycleFile", "aviEmptyRecycle", "aviDeleteFile")
STOCK_ENUM(DateTimeKindEnumInfo, "TDateTimeKind", "dtkDate", "dtkTime", "dtkDateTime")
STOCK_ENUM(DTDateModeEnumInfo, "TDTDateMode", "dmComboBox", "dmUpDown")
STOCK_ENUM(DTDateFormatEnumInfo, "TDTDateFormat", "dfShort", "dfLong")
STOCK_ENUM(DTCalAlignmentEnumInfo, "TDTCalAlignment", "dtaLeft", "dtaRight")
STOCK_ENUM(CalDayOfWeekEnumInfo, "TCalDayOfWeek", "dowMonday", "dowTuesday", "dowWednesday", "dowThursday",
           "dowFriday", "dowSaturday", "dowSunday", "dowLocaleDefault")
STOCK_ENUM(SortTypeEnumInfo, "TSortType", "stNone", "stData", "stText", "stBoth")
STOCK_ENUM(MultiSelectStyleEnumInfo, "TMultiSelectStyles", "msControlSelect", "msShiftSelect",
           "msVisibleOnly", "msSiblingOnly")
STOCK_ENUM(ViewStyleEnumInfo, "TViewStyle", "vsIcon", "vsSmallIcon", "vsList", "vsReport")
STOCK_ENUM(IconArrangementEnumInfo, "TIconArrangement", "iaTop", "iaLeft")
STOCK_ENUM(HotTrackStyleEnumInfo, "THotTrackStyle", "htHandPoint", "htUnderlineCold", "htUnderlineHot")
STOCK_ENUM(HeaderStyleEnumInfo, "THeaderStyle", "hsButtons", "hsFlat")
STOCK_ENUM(HeaderSectionStyleEnumInfo, "THeaderSectionStyle", "hsText", "hsOwnerDraw")
STOCK_ENUM(ToolButtonStyleEnumInfo, "TToolButtonStyle", "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
           "tbsDivider", "tbsTextButton")
STOCK_ENUM(EdgeBorderEnumInfo, "TEdgeBorder", "ebLeft", "ebTop", "ebRight", "ebBottom")
STOCK_ENUM(EdgeStyleEnumInfo, "TEdgeStyle", "esNone", "esRaised", "esLowered")
STOCK_ENUM(TBDrawingStyleEnumInfo, "TTBDrawingStyle", "dsNormal", "dsGradient")
STOCK_ENUM(TBGradientDrawingOptionEnumInfo, "TTBGradientDrawingOption", "gdoHotTrack", "gdoGradient")
STOCK_ENUM(CoolBandMaximizeEnumInfo, "TCoolBandMaximize", "bmNone", "bmClick", "bmDblClick")
STOCK_ENUM(PageScrollerOrientationEnumInfo, "TPageScrollerOrientation", "soHorizontal", "soVertical")
STOCK_ENUM(AutoCompleteOptionEnumInfo, "TAutoCompleteOption", "acoAutoSuggest", "acoAutoAppend", "acoSearch",
           "acoFilterPrefixes", "acoUseTab", "acoUpDownKeyDropsList", "acoRtlReading", "acoWordFilter",
           "acoNoPrefixFiltering")
STOCK_ENUM(ComboBoxExStyleEnumInfo, "TComboBoxExStyle", "csExDropDown", "csExSimple", "csExDropDownList")
STOCK_ENUM(ComboBoxExStyleExEnumInfo, "TComboBoxExStyleEx", "csExCaseSensitive", "csExNoEditImage",
           "csExNoEditImageIndent", "csExNoSizeLimit", "csExPathWordBreak")
STOCK_ENUM(ListGroupStateEnumInfo, "TListGroupState", "lgsNormal", "lgsHidden", "lgsCollapsed",
           "lgsNoHeader", "lgsCollapsible", "lgsFocused", "lgsSelected", "lgsSubseted", "lgsSubSetLinkFocused")
STOCK_ENUM(BorderStyleEnumInfo, "TBorderStyle", "bsNone", "bsSingle")

// ---------------------------------------------------------------------------
// TStockItemData

const TClassInfo& TStockItemData::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TStockItemData>("TStockItemData", &TPersistent::StaticClassInfo()).Build();
  return info;
}

void TStockItemData::DefineProperties(TFiler& filer) {
  for (const char* name : {"Data", "ItemData", "NodeData", "Items"}) {
    auto it = std::find_if(data.begin(), data.end(), [&](const auto& p) { return p.first == name; });
    const bool has = it != data.end();
    filer.DefineProperty(
        name,
        [this, n = std::string(name)](const TFormNode& v) {
          auto found = std::find_if(data.begin(), data.end(), [&](const auto& p) { return p.first == n; });
          if (found == data.end()) data.emplace_back(n, v.bytes);
          else found->second = v.bytes;
        },
        [this, n = std::string(name)] {
          for (const auto& p : data)
            if (p.first == n) return TFormNode::Binary(p.second);
          return TFormNode::Binary({});
        },
        has);
  }
}

static double QDateToDays(const QDate& d) { return double(QDate(1899, 12, 30).daysTo(d)); }
static QDateTime DaysToQDateTime(double days) {
  const double whole = std::floor(days);
  const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
  const int ms = int(std::lround((days - whole) * 86400000.0)) % 86400000;
  return QDateTime(date, QTime(0, 0).addMSecs(ms));
}

// ---------------------------------------------------------------------------
// TTabSheet

const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTabSheet> b("TTabSheet", &TCustomControl::StaticClassInfo());
    b.Publish("AlignWithMargins")
        .Publish("BiDiMode")
        .Publish("Caption")
        .Publish("Color")
        .Publish("Constraints")
        .Publish("DoubleBuffered")
        .Publish("DragMode")
        .Publish("Enabled")
        .Publish("Font")
        .Publish("Margins")
        .Publish("Padding")
        .Publish("ParentBiDiMode")
        .Publish("ParentColor")
        .Publish("ParentDoubleBuffered")
        .Publish("ParentFont")
        .Publish("ParentShowHint")
        .Publish("ParentBackground")
        .Publish("PopupMenu")
        .Publish("ShowHint")
        .Publish("StyleElements")
        .Publish("Visible")
        .IntegerField("BorderWidth", 0)
        .BoolField("Highlighted", false)
        .Integer("ImageIndex", &TTabSheet::ImageIndex,
                 [](TTabSheet* sheet, int v) {
                   if (v == sheet->ImageIndex()) return;
                   sheet->SetImageIndex(v);
                   // A new image shows on the sheet's tab at once; while a
                   // form is read, the page control lays its tabs out once
                   // loaded.
                   if (sheet->pageControl_ && !sheet->HasState(csLoading)) sheet->pageControl_->UpdateTabs();
                 },
                 0)
        .StringField("ImageName")
        .Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
        .StoredWhen([](const TTabSheet*) { return false; })
        .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true)
        .Publish("OnContextPopup")
        .Publish("OnDragDrop")
        .Publish("OnDragOver")
        .Publish("OnEndDrag")
        .Publish("OnEnter")
        .Publish("OnExit")
        .Publish("OnMouseDown")
        .Publish("OnMouseEnter")
        .Publish("OnMouseLeave")
        .Publish("OnMouseMove")
        .Publish("OnMouseUp")
        .Publish("OnResize")
        .Publish("OnStartDrag")
        .Event("OnHide", &TTabSheet::OnHide)
        .Event("OnShow", &TTabSheet::OnShow);
    return b.Build();
  }();
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csClickEvents | csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(true);
  SetVisible(false);
}
TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) SetPageControl(pc);
}

void TTabSheet::SetPageControl(TPageControl* p) {
  if (pageControl_ == p) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = p;
  if (p) {
    if (Parent() != p) TCustomControl::SetParent(p);
    p->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& v = pageControl_->pages_;
  return int(std::find(v.begin(), v.end(), this) - v.begin());
}
void TTabSheet::SetPageIndex(int v) {
  if (!pageControl_) return;
  auto& pages = pageControl_->pages_;
  auto it = std::find(pages.begin(), pages.end(), this);
  if (it == pages.end()) return;
  pages.erase(it);
  v = std::clamp(v, 0, int(pages.size()));
  pages.insert(pages.begin() + v, this);
  pageControl_->UpdateTabs();
}
void TTabSheet::SetTabVisible(bool v) {
  tabVisible_ = v;
  if (pageControl_) pageControl_->UpdateTabs();
}
void TTabSheet::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  if (pageControl_) pageControl_->UpdateTabs();
}

// ---------------------------------------------------------------------------
// TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCustomTabControl>("TCustomTabControl", &TCustomControl::StaticClassInfo()).Build();
  return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csDoubleClicks | csCaptureMouse | csClickEvents);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
  SetParentColor(true);
}

namespace {

// A row of tabs with the control's fixed tab sizes. With the button styles
// each tab is a push button, the selected one pressed in; flat buttons show
// only the selected one's edges.
class TTabRow : public QTabBar {
 public:
  TTabRow(QWidget* parent, int fixedWidth, int fixedHeight, int tabStyle)
      : QTabBar(parent), fixedWidth_(fixedWidth), fixedHeight_(fixedHeight), tabStyle_(tabStyle) {}
  int firstTab = 0;  // the control's index of this row's first tab
  int tabsInRow = 0;
  // Each tab's length along the row, as the control measured it to break
  // the tabs into rows; the style's own measure would make them longer
  // than the rows were made for.
  std::vector<int> lengths;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (tabStyle_ == 0 && (Vertical() || lengths.empty())) {
      QTabBar::paintEvent(event);
      return;
    }
    if (tabStyle_ == 0) {
      PaintTabs();
      return;
    }
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
      if (!isTabVisible(i)) continue;
      QStyleOptionButton button;
      button.initFrom(this);
      button.rect = tabRect(i).adjusted(0, 0, Vertical() ? 0 : -kButtonGap, Vertical() ? -kButtonGap : 0);
      button.text = tabText(i);
      button.icon = tabIcon(i);
      button.iconSize = iconSize();
      button.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
      if (i == currentIndex())
        button.state |= QStyle::State_Sunken | QStyle::State_On;
      else if (tabStyle_ == 2)
        button.features |= QStyleOptionButton::Flat;
      else
        button.state |= QStyle::State_Raised;
      painter.drawControl(QStyle::CE_PushButton, button);
    }
  }

  // Tabs along a row: the style draws each shape, the selected one last
  // so that it stands over its neighbours, and the caption is centred in
  // its tab as the system centres it; the style's own label would keep a
  // wider margin than the tab was measured with and cut the caption.
  void PaintTabs() {
    QStylePainter painter(this);
    auto paintTab = [&](int i) {
      QStyleOptionTab tab;
      initStyleOption(&tab, i);
      tab.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
      painter.drawControl(QStyle::CE_TabBarTabShape, tab);
      QRect area = tab.rect;
      if (i == currentIndex()) area.translate(0, shape() == RoundedSouth ? 1 : -1);
      const QPixmap icon = tab.icon.isNull() ? QPixmap() : tab.icon.pixmap(iconSize());
      const int textWidth = fontMetrics().horizontalAdvance(tab.text);
      const int gap = icon.isNull() ? 0 : 4;
      int x = area.left() + (area.width() - (icon.isNull() ? 0 : icon.width() + gap) - textWidth) / 2;
      if (!icon.isNull()) {
        painter.drawPixmap(x, area.top() + (area.height() - icon.height()) / 2, icon);
        x += icon.width() + gap;
      }
      painter.drawItemText(QRect(x, area.top(), textWidth + 1, area.height()), Qt::AlignLeft | Qt::AlignVCenter |
                           Qt::TextShowMnemonic, tab.palette, isTabEnabled(i), tab.text, QPalette::WindowText);
    };
    for (int i = 0; i < count(); ++i)
      if (isTabVisible(i) && i != currentIndex()) paintTab(i);
    if (currentIndex() >= 0 && isTabVisible(currentIndex())) paintTab(currentIndex());
  }

  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    if (tabStyle_ != 0) (Vertical() ? size.rheight() : size.rwidth()) += kButtonGap;  // buttons stand apart
    const bool vertical = shape() == RoundedWest || shape() == RoundedEast;
    int& along = vertical ? size.rheight() : size.rwidth();
    int& across = vertical ? size.rwidth() : size.rheight();
    if (index >= 0 && size_t(index) < lengths.size()) along = lengths[size_t(index)];
    if (fixedWidth_ > 0) along = fixedWidth_;
    if (fixedHeight_ > 0) across = fixedHeight_;
    return size;
  }

 private:
  bool Vertical() const { return shape() == RoundedWest || shape() == RoundedEast; }
  static constexpr int kButtonGap = 3;
  int fixedWidth_, fixedHeight_, tabStyle_;
};

QTabBar::Shape TabShape(int position) {
  switch (position) {
    case 1: return QTabBar::RoundedSouth;
    case 2: return QTabBar::RoundedWest;
    case 3: return QTabBar::RoundedEast;
    default: return QTabBar::RoundedNorth;
  }
}

}  // namespace

std::vector<int> TabRowSizes(const std::vector<int>& widths, int available) {
  std::vector<int> rows;
  int used = 0;
  for (int w : widths) {
    if (rows.empty() || (used > 0 && used + w > available)) {
      rows.push_back(0);
      used = 0;
    }
    ++rows.back();
    used += w;
  }
  return rows;
}

TRect TabDisplayRect(const TRect& client, int stripExtent, int position, int style) {
  TRect r = client;
  const int gap = style == 0 ? 0 : 3;  // buttons stand apart from the display
  switch (position) {
    case 1: r.Bottom -= stripExtent + gap; break;
    case 2: r.Left += stripExtent + gap; break;
    case 3: r.Right -= stripExtent + gap; break;
    default: r.Top += stripExtent + gap; break;
  }
  if (style == 0) InflateRect(r, -4, -4);  // inside the raised frame
  return r;
}

int TCustomTabControl::RowExtent() const {
  if (tabHeight_ > 0) return tabHeight_ + 2;
  TCanvas m;
  m.SetFont(*Font());
  return m.TextExtentW(QStringLiteral("Wg")).cy + 7;
}

std::vector<int> TCustomTabControl::RowSizes() const {
  // Rows run along the tabs' side: across the control for tabs at the top
  // or bottom, down it for tabs at the left or right. A change of side
  // forgets the rows (UpdateTabs), so the length alone keys them.
  const int length = tabPosition_ < 2 ? Width() : Height();
  if (rowSizesWidth_ == length) return rowSizes_;
  const std::vector<std::string> texts = Tabs();
  rowSizesWidth_ = length;
  if (!multiLine_ || texts.empty()) return rowSizes_ = {int(texts.size())};
  return rowSizes_ = TabRowSizes(TabLengths(texts), std::max(1, length - 4));
}

std::vector<int> TCustomTabControl::TabLengths(const std::vector<std::string>& texts) const {
  TCanvas m;
  m.SetFont(*Font());
  auto* images = dynamic_cast<const TCustomImageList*>(images_);
  const int image = images ? images->Width() + 4 : 0;
  std::vector<int> lengths;
  for (const auto& t : texts)
    lengths.push_back(tabWidth_ > 0 ? tabWidth_ : m.TextExtentW(CaptionToMnemonicText(t, *Font())).cx + 16 + image);
  return lengths;
}

int TCustomTabControl::TabStripExtent() const {
  if (tabCount_ == 0) return 0;
  return RowExtent() * int(RowSizes().size());
}
TRect TCustomTabControl::DisplayRect() const {
  return TabDisplayRect(Rect(0, 0, Width(), Height()), TabStripExtent(), tabPosition_, style_);
}
void TCustomTabControl::AdjustClientRect(TRect& rect) { rect = DisplayRect(); }

std::vector<std::string> TCustomTabControl::TabTexts() const { return Tabs(); }

void TCustomTabControl::SetTabIndex(int v) {
  tabIndex_ = v;
  if (!rowBars_.empty() && !updatingTabs_) UpdateTabs();
}

void TCustomTabControl::TabClicked(int index) {
  tabIndex_ = index;
  if (OnChange) OnChange.code(this);
}

void TCustomTabControl::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateTabs();
}

// Rows are bars stacked on the tabs' side; the row holding the selected tab
// sits next to the display area, as the system's multi-line tabs do. A row
// without the selected tab selects a hidden extra tab, so it shows none.
void TCustomTabControl::UpdateTabs() {
  rowSizesWidth_ = -1;
  if (HasState(csLoading)) return;  // Loaded builds the tabs
  const std::vector<std::string> texts = Tabs();
  if (int(texts.size()) != tabCount_) tabCount_ = int(texts.size());
  Realign();
  DisplayChanged();
  QWidget* host = WidgetIfAllocated();
  if (!host) return;
  updatingTabs_ = true;
  std::vector<int> rows = RowSizes();
  for (auto& bar : rowBars_) delete bar.data();
  rowBars_.clear();
  std::vector<int> firsts;
  for (size_t i = 0, first = 0; i < rows.size(); first += size_t(rows[i]), ++i) firsts.push_back(int(first));
  size_t selectedRow = rows.size() - 1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (tabIndex_ >= firsts[i] && tabIndex_ < firsts[i] + rows[i]) selectedRow = i;
  std::vector<size_t> order;  // rows from the outer edge towards the display
  for (size_t i = 0; i < rows.size(); ++i)
    if (i != selectedRow) order.push_back(i);
  order.push_back(selectedRow);
  const bool farSide = tabPosition_ == 1 || tabPosition_ == 3;  // bottom, right: display first
  if (farSide) std::reverse(order.begin(), order.end());
  const TFont& font = *Font();
  const int extent = RowExtent();
  const int strip = texts.empty() ? 0 : extent * int(rows.size());
  const std::vector<int> lengths = TabLengths(texts);
  for (size_t slot = 0; slot < order.size(); ++slot) {
    const size_t row = order[slot];
    auto* bar = new TTabRow(host, tabWidth_, tabHeight_, style_);
    bar->setShape(TabShape(tabPosition_));
    bar->setDrawBase(false);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(!multiLine_);
    bar->setFont(font.ToQFont());
    bar->firstTab = firsts[row];
    bar->tabsInRow = rows[row];
    bar->lengths.assign(lengths.begin() + firsts[row], lengths.begin() + firsts[row] + rows[row]);
    auto* images = dynamic_cast<TCustomImageList*>(images_);
    if (images) bar->setIconSize(QSize(images->Width(), images->Height()));
    for (int k = 0; k < rows[row]; ++k) {
      const int index = firsts[row] + k;
      const QImage image = images ? images->ImageAt(TabImageIndex(index)) : QImage();
      bar->addTab(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)),
                  CaptionToMnemonicText(texts[size_t(index)], font));
    }
    const int local = tabIndex_ - firsts[row];
    if (local >= 0 && local < rows[row]) {
      bar->setCurrentIndex(local);
    } else if (rows.size() > 1) {
      bar->setTabVisible(bar->addTab(QString()), false);
      bar->setCurrentIndex(bar->count() - 1);
    }
    QObject::connect(bar, &QTabBar::currentChanged, bar, [this, bar](int i) {
      if (updatingTabs_ || i < 0 || i >= bar->tabsInRow) return;
      const int index = bar->firstTab + i;
      updatingTabs_ = true;  // the rows are rebuilt once this signal is done
      TabClicked(index);
      updatingTabs_ = false;
      tabIndex_ = index;
      QMetaObject::invokeMethod(bar, [this] { UpdateTabs(); }, Qt::QueuedConnection);
    });
    const int offset = int(slot) * extent;
    switch (tabPosition_) {
      case 1: bar->setGeometry(2, Height() - strip + offset - 2, std::max(0, Width() - 4), extent + 2); break;
      case 2: bar->setGeometry(offset, 2, extent + 2, std::max(0, Height() - 4)); break;
      case 3: bar->setGeometry(Width() - strip + offset - 2, 2, extent + 2, std::max(0, Height() - 4)); break;
      default: bar->setGeometry(2, offset, std::max(0, Width() - 4), extent + 2); break;
    }
    bar->setVisible(bar->tabsInRow > 0);
    rowBars_.emplace_back(bar);
  }
  tabBar_ = rowBars_.empty() ? nullptr : rowBars_.back().data();
  for (const auto& bar : rowBars_)
    if (bar && tabIndex_ >= static_cast<TTabRow*>(bar.data())->firstTab &&
        tabIndex_ < static_cast<TTabRow*>(bar.data())->firstTab + static_cast<TTabRow*>(bar.data())->tabsInRow)
      tabBar_ = bar.data();
  updatingTabs_ = false;
  Realign();
  Invalidate();
}

void TCustomTabControl::SetImages(TComponent* c) {
  images_ = c;
  if (c) c->FreeNotification(this);
  UpdateTabs();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

int TPageControl::TabImageIndex(int index) const {
  const auto tabs = visibleTabs();
  return index >= 0 && index < int(tabs.size()) ? tabs[size_t(index)]->ImageIndex() : -1;
}

void TCustomTabControl::Paint() {
  if (style_ != 0) return;  // button styles have no frame around the display
  TCanvas& c = *Canvas();
  TRect r = DisplayRect();
  InflateRect(r, 4, 4);
  Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(c, r, cl3DLight, clBtnShadow, 1);
}

void TCustomTabControl::WMSize(TWMSize& msg) {
  TCustomControl::WMSize(msg);
  if (!rowBars_.empty() && !updatingTabs_) UpdateTabs();
}
void TCustomTabControl::CMFontChanged(TMessage& msg) {
  TCustomControl::CMFontChanged(msg);
  UpdateTabs();
}

template <class C>
static void PublishTabControl(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  b.Publish("Font").Publish("ParentFont").Publish("Color").Publish("ParentColor");
  groups::PublishWindowed(b, 1);
  b.BoolField("HotTrack", false)
      .Reference("Images", &TComponent::StaticClassInfo, &C::Images,
                 [](C* c, TPersistent* v) { c->SetImages(dynamic_cast<TComponent*>(v)); })
      .Bool("MultiLine", &C::MultiLine, &C::SetMultiLine, false)
      .BoolField("MultiSelect", false)
      .BoolField("OwnerDraw", false)
      .BoolField("RaggedRight", false)
      .BoolField("ScrollOpposite", false)
      .Enum("Style", TabStyleEnumInfo(), &C::Style, &C::SetStyle, 0)
      .Integer("TabHeight", &C::TabHeight, &C::SetTabHeight, 0)
      .Enum("TabPosition", TabPositionEnumInfo(), &C::TabPosition, &C::SetTabPosition, 0)
      .Integer("TabWidth", &C::TabWidth, &C::SetTabWidth, 0)
      .Event("OnChange", &C::OnChange)
      .Event("OnChanging", &C::OnChanging)
      .Event("OnDrawTab", &C::OnDrawTab)
      .Event("OnGetImageIndex", &C::OnGetImageIndex);
}

// ---------------------------------------------------------------------------
// TPageControl

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TPageControl> b("TPageControl", &TCustomTabControl::StaticClassInfo());
    PublishTabControl(b);
    b.Reference("ActivePage", &TTabSheet::StaticClassInfo, &TPageControl::ActivePage,
                [](TPageControl* p, TPersistent* v) { p->SetActivePage(dynamic_cast<TTabSheet*>(v)); })
        .Integer("TabIndex", &TPageControl::TabIndex, &TPageControl::SetTabIndex, -1)
        .StoredWhen([](const TPageControl*) { return false; });
    return b.Build();
  }();
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}
TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

std::vector<TTabSheet*> TPageControl::visibleTabs() const {
  std::vector<TTabSheet*> v;
  for (TTabSheet* p : pages_)
    if (p->tabVisible_) v.push_back(p);
  return v;
}

std::vector<std::string> TPageControl::Tabs() const {
  std::vector<std::string> t;
  for (TTabSheet* p : visibleTabs()) t.push_back(p->Caption());
  return t;
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) == pages_.end()) pages_.push_back(page);
  page->FreeNotification(this);
  if (!HasState(csLoading)) PlacePages();  // Loaded places them all once
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  page->pageControl_ = nullptr;
  if (activePage_ == page) activePage_ = nullptr;
  // When the form goes, its pages go one by one before this control:
  // rebuilding the tabs for each would cost the square of their number.
  const bool ownerGoing = Owner() && Owner()->HasState(csDestroying);
  if (!HasState(csDestroying) && !ownerGoing) UpdateTabs();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TCustomTabControl::Notification(component, operation);
  if (operation == opRemove) {
    if (component == activePage_) activePage_ = nullptr;
  }
}

void TPageControl::PlacePages() {
  const TRect r = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  TTabSheet* old = activePage_;
  activePage_ = page;
  for (TTabSheet* p : pages_) p->SetVisible(p == page);
  const auto tabs = visibleTabs();
  const auto it = std::find(tabs.begin(), tabs.end(), page);
  TCustomTabControl::SetTabIndex(it == tabs.end() ? -1 : int(it - tabs.begin()));
  if (old != page && !HasState(csLoading)) {
    if (old && old->OnHide) old->OnHide.code(old);
    if (page && page->OnShow) page->OnShow.code(page);
  }
}

void TPageControl::SetTabIndex(int v) {
  const auto tabs = visibleTabs();
  if (v >= 0 && v < int(tabs.size()))
    SetActivePage(tabs[size_t(v)]);
  else
    TCustomTabControl::SetTabIndex(-1);
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
void TPageControl::SetActivePageIndex(int v) {
  SetActivePage(v >= 0 && v < int(pages_.size()) ? pages_[size_t(v)] : nullptr);
}

void TPageControl::TabClicked(int index) {
  const auto tabs = visibleTabs();
  if (index >= 0 && index < int(tabs.size())) SetActivePage(tabs[size_t(index)]);
  if (OnChange) OnChange.code(this);
}

void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  if (!activePage_ && !pages_.empty()) {
    const auto tabs = visibleTabs();
    if (!tabs.empty()) activePage_ = tabs.front();
  }
  SetActivePage(activePage_);
  PlacePages();
  UpdateTabs();
}

void TPageControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TTabSheet* p : pages_) proc(p);
  (void)root;
}

void TPageControl::WMSize(TWMSize& msg) {
  TCustomTabControl::WMSize(msg);
  PlacePages();
}

// ---------------------------------------------------------------------------
// TTabControl

const TClassInfo& TTabControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTabControl> b("TTabControl", &TCustomTabControl::StaticClassInfo());
    PublishTabControl(b);
    b.Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1)
        .Object("Tabs", &TStrings::StaticClassInfo, &TTabControl::TabStrings, &TTabControl::SetTabStrings);
    return b.Build();
  }();
  return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), tabs_(std::make_unique<TSyncedStrings>()) {
  tabs_->OnChanged = [this] { UpdateTabs(); };
}
TTabControl::~TTabControl() { tabs_->OnChanged = nullptr; }
std::vector<std::string> TTabControl::Tabs() const { return tabs_->Lines(); }
void TTabControl::Loaded() {
  TCustomTabControl::Loaded();
  UpdateTabs();
}

// ---------------------------------------------------------------------------
// TStatusBar

const TClassInfo& TStatusPanel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TStatusPanel>("TStatusPanel", &TCollectionItem::StaticClassInfo())
          .Enum("Alignment", AlignmentEnumInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, 0)
          .Enum("Bevel", StatusPanelBevelEnumInfo(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel, 1)
          .EnumField("BiDiMode", BiDiModeEnumInfo(), 0)
          .BoolField("ParentBiDiMode", true)
          .Enum("Style", StatusPanelStyleEnumInfo(), &TStatusPanel::Style, &TStatusPanel::SetStyle, 0)
          .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Build();
  return info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TStatusBar> b("TStatusBar", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Align", alBottom)
        .Publish("AutoSize")
        .Reference("Action", &TComponent::StaticClassInfo, [](const TStatusBar*) -> TComponent* { return nullptr; },
                   [](TStatusBar*, TPersistent*) {})
        .BoolField("AutoHint", false)
        .IntegerField("BorderWidth", 0)
        .Object("Panels", &TCollection::StaticClassInfo, &TStatusBar::Panels)
        .Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false)
        .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
        .Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true)
        .BoolField("UseSystemFont", true)
        .Event("OnCreatePanelClass", &TStatusBar::OnCreatePanelClass)
        .Event("OnDrawPanel", &TStatusBar::OnDrawPanel)
        .Event("OnHint", &TStatusBar::OnHint);
    return b.Build();
  }();
  return info;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TCollection>(TStatusPanel::StaticClassInfo())) {
  SetBounds(0, 0, 150, 19);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetAlign(alBottom);
  panels_->OnChange = [this](TCollection&) { Invalidate(); };
}
TStatusBar::~TStatusBar() { panels_->OnChange = nullptr; }

void TStatusBar::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  const int top = 2, bottom = Height();
  auto panel = [&](int left, int right, const std::string& text, int bevel, int alignment) {
    TRect r = Rect(left, top, right, bottom);
    if (bevel == 1) Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    if (bevel == 2) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    r.Left += 2;
    r.Right -= 2;
    DrawControlText(c, r, Font()->Decode(text), alignment, 1, false, false);
  };
  if (simplePanel_ || panels_->Count() == 0) {
    panel(0, Width(), simplePanel_ ? simpleText_ : std::string(), simplePanel_ ? 0 : 0, 0);
  } else {
    int x = 0;
    for (int i = 0; i < panels_->Count(); ++i) {
      auto* p = static_cast<TStatusPanel*>(panels_->Items(i));
      const int right = i + 1 == panels_->Count() ? Width() : x + p->Width();
      panel(x, std::min(right, Width()), p->Text(), p->Bevel(), p->Alignment());
      x = right + 2;
      if (x >= Width()) break;
    }
  }
  if (sizeGrip_) {
    // Three diagonal grip lines in the bottom-right corner.
    for (int i = 0; i < 3; ++i) {
      const int d = 4 * i + 3;
      for (int k = 0; k < d; ++k) {
        c.SetPixel(Width() - 1 - k, Height() - d + k, clBtnHighlight);
        c.SetPixel(Width() - 1 - k + 1, Height() - d + k, clBtnShadow);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// TProgressBar

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TProgressBar> b("TProgressBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b);
    b.Publish("Font").Publish("ParentFont").Publish("Color").Publish("ParentColor");
    b.ColorField("BackgroundColor", clDefault)
        .ColorField("BarColor", clDefault)
        .IntegerField("BorderWidth", 0)
        .IntegerField("MarqueeInterval", 10)
        .Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
        .Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
        .Enum("Orientation", ProgressBarOrientationEnumInfo(), &TProgressBar::Orientation,
              &TProgressBar::SetOrientation, 0)
        .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0)
        .BoolField("Smooth", false)
        .BoolField("SmoothReverse", false)
        .EnumField("State", ProgressBarStateEnumInfo(), 0)
        .IntegerField("Step", 10)
        .EnumField("Style", ProgressBarStyleEnumInfo(), 0);
    return b.Build();
  }();
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

QWidget* TProgressBar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* b = new QProgressBar(parentWidget);
  b->setTextVisible(false);
  bar_ = b;
  return b;
}
void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TProgressBar::Apply() {
  if (!bar_) return;
  bar_->setOrientation(orientation_ ? Qt::Vertical : Qt::Horizontal);
  bar_->setRange(min_, std::max(min_, max_));
  bar_->setValue(std::clamp(position_, min_, std::max(min_, max_)));
}

// ---------------------------------------------------------------------------
// TTrackBar

const TClassInfo& TTrackBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTrackBar> b("TTrackBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, 1);
    b.Publish("Ctl3D").Publish("ParentCtl3D").Publish("Color").Publish("ParentColor").Publish("Font").Publish("ParentFont");
    b.IntegerField("BorderWidth", 0);
    b.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1)
        .Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1)
        .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
        .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0)
        .Enum("Orientation", TrackBarOrientationEnumInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation, 0)
        .Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2)
        .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0)
        .EnumField("PositionToolTip", PositionToolTipEnumInfo(), 0)
        .IntegerField("SelEnd", 0)
        .IntegerField("SelStart", 0)
        .BoolField("ShowSelRange", true)
        .BoolField("SliderVisible", true)
        .IntegerField("ThumbLength", 20)
        .Enum("TickMarks", TickMarkEnumInfo(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks, 0)
        .Enum("TickStyle", TickStyleEnumInfo(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle, 1)
        .Event("OnChange", &TTrackBar::OnChange);
    return b.Build();
  }();
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TTrackBar::SetPosition(int v) {
  if (position_ == v) return;
  position_ = v;
  Apply();
  if (!HasState(csLoading) && OnChange) OnChange.code(this);
}
void TTrackBar::SetOrientation(int v) {
  if (orientation_ == v) return;
  orientation_ = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Apply();
}

QWidget* TTrackBar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* s = new QSlider(parentWidget);
  QObject::connect(s, &QSlider::valueChanged, s, [this](int v) {
    if (!applying_) SetPosition(v);
  });
  slider_ = s;
  return s;
}
void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TTrackBar::Apply() {
  if (!slider_) return;
  applying_ = true;
  slider_->setOrientation(orientation_ ? Qt::Vertical : Qt::Horizontal);
  slider_->setRange(min_, std::max(min_, max_));
  slider_->setValue(position_);
  slider_->setSingleStep(lineSize_);
  slider_->setPageStep(pageSize_);
  slider_->setTickInterval(std::max(1, frequency_));
  QSlider::TickPosition tp = QSlider::NoTicks;
  if (tickStyle_ != 0) {
    if (tickMarks_ == 0) tp = orientation_ ? QSlider::TicksRight : QSlider::TicksBelow;
    if (tickMarks_ == 1) tp = orientation_ ? QSlider::TicksLeft : QSlider::TicksAbove;
    if (tickMarks_ == 2) tp = QSlider::TicksBothSides;
  }
  slider_->setTickPosition(tp);
  applying_ = false;
}

// ---------------------------------------------------------------------------
// TUpDown

const TClassInfo& TUpDown::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TUpDown> b("TUpDown", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b);
    b.EnumField("AlignButton", UDAlignButtonEnumInfo(), 1)
        .BoolField("ArrowKeys", true)
        .Reference("Associate", &TComponent::StaticClassInfo, &TUpDown::Associate,
                   [](TUpDown* u, TPersistent* v) { u->SetAssociate(dynamic_cast<TComponent*>(v)); })
        .IntegerField("Increment", 1)
        .IntegerField("Max", 100)
        .IntegerField("Min", 0)
        .Enum("Orientation", UDOrientationEnumInfo(), &TUpDown::Orientation, &TUpDown::SetOrientation, 1)
        .IntegerField("Position", 0)
        .BoolField("Thousands", true)
        .BoolField("Wrap", false)
        .Event("OnChanging", &TUpDown::OnChanging)
        .Event("OnChangingEx", &TUpDown::OnChangingEx);
    return b.Build();
  }();
  return info;
}

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 17, 25);
  SetColor(clBtnFace);
  SetParentColor(false);
}
void TUpDown::SetAssociate(TComponent* c) {
  associate_ = c;
  if (c) c->FreeNotification(this);
}
void TUpDown::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == associate_) associate_ = nullptr;
}

static void DrawArrowButton(TCanvas& c, TRect r, int direction) {
  TRect face = r;
  Frame3D(c, face, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(c, face, cl3DLight, clBtnShadow, 1);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(face);
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c.Brush()->SetColor(clBtnText);
  for (int i = 0; i < 3; ++i) {
    switch (direction) {
      case 0: c.FillRect(Rect(cx - i, cy - 1 + i, cx + i + 1, cy + i)); break;  // up
      case 1: c.FillRect(Rect(cx - 2 + i, cy - 1 + i, cx + 3 - i, cy + i)); break;  // down
      case 2: c.FillRect(Rect(cx - 1 + i, cy - i, cx + i, cy + i + 1)); break;  // left
      default: c.FillRect(Rect(cx - 1 + i, cy - 2 + i, cx + i, cy + 3 - i)); break;  // right
    }
  }
}

void TUpDown::Paint() {
  TCanvas& c = *Canvas();
  if (orientation_ == 1) {
    DrawArrowButton(c, Rect(0, 0, Width(), Height() / 2), 0);
    DrawArrowButton(c, Rect(0, Height() / 2, Width(), Height()), 1);
  } else {
    DrawArrowButton(c, Rect(0, 0, Width() / 2, Height()), 2);
    DrawArrowButton(c, Rect(Width() / 2, 0, Width(), Height()), 3);
  }
}

// ---------------------------------------------------------------------------
// THotKey

const TClassInfo& THotKey::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<THotKey> b("THotKey", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    b.Publish("AutoSize")
        .Publish("Color")
        .Publish("ParentColor")
        .Integer("HotKey", &THotKey::HotKey, &THotKey::SetHotKey, 0x4041)
        .SetField("InvalidKeys", HKInvalidKeyEnumInfo(), 3)
        .SetField("Modifiers", HKModifierEnumInfo(), 4)
        .Event("OnChange", &THotKey::OnChange);
    return b.Build();
  }();
  return info;
}

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
}

static QString ShortCutText(int shortcut) {
  if (shortcut == 0) return QStringLiteral("None");
  QString s;
  if (shortcut & 0x2000) s += "Shift+";
  if (shortcut & 0x4000) s += "Ctrl+";
  if (shortcut & 0x8000) s += "Alt+";
  const int key = shortcut & 0xFF;
  if (key >= 0x70 && key <= 0x87)
    s += QString("F%1").arg(key - 0x6F);
  else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    s += QChar(key);
  else
    s += QString("#%1").arg(key);
  return s;
}

void THotKey::SetHotKey(int v) {
  hotKey_ = v;
  if (edit_) edit_->setText(ShortCutText(v));
}
QWidget* THotKey::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* e = new QLineEdit(parentWidget);
  e->setReadOnly(true);
  edit_ = e;
  return e;
}
void THotKey::CreateWnd() {
  TWinControl::CreateWnd();
  SetHotKey(hotKey_);
}

// ---------------------------------------------------------------------------
// TAnimate

const TClassInfo& TAnimate::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TAnimate>("TAnimate", &TStockBox::StaticClassInfo())
          .BoolField("Active", false)
          .Publish("AutoSize")
          .IntegerField("BorderWidth", 0)
          .BoolField("Center", true)
          .EnumField("CommonAVI", CommonAVIEnumInfo(), 0)
          .StringField("FileName")
          .BoolField("Open", false)
          .IntegerField("Repetitions", 0)
          .IntegerField("StartFrame", 1)
          .IntegerField("StopFrame", 0)
          .BoolField("Timers", false)
          .BoolField("Transparent", true)
          .Event("OnClose", &TAnimate::OnClose)
          .Event("OnOpen", &TAnimate::OnOpen)
          .Event("OnStart", &TAnimate::OnStart)
          .Event("OnStop", &TAnimate::OnStop)
          .Build();
  return info;
}

TAnimate::TAnimate(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 100, 80);
  frame_ = 0;
}

// ---------------------------------------------------------------------------
// Date controls

const TClassInfo& TMonthCalColors::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TMonthCalColors>("TMonthCalColors", &TPersistent::StaticClassInfo())
                                     .ColorField("BackColor", clWindow)
                                     .ColorField("TextColor", clWindowText)
                                     .ColorField("TitleBackColor", clActiveCaption)
                                     .ColorField("TitleTextColor", clWhite)
                                     .ColorField("MonthBackColor", clWhite)
                                     .ColorField("TrailingTextColor", clInactiveCaptionText)
                                     .Build();
  return info;
}

const TClassInfo& TDateTimePicker::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDateTimePicker> b("TDateTimePicker", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    b.EnumField("CalAlignment", DTCalAlignmentEnumInfo(), 0)
        .Object("CalColors", &TMonthCalColors::StaticClassInfo, &TDateTimePicker::CalColors)
        .BoolField("Checked", true)
        .Float("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)
        .Float("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime)
        .Publish("AutoSize")
        .EnumField("DateFormat", DTDateFormatEnumInfo(), 0)
        .EnumField("DateMode", DTDateModeEnumInfo(), 0)
        .StringField("Format")
        .Enum("Kind", DateTimeKindEnumInfo(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind, 0)
        .FloatField("MaxDate")
        .FloatField("MinDate")
        .BoolField("ParseInput", false)
        .BoolField("ShowCheckbox", false)
        .Event("OnChange", &TDateTimePicker::OnChange)
        .Event("OnCloseUp", &TDateTimePicker::OnCloseUp)
        .Event("OnDropDown", &TDateTimePicker::OnDropDown)
        .Event("OnUserInput", &TDateTimePicker::OnUserInput);
    return b.Build();
  }();
  return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner)
    : TWinControl(owner), calColors_(std::make_unique<TMonthCalColors>()) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  SetColor(clWindow);
  date_ = QDateToDays(QDate::currentDate());
}
void TDateTimePicker::SetDate(double v) {
  date_ = std::floor(v);
  Apply();
}
void TDateTimePicker::SetTime(double v) {
  time_ = v - std::floor(v);
  Apply();
}
QWidget* TDateTimePicker::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* e = new QDateTimeEdit(parentWidget);
  edit_ = e;
  return e;
}
void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TDateTimePicker::Apply() {
  if (!edit_) return;
  edit_->setDateTime(DaysToQDateTime(date_ + time_));
  if (kind_ == 1) {
    edit_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    edit_->setCalendarPopup(false);
  } else {
    edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit_->setCalendarPopup(true);
  }
}

const TClassInfo& TMonthCalendar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TMonthCalendar> b("TMonthCalendar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    b.Publish("AutoSize")
        .IntegerField("BorderWidth", 0)
        .Object("CalColors", &TMonthCalColors::StaticClassInfo, &TMonthCalendar::CalColors)
        .Float("Date", &TMonthCalendar::Date, &TMonthCalendar::SetDate)
        .FloatField("EndDate")
        .EnumField("FirstDayOfWeek", CalDayOfWeekEnumInfo(), 7)
        .FloatField("MaxDate")
        .FloatField("MinDate")
        .IntegerField("MaxSelectRange", 31)
        .BoolField("MultiSelect", false)
        .BoolField("ShowToday", true)
        .BoolField("ShowTodayCircle", true)
        .BoolField("WeekNumbers", false)
        .Event("OnGetMonthInfo", &TMonthCalendar::OnGetMonthInfo)
        .Event("OnGetMonthBoldInfo", &TMonthCalendar::OnGetMonthBoldInfo);
    return b.Build();
  }();
  return info;
}

TMonthCalendar::TMonthCalendar(TComponent* owner)
    : TWinControl(owner), calColors_(std::make_unique<TMonthCalColors>()) {
  SetBounds(0, 0, 191, 154);
  SetTabStop(true);
  SetColor(clWindow);
  date_ = QDateToDays(QDate::currentDate());
}
void TMonthCalendar::SetDate(double v) {
  date_ = v;
  if (calendar_) calendar_->setSelectedDate(DaysToQDateTime(v).date());
}
QWidget* TMonthCalendar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* c = new QCalendarWidget(parentWidget);
  c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_ = c;
  return c;
}
void TMonthCalendar::CreateWnd() {
  TWinControl::CreateWnd();
  SetDate(date_);
}

// ---------------------------------------------------------------------------
// TTreeView

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTreeView> b("TTreeView", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    auto noRef = [](const TTreeView*) -> TComponent* { return nullptr; };
    auto setNoRef = [](TTreeView*, TPersistent*) {};
    b.BoolField("AutoExpand", false)
        .EnumField("BorderStyle", BorderStyleEnumInfo(), 1)
        .IntegerField("BorderWidth", 0)
        .IntegerField("ChangeDelay", 0)
        .BoolField("CheckBoxes", false)
        .SetField("CheckStyles", TreeViewCheckStyleEnumInfo(), 0)
        .BoolField("HideSelection", true)
        .BoolField("HotTrack", false)
        .Reference("Images", &TComponent::StaticClassInfo, &TTreeView::Images,
                   [](TTreeView* t, TPersistent* v) { t->SetImages(dynamic_cast<TComponent*>(v)); })
        .IntegerField("Indent", 19)
        .Object("Items", &TStockItemData::StaticClassInfo, &TTreeView::Items)
        .BoolField("MultiSelect", false)
        .SetField("MultiSelectStyle", MultiSelectStyleEnumInfo(), 1)
        .BoolField("ReadOnly", false)
        .BoolField("RightClickSelect", false)
        .BoolField("RowSelect", false)
        .BoolField("ShowButtons", true)
        .BoolField("ShowLines", true)
        .BoolField("ShowRoot", true)
        .EnumField("SortType", SortTypeEnumInfo(), 0)
        .Reference("StateImages", &TComponent::StaticClassInfo, noRef, setNoRef)
        .BoolField("ToolTips", true)
        .Event("OnAddition", &TTreeView::OnAddition)
        .Event("OnCheckStateChanged", &TTreeView::OnCheckStateChanged)
        .Event("OnAdvancedCustomDraw", &TTreeView::OnAdvancedCustomDraw)
        .Event("OnAdvancedCustomDrawItem", &TTreeView::OnAdvancedCustomDrawItem)
        .Event("OnCancelEdit", &TTreeView::OnCancelEdit)
        .Event("OnChange", &TTreeView::OnChange)
        .Event("OnChanging", &TTreeView::OnChanging)
        .Event("OnCollapsed", &TTreeView::OnCollapsed)
        .Event("OnCollapsing", &TTreeView::OnCollapsing)
        .Event("OnCompare", &TTreeView::OnCompare)
        .Event("OnCreateNodeClass", &TTreeView::OnCreateNodeClass)
        .Event("OnCustomDraw", &TTreeView::OnCustomDraw)
        .Event("OnCustomDrawItem", &TTreeView::OnCustomDrawItem)
        .Event("OnDeletion", &TTreeView::OnDeletion)
        .Event("OnEdited", &TTreeView::OnEdited)
        .Event("OnEditing", &TTreeView::OnEditing)
        .Event("OnExpanded", &TTreeView::OnExpanded)
        .Event("OnExpanding", &TTreeView::OnExpanding)
        .Event("OnGetImageIndex", &TTreeView::OnGetImageIndex)
        .Event("OnGetSelectedIndex", &TTreeView::OnGetSelectedIndex)
        .Event("OnHint", &TTreeView::OnHint);
    return b.Build();
  }();
  return info;
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStockItemData>()) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}
TTreeView::~TTreeView() = default;

// ---------------------------------------------------------------------------
// TListView

const TClassInfo& TListColumn::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TListColumn>("TListColumn", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), 0)
          .BoolField("AutoSize", false)
          .StringField("Caption")
          .IntegerField("ImageIndex", -1)
          .IntegerField("MaxWidth", 0)
          .IntegerField("MinWidth", 0)
          .IntegerField("Tag", 0)
          .IntegerField("Width", 50)
          .Build();
  return info;
}

void TListColumn::DefineProperties(TFiler& filer) {
  TCollectionItem::DefineProperties(filer);
  filer.DefineProperty(
      "WidthType",
      [](const TFormNode& v) {
        const bool one = v.type == TValueType::vaList && v.list.size() == 1 && v.list[0].IsInteger();
        if (!one && !v.IsInteger()) throw EReadError("Invalid property value");
      },
      nullptr, false);
}

const TClassInfo& TListGroup::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TListGroup>("TListGroup", &TCollectionItem::StaticClassInfo())
          .StringField("Header")
          .StringField("Footer")
          .IntegerField("GroupID", 0)
          .SetField("State", ListGroupStateEnumInfo(), 0)
          .EnumField("HeaderAlign", AlignmentEnumInfo(), 0)
          .EnumField("FooterAlign", AlignmentEnumInfo(), 0)
          .StringField("Subtitle")
          .IntegerField("TitleImage", -1)
          .StringField("Description")
          .IntegerField("ExtendedImage", -1)
          .Build();
  return info;
}

const TClassInfo& TIconOptions::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TIconOptions>("TIconOptions", &TPersistent::StaticClassInfo())
                                     .EnumField("Arrangement", IconArrangementEnumInfo(), 0)
                                     .BoolField("AutoArrange", false)
                                     .BoolField("WrapText", true)
                                     .Build();
  return info;
}

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TListView> b("TListView", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clWindow);
    groups::PublishWindowed(b, 1);
    groups::PublishBevels(b);
    auto noRef = [](const TListView*) -> TComponent* { return nullptr; };
    auto setNoRef = [](TListView*, TPersistent*) {};
    b.Reference("Action", &TComponent::StaticClassInfo, noRef, setNoRef)
        .IntegerField("AllocBy", 0)
        .EnumField("BorderStyle", BorderStyleEnumInfo(), 1)
        .IntegerField("BorderWidth", 0)
        .BoolField("Checkboxes", false)
        .Object("Columns", &TCollection::StaticClassInfo, &TListView::Columns)
        .BoolField("ColumnClick", true)
        .BoolField("FlatScrollBars", false)
        .BoolField("FullDrag", false)
        .BoolField("GridLines", false)
        .Object("Groups", &TCollection::StaticClassInfo, &TListView::Groups)
        .BoolField("GroupView", false)
        .BoolField("HideSelection", true)
        .BoolField("HotTrack", false)
        .SetField("HotTrackStyles", HotTrackStyleEnumInfo(), 0)
        .IntegerField("HoverTime", -1)
        .Object("IconOptions", &TIconOptions::StaticClassInfo, &TListView::IconOptions)
        .Object("Items", &TStockItemData::StaticClassInfo, &TListView::Items)
        .Reference("LargeImages", &TComponent::StaticClassInfo, &TListView::LargeImages,
                   [](TListView* l, TPersistent* v) { l->SetLargeImages(dynamic_cast<TComponent*>(v)); })
        .BoolField("MultiSelect", false)
        .BoolField("OwnerData", false)
        .BoolField("OwnerDraw", false)
        .BoolField("ReadOnly", false)
        .BoolField("RowSelect", false)
        .Reference("GroupHeaderImages", &TComponent::StaticClassInfo, noRef, setNoRef)
        .BoolField("ShowColumnHeaders", true)
        .BoolField("ShowWorkAreas", false)
        .Reference("SmallImages", &TComponent::StaticClassInfo, &TListView::SmallImages,
                   [](TListView* l, TPersistent* v) { l->SetSmallImages(dynamic_cast<TComponent*>(v)); })
        .EnumField("SortType", SortTypeEnumInfo(), 0)
        .Reference("StateImages", &TComponent::StaticClassInfo, noRef, setNoRef)
        .Enum("ViewStyle", ViewStyleEnumInfo(), &TListView::ViewStyle, &TListView::SetViewStyle, 0)
        .Event("OnAdvancedCustomDraw", &TListView::OnAdvancedCustomDraw)
        .Event("OnAdvancedCustomDrawItem", &TListView::OnAdvancedCustomDrawItem)
        .Event("OnAdvancedCustomDrawSubItem", &TListView::OnAdvancedCustomDrawSubItem)
        .Event("OnCancelEdit", &TListView::OnCancelEdit)
        .Event("OnChange", &TListView::OnChange)
        .Event("OnChanging", &TListView::OnChanging)
        .Event("OnColumnClick", &TListView::OnColumnClick)
        .Event("OnColumnDragged", &TListView::OnColumnDragged)
        .Event("OnColumnRightClick", &TListView::OnColumnRightClick)
        .Event("OnCompare", &TListView::OnCompare)
        .Event("OnCreateItemClass", &TListView::OnCreateItemClass)
        .Event("OnCustomDraw", &TListView::OnCustomDraw)
        .Event("OnCustomDrawItem", &TListView::OnCustomDrawItem)
        .Event("OnCustomDrawSubItem", &TListView::OnCustomDrawSubItem)
        .Event("OnData", &TListView::OnData)
        .Event("OnDataFind", &TListView::OnDataFind)
        .Event("OnDataHint", &TListView::OnDataHint)
        .Event("OnDataStateChange", &TListView::OnDataStateChange)
        .Event("OnDeletion", &TListView::OnDeletion)
        .Event("OnDrawItem", &TListView::OnDrawItem)
        .Event("OnEdited", &TListView::OnEdited)
        .Event("OnEditing", &TListView::OnEditing)
        .Event("OnGetImageIndex", &TListView::OnGetImageIndex)
        .Event("OnGetSubItemImage", &TListView::OnGetSubItemImage)
        .Event("OnInfoTip", &TListView::OnInfoTip)
        .Event("OnInsert", &TListView::OnInsert)
        .Event("OnItemChecked", &TListView::OnItemChecked)
        .Event("OnItemClick", &TListView::OnItemClick)
        .Event("OnSelectItem", &TListView::OnSelectItem);
    return b.Build();
  }();
  return info;
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TCollection>(TListColumn::StaticClassInfo())),
      groups_(std::make_unique<TCollection>(TListGroup::StaticClassInfo())),
      iconOptions_(std::make_unique<TIconOptions>()),
      items_(std::make_unique<TStockItemData>()) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  columns_->OnChange = [this](TCollection&) { Apply(); };
}
TListView::~TListView() { columns_->OnChange = nullptr; }

// ---------------------------------------------------------------------------
// THeaderControl

const TClassInfo& THeaderSection::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<THeaderSection>("THeaderSection", &TCollectionItem::StaticClassInfo())
          .EnumField("Alignment", AlignmentEnumInfo(), 0)
          .BoolField("AllowClick", true)
          .BoolField("AutoSize", false)
          .EnumField("BiDiMode", BiDiModeEnumInfo(), 0)
          .BoolField("CheckBox", false)
          .BoolField("Checked", false)
          .BoolField("FixedWidth", false)
          .IntegerField("ImageIndex", -1)
          .IntegerField("MaxWidth", 10000)
          .IntegerField("MinWidth", 0)
          .BoolField("ParentBiDiMode", true)
          .EnumField("Style", HeaderSectionStyleEnumInfo(), 0)
          .StringField("Text")
          .IntegerField("Width", 50)
          .Build();
  return info;
}

const TClassInfo& THeaderControl::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<THeaderControl> b("THeaderControl", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Align", alTop)
        .IntegerField("BorderWidth", 0)
        .BoolField("DragReorder", false)
        .BoolField("FullDrag", true)
        .BoolField("HotTrack", false)
        .Reference("Images", &TComponent::StaticClassInfo,
                   [](const THeaderControl*) -> TComponent* { return nullptr; }, [](THeaderControl*, TPersistent*) {})
        .BoolField("CheckBoxes", false)
        .BoolField("NoSizing", false)
        .BoolField("OverFlow", false)
        .Object("Sections", &TCollection::StaticClassInfo, &THeaderControl::Sections)
        .EnumField("Style", HeaderStyleEnumInfo(), 0)
        .Event("OnCreateSectionClass", &THeaderControl::OnCreateSectionClass)
        .Event("OnDrawSection", &THeaderControl::OnDrawSection)
        .Event("OnSectionCheck", &THeaderControl::OnSectionCheck)
        .Event("OnSectionClick", &THeaderControl::OnSectionClick)
        .Event("OnSectionDrag", &THeaderControl::OnSectionDrag)
        .Event("OnSectionEndDrag", &THeaderControl::OnSectionEndDrag)
        .Event("OnSectionResize", &THeaderControl::OnSectionResize)
        .Event("OnSectionTrack", &THeaderControl::OnSectionTrack);
    return b.Build();
  }();
  return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TCustomControl(owner), sections_(std::make_unique<TCollection>(THeaderSection::StaticClassInfo())) {
  SetBounds(0, 0, 250, 17);
  SetAlign(alTop);
  SetColor(clBtnFace);
  SetParentColor(false);
  sections_->OnChange = [this](TCollection&) { Invalidate(); };
}
THeaderControl::~THeaderControl() { sections_->OnChange = nullptr; }

void THeaderControl::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  int x = 0;
  for (int i = 0; i < sections_->Count(); ++i) {
    TCollectionItem* s = sections_->Items(i);
    const TFieldValue* w = s->FindField("Width");
    TRect r = Rect(x, 0, x + (w ? int(w->ord) : 50), Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    const TFieldValue* t = s->FindField("Text");
    const TFieldValue* a = s->FindField("Alignment");
    if (t)
      DrawControlText(c, Rect(r.Left + 3, r.Top, r.Right - 3, r.Bottom), Font()->Decode(t->str),
                      a ? int(a->ord) : 0, 1, false, false);
    x = r.Right + 1;
  }
  if (x < Width()) {
    TRect r = Rect(x, 0, Width(), Height());
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
  }
}

// ---------------------------------------------------------------------------
// TToolBar and TToolButton

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TToolBar> b("TToolBar", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    auto noRef = [](const TToolBar*) -> TComponent* { return nullptr; };
    auto setNoRef = [](TToolBar*, TPersistent*) {};
    b.Publish("Align", alTop)
        .Publish("AutoSize")
        .Publish("Caption")
        .BoolField("AllowTextButtons", false)
        .IntegerField("BorderWidth", 0)
        .Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22)
        .Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23)
        .BoolField("Customizable", false)
        .Reference("DisabledImages", &TComponent::StaticClassInfo, noRef, setNoRef)
        .EnumField("DrawingStyle", TBDrawingStyleEnumInfo(), 0)
        .SetField("EdgeBorders", EdgeBorderEnumInfo(), 2)
        .EnumField("EdgeInner", EdgeStyleEnumInfo(), 1)
        .EnumField("EdgeOuter", EdgeStyleEnumInfo(), 2)
        .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, true)
        .ColorField("GradientEndColor", clBtnFace)
        .ColorField("GradientStartColor", clWindow)
        .SetField("GradientDrawingOptions", TBGradientDrawingOptionEnumInfo(), 3)
        .BoolField("HideClippedButtons", false)
        .ColorField("HotTrackColor", 0xEFD3C6)
        .Reference("HotImages", &TComponent::StaticClassInfo, noRef, setNoRef)
        .Reference("Images", &TComponent::StaticClassInfo, &TToolBar::Images,
                   [](TToolBar* t, TPersistent* v) { t->SetImages(dynamic_cast<TComponent*>(v)); })
        .Integer("Indent", &TToolBar::Indent, &TToolBar::SetIndent, 0)
        .Bool("List", &TToolBar::List, &TToolBar::SetList, false)
        .Reference("Menu", &TComponent::StaticClassInfo, noRef, setNoRef)
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
    auto noRef = [](const TToolButton*) -> TComponent* { return nullptr; };
    auto setNoRef = [](TToolButton*, TPersistent*) {};
    b.Reference("Action", &TComponent::StaticClassInfo, noRef, setNoRef)
        .BoolField("AllowAllUp", false)
        .Publish("AutoSize")
        .Publish("Caption")
        .Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false)
        .Reference("DropdownMenu", &TComponent::StaticClassInfo, noRef, setNoRef)
        .BoolField("EnableDropdown", false)
        .BoolField("Grouped", false)
        .Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
        .StringField("ImageName")
        .BoolField("Indeterminate", false)
        .BoolField("Marked", false)
        .Reference("MenuItem", &TComponent::StaticClassInfo, noRef, setNoRef)
        .Enum("Style", ToolButtonStyleEnumInfo(), &TToolButton::Style, &TToolButton::SetStyle, 0)
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
    if (beside) text = Rect(x + image.width() + 3, 0, w, h);
    else text = Rect(0, y + image.height() + 1, w, h);
  }
  // Without ShowCaptions a button shows its image alone, or nothing.
  if (captions)
    DrawControlText(c, text, DisplayText(), beside ? taLeftJustify : taCenter, image.isNull() || beside ? 1 : 0,
                    false, true);
}

// ---------------------------------------------------------------------------
// TCoolBar, TPageScroller, TComboBoxEx

TCoolBand::TCoolBand() : bitmap_(std::make_unique<TBitmap>()) {}
TCoolBand::~TCoolBand() = default;

const TClassInfo& TCoolBand::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCoolBand>("TCoolBand", &TCollectionItem::StaticClassInfo())
          .Object("Bitmap", &TBitmap::StaticClassInfo, &TCoolBand::Bitmap)
          .EnumField("BorderStyle", BorderStyleEnumInfo(), 0)
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
          .EnumField("BandBorderStyle", BorderStyleEnumInfo(), 1)
          .EnumField("BandMaximize", CoolBandMaximizeEnumInfo(), 2)
          .SetField("EdgeBorders", EdgeBorderEnumInfo(), 2)
          .EnumField("EdgeInner", EdgeStyleEnumInfo(), 1)
          .EnumField("EdgeOuter", EdgeStyleEnumInfo(), 2)
          .BoolField("FixedOrder", false)
          .BoolField("FixedSize", false)
          .Reference("Images", &TComponent::StaticClassInfo, [](const TCoolBar*) -> TComponent* { return nullptr; },
                     [](TCoolBar*, TPersistent*) {})
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
          .Reference("Control", &TComponent::StaticClassInfo,
                     [](const TPageScroller*) -> TComponent* { return nullptr; }, [](TPageScroller*, TPersistent*) {})
          .BoolField("DragScroll", true)
          .IntegerField("Margin", 0)
          .EnumField("Orientation", PageScrollerOrientationEnumInfo(), 0)
          .IntegerField("Position", 0)
          .Event("OnScroll", &TPageScroller::OnScroll)
          .Build();
  return info;
}

TPageScroller::TPageScroller(TComponent* owner) : TStockBox(owner) { SetBounds(0, 0, 150, 45); }

const TClassInfo& TComboExItem::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TComboExItem>("TComboExItem", &TCollectionItem::StaticClassInfo())
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
    groups::PublishWindowed(b, 1);
    b.Reference("Action", &TComponent::StaticClassInfo, [](const TComboBoxEx*) -> TComponent* { return nullptr; },
                [](TComboBoxEx*, TPersistent*) {})
        .SetField("AutoCompleteOptions", AutoCompleteOptionEnumInfo(), 2)
        .IntegerField("DropDownCount", 8)
        .Reference("Images", &TComponent::StaticClassInfo, [](const TComboBoxEx*) -> TComponent* { return nullptr; },
                   [](TComboBoxEx*, TPersistent*) {})
        .Integer("ItemIndex", &TComboBoxEx::ItemIndex, &TComboBoxEx::SetItemIndex, -1)
        .Object("ItemsEx", &TCollection::StaticClassInfo, &TComboBoxEx::ItemsEx)
        .IntegerField("ItemHeight", 16)
        .IntegerField("MaxLength", 0)
        .EnumField("Style", ComboBoxExStyleEnumInfo(), 0)
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
