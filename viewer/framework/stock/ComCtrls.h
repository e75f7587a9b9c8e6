// The common controls: page and tab controls, status bars, progress and
// track bars, up-down buttons, hot keys, animations, date pickers and
// calendars, tree and list views, header controls, tool bars and cool bars,
// page scrollers and extended combo boxes.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "StdCtrls.h"
#include "ViewItems.h"
#include "components/Collection.h"
#include "controls/Bitmap.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSlider>
#include <QTabBar>
#include <QTreeWidget>

// Data streamed as a defined property and kept as its bytes.
class TStockItemData : public TPersistent {
  TESSALY_CLASS(TStockItemData)

 public:
  TStockItemData() = default;
  void DefineProperties(TFiler& filer) override;
  // The names of the binary properties kept ("Data", "ItemData" ...).
  std::vector<std::pair<std::string, std::string>> data;
};

// ---------------------------------------------------------------------------
// Tabs

class TPageControl;

class TTabSheet : public TCustomControl {
  TESSALY_CLASS(TTabSheet)

 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* p);
  void SetParent(TWinControl* parent) override;
  int PageIndex() const;
  void SetPageIndex(int v);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }

  TMethod OnShow, OnHide;

 protected:
  void CMTextChanged(TMessage& msg) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
  int imageIndex_ = 0;
};

// How many tabs of the given widths go in each row when rows may be
// `available` pixels wide (at least one tab per row).
std::vector<int> TabRowSizes(const std::vector<int>& widths, int available);
// The side a tab control's tabs sit on, and how they look.
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
// The enumerations of the other common controls that change their look.
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TProgressBarOrientation { pbHorizontal, pbVertical };
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TUDOrientation { udHorizontal, udVertical };
enum TDateTimeKind { dtkDate, dtkTime, dtkDateTime };
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// The area for pages or children: the client less the tab strip on the
// tabs' side, inside the frame of the tabs style, or apart from the strip
// in the button styles.
TRect TabDisplayRect(const TRect& client, int stripExtent, TTabPosition position, TTabStyle style);

// Shared by the page and tab controls: a Qt tab bar along the top and a
// raised frame around the display area.
class TCustomTabControl : public TCustomControl {
  TESSALY_CLASS(TCustomTabControl)

 public:
  explicit TCustomTabControl(TComponent* owner);
  int TabIndex() const { return tabIndex_; }
  virtual void SetTabIndex(int v);
  // Fixed tab sizes (0: from the text).
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int v) {
    tabHeight_ = std::max(0, v);
    UpdateTabs();
  }
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int v) {
    tabWidth_ = std::max(0, v);
    UpdateTabs();
  }
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition v) {
    tabPosition_ = v;
    UpdateTabs();
  }
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle v) {
    style_ = v;
    UpdateTabs();
  }
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool v) {
    multiLine_ = v;
    UpdateTabs();
  }
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);
  // How far the tabs reach into the control from the side they sit on.
  int TabStripExtent() const;
  // The area inside the frame where pages or children go.
  TRect DisplayRect() const;
  void AdjustClientRect(TRect& rect) override;
  QTabBar* TabBar() const { return tabBar_.data(); }
  std::vector<std::string> TabTexts() const;
  // The tabs' texts, decoded by the font, as "items".
  void ReportContent(TContentReport& report) const override;

  TMethod OnChange, OnChanging, OnDrawTab, OnGetImageIndex;

 protected:
  void CreateWnd() override;
  void Paint() override;
  void WMSize(TWMSize& msg) override;
  void CMFontChanged(TMessage& msg) override;
  virtual std::vector<std::string> Tabs() const = 0;
  // Called when the display area may have moved (tabs, rows, position).
  virtual void DisplayChanged() {}
  // The image of a tab, by its index among the tabs shown (-1: none).
  virtual int TabImageIndex(int index) const { return index; }
  void Notification(TComponent* component, TOperation operation) override;
  int RowExtent() const;  // one row of tabs, across
  // Tabs per row. Measured once per change of the tabs, the font or the
  // width and kept: layout asks for it on every child's alignment.
  std::vector<int> RowSizes() const;
  // Each tab's length along its row: its text and image with their margins,
  // or TabWidth.
  std::vector<int> TabLengths(const std::vector<std::string>& texts) const;
  virtual void TabClicked(int index);
  // Rebuilds the rows of tabs. While the control is being read it only notes
  // that the tabs changed; Loaded builds them once, so reading n pages costs
  // one build, not n.
  void UpdateTabs();

  int tabIndex_ = -1;
  int tabCount_ = 0;  // tabs shown (kept by UpdateTabs)
  int tabHeight_ = 0, tabWidth_ = 0;
  TTabPosition tabPosition_ = tpTop;
  TTabStyle style_ = tsTabs;
  bool multiLine_ = false;
  TComponent* images_ = nullptr;
  // One bar per row of tabs (one unless MultiLine wraps them).
  std::vector<QPointer<QTabBar>> rowBars_;
  QPointer<QTabBar> tabBar_;
  bool updatingTabs_ = false;

 private:
  mutable std::vector<int> rowSizes_;  // RowSizes() for rowSizesWidth_
  mutable int rowSizesWidth_ = -1;     // -1: measure again
};

class TPageControl : public TCustomTabControl {
  TESSALY_CLASS(TPageControl)

 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  int PageCount() const { return int(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(size_t(i)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  void SetTabIndex(int v) override;
  int ActivePageIndex() const;
  void SetActivePageIndex(int v);

  void Loaded() override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  std::vector<std::string> Tabs() const override;
  void TabClicked(int index) override;
  void WMSize(TWMSize& msg) override;
  void Notification(TComponent* component, TOperation operation) override;
  void DisplayChanged() override { PlacePages(); }
  int TabImageIndex(int index) const override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void PlacePages();
  std::vector<TTabSheet*> visibleTabs() const;
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};

class TTabControl : public TCustomTabControl {
  TESSALY_CLASS(TTabControl)

 public:
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;
  TStrings* TabStrings() const { return tabs_.get(); }
  void SetTabStrings(TStrings* s) {
    if (s) tabs_->Assign(*s);
  }
  void Loaded() override;

 protected:
  std::vector<std::string> Tabs() const override;

 private:
  std::unique_ptr<TSyncedStrings> tabs_;
};

// ---------------------------------------------------------------------------
// TStatusBar

class TStatusPanel : public TCollectionItem {
  TESSALY_CLASS(TStatusPanel)

 public:
  TStatusPanel() = default;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v) {
    text_ = v;
    Changed();
  }
  int Width() const { return width_; }
  void SetWidth(int v) {
    width_ = v;
    Changed();
  }
  int Alignment() const { return alignment_; }
  void SetAlignment(int v) {
    alignment_ = v;
    Changed();
  }
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel v) {
    bevel_ = v;
    Changed();
  }
  int Style() const { return style_; }
  void SetStyle(int v) {
    style_ = v;
    Changed();
  }

 private:
  std::string text_;
  int width_ = 50;
  int alignment_ = 0;
  TStatusPanelBevel bevel_ = pbLowered;
  int style_ = 0;
};

class TStatusBar : public TCustomControl {
  TESSALY_CLASS(TStatusBar)

 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  TCollection* Panels() const { return panels_.get(); }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v) {
    simplePanel_ = v;
    Invalidate();
  }
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& v) {
    simpleText_ = v;
    Invalidate();
  }
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v) {
    sizeGrip_ = v;
    Invalidate();
  }

  TMethod OnDrawPanel, OnHint, OnCreatePanelClass;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TCollection> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;
  bool sizeGrip_ = true;
};

// ---------------------------------------------------------------------------
// Bars and small controls

class TProgressBar : public TWinControl {
  TESSALY_CLASS(TProgressBar)

 public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int v) {
    min_ = v;
    Apply();
  }
  int Max() const { return max_; }
  void SetMax(int v) {
    max_ = v;
    Apply();
  }
  int Position() const { return position_; }
  void SetPosition(int v) {
    position_ = v;
    Apply();
  }
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation v) {
    orientation_ = v;
    Apply();
  }
  QProgressBar* Bar() const { return bar_.data(); }

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  int min_ = 0, max_ = 100, position_ = 0;
  TProgressBarOrientation orientation_ = pbHorizontal;
  QPointer<QProgressBar> bar_;
};

class TTrackBar : public TWinControl {
  TESSALY_CLASS(TTrackBar)

 public:
  explicit TTrackBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int v) {
    min_ = v;
    Apply();
  }
  int Max() const { return max_; }
  void SetMax(int v) {
    max_ = v;
    Apply();
  }
  int Position() const { return position_; }
  void SetPosition(int v);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v) {
    frequency_ = v;
    Apply();
  }
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark v) {
    tickMarks_ = v;
    Apply();
  }
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle v) {
    tickStyle_ = v;
    Apply();
  }
  int LineSize() const { return lineSize_; }
  void SetLineSize(int v) {
    lineSize_ = v;
    Apply();
  }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v) {
    pageSize_ = v;
    Apply();
  }
  QSlider* Slider() const { return slider_.data(); }

  TMethod OnChange;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickMark tickMarks_ = tmBottomRight;
  TTickStyle tickStyle_ = tsAuto;
  int lineSize_ = 1, pageSize_ = 2;
  QPointer<QSlider> slider_;
  bool applying_ = false;
};

class TUpDown : public TCustomControl {
  TESSALY_CLASS(TUpDown)

 public:
  explicit TUpDown(TComponent* owner);
  TComponent* Associate() const { return associate_; }
  void SetAssociate(TComponent* c);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation v) {
    orientation_ = v;
    Invalidate();
  }

  TMethod OnChanging, OnChangingEx;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* associate_ = nullptr;
  TUDOrientation orientation_ = udVertical;
};

class THotKey : public TWinControl {
  TESSALY_CLASS(THotKey)

 public:
  explicit THotKey(TComponent* owner);
  int HotKey() const { return hotKey_; }
  void SetHotKey(int v);
  TMethod OnChange;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;

 private:
  int hotKey_ = 0x4041;  // Alt+A
  QPointer<QLineEdit> edit_;
};

class TAnimate : public TStockBox {
  TESSALY_CLASS(TAnimate)

 public:
  explicit TAnimate(TComponent* owner);
  TMethod OnClose, OnOpen, OnStart, OnStop;
};

// The colours of a drop-down or month calendar.
class TMonthCalColors : public TPersistent {
  TESSALY_CLASS(TMonthCalColors)

 public:
  TMonthCalColors() = default;
};

class TDateTimePicker : public TWinControl {
  TESSALY_CLASS(TDateTimePicker)

 public:
  explicit TDateTimePicker(TComponent* owner);
  double Date() const { return date_; }
  void SetDate(double v);
  double Time() const { return time_; }
  void SetTime(double v);
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind v) {
    kind_ = v;
    Apply();
  }
  TMonthCalColors* CalColors() const { return calColors_.get(); }
  QDateTimeEdit* Editor() const { return edit_.data(); }

  TMethod OnChange, OnCloseUp, OnDropDown, OnUserInput;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  std::unique_ptr<TMonthCalColors> calColors_;
  double date_ = 0, time_ = 0;
  TDateTimeKind kind_ = dtkDate;
  QPointer<QDateTimeEdit> edit_;
};

class TMonthCalendar : public TWinControl {
  TESSALY_CLASS(TMonthCalendar)

 public:
  explicit TMonthCalendar(TComponent* owner);
  double Date() const { return date_; }
  void SetDate(double v);
  TMonthCalColors* CalColors() const { return calColors_.get(); }
  TMethod OnGetMonthInfo, OnGetMonthBoldInfo;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;

 private:
  std::unique_ptr<TMonthCalColors> calColors_;
  double date_ = 0;
  QPointer<QCalendarWidget> calendar_;
};

// ---------------------------------------------------------------------------
// Tree and list views

class TTreeView : public TWinControl {
  TESSALY_CLASS(TTreeView)

 public:
  explicit TTreeView(TComponent* owner);
  ~TTreeView() override;
  TStockItemData* Items() const { return items_.get(); }
  QTreeWidget* TreeWidget() const { return tree_.data(); }
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);
  // The stored items in tree order; empty when the data cannot be decoded.
  std::vector<TTreeItemRecord> ItemRecords() const;
  void Loaded() override;
  void ReportContent(TContentReport& report) const override;

  TMethod OnAddition, OnAdvancedCustomDraw, OnAdvancedCustomDrawItem, OnChange, OnChanging, OnCollapsed, OnCollapsing,
      OnCompare, OnCreateNodeClass, OnCustomDraw, OnCustomDrawItem, OnDeletion, OnEdited, OnEditing, OnExpanded,
      OnExpanding, OnGetImageIndex, OnGetSelectedIndex, OnHint, OnCancelEdit, OnCheckStateChanged;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  void FillItems();

 private:
  std::unique_ptr<TStockItemData> items_;
  QPointer<QTreeWidget> tree_;
  TComponent* images_ = nullptr;
};

class TListColumn : public TCollectionItem {
  TESSALY_CLASS(TListColumn)

 public:
  TListColumn() = default;
  // Reads "WidthType", which the designers of versions 2 and 3 stored for
  // columns sized to their text (-1) or header (-2): a list of one integer.
  void DefineProperties(TFiler& filer) override;
};

class TListGroup : public TCollectionItem {
  TESSALY_CLASS(TListGroup)

 public:
  TListGroup() = default;
};

// How a list view arranges its icons.
class TIconOptions : public TPersistent {
  TESSALY_CLASS(TIconOptions)

 public:
  TIconOptions() = default;
};

class TListView : public TWinControl {
  TESSALY_CLASS(TListView)

 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;
  TCollection* Columns() const { return columns_.get(); }
  TCollection* Groups() const { return groups_.get(); }
  TIconOptions* IconOptions() const { return iconOptions_.get(); }
  TStockItemData* Items() const { return items_.get(); }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle v) {
    viewStyle_ = v;
    Apply();
  }
  // The report view (vsReport) and the icon/list view (the other styles);
  // the one for the current style is shown.
  QTreeWidget* TreeWidget() const { return tree_.data(); }
  QListWidget* IconWidget() const { return icons_.data(); }
  TComponent* LargeImages() const { return largeImages_; }
  void SetLargeImages(TComponent* c);
  TComponent* SmallImages() const { return smallImages_; }
  void SetSmallImages(TComponent* c);
  // The stored items; empty when the data cannot be decoded.
  std::vector<TListItemRecord> ItemRecords() const;
  void Loaded() override;
  void ReportContent(TContentReport& report) const override;

  TMethod OnAdvancedCustomDraw, OnAdvancedCustomDrawItem, OnAdvancedCustomDrawSubItem, OnChange, OnChanging,
      OnColumnClick, OnColumnDragged, OnColumnRightClick, OnCompare, OnCreateItemClass, OnCustomDraw, OnCustomDrawItem,
      OnCustomDrawSubItem, OnData, OnDataFind, OnDataHint, OnDataStateChange, OnDeletion, OnDrawItem, OnEdited,
      OnEditing, OnGetImageIndex, OnGetSubItemImage, OnInfoTip, OnInsert, OnItemChecked, OnSelectItem, OnCancelEdit,
      OnItemClick;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void WMSize(TWMSize& msg) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Apply();

 private:
  void FillItems();
  std::unique_ptr<TCollection> columns_;
  std::unique_ptr<TCollection> groups_;
  std::unique_ptr<TIconOptions> iconOptions_;
  std::unique_ptr<TStockItemData> items_;
  TViewStyle viewStyle_ = vsIcon;
  QPointer<QTreeWidget> tree_;
  QPointer<QListWidget> icons_;
  TComponent* largeImages_ = nullptr;
  TComponent* smallImages_ = nullptr;
};

class THeaderSection : public TCollectionItem {
  TESSALY_CLASS(THeaderSection)

 public:
  THeaderSection() = default;
};

class THeaderControl : public TCustomControl {
  TESSALY_CLASS(THeaderControl)

 public:
  explicit THeaderControl(TComponent* owner);
  ~THeaderControl() override;
  TCollection* Sections() const { return sections_.get(); }

  TMethod OnDrawSection, OnSectionClick, OnSectionResize, OnSectionTrack, OnSectionDrag, OnSectionEndDrag,
      OnCreateSectionClass, OnSectionCheck;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TCollection> sections_;
};

// ---------------------------------------------------------------------------
// Tool bars

// One button's share of a tool bar's layout: its own width (separators and
// dividers keep theirs), and whether a row break follows it.
struct TToolSlot {
  int width = 0;
  bool wrapAfter = false;
  bool visible = true;
};
// Places the slots left to right from `indent`, all `rowHeight` high, starting a
// new row after a slot that asks for it and, when `wrapable`, before a slot
// that would cross `barWidth`. Hidden slots get an empty rectangle.
std::vector<TRect> ToolBarLayout(
    const std::vector<TToolSlot>& places, int barWidth, int indent, int rowHeight, bool wrapable);

class TToolBar : public TCustomControl {
  TESSALY_CLASS(TToolBar)

 public:
  explicit TToolBar(TComponent* owner);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int v) {
    buttonWidth_ = v;
    ArrangeButtons();
  }
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int v) {
    buttonHeight_ = v;
    ArrangeButtons();
  }
  bool List() const { return list_; }
  void SetList(bool v) {
    list_ = v;
    ArrangeButtons();
  }
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool v) {
    wrapable_ = v;
    ArrangeButtons();
  }
  int Indent() const { return indent_; }
  void SetIndent(int v) {
    indent_ = v;
    ArrangeButtons();
  }
  // Places the tool buttons in their order (by position, as stored) in
  // rows of the button size.
  void ArrangeButtons();
  // The size a button takes: the button size, grown for captions.
  TSize ButtonSize() const;
  void Loaded() override;
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);
  bool Flat() const { return flat_; }
  void SetFlat(bool v) {
    flat_ = v;
    Invalidate();
  }
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v) {
    showCaptions_ = v;
    ArrangeButtons();
  }

  TMethod OnAdvancedCustomDraw, OnAdvancedCustomDrawButton, OnCustomDraw, OnCustomDrawButton, OnCustomizeAdded,
      OnCustomizeCanDelete, OnCustomizeCanInsert, OnCustomized, OnCustomizeDelete, OnCustomizeNewButton,
      OnCustomizeReset, OnCustomizing, OnGetSiteInfo2, OnCustomizeAdded2;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void AlignControls(TControl* control, TRect& rect) override;
  TComponent* images_ = nullptr;
  bool flat_ = true;
  bool showCaptions_ = false;
  int buttonWidth_ = 23, buttonHeight_ = 22, indent_ = 0;
  bool list_ = false, wrapable_ = true, arranging_ = false;
};

class TToolButton : public TGraphicControl {
  TESSALY_CLASS(TToolButton)

 public:
  explicit TToolButton(TComponent* owner);
  int Style() const { return style_; }
  void SetStyle(int v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) {
    imageIndex_ = v;
    Invalidate();
  }
  bool Down() const { return down_; }
  void SetDown(bool v) {
    down_ = v;
    Invalidate();
  }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool v);
  bool IsSeparator() const { return style_ == 3 || style_ == 4; }

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;

 private:
  int style_ = 0;
  int imageIndex_ = -1;
  bool down_ = false;
  bool wrap_ = false;
};

class TCoolBand : public TCollectionItem {
  TESSALY_CLASS(TCoolBand)

 public:
  TCoolBand();
  ~TCoolBand() override;
  TComponent* Control() const { return control_; }
  void SetControl(TComponent* c) { control_ = c; }
  TBitmap* Bitmap() const { return bitmap_.get(); }

 private:
  TComponent* control_ = nullptr;
  std::unique_ptr<TBitmap> bitmap_;
};

class TCoolBar : public TStockBox {
  TESSALY_CLASS(TCoolBar)

 public:
  explicit TCoolBar(TComponent* owner);
  ~TCoolBar() override;
  TCollection* Bands() const { return bands_.get(); }
  TBitmap* Bitmap() const { return bitmap_.get(); }
  TMethod OnChange;

 private:
  std::unique_ptr<TCollection> bands_;
  std::unique_ptr<TBitmap> bitmap_;
};

class TPageScroller : public TStockBox {
  TESSALY_CLASS(TPageScroller)

 public:
  explicit TPageScroller(TComponent* owner);
  TMethod OnScroll;
};

class TComboExItem : public TCollectionItem {
  TESSALY_CLASS(TComboExItem)

 public:
  TComboExItem() = default;
};

class TComboBoxEx : public TCustomComboBox {
  TESSALY_CLASS(TComboBoxEx)

 public:
  explicit TComboBoxEx(TComponent* owner);
  ~TComboBoxEx() override;
  TCollection* ItemsEx() const { return itemsEx_.get(); }
  void ReportContent(TContentReport& report) const override;
  TMethod OnBeginEdit, OnEndEdit;

 protected:
  void FillWidget() override;

 private:
  std::unique_ptr<TCollection> itemsEx_;
};
