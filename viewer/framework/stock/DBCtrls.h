// The data-aware controls: the data grid and navigator, and the data-aware
// edits, lists, check boxes and lookups, which look like their plain
// counterparts (without data, as at design time) and accept their
// data-link properties.
#pragma once

#include <memory>
#include <string>

#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "components/Collection.h"
#include "controls/Grids.h"

// What the data-aware controls keep of their data link.
struct TDataLinkFields {
  TComponent* dataSource = nullptr;
  TComponent* listSource = nullptr;
};

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
      : title_(std::make_unique<TColumnTitle>()),
        font_(std::make_unique<TFont>()),
        pickList_(std::make_unique<TStringList>()) {}
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
  void SetVisibleButtons(int64_t v) {
    visibleButtons_ = v;
    Invalidate();
  }
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
