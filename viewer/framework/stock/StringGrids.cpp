// The stock grids on TCustomGrid: TDrawGrid, TStringGrid, TValueListEditor.
#include "StringGrids.h"

#include <algorithm>
#include <map>

namespace {

const TEnumInfo& KeyOptionEnumInfo() {
  static const TEnumInfo e{"TKeyOption", {"keyEdit", "keyAdd", "keyDelete", "keyUnique"}};
  return e;
}
const TEnumInfo& DisplayOptionEnumInfo() {
  static const TEnumInfo e{"TDisplayOption", {"doColumnTitles", "doAutoColResize", "doKeyColFixed"}};
  return e;
}

// What the stock grids publish, in the order they declare it; a grid whose
// constructor changes a default names the new streaming default.
template <class C>
void PublishGrid(ClassBuilder<C>& b, const std::map<std::string, int64_t>& defaults = {}) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  for (const char* name :
       {"BorderStyle",     "ColCount",         "DefaultColWidth",  "DefaultColAlignment",
        "DefaultDrawing",  "DefaultRowHeight", "DrawingStyle",     "FixedColor",
        "FixedCols",       "FixedRows",        "GradientEndColor", "GradientStartColor",
        "GridLineWidth",   "Options",          "RowCount",         "ScrollBars",
        "OnColumnMoved",   "OnDrawCell",       "OnFixedCellClick", "OnGetEditMask",
        "OnGetEditText",   "OnRowMoved",       "OnSelectCell",     "OnSetEditText",
        "OnTopLeftChanged"}) {
    if (const auto it = defaults.find(name); it != defaults.end())
      b.Publish(name, it->second);
    else
      b.Publish(name);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TDrawGrid

const TClassInfo& TDrawGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDrawGrid> b("TDrawGrid", &TCustomGrid::StaticClassInfo());
    PublishGrid(b);
    return b.Build();
  }();
  return info;
}

void TDrawGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (OnDrawCellProc)
    OnDrawCellProc(this, col, row, rect, state);
  else if (OnDrawCell)
    OnDrawCell.code(this);
}

bool TDrawGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  if (OnSelectCellProc)
    OnSelectCellProc(this, col, row, canSelect);
  else if (OnSelectCell)
    OnSelectCell.code(this);
  return canSelect;
}

// ---------------------------------------------------------------------------
// TStringGrid

const TClassInfo& TStringGrid::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TStringGrid>("TStringGrid", &TDrawGrid::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TStringGridStrings::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TStringGridStrings>("TStringGridStrings", &TStrings::StaticClassInfo()).Build();
  return info;
}

TStringGrid::~TStringGrid() = default;

const TStringGrid::Cell* TStringGrid::CellAt(int col, int row) const {
  if (row < 0 || row >= int(cells_.size()) || col < 0 || col >= int(cells_[size_t(row)].size())) return nullptr;
  return &cells_[size_t(row)][size_t(col)];
}

TStringGrid::Cell* TStringGrid::CellAt(int col, int row, bool create) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return nullptr;
  if (!create) return const_cast<Cell*>(static_cast<const TStringGrid*>(this)->CellAt(col, row));
  if (row >= int(cells_.size())) cells_.resize(size_t(row) + 1);
  auto& line = cells_[size_t(row)];
  if (col >= int(line.size())) line.resize(size_t(col) + 1);
  return &line[size_t(col)];
}

std::string TStringGrid::Cells(int col, int row) const {
  const Cell* c = CellAt(col, row);
  return c ? c->text : std::string();
}

// Cells outside the grid keep nothing, as the grid's size bounds its cells.
void TStringGrid::SetCells(int col, int row, const std::string& text) {
  Cell* c = CellAt(col, row, true);
  if (!c || c->text == text) return;
  c->text = text;
  InvalidateCell(col, row);
}

void* TStringGrid::Objects(int col, int row) const {
  const Cell* c = CellAt(col, row);
  return c ? c->object : nullptr;
}

void TStringGrid::SetObjects(int col, int row, void* object) {
  if (Cell* c = CellAt(col, row, true)) c->object = object;
}

TStrings* TStringGrid::View(bool column, int index) {
  for (const auto& v : views_)
    if (v->Views(column, index)) return v.get();
  views_.push_back(std::make_unique<TStringGridStrings>(this, column, index));
  return views_.back().get();
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (DefaultDrawing()) DrawCellText(*Canvas(), rect, Cells(col, row));
  TDrawGrid::DrawCell(col, row, rect, state);
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) { SetCells(col, row, value); }

// A column runs down the rows, a row across the columns.
int TStringGridStrings::Count() const { return column_ ? grid_->RowCount() : grid_->ColCount(); }
std::string TStringGridStrings::Get(int index) const {
  return column_ ? grid_->Cells(index_, index) : grid_->Cells(index, index_);
}
void TStringGridStrings::Put(int index, const std::string& s) {
  if (column_)
    grid_->SetCells(index_, index, s);
  else
    grid_->SetCells(index, index_, s);
}
// The grid does not grow: lines past its size are dropped. Adding (an
// insert at the end) fills the next empty cell since the last Clear.
void TStringGridStrings::Insert(int index, const std::string& s) {
  if (index >= Count()) {
    while (next_ < Count() && !Get(next_).empty()) ++next_;
    if (next_ < Count()) Put(next_++, s);
    return;
  }
  for (int i = Count() - 1; i > index; --i) Put(i, Get(i - 1));
  if (index >= 0) Put(index, s);
}
void TStringGridStrings::Delete(int index) {
  for (int i = index; i + 1 < Count(); ++i) Put(i, Get(i + 1));
  if (Count() > 0) Put(Count() - 1, std::string());
}
void TStringGridStrings::Clear() {
  for (int i = 0; i < Count(); ++i) Put(i, std::string());
  next_ = 0;
}

// ---------------------------------------------------------------------------
// TValueListEditor

const TClassInfo& TValueListEditor::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TValueListEditor> b("TValueListEditor", &TCustomGrid::StaticClassInfo());
    PublishGrid(b, {{"DefaultColWidth", 150}, {"DefaultRowHeight", 18}});
    b.SetField("DisplayOptions", DisplayOptionEnumInfo(), 7)
        .IntegerField("DropDownRows", 8)
        .SetField("KeyOptions", KeyOptionEnumInfo(), 0)
        .Object("Strings", &TStrings::StaticClassInfo, &TValueListEditor::Strings, &TValueListEditor::SetStrings)
        .Object("TitleCaptions", &TStrings::StaticClassInfo, &TValueListEditor::TitleCaptions,
                &TValueListEditor::SetTitleCaptions)
        .Event("OnEditButtonClick", &TValueListEditor::OnEditButtonClick)
        .Event("OnGetPickList", &TValueListEditor::OnGetPickList)
        .Event("OnStringsChange", &TValueListEditor::OnStringsChange)
        .Event("OnStringsChanging", &TValueListEditor::OnStringsChanging)
        .Event("OnValidate", &TValueListEditor::OnValidate);
    return b.Build();
  }();
  return info;
}

TValueListEditor::TValueListEditor(TComponent* owner)
    : TCustomGrid(owner), strings_(std::make_unique<TSyncedStrings>()), titles_(std::make_unique<TSyncedStrings>()) {
  SetBounds(0, 0, 306, 300);
  colCount_ = 2;
  rowCount_ = 2;
  fixedCols_ = 0;
  defaultColWidth_ = 150;
  defaultRowHeight_ = 18;
  titles_->SetLines({"Key", "Value"});
  strings_->OnChanged = [this] { Refill(); };
  titles_->OnChanged = [this] { Refill(); };
  SizeChanged(1, 1);
}

TValueListEditor::~TValueListEditor() {
  strings_->OnChanged = nullptr;
  titles_->OnChanged = nullptr;
}

void TValueListEditor::Refill() {
  SetRowCount(std::max(2, strings_->Count() + 1));
  Invalidate();
}

std::string TValueListEditor::CellText(int col, int row) const {
  if (row == 0) return col < titles_->Count() ? titles_->Get(col) : std::string();
  if (row - 1 >= strings_->Count()) return {};
  const std::string line = strings_->Get(row - 1);
  const size_t eq = line.find('=');
  if (col == 0) return line.substr(0, eq);
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

void TValueListEditor::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  (void)state;
  if (DefaultDrawing()) DrawCellText(*Canvas(), rect, CellText(col, row));
}
