// Grids on a QTableWidget: TStringGrid, TDrawGrid and TValueListEditor,
// with the grid properties form files set (sizes, fixed cells, options,
// column widths and row heights).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "StdCtrls.h"

#include <QTableWidget>

const TEnumInfo& GridOptionEnumInfo();
const TEnumInfo& GridDrawingStyleEnumInfo();

class TCustomGrid : public TWinControl {
  TESSALY_CLASS(TCustomGrid)

 public:
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  int ColCount() const { return colCount_; }
  void SetColCount(int v);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int v);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int v) { fixedCols_ = std::max(0, v); Apply(); }
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int v) { fixedRows_ = std::max(0, v); Apply(); }
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int v) { defaultColWidth_ = v; colWidths_.clear(); Apply(); }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int v) { defaultRowHeight_ = v; rowHeights_.clear(); Apply(); }
  int64_t Options() const { return options_; }
  void SetOptions(int64_t v) { options_ = v; Apply(); }
  int ScrollBars() const { return scrollBars_; }
  void SetScrollBars(int v) { scrollBars_ = v; Apply(); }
  int ColWidth(int col) const;
  int RowHeight(int row) const;
  // The text of a cell (string grids; empty otherwise).
  virtual std::string CellText(int col, int row) const { (void)col; (void)row; return {}; }

  QTableWidget* Table() const { return table_.data(); }
  void DefineProperties(TFiler& filer) override;

  TMethod OnColumnMoved, OnDrawCell, OnFixedCellClick, OnGetEditMask, OnGetEditText, OnRowMoved, OnSelectCell,
      OnSetEditText, OnTopLeftChanged;

 protected:
  QWidget* CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) override;
  void CreateWnd() override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  void Apply();
  QPointer<QTableWidget> table_;
  int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24;

 private:
  int64_t options_ = 0x1F;  // fixed and cell lines, range select
  int scrollBars_ = 3;      // ssBoth
  std::vector<int> colWidths_, rowHeights_;
};

class TDrawGrid : public TCustomGrid {
  TESSALY_CLASS(TDrawGrid)

 public:
  explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
};

class TStringGrid : public TDrawGrid {
  TESSALY_CLASS(TStringGrid)

 public:
  explicit TStringGrid(TComponent* owner) : TDrawGrid(owner) {}
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  std::string CellText(int col, int row) const override { return Cells(col, row); }

 private:
  std::vector<std::vector<std::string>> cells_;
};

// Key/value pairs shown in two columns under a title row.
class TValueListEditor : public TCustomGrid {
  TESSALY_CLASS(TValueListEditor)

 public:
  explicit TValueListEditor(TComponent* owner);
  ~TValueListEditor() override;
  TStrings* Strings() const { return strings_.get(); }
  void SetStrings(TStrings* s) { if (s) strings_->Assign(*s); }
  TStrings* TitleCaptions() const { return titles_.get(); }
  void SetTitleCaptions(TStrings* s) { if (s) titles_->Assign(*s); }
  std::string CellText(int col, int row) const override;

  TMethod OnEditButtonClick, OnGetPickList, OnStringsChange, OnStringsChanging, OnValidate;

 private:
  void Refill();
  std::unique_ptr<TSyncedStrings> strings_;
  std::unique_ptr<TSyncedStrings> titles_;
};
