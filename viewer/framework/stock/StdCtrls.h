// The standard controls: labels, edit boxes, memos, buttons, check boxes,
// radio buttons, list and combo boxes, scroll bars, group boxes and static
// texts, and what the other stock controls share with them:
//
//   * TSyncedStrings, a line list that tells its owning control when it
//     changed (not while an update is in progress), for controls that show
//     their lines in a Qt widget;
//   * TStockBox, the framed box with its class name that stands in for the
//     controls without a richer look;
//   * drawing captions with their accelerators.
//
// Leaf controls wrap native Qt widgets (QPushButton, QCheckBox,
// QPlainTextEdit, QListWidget ...). Containers paint themselves on the
// framework's canvas, so that graphic children (labels, bevels, speed
// buttons) are painted on them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>

#include "controls/ClassicDrawing.h"
#include "controls/Controls.h"
#include "controls/Edits.h"
#include "controls/Forms.h"
#include "controls/PropertyGroups.h"
#include "core/Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

// ---------------------------------------------------------------------------
// Enumerations shared by the stock controls

enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TStaticBorderStyle : uint8_t { sbsNone, sbsSingle, sbsSunken };

const TEnumInfo& LeftRightEnumInfo();  // taLeftJustify, taRightJustify
const TEnumInfo& VerticalAlignmentEnumInfo();
const TEnumInfo& TextLayoutEnumInfo();
const TEnumInfo& CheckBoxStateEnumInfo();
const TEnumInfo& ListBoxStyleEnumInfo();
const TEnumInfo& ComboBoxStyleEnumInfo();
const TEnumInfo& StaticBorderStyleEnumInfo();
const TEnumInfo& ScrollBarKindEnumInfo();
const TEnumInfo& ScrollCodeEnumInfo();
const TEnumInfo& EllipsisPositionEnumInfo();
const TEnumInfo& ButtonStyleEnumInfo();  // bsPushButton, bsCommandLink, bsSplitButton
const TEnumInfo& ImageAlignmentEnumInfo();

// Draws text (already decoded) inside rect with horizontal alignment (0 left,
// 1 right, 2 centre), vertical layout (0 top, 1 centre, 2 bottom), optional
// word wrapping and '&' accelerators; returns the size the text takes.
TSize DrawControlText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout, bool wordWrap,
                      bool showAccel, bool measureOnly = false);
// The same for a control's caption in the canvas's font; a disabled
// control's caption is embossed: shadow colour over a highlight copy.
void DrawCaptionText(TCanvas& canvas, const TRect& rect, const QString& text, int alignment, int layout, bool wordWrap,
                     bool showAccelChar, bool enabled);

// ---------------------------------------------------------------------------
// TSyncedStrings

// Lines kept in memory that call Changed after each change, once an update
// (BeginUpdate ... EndUpdate) is over.
class TSyncedStrings : public TStrings {
  TESSALY_CLASS(TSyncedStrings)

 public:
  TSyncedStrings() = default;
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  const std::vector<std::string>& Lines() const { return lines_; }
  // Replaces every line at once (one notification).
  void SetLines(std::vector<std::string> lines);

  std::function<void()> OnChanged;

 protected:
  void SetUpdateState(bool updating) override;
  void AddLines(std::vector<std::string>&& lines) override;

 private:
  void Changed();
  std::vector<std::string> lines_;
  bool pending_ = false;
};

// ---------------------------------------------------------------------------
// TStockBox

// A windowed control drawn as a framed box of its colour, with its class
// name written small in the top-left corner: the look of stock controls that
// have no richer one. It accepts child controls.
class TStockBox : public TCustomControl {
  TESSALY_CLASS(TStockBox)

 public:
  explicit TStockBox(TComponent* owner);

 protected:
  void Paint() override;
  // The frame: 0 none, 1 sunken (default), 2 raised, 3 flat single line.
  int frame_ = 1;
  bool showClassName_ = true;
};

// A graphic control drawn the same way (for stock graphic controls).
class TStockGraphicBox : public TGraphicControl {
  TESSALY_CLASS(TStockGraphicBox)

 public:
  explicit TStockGraphicBox(TComponent* owner);

 protected:
  void Paint() override;
};

// ---------------------------------------------------------------------------
// TLabel

class TCustomLabel : public TGraphicControl {
  TESSALY_CLASS(TCustomLabel)

 public:
  explicit TCustomLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  TComponent* FocusControl() const { return focusControl_; }
  void SetFocusControl(TComponent* c);
  void SetAutoSize(bool v) override;

  void Loaded() override;
  void DefineProperties(TFiler& filer) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Fits the bounds to the caption when AutoSize.
  void AdjustBounds();
  virtual QString LabelText() const { return DisplayText(); }

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TComponent* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  TESSALY_CLASS(TLabel)

 public:
  explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

// ---------------------------------------------------------------------------
// TEdit

class TEdit : public TCustomEdit {
  TESSALY_CLASS(TEdit)

 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
  void DefineProperties(TFiler& filer) override;
};

// ---------------------------------------------------------------------------
// TMemo

class TMemoWidget;

// A multi-line edit on a QPlainTextEdit. Lines is live: its lines are the
// memo's; while an update is in progress (Lines.BeginUpdate) the widget is
// left alone and gets the whole text once at the end.
class TCustomMemo : public TWinControl {
  TESSALY_CLASS(TCustomMemo)
  friend class TMemoLines;
  friend class TMemoWidget;

 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings* Lines() const;
  void SetLines(TStrings* lines);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TEditBorderStyle v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v; }

  void SetText(const std::string& v) override;
  void Clear();
  QPlainTextEdit* Editor() const;
  // How many times the whole text went to the widget (tests: batching).
  int WidgetTextLoads() const { return widgetLoads_; }
  // The published WantTabs and WantReturns (defaults False and True).
  bool WantTabs() const;
  bool WantReturns() const;

  TMethod OnChange;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  void CMEnabledChanged(TMessage& msg) override;
  // All keys: characters, arrows, Return and Escape; Tab with WantTabs.
  void WMGetDlgCode(TWMGetDlgCode& msg) override;
  virtual void Change();

 private:
  void LinesChanged(bool appendedOnly, int firstAppended);
  // A line inserted into a memo that has its window shows with the caret at
  // its end, as the system's edit scrolls to a replaced selection. Lines
  // that were there before the window was made show from the top.
  void ShowInsertedLine();
  void WidgetEdited();
  void PullFromWidget() const;
  void LoadWidget();
  void ApplyOptions();

  std::unique_ptr<TStrings> lines_;
  QPointer<QPlainTextEdit> editor_;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  TAlignment alignment_ = taLeftJustify;
  TEditBorderStyle borderStyle_ = ebsSingle;
  int maxLength_ = 0;
  mutable bool widgetNewer_ = false;  // typed text not yet pulled into lines_
  bool loading_ = false;
  int widgetLoads_ = 0;
  int shownLine_ = -1;  // the line inserted last, to show once the widget has it
};

class TMemo : public TCustomMemo {
  TESSALY_CLASS(TMemo)

 public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

// ---------------------------------------------------------------------------
// Buttons

// A push button on a QPushButton. A click sets the parent form's
// ModalResult; Default and Cancel answer Return and Escape.
class TButton : public TWinControl {
  TESSALY_CLASS(TButton)

 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; }
  QPushButton* PushButton() const;
  TMargins* ImageMargins() const { return imageMargins_.get(); }

  void Click() override;

  TMethod OnDropDownClick;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void CMTextChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMDialogKey(TCMDialogKey& msg) override;
  void CMDialogChar(TCMDialogChar& msg) override;
  // Updates the widget's caption and icon.
  virtual void UpdateFace();
  QPointer<QPushButton> button_;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  bool wordWrap_ = false;
  std::unique_ptr<TMargins> imageMargins_ = std::make_unique<TMargins>(0);
};

// What check boxes and radio buttons share: a Qt button whose state,
// caption, side and colours follow the control. Descendants make the widget
// and set their own state in ApplyState; the rest is common.
class TButtonControl : public TWinControl {
  TESSALY_CLASS(TButtonControl)

 public:
  explicit TButtonControl(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

 protected:
  void CreateWnd() override;
  void CMTextChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  // Brings the widget up to date; applying_ is set meanwhile, so that the
  // widget's own signals are not taken for the user's clicks.
  void Apply();
  // The widget (none before it is made, nor while the base is constructed).
  virtual QAbstractButton* Button() const { return nullptr; }
  virtual void ApplyState() {}

  bool applying_ = false;

 private:
  TAlignment alignment_ = taRightJustify;
};

// Check box on a QCheckBox.
class TCustomCheckBox : public TButtonControl {
  TESSALY_CLASS(TCustomCheckBox)

 public:
  explicit TCustomCheckBox(TComponent* owner);

  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState v);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v);

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  QAbstractButton* Button() const override;
  void ApplyState() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  QPointer<QCheckBox> box_;
};

class TCheckBox : public TCustomCheckBox {
  TESSALY_CLASS(TCheckBox)

 public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

// Radio button on a QRadioButton; checking one unchecks its siblings.
class TRadioButton : public TButtonControl {
  TESSALY_CLASS(TRadioButton)

 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool v);

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  QAbstractButton* Button() const override;
  void ApplyState() override;

 private:
  bool checked_ = false;
  QPointer<QRadioButton> radio_;
};

// ---------------------------------------------------------------------------
// List and combo boxes

class TCustomListBox : public TWinControl {
  TESSALY_CLASS(TCustomListBox)

 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int ItemIndex() const;
  void SetItemIndex(int v);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  int Columns() const { return columns_; }
  void SetColumns(int v);
  TEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TEditBorderStyle v);
  QListWidget* ListWidget() const;
  // "items": the lines in display order, decoded by the font's charset.
  void ReportContent(TContentReport& report) const override;

  TMethod OnDrawItem, OnMeasureItem, OnData, OnDataFind, OnDataObject;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  // Text shown for a line (check list boxes add nothing; file lists may).
  virtual void FillWidget();
  std::unique_ptr<TSyncedStrings> items_;
  QPointer<QListWidget> list_;

 private:
  int itemIndex_ = -1;
  bool multiSelect_ = false;
  bool sorted_ = false;
  int columns_ = 0;
  TEditBorderStyle borderStyle_ = ebsSingle;
};

class TListBox : public TCustomListBox {
  TESSALY_CLASS(TListBox)

 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

class TCustomComboBox : public TWinControl {
  TESSALY_CLASS(TCustomComboBox)

 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v) {
    sorted_ = v;
    FillWidget();
  }
  void SetText(const std::string& v) override;
  QComboBox* ComboWidget() const;
  // "items": the drop-down list in display order (sorted when Sorted).
  void ReportContent(TContentReport& report) const override;

  TMethod OnChange, OnSelect, OnDropDown, OnCloseUp, OnDrawItem, OnMeasureItem;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  virtual void FillWidget();
  std::unique_ptr<TSyncedStrings> items_;
  QPointer<QComboBox> combo_;

 private:
  int itemIndex_ = -1;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  bool filling_ = false;
};

class TComboBox : public TCustomComboBox {
  TESSALY_CLASS(TComboBox)

 public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

// ---------------------------------------------------------------------------
// TScrollBar

class TScrollBar : public TWinControl {
  TESSALY_CLASS(TScrollBar)

 public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind v);
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
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v) {
    pageSize_ = v;
    Apply();
  }
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) {
    smallChange_ = v;
    Apply();
  }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) {
    largeChange_ = v;
    Apply();
  }

  TMethod OnChange, OnScroll;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void Apply();

 private:
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;
  QPointer<QScrollBar> bar_;
  bool applying_ = false;
};

// ---------------------------------------------------------------------------
// TGroupBox and TStaticText

class TCustomGroupBox : public TCustomControl {
  TESSALY_CLASS(TCustomGroupBox)

 public:
  explicit TCustomGroupBox(TComponent* owner);
  ~TCustomGroupBox() override;
  void AdjustClientRect(TRect& rect) override;
  // The caption's own font, used when DefaultHeaderFont is False.
  TFont* HeaderFont() const { return headerFont_.get(); }

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  // The font the caption is drawn in.
  const TFont& CaptionFont() const;

 private:
  std::unique_ptr<TFont> headerFont_ = std::make_unique<TFont>();
};

class TGroupBox : public TCustomGroupBox {
  TESSALY_CLASS(TGroupBox)

 public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

class TStaticText : public TCustomControl {
  TESSALY_CLASS(TStaticText)

 public:
  explicit TStaticText(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
  }
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle v) {
    borderStyle_ = v;
    Invalidate();
  }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v) {
    showAccelChar_ = v;
    Invalidate();
  }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) {
    transparent_ = v;
    Invalidate();
  }
  TComponent* FocusControl() const { return focusControl_; }
  void SetFocusControl(TComponent* c) { focusControl_ = c; }

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TStaticBorderStyle borderStyle_ = sbsNone;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  TComponent* focusControl_ = nullptr;
};

// Lines decoded by a font's charset into UTF-8, for content reports.
std::vector<std::string> DecodedLines(const std::vector<std::string>& lines, const TFont& font);

// Reads the "IsControl" flag some form files carry on controls.
void DefineIsControl(TFiler& filer, TPersistent* self);
