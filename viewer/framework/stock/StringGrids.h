// The stock grids on the grid base: TDrawGrid (cells drawn by a handler),
// TStringGrid (cells holding strings, by column and row) and
// TValueListEditor (a two-column key and value list).
#pragma once

#include <memory>
#include <string>

#include "StdCtrls.h"
#include "controls/Grids.h"

// A grid whose cells a handler draws (OnDrawCell) and whose selection a
// handler may refuse (OnSelectCell).
class TDrawGrid : public TCustomGrid {
  TESSALY_CLASS(TDrawGrid)

 public:
  explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
  TDrawCellEvent OnDrawCellProc;
  TSelectCellEvent OnSelectCellProc;

 protected:
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  bool SelectCell(int col, int row) override;
};

class TStringGrid;

// One column or row of a string grid as a string list (Cols, Rows).
class TStringGridStrings : public TStrings {
  TESSALY_CLASS(TStringGridStrings)

 public:
  TStringGridStrings(TStringGrid* grid, bool column, int index) : grid_(grid), column_(column), index_(index) {}
  int Count() const override;
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  bool Views(bool column, int index) const { return column == column_ && index == index_; }

 private:
  TStringGrid* grid_;
  bool column_;
  int index_;
  int next_ = 0;  // where the next added line goes
};

// A draw grid that keeps a string (and an object pointer) per cell and
// draws the strings.
class TStringGrid : public TDrawGrid {
  TESSALY_CLASS(TStringGrid)

 public:
  explicit TStringGrid(TComponent* owner) : TDrawGrid(owner) {}
  ~TStringGrid() override;
  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  // Not owned by the grid.
  void* Objects(int col, int row) const;
  void SetObjects(int col, int row, void* object);
  // Views of one column or row; the grid keeps them until it goes.
  TStrings* Cols(int index) { return View(true, index); }
  TStrings* Rows(int index) { return View(false, index); }
  std::string CellText(int col, int row) const override { return Cells(col, row); }

 protected:
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  std::string GetEditText(int col, int row) const override { return Cells(col, row); }
  void SetEditText(int col, int row, const std::string& value) override;

 private:
  struct Cell {
    std::string text;
    void* object = nullptr;
  };
  TStrings* View(bool column, int index);
  Cell* CellAt(int col, int row, bool create);
  const Cell* CellAt(int col, int row) const;
  std::vector<std::vector<Cell>> cells_;  // [row][col], grown on demand
  std::vector<std::unique_ptr<TStringGridStrings>> views_;
};

// Key/value pairs shown in two columns under a title row.
class TValueListEditor : public TCustomGrid {
  TESSALY_CLASS(TValueListEditor)

 public:
  explicit TValueListEditor(TComponent* owner);
  ~TValueListEditor() override;
  TStrings* Strings() const { return strings_.get(); }
  void SetStrings(TStrings* s) {
    if (s) strings_->Assign(*s);
  }
  TStrings* TitleCaptions() const { return titles_.get(); }
  void SetTitleCaptions(TStrings* s) {
    if (s) titles_->Assign(*s);
  }
  std::string CellText(int col, int row) const override;

  TMethod OnEditButtonClick, OnGetPickList, OnStringsChange, OnStringsChanging, OnValidate;

 protected:
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;

 private:
  void Refill();
  std::unique_ptr<TSyncedStrings> strings_;
  std::unique_ptr<TSyncedStrings> titles_;
};
