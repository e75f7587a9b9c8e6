#include "Grids.h"

#include <algorithm>

#include <QHeaderView>
#include <QTableWidget>

#include "core/Exceptions.h"
#include "core/FormNode.h"

const TEnumInfo& GridOptionEnumInfo() {
  static const TEnumInfo e{"TGridOption",
                           {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                            "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                            "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking",
                            "goFixedColClick", "goFixedRowClick", "goFixedHotTrack"}};
  return e;
}
const TEnumInfo& GridDrawingStyleEnumInfo() {
  static const TEnumInfo e{"TGridDrawingStyle", {"gdsClassic", "gdsThemed", "gdsGradient"}};
  return e;
}

namespace {
const TEnumInfo& KeyOptionEnumInfo() {
  static const TEnumInfo e{"TKeyOption", {"keyEdit", "keyAdd", "keyDelete", "keyUnique"}};
  return e;
}
const TEnumInfo& DisplayOptionEnumInfo() {
  static const TEnumInfo e{"TDisplayOption", {"doColumnTitles", "doAutoColResize", "doKeyColFixed"}};
  return e;
}
const TEnumInfo& BorderStyleEnumInfo() {
  static const TEnumInfo e{"TBorderStyle", {"bsNone", "bsSingle"}};
  return e;
}

std::vector<int> IntegersOf(const TFormNode& node) {
  std::vector<int> out;
  for (const TFormNode& v : node.list) {
    if (!v.IsInteger()) throw EReadError("Invalid property value");
    out.push_back(int(v.integer));
  }
  return out;
}
TFormNode ListOf(const std::vector<int>& values) {
  TFormNode n;
  n.type = TValueType::vaList;
  for (int v : values) n.list.push_back(TFormNode::Integer(v));
  return n;
}
}  // namespace

template <class C>
static void PublishGrid(ClassBuilder<C>& b) {
  stock::PublishControl(b);
  stock::PublishLooks(b, clWindow);
  stock::PublishWindowed(b, 1);
  stock::PublishBevels(b);
  b.EnumField("BorderStyle", BorderStyleEnumInfo(), 1)
      .Integer("ColCount", &C::ColCount, &C::SetColCount, 5)
      .Integer("DefaultColWidth", &C::DefaultColWidth, &C::SetDefaultColWidth, 64)
      .BoolField("DefaultColAlignment", false)
      .BoolField("DefaultDrawing", true)
      .Integer("DefaultRowHeight", &C::DefaultRowHeight, &C::SetDefaultRowHeight, 24)
      .EnumField("DrawingStyle", GridDrawingStyleEnumInfo(), 1)
      .ColorField("FixedColor", clBtnFace)
      .Integer("FixedCols", &C::FixedCols, &C::SetFixedCols, 1)
      .Integer("FixedRows", &C::FixedRows, &C::SetFixedRows, 1)
      .ColorField("GradientEndColor", clDefault)
      .ColorField("GradientStartColor", clDefault)
      .IntegerField("GridLineWidth", 1)
      .Set("Options", GridOptionEnumInfo(), &C::Options, &C::SetOptions, 0x1F)
      .Integer("RowCount", &C::RowCount, &C::SetRowCount, 5)
      .Enum("ScrollBars", ScrollStyleEnumInfo(), &C::ScrollBars, &C::SetScrollBars, 3)
      .Event("OnColumnMoved", &C::OnColumnMoved)
      .Event("OnDrawCell", &C::OnDrawCell)
      .Event("OnFixedCellClick", &C::OnFixedCellClick)
      .Event("OnGetEditMask", &C::OnGetEditMask)
      .Event("OnGetEditText", &C::OnGetEditText)
      .Event("OnRowMoved", &C::OnRowMoved)
      .Event("OnSelectCell", &C::OnSelectCell)
      .Event("OnSetEditText", &C::OnSetEditText)
      .Event("OnTopLeftChanged", &C::OnTopLeftChanged);
}

const TClassInfo& TCustomGrid::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCustomGrid>("TCustomGrid", &TWinControl::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TDrawGrid::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TDrawGrid> b("TDrawGrid", &TCustomGrid::StaticClassInfo());
    PublishGrid(b);
    return b.Build();
  }();
  return info;
}

const TClassInfo& TStringGrid::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TStringGrid>("TStringGrid", &TDrawGrid::StaticClassInfo()).Build();
  return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
}
TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int v) {
  colCount_ = std::max(1, v);
  Apply();
}
void TCustomGrid::SetRowCount(int v) {
  rowCount_ = std::max(1, v);
  Apply();
}
int TCustomGrid::ColWidth(int col) const {
  return col >= 0 && col < int(colWidths_.size()) ? colWidths_[size_t(col)] : defaultColWidth_;
}
int TCustomGrid::RowHeight(int row) const {
  return row >= 0 && row < int(rowHeights_.size()) ? rowHeights_[size_t(row)] : defaultRowHeight_;
}

void TCustomGrid::DefineProperties(TFiler& filer) {
  TWinControl::DefineProperties(filer);
  filer.DefineProperty(
      "ColWidths", [this](const TFormNode& v) { colWidths_ = IntegersOf(v); Apply(); },
      [this] { return ListOf(colWidths_); }, !colWidths_.empty());
  filer.DefineProperty(
      "RowHeights", [this](const TFormNode& v) { rowHeights_ = IntegersOf(v); Apply(); },
      [this] { return ListOf(rowHeights_); }, !rowHeights_.empty());
  filer.DefineProperty(
      "TabStops", [](const TFormNode&) {}, [] { return ListOf({}); }, false);
}

QWidget* TCustomGrid::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* t = new QTableWidget(parentWidget);
  t->horizontalHeader()->hide();
  t->verticalHeader()->hide();
  table_ = t;
  return t;
}

void TCustomGrid::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyControlPalette(table_, this, true);
  Apply();
}

// Fixed rows and columns show as shaded cells, as the grid draws them.
void TCustomGrid::Apply() {
  if (!table_) return;
  table_->setRowCount(rowCount_);
  table_->setColumnCount(colCount_);
  const QColor fixed = ColorToQColor(clBtnFace);
  const TFont& font = *Font();
  for (int c = 0; c < colCount_; ++c) table_->setColumnWidth(c, ColWidth(c));
  for (int r = 0; r < rowCount_; ++r) {
    table_->setRowHeight(r, RowHeight(r));
    for (int c = 0; c < colCount_; ++c) {
      const std::string text = CellText(c, r);
      const bool isFixed = r < fixedRows_ || c < fixedCols_;
      if (text.empty() && !isFixed) {
        delete table_->takeItem(r, c);
        continue;
      }
      auto* item = new QTableWidgetItem(font.Decode(text));
      if (isFixed) {
        item->setBackground(fixed);
        item->setFlags(Qt::ItemIsEnabled);
      }
      table_->setItem(r, c, item);
    }
  }
  table_->setShowGrid((options_ & 0x0C) != 0);
  const int sb = scrollBars_;
  table_->setHorizontalScrollBarPolicy(sb == 1 || sb == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  table_->setVerticalScrollBarPolicy(sb == 2 || sb == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  table_->setSelectionBehavior((options_ & (1 << 12)) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TCustomGrid::CMFontChanged(TMessage& msg) {
  TWinControl::CMFontChanged(msg);
  ApplyControlPalette(table_, this, true);
}
void TCustomGrid::CMColorChanged(TMessage& msg) {
  TWinControl::CMColorChanged(msg);
  ApplyControlPalette(table_, this, true);
}

std::string TStringGrid::Cells(int col, int row) const {
  if (row < 0 || row >= int(cells_.size()) || col < 0 || col >= int(cells_[size_t(row)].size())) return {};
  return cells_[size_t(row)][size_t(col)];
}
void TStringGrid::SetCells(int col, int row, const std::string& text) {
  if (row < 0 || col < 0) return;
  if (row >= int(cells_.size())) cells_.resize(size_t(row) + 1);
  auto& line = cells_[size_t(row)];
  if (col >= int(line.size())) line.resize(size_t(col) + 1);
  line[size_t(col)] = text;
  Apply();
}

// ---------------------------------------------------------------------------
// TValueListEditor

const TClassInfo& TValueListEditor::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TValueListEditor> b("TValueListEditor", &TCustomGrid::StaticClassInfo());
    PublishGrid(b);
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
}
TValueListEditor::~TValueListEditor() {
  strings_->OnChanged = nullptr;
  titles_->OnChanged = nullptr;
}

void TValueListEditor::Refill() {
  rowCount_ = std::max(2, strings_->Count() + 1);
  Apply();
}

std::string TValueListEditor::CellText(int col, int row) const {
  if (row == 0) return col < titles_->Count() ? titles_->Get(col) : std::string();
  if (row - 1 >= strings_->Count()) return {};
  const std::string line = strings_->Get(row - 1);
  const size_t eq = line.find('=');
  if (col == 0) return line.substr(0, eq);
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}
