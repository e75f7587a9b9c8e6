// The common controls: page and tab controls, status bars, progress and
// track bars, up-down buttons, hot keys, animations, date pickers and
// calendars, tree and list views, header controls, tool bars and cool bars,
// page scrollers and extended combo boxes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/Bitmap.h"
#include "StdCtrls.h"
#include "components/Collection.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
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

// Shared by the page and tab controls: a Qt tab bar along the top and a
// raised frame around the display area.
class TCustomTabControl : public TCustomControl {
  TESSALY_CLASS(TCustomTabControl)

 public:
  explicit TCustomTabControl(TComponent* owner);
  int TabIndex() const { return tabIndex_; }
  virtual void SetTabIndex(int v);
  int TabHeight() const;
  // The area inside the frame where pages or children go.
  TRect DisplayRect() const;
  void AdjustClientRect(TRect& rect) override;
  QTabBar* TabBar() const { return tabBar_.data(); }
  std::vector<std::string> TabTexts() const;

  TMethod OnChange, OnChanging, OnDrawTab, OnGetImageIndex;

 protected:
  void CreateWnd() override;
  void Paint() override;
  void WMSize(TWMSize& msg) override;
  void CMFontChanged(TMessage& msg) override;
  virtual std::vector<std::string> Tabs() const = 0;
  virtual void TabClicked(int index);
  void UpdateTabs();

  int tabIndex_ = -1;
  int tabCount_ = 0;  // tabs shown (kept by UpdateTabs)
  QPointer<QTabBar> tabBar_;
  bool updatingTabs_ = false;
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
  void SetTabStrings(TStrings* s) { if (s) tabs_->Assign(*s); }
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
  void SetText(const std::string& v) { text_ = v; Changed(); }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; Changed(); }
  int Alignment() const { return alignment_; }
  void SetAlignment(int v) { alignment_ = v; Changed(); }
  int Bevel() const { return bevel_; }
  void SetBevel(int v) { bevel_ = v; Changed(); }
  int Style() const { return style_; }
  void SetStyle(int v) { style_ = v; Changed(); }

 private:
  std::string text_;
  int width_ = 50;
  int alignment_ = 0;
  int bevel_ = 1;  // pbLowered
  int style_ = 0;
};

class TStatusBar : public TCustomControl {
  TESSALY_CLASS(TStatusBar)

 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  TCollection* Panels() const { return panels_.get(); }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v) { simplePanel_ = v; Invalidate(); }
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& v) { simpleText_ = v; Invalidate(); }
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v) { sizeGrip_ = v; Invalidate(); }

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
  void SetMin(int v) { min_ = v; Apply(); }
  int Max() const { return max_; }
  void SetMax(int v) { max_ = v; Apply(); }
  int Position() const { return position_; }
  void SetPosition(int v) { position_ = v; Apply(); }
  int Orientation() const { return orientation_; }
  void SetOrientation(int v) { orientation_ = v; Apply(); }
  QProgressBar* Bar() const { return bar_.data(); }

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  int min_ = 0, max_ = 100, position_ = 0, orientation_ = 0;
  QPointer<QProgressBar> bar_;
};

class TTrackBar : public TWinControl {
  TESSALY_CLASS(TTrackBar)

 public:
  explicit TTrackBar(TComponent* owner);
  int Min() const { return min_; }
  void SetMin(int v) { min_ = v; Apply(); }
  int Max() const { return max_; }
  void SetMax(int v) { max_ = v; Apply(); }
  int Position() const { return position_; }
  void SetPosition(int v);
  int Orientation() const { return orientation_; }
  void SetOrientation(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v) { frequency_ = v; Apply(); }
  int TickMarks() const { return tickMarks_; }
  void SetTickMarks(int v) { tickMarks_ = v; Apply(); }
  int TickStyle() const { return tickStyle_; }
  void SetTickStyle(int v) { tickStyle_ = v; Apply(); }
  int LineSize() const { return lineSize_; }
  void SetLineSize(int v) { lineSize_ = v; Apply(); }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v) { pageSize_ = v; Apply(); }
  QSlider* Slider() const { return slider_.data(); }

  TMethod OnChange;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  int min_ = 0, max_ = 10, position_ = 0, orientation_ = 0, frequency_ = 1, tickMarks_ = 0, tickStyle_ = 1;
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
  int Orientation() const { return orientation_; }
  void SetOrientation(int v) { orientation_ = v; Invalidate(); }

  TMethod OnChanging, OnChangingEx;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* associate_ = nullptr;
  int orientation_ = 1;  // udVertical
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

class TDateTimePicker : public TWinControl {
  TESSALY_CLASS(TDateTimePicker)

 public:
  explicit TDateTimePicker(TComponent* owner);
  double Date() const { return date_; }
  void SetDate(double v);
  double Time() const { return time_; }
  void SetTime(double v);
  int Kind() const { return kind_; }
  void SetKind(int v) { kind_ = v; Apply(); }
  QDateTimeEdit* Editor() const { return edit_.data(); }

  TMethod OnChange, OnCloseUp, OnDropDown, OnUserInput;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  double date_ = 0, time_ = 0;
  int kind_ = 0;
  QPointer<QDateTimeEdit> edit_;
};

class TMonthCalendar : public TWinControl {
  TESSALY_CLASS(TMonthCalendar)

 public:
  explicit TMonthCalendar(TComponent* owner);
  double Date() const { return date_; }
  void SetDate(double v);
  TMethod OnGetMonthInfo, OnGetMonthBoldInfo;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;

 private:
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

  TMethod OnAddition, OnAdvancedCustomDraw, OnAdvancedCustomDrawItem, OnChange, OnChanging, OnCollapsed,
      OnCollapsing, OnCompare, OnCreateNodeClass, OnCustomDraw, OnCustomDrawItem, OnDeletion, OnEdited,
      OnEditing, OnExpanded, OnExpanding, OnGetImageIndex, OnGetSelectedIndex, OnHint, OnCancelEdit;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;

 private:
  std::unique_ptr<TStockItemData> items_;
  QPointer<QTreeWidget> tree_;
};

class TListColumn : public TCollectionItem {
  TESSALY_CLASS(TListColumn)

 public:
  TListColumn() = default;
};

class TListView : public TWinControl {
  TESSALY_CLASS(TListView)

 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;
  TCollection* Columns() const { return columns_.get(); }
  TCollection* Groups() const { return groups_.get(); }
  TStockItemData* Items() const { return items_.get(); }
  int ViewStyle() const { return viewStyle_; }
  void SetViewStyle(int v) { viewStyle_ = v; Apply(); }
  QTreeWidget* TreeWidget() const { return tree_.data(); }

  TMethod OnAdvancedCustomDraw, OnAdvancedCustomDrawItem, OnAdvancedCustomDrawSubItem, OnChange, OnChanging,
      OnColumnClick, OnColumnDragged, OnColumnRightClick, OnCompare, OnCreateItemClass, OnCustomDraw,
      OnCustomDrawItem, OnCustomDrawSubItem, OnData, OnDataFind, OnDataHint, OnDataStateChange, OnDeletion,
      OnDrawItem, OnEdited, OnEditing, OnGetImageIndex, OnGetSubItemImage, OnInfoTip, OnInsert,
      OnItemChecked, OnSelectItem, OnCancelEdit, OnItemClick;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  std::unique_ptr<TCollection> columns_;
  std::unique_ptr<TCollection> groups_;
  std::unique_ptr<TStockItemData> items_;
  int viewStyle_ = 0;
  QPointer<QTreeWidget> tree_;
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

class TToolBar : public TCustomControl {
  TESSALY_CLASS(TToolBar)

 public:
  explicit TToolBar(TComponent* owner);
  TComponent* Images() const { return images_; }
  void SetImages(TComponent* c);
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; Invalidate(); }
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v) { showCaptions_ = v; Invalidate(); }

  TMethod OnAdvancedCustomDraw, OnAdvancedCustomDrawButton, OnCustomDraw, OnCustomDrawButton, OnCustomizeAdded,
      OnCustomizeCanDelete, OnCustomizeCanInsert, OnCustomized, OnCustomizeDelete, OnCustomizeNewButton,
      OnCustomizeReset, OnCustomizing, OnGetSiteInfo2, OnCustomizeAdded2;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* images_ = nullptr;
  bool flat_ = true;
  bool showCaptions_ = false;
};

class TToolButton : public TGraphicControl {
  TESSALY_CLASS(TToolButton)

 public:
  explicit TToolButton(TComponent* owner);
  int Style() const { return style_; }
  void SetStyle(int v) { style_ = v; Invalidate(); }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; Invalidate(); }
  bool Down() const { return down_; }
  void SetDown(bool v) { down_ = v; Invalidate(); }

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;

 private:
  int style_ = 0;
  int imageIndex_ = -1;
  bool down_ = false;
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

class TComboBoxEx : public TCustomComboBox {
  TESSALY_CLASS(TComboBoxEx)

 public:
  explicit TComboBoxEx(TComponent* owner);
  ~TComboBoxEx() override;
  TCollection* ItemsEx() const { return itemsEx_.get(); }
  TMethod OnBeginEdit, OnEndEdit;

 protected:
  void FillWidget() override;

 private:
  std::unique_ptr<TCollection> itemsEx_;
};
