// The remaining stock classes, each of a small unit of its own: media
// player, OLE container, application events, scroll box, check list box,
// masked edit, tab set, outline, tabbed notebook and colour grid. The
// file-system lists are in FileCtrl.h, the common dialogs in Dialogs.h and
// the data-aware controls in DBCtrls.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "NotebookPages.h"
#include "StdCtrls.h"
#include "controls/Forms.h"
#include "controls/Grids.h"
#include "controls/Outline.h"
#include "controls/ScrollingArea.h"

class TMediaPlayer : public TCustomControl {
  TESSALY_CLASS(TMediaPlayer)

 public:
  explicit TMediaPlayer(TComponent* owner);
  int64_t VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(int64_t v) {
    visibleButtons_ = v;
    Invalidate();
  }
  TMethod OnNotify, OnPostClick;

 protected:
  void Paint() override;

 private:
  int64_t visibleButtons_ = 0x1FF;
};

class TOleContainer : public TStockBox {
  TESSALY_CLASS(TOleContainer)

 public:
  explicit TOleContainer(TComponent* owner);
  void DefineProperties(TFiler& filer) override;
  TMethod OnActivate, OnDeactivate, OnObjectMove;

 private:
  std::string data_;
};

class TApplicationEvents : public TComponent {
  TESSALY_CLASS(TApplicationEvents)

 public:
  explicit TApplicationEvents(TComponent* owner);
  TMethod OnActionExecute, OnActionUpdate, OnActivate, OnDeactivate, OnException, OnGetActiveFormHandle,
      OnGetMainFormHandle, OnHelp, OnHint, OnIdle, OnMessage, OnMinimize, OnModalBegin, OnModalEnd,
      OnRemoteSessionChanged, OnRestore, OnSettingChange, OnShortCut, OnShowHint;
};

class TScrollBox : public TCustomControl {
  TESSALY_CLASS(TScrollBox)

 public:
  explicit TScrollBox(TComponent* owner);
  ~TScrollBox() override;
  TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
  TControlScrollBar* VertScrollBar() const { return vert_.get(); }
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int v) {
    borderStyle_ = v;
    Invalidate();
  }
  bool AutoScroll() const;
  void AdjustClientRect(TRect& rect) override;
  // The area inside the border less what the scroll bars take.
  TRect GetClientRect() const override;
  const TScrollingArea& Scrolling() const { return *scrolling_; }
  void ScrollTo(int x, int y) { scrolling_->ScrollTo(x, y); }

 protected:
  void Paint() override;
  void CreateWnd() override;
  void Loaded() override;
  // Aligns, then updates the scroll bars (and aligns again when they
  // appeared or went).
  void AlignControls(TControl* control, TRect& rect) override;

 private:
  TRect BarArea() const;
  std::unique_ptr<TControlScrollBar> horz_, vert_;
  std::unique_ptr<TScrollingArea> scrolling_;
  int borderStyle_ = 1;
};

class TCheckListBox : public TCustomListBox {
  TESSALY_CLASS(TCheckListBox)

 public:
  explicit TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}
  TMethod OnClickCheck;

 protected:
  void FillWidget() override;
};

class TMaskEdit : public TCustomEdit {
  TESSALY_CLASS(TMaskEdit)

 public:
  explicit TMaskEdit(TComponent* owner) : TCustomEdit(owner) {}
};

class TTabSet : public TCustomControl {
  TESSALY_CLASS(TTabSet)

 public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;
  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(TStrings* s) {
    if (s) tabs_->Assign(*s);
  }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int v) {
    tabIndex_ = v;
    Invalidate();
  }
  TFont* SelectedFont() const { return Font(); }
  int TabPosition() const { return tabPosition_; }
  void SetTabPosition(int v) {
    tabPosition_ = v;
    Invalidate();
  }
  void ReportContent(TContentReport& report) const override;
  TMethod OnChange, OnDrawTab, OnMeasureTab, OnGetImageIndex;

 protected:
  void Paint() override;

 private:
  TColor FieldColor(const char* name, TColor fallback) const;
  std::unique_ptr<TSyncedStrings> tabs_;
  int tabIndex_ = -1;
  int tabPosition_ = 1;  // tpBottom: tabs hang below a line
};

// The stock outline: the outline base with its properties published.
class TOutline : public TCustomOutline {
  TESSALY_CLASS(TOutline)

 public:
  explicit TOutline(TComponent* owner);
};

// Tabs over pages: the TTabPage children the form stores, one tab each.
class TTabbedNotebook : public TCustomTabControl, public TPageOwner {
  TESSALY_CLASS(TTabbedNotebook)

 public:
  explicit TTabbedNotebook(TComponent* owner);
  ~TTabbedNotebook() override;
  TStrings* Pages() const { return pages_.get(); }
  void SetPages(TStrings* s) {
    if (s) pages_->Assign(*s);
  }
  TFont* TabFont() const { return tabFont_.get(); }
  std::string ActivePage() const;
  void SetActivePage(const std::string& v);
  int PageIndex() const { return TabIndex(); }
  void SetPageIndex(int v);
  TMethod OnClick2;
  void Loaded() override;
  void PageCaptionChanged() override;
  void ReportContent(TContentReport& report) const override;

 protected:
  std::vector<std::string> Tabs() const override;
  void TabClicked(int index) override;

 private:
  std::unique_ptr<TSyncedStrings> pages_;
  std::unique_ptr<TFont> tabFont_;
};

// Sixteen colours in a grid.
class TColorGrid : public TCustomControl {
  TESSALY_CLASS(TColorGrid)

 public:
  explicit TColorGrid(TComponent* owner);
  int GridOrdering() const { return ordering_; }
  void SetGridOrdering(int v) {
    ordering_ = v;
    Invalidate();
  }
  TMethod OnChange;

 protected:
  void Paint() override;

 private:
  int ordering_ = 2;  // go4x4
};
