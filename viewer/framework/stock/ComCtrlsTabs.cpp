// Tab controls and page controls: a row of tabs drawn in the classic look
// over the client area of the selected page.
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

STOCK_ENUM(TabStyleEnumInfo, "TTabStyle", "tsTabs", "tsButtons", "tsFlatButtons")
STOCK_ENUM(TabPositionEnumInfo, "TTabPosition", "tpTop", "tpBottom", "tpLeft", "tpRight")

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
        .Integer(
            "ImageIndex", &TTabSheet::ImageIndex,
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
  TTabRow(QWidget* parent, int fixedWidth, int fixedHeight, TTabStyle tabStyle)
      : QTabBar(parent), fixedWidth_(fixedWidth), fixedHeight_(fixedHeight), tabStyle_(tabStyle) {}
  int firstTab = 0;  // the control's index of this row's first tab
  int tabsInRow = 0;
  // Each tab's length along the row, as the control measured it to break
  // the tabs into rows; the style's own measure would make them longer
  // than the rows were made for.
  std::vector<int> lengths;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (tabStyle_ == tsTabs && (Vertical() || lengths.empty())) {
      QTabBar::paintEvent(event);
      return;
    }
    if (tabStyle_ == tsTabs) {
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
      else if (tabStyle_ == tsFlatButtons)
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
      painter.drawItemText(
          QRect(x, area.top(), textWidth + 1, area.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
          tab.palette, isTabEnabled(i), tab.text, QPalette::WindowText);
    };
    for (int i = 0; i < count(); ++i)
      if (isTabVisible(i) && i != currentIndex()) paintTab(i);
    if (currentIndex() >= 0 && isTabVisible(currentIndex())) paintTab(currentIndex());
  }

  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    if (tabStyle_ != tsTabs) (Vertical() ? size.rheight() : size.rwidth()) += kButtonGap;  // buttons stand apart
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
  int fixedWidth_, fixedHeight_;
  TTabStyle tabStyle_;
};

QTabBar::Shape TabShape(TTabPosition position) {
  switch (position) {
    case tpBottom: return QTabBar::RoundedSouth;
    case tpLeft: return QTabBar::RoundedWest;
    case tpRight: return QTabBar::RoundedEast;
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

TRect TabDisplayRect(const TRect& client, int stripExtent, TTabPosition position, TTabStyle style) {
  TRect r = client;
  const int gap = style == tsTabs ? 0 : 3;  // buttons stand apart from the display
  switch (position) {
    case tpBottom: r.Bottom -= stripExtent + gap; break;
    case tpLeft: r.Left += stripExtent + gap; break;
    case tpRight: r.Right -= stripExtent + gap; break;
    default: r.Top += stripExtent + gap; break;
  }
  if (style == tsTabs) InflateRect(r, -4, -4);  // inside the raised frame
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
  const int length = tabPosition_ == tpTop || tabPosition_ == tpBottom ? Width() : Height();
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

namespace {

// The index of the first tab of each row.
std::vector<int> FirstTabs(const std::vector<int>& rows) {
  std::vector<int> firsts;
  for (size_t i = 0, first = 0; i < rows.size(); first += size_t(rows[i]), ++i) firsts.push_back(int(first));
  return firsts;
}

// The rows from the outer edge towards the display area, the selected
// tab's row last; reversed when the tabs sit below or right of the display.
std::vector<size_t> RowOrder(const std::vector<int>& rows, const std::vector<int>& firsts, int tabIndex, bool farSide) {
  size_t selectedRow = rows.size() - 1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (tabIndex >= firsts[i] && tabIndex < firsts[i] + rows[i]) selectedRow = i;
  std::vector<size_t> order;
  for (size_t i = 0; i < rows.size(); ++i)
    if (i != selectedRow) order.push_back(i);
  order.push_back(selectedRow);
  if (farSide) std::reverse(order.begin(), order.end());
  return order;
}

// Where a row's bar goes in a control of the given size: `strip` is the
// room of all the rows, `offset` this row's place in it.
QRect RowGeometry(TTabPosition tabPosition, int width, int height, int strip, int offset, int extent) {
  switch (tabPosition) {
    case tpBottom: return QRect(2, height - strip + offset - 2, std::max(0, width - 4), extent + 2);
    case tpLeft: return QRect(offset, 2, extent + 2, std::max(0, height - 4));
    case tpRight: return QRect(width - strip + offset - 2, 2, extent + 2, std::max(0, height - 4));
    default: return QRect(2, offset, std::max(0, width - 4), extent + 2);
  }
}

}  // namespace

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
  const std::vector<int> firsts = FirstTabs(rows);
  const bool farSide = tabPosition_ == tpBottom || tabPosition_ == tpRight;  // display first
  const std::vector<size_t> order = RowOrder(rows, firsts, tabIndex_, farSide);
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
      QMetaObject::invokeMethod(
          bar, [this] { UpdateTabs(); }, Qt::QueuedConnection);
    });
    bar->setGeometry(RowGeometry(tabPosition_, Width(), Height(), strip, int(slot) * extent, extent));
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
  if (style_ != tsTabs) return;  // button styles have no frame around the display
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
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  b.BoolField("HotTrack", false)
      .Reference("Images", &TComponent::StaticClassInfo, &C::Images,
                 [](C* c, TPersistent* v) { c->SetImages(dynamic_cast<TComponent*>(v)); })
      .Bool("MultiLine", &C::MultiLine, &C::SetMultiLine, false)
      .BoolField("MultiSelect", false)
      .BoolField("OwnerDraw", false)
      .BoolField("RaggedRight", false)
      .BoolField("ScrollOpposite", false)
      .Enum("Style", TabStyleEnumInfo(), &C::Style, &C::SetStyle, tsTabs)
      .Integer("TabHeight", &C::TabHeight, &C::SetTabHeight, 0)
      .Enum("TabPosition", TabPositionEnumInfo(), &C::TabPosition, &C::SetTabPosition, tpTop)
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
