// The remaining stock classes: media player, OLE container, application
// events, scroll box, check list box, masked edit, tab set, outline, tabbed
// notebook, file-system lists, the common dialogs other than the open
// dialog, colour grid, and the data-aware controls, which look like their
// plain counterparts and accept their data-link properties.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/Grids.h"
#include "NotebookPages.h"
#include "controls/Outline.h"
#include "controls/ScrollingArea.h"
#include "StdCtrls.h"

// What the data-aware controls keep of their data link.
struct TDataLinkFields {
  TComponent* dataSource = nullptr;
  TComponent* listSource = nullptr;
};

class TMediaPlayer : public TCustomControl {
  TESSALY_CLASS(TMediaPlayer)

 public:
  explicit TMediaPlayer(TComponent* owner);
  int64_t VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(int64_t v) { visibleButtons_ = v; Invalidate(); }
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
      OnGetMainFormHandle, OnHelp, OnHint, OnIdle, OnMessage, OnMinimize, OnModalBegin, OnModalEnd, OnRemoteSessionChanged,
      OnRestore, OnSettingChange, OnShortCut, OnShowHint;
};

class TScrollBox : public TCustomControl {
  TESSALY_CLASS(TScrollBox)

 public:
  explicit TScrollBox(TComponent* owner);
  ~TScrollBox() override;
  TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
  TControlScrollBar* VertScrollBar() const { return vert_.get(); }
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int v) { borderStyle_ = v; Invalidate(); }
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
  void SetTabs(TStrings* s) { if (s) tabs_->Assign(*s); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int v) { tabIndex_ = v; Invalidate(); }
  TFont* SelectedFont() const { return Font(); }
  int TabPosition() const { return tabPosition_; }
  void SetTabPosition(int v) { tabPosition_ = v; Invalidate(); }
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
  void SetPages(TStrings* s) { if (s) pages_->Assign(*s); }
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

// File-system lists: filled from the current directory when shown.
class TFileListBox : public TCustomListBox {
  TESSALY_CLASS(TFileListBox)

 public:
  explicit TFileListBox(TComponent* owner);
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& v) { mask_ = v; Rescan(); }
  TMethod OnChange;

 protected:
  void CreateWnd() override;
  void Rescan();

 private:
  std::string mask_ = "*.*";
};

class TDirectoryListBox : public TCustomListBox {
  TESSALY_CLASS(TDirectoryListBox)

 public:
  explicit TDirectoryListBox(TComponent* owner);
  TMethod OnChange;

 protected:
  void CreateWnd() override;
};

class TDriveComboBox : public TCustomComboBox {
  TESSALY_CLASS(TDriveComboBox)

 public:
  explicit TDriveComboBox(TComponent* owner);
};

class TFilterComboBox : public TCustomComboBox {
  TESSALY_CLASS(TFilterComboBox)

 public:
  explicit TFilterComboBox(TComponent* owner);
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v);

 private:
  std::string filter_ = "All files (*.*)|*.*";
};

// ---------------------------------------------------------------------------
// Dialogs (non-visual)

class TSaveDialog : public TOpenDialog {
  TESSALY_CLASS(TSaveDialog)

 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool Saving() const override { return true; }
};

class TOpenPictureDialog : public TOpenDialog {
  TESSALY_CLASS(TOpenPictureDialog)

 public:
  explicit TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) {}
};

class TSavePictureDialog : public TOpenPictureDialog {
  TESSALY_CLASS(TSavePictureDialog)

 public:
  explicit TSavePictureDialog(TComponent* owner) : TOpenPictureDialog(owner) {}
};

class TCommonDialog : public TComponent {
  TESSALY_CLASS(TCommonDialog)

 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  TMethod OnClose, OnShow;
};

class TFontDialog : public TCommonDialog {
  TESSALY_CLASS(TFontDialog)

 public:
  explicit TFontDialog(TComponent* owner);
  TFont* Font() const { return font_.get(); }
  TMethod OnApply;

 private:
  std::unique_ptr<TFont> font_;
};

class TColorDialog : public TCommonDialog {
  TESSALY_CLASS(TColorDialog)

 public:
  explicit TColorDialog(TComponent* owner);
  TStrings* CustomColors() const { return customColors_.get(); }

 private:
  std::unique_ptr<TStringList> customColors_;
};

class TPrintDialog : public TCommonDialog {
  TESSALY_CLASS(TPrintDialog)

 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
};

class TPrinterSetupDialog : public TCommonDialog {
  TESSALY_CLASS(TPrinterSetupDialog)

 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
};

class TFindDialog : public TCommonDialog {
  TESSALY_CLASS(TFindDialog)

 public:
  explicit TFindDialog(TComponent* owner) : TCommonDialog(owner) {}
  TMethod OnFind, OnReplace;
};

class TReplaceDialog : public TFindDialog {
  TESSALY_CLASS(TReplaceDialog)

 public:
  explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}
};

class TPageSetupDialog : public TCommonDialog {
  TESSALY_CLASS(TPageSetupDialog)

 public:
  explicit TPageSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
  TMethod OnDrawFullPage, OnDrawMinMargin, OnDrawMargin, OnDrawGreekText, OnDrawEnvStamp, OnDrawRetAddress,
      OnPrinterSetup;
};

// Sixteen colours in a grid.
class TColorGrid : public TCustomControl {
  TESSALY_CLASS(TColorGrid)

 public:
  explicit TColorGrid(TComponent* owner);
  int GridOrdering() const { return ordering_; }
  void SetGridOrdering(int v) { ordering_ = v; Invalidate(); }
  TMethod OnChange;

 protected:
  void Paint() override;

 private:
  int ordering_ = 2;  // go4x4
};

// ---------------------------------------------------------------------------
// Data-aware controls

// A data grid's column title and column (the Columns collection's items).
class TColumnTitle : public TPersistent {
  TESSALY_CLASS(TColumnTitle)

 public:
  TColumnTitle() : font_(std::make_unique<TFont>()) {}
  TFont* Font() const { return font_.get(); }

 private:
  std::unique_ptr<TFont> font_;
};
class TColumn : public TCollectionItem {
  TESSALY_CLASS(TColumn)

 public:
  TColumn()
      : title_(std::make_unique<TColumnTitle>()), font_(std::make_unique<TFont>()), pickList_(std::make_unique<TStringList>()) {}
  TColumnTitle* Title() const { return title_.get(); }
  TFont* Font() const { return font_.get(); }
  TStringList* PickList() const { return pickList_.get(); }

 private:
  std::unique_ptr<TColumnTitle> title_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TStringList> pickList_;
};
// A data grid without data: an indicator column and one column per entry
// of Columns (or one blank column), under a title row, over one empty row.
class TDBGrid : public TCustomGrid, public TDataLinkFields {
  TESSALY_CLASS(TDBGrid)

 public:
  // The indicator column's width.
  static constexpr int kIndicatorWidth = 11;
  explicit TDBGrid(TComponent* owner);
  ~TDBGrid() override;
  TCollection* Columns() const { return columns_.get(); }
  TFont* TitleFont() const { return titleFont_.get(); }
  int64_t DBOptions() const { return dbOptions_; }
  void SetDBOptions(int64_t v);
  std::string CellText(int col, int row) const override;
  // Column widths and titles are read after the columns themselves.
  void Loaded() override {
    TCustomGrid::Loaded();
    Layout();
  }
  TMethod OnCellClick, OnColEnter, OnColExit, OnColumnMoved2, OnDrawColumnCell, OnDrawDataCell, OnEditButtonClick,
      OnTitleClick, OnColumnMoved3, OnMouseWheel2;

 protected:
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;

 private:
  void Layout();
  bool HasDBOption(int bit) const { return (dbOptions_ >> bit) & 1; }
  int IndicatorOffset() const { return HasDBOption(3) ? 1 : 0; }
  std::unique_ptr<TCollection> columns_;
  std::unique_ptr<TFont> titleFont_;
  int64_t dbOptions_ = 0x0C7F;
};

class TDBNavigator : public TCustomControl, public TDataLinkFields {
  TESSALY_CLASS(TDBNavigator)

 public:
  explicit TDBNavigator(TComponent* owner);
  ~TDBNavigator() override;
  int64_t VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(int64_t v) { visibleButtons_ = v; Invalidate(); }
  TStrings* Hints() const { return hints_.get(); }
  TMethod BeforeAction;

 protected:
  void Paint() override;

 private:
  int64_t visibleButtons_ = 0x3FF;
  std::unique_ptr<TStringList> hints_;
};

class TDBText : public TCustomLabel, public TDataLinkFields {
  TESSALY_CLASS(TDBText)

 public:
  explicit TDBText(TComponent* owner);

 protected:
  QString LabelText() const override;
};

class TDBEdit : public TCustomEdit, public TDataLinkFields {
  TESSALY_CLASS(TDBEdit)

 public:
  explicit TDBEdit(TComponent* owner) : TCustomEdit(owner) {}
};

class TDBMemo : public TCustomMemo, public TDataLinkFields {
  TESSALY_CLASS(TDBMemo)

 public:
  explicit TDBMemo(TComponent* owner) : TCustomMemo(owner) {}
};

class TDBRichEdit : public TCustomMemo, public TDataLinkFields {
  TESSALY_CLASS(TDBRichEdit)

 public:
  explicit TDBRichEdit(TComponent* owner) : TCustomMemo(owner) {}
  TMethod OnProtectChange, OnResizeRequest, OnSaveClipboard, OnSelectionChange;
};

class TDBImage : public TStockBox, public TDataLinkFields {
  TESSALY_CLASS(TDBImage)

 public:
  explicit TDBImage(TComponent* owner);
};

class TDBListBox : public TCustomListBox, public TDataLinkFields {
  TESSALY_CLASS(TDBListBox)

 public:
  explicit TDBListBox(TComponent* owner) : TCustomListBox(owner) {}
  void ReportContent(TContentReport& report) const override;
};

class TDBComboBox : public TCustomComboBox, public TDataLinkFields {
  TESSALY_CLASS(TDBComboBox)

 public:
  explicit TDBComboBox(TComponent* owner) : TCustomComboBox(owner) {}
  void ReportContent(TContentReport& report) const override;
};

class TDBCheckBox : public TCustomCheckBox, public TDataLinkFields {
  TESSALY_CLASS(TDBCheckBox)

 public:
  explicit TDBCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

class TDBRadioGroup : public TCustomRadioGroup, public TDataLinkFields {
  TESSALY_CLASS(TDBRadioGroup)

 public:
  explicit TDBRadioGroup(TComponent* owner);
  ~TDBRadioGroup() override;
  TStrings* Values() const { return values_.get(); }
  void ReportContent(TContentReport& report) const override;
  TMethod OnChange;

 private:
  std::unique_ptr<TStringList> values_;
};

class TDBLookupListBox : public TCustomListBox, public TDataLinkFields {
  TESSALY_CLASS(TDBLookupListBox)

 public:
  explicit TDBLookupListBox(TComponent* owner) : TCustomListBox(owner) {}
};

class TDBLookupComboBox : public TCustomComboBox, public TDataLinkFields {
  TESSALY_CLASS(TDBLookupComboBox)

 public:
  explicit TDBLookupComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

class TDBLookupList : public TCustomListBox, public TDataLinkFields {
  TESSALY_CLASS(TDBLookupList)

 public:
  explicit TDBLookupList(TComponent* owner) : TCustomListBox(owner) {}
};

class TDBLookupCombo : public TCustomComboBox, public TDataLinkFields {
  TESSALY_CLASS(TDBLookupCombo)

 public:
  explicit TDBLookupCombo(TComponent* owner) : TCustomComboBox(owner) {}
};

class TDBCtrlGrid : public TStockBox, public TDataLinkFields {
  TESSALY_CLASS(TDBCtrlGrid)

 public:
  explicit TDBCtrlGrid(TComponent* owner);
  TMethod OnPaintPanel;
};
