// TCustomGrid: properties, geometry, the current cell and scrolling.
// Painting is in GridPaint.cpp, mouse and keyboard in GridInput.cpp.
#include "Grids.h"

#include <algorithm>

#include <QScrollBar>

#include "ContentReport.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"

namespace {

constexpr const char* SIndexOutOfRange = "Grid index out of range";
constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";
// The width of a vertical scroll bar and the height of a horizontal one.
constexpr int kScrollBarSize = 16;

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

const TEnumInfo& GridOptionEnumInfo() {
  static const TEnumInfo e{
      "TGridOption",
      {"goFixedVertLine",     "goFixedHorzLine", "goVertLine",      "goHorzLine",         "goRangeSelect",
       "goDrawFocusSelected", "goRowSizing",     "goColSizing",     "goRowMoving",        "goColMoving",
       "goEditing",           "goTabs",          "goRowSelect",     "goAlwaysShowEditor", "goThumbTracking",
       "goFixedColClick",     "goFixedRowClick", "goFixedHotTrack", "goFixedColDefAlign", "goFixedRowDefAlign"}};
  return e;
}
const TEnumInfo& GridDrawingStyleEnumInfo() {
  static const TEnumInfo e{"TGridDrawingStyle", {"gdsClassic", "gdsThemed", "gdsGradient"}};
  return e;
}
const TEnumInfo& GridBorderStyleEnumInfo() {
  static const TEnumInfo e{"TBorderStyle", {"bsNone", "bsSingle"}};
  return e;
}

// Every grid property is declared here, protected; the grids publish the
// ones they show.
const TClassInfo& TCustomGrid::StaticClassInfo() {
  using G = TCustomGrid;
  static const TClassInfo info =
      ClassBuilder<G>("TCustomGrid", &TCustomControl::StaticClassInfo())
          .Enum("BorderStyle", GridBorderStyleEnumInfo(), &G::BorderStyle, &G::SetBorderStyle, "bsSingle")
          .Protected()
          .Integer("ColCount", &G::ColCount, &G::SetColCount, 5)
          .Protected()
          .Integer("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth, 64)
          .Protected()
          .BoolField("DefaultColAlignment", false)
          .Protected()
          .Bool("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing, true)
          .Protected()
          .Integer("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight, 24)
          .Protected()
          .EnumField("DrawingStyle", GridDrawingStyleEnumInfo(), "gdsThemed")
          .Protected()
          .Color("FixedColor", &G::FixedColor, &G::SetFixedColor, clBtnFace)
          .Protected()
          .Integer("FixedCols", &G::FixedCols, &G::SetFixedCols, 1)
          .Protected()
          .Integer("FixedRows", &G::FixedRows, &G::SetFixedRows, 1)
          .Protected()
          .ColorField("GradientEndColor", clDefault)
          .Protected()
          .ColorField("GradientStartColor", clDefault)
          .Protected()
          .Integer("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth, 1)
          .Protected()
          .Set("Options", GridOptionEnumInfo(), &G::Options, &G::SetOptions, kDefaultGridOptions)
          .Protected()
          .Integer("RowCount", &G::RowCount, &G::SetRowCount, 5)
          .Protected()
          .Enum("ScrollBars", ScrollStyleEnumInfo(), &G::ScrollBars, &G::SetScrollBars, ssBoth)
          .Protected()
          .Event("OnColumnMoved", &G::OnColumnMoved)
          .Protected()
          .Event("OnDrawCell", &G::OnDrawCell)
          .Protected()
          .Event("OnFixedCellClick", &G::OnFixedCellClick)
          .Protected()
          .Event("OnGetEditMask", &G::OnGetEditMask)
          .Protected()
          .Event("OnGetEditText", &G::OnGetEditText)
          .Protected()
          .Event("OnRowMoved", &G::OnRowMoved)
          .Protected()
          .Event("OnSelectCell", &G::OnSelectCell)
          .Protected()
          .Event("OnSetEditText", &G::OnSetEditText)
          .Protected()
          .Event("OnTopLeftChanged", &G::OnTopLeftChanged)
          .Protected()
          .Build();
  return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
  // The grid reports its own clicks (after a move of the current cell).
  SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
  SetBounds(Left(), Top(), 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomGrid::~TCustomGrid() = default;

// --- size and fixed cells

void TCustomGrid::SetColCount(int v) {
  if (v < 1) v = 1;
  if (v == colCount_) return;
  if (v <= fixedCols_) SetFixedCols(v - 1);
  const int old = colCount_;
  colCount_ = v;
  if (int(colWidths_.size()) > v) colWidths_.resize(size_t(v));
  SizeChanged(old, rowCount_);
}

void TCustomGrid::SetRowCount(int v) {
  if (v < 1) v = 1;
  if (v == rowCount_) return;
  if (v <= fixedRows_) SetFixedRows(v - 1);
  const int old = rowCount_;
  rowCount_ = v;
  if (int(rowHeights_.size()) > v) rowHeights_.resize(size_t(v));
  SizeChanged(colCount_, old);
}

void TCustomGrid::SetFixedCols(int v) {
  if (v == fixedCols_) return;
  if (v < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (v >= colCount_) throw EInvalidGridOperation(SFixedColTooBig);
  fixedCols_ = v;
  SizeChanged(colCount_, rowCount_);
}

void TCustomGrid::SetFixedRows(int v) {
  if (v == fixedRows_) return;
  if (v < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (v >= rowCount_) throw EInvalidGridOperation(SFixedRowTooBig);
  fixedRows_ = v;
  SizeChanged(colCount_, rowCount_);
}

// The current cell, the anchor and the top-left stay inside the scrollable
// cells.
void TCustomGrid::SizeChanged(int oldColCount, int oldRowCount) {
  (void)oldColCount;
  (void)oldRowCount;
  auto clampCell = [this](TGridCoord& c) {
    c.X = std::clamp(c.X, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    c.Y = std::clamp(c.Y, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  };
  clampCell(current_);
  clampCell(anchor_);
  clampCell(topLeft_);
  if (HasOption(goRowSelect)) {
    current_.X = fixedCols_;
    anchor_.X = colCount_ - 1;
  }
  GeometryChanged();
}

void TCustomGrid::SetDefaultColWidth(int v) {
  colWidths_.clear();
  defaultColWidth_ = v;
  GeometryChanged();
}

void TCustomGrid::SetDefaultRowHeight(int v) {
  rowHeights_.clear();
  defaultRowHeight_ = v;
  GeometryChanged();
}

int TCustomGrid::ColWidths(int col) const {
  return col >= 0 && col < int(colWidths_.size()) ? colWidths_[size_t(col)] : defaultColWidth_;
}
int TCustomGrid::RowHeights(int row) const {
  return row >= 0 && row < int(rowHeights_.size()) ? rowHeights_[size_t(row)] : defaultRowHeight_;
}

void TCustomGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount_) throw EInvalidGridOperation(SIndexOutOfRange);
  if (colWidths_.empty()) colWidths_.assign(size_t(colCount_), defaultColWidth_);
  colWidths_.resize(size_t(colCount_), defaultColWidth_);
  if (colWidths_[size_t(col)] == width) return;
  colWidths_[size_t(col)] = width;
  GeometryChanged();
}

void TCustomGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= rowCount_) throw EInvalidGridOperation(SIndexOutOfRange);
  if (rowHeights_.empty()) rowHeights_.assign(size_t(rowCount_), defaultRowHeight_);
  rowHeights_.resize(size_t(rowCount_), defaultRowHeight_);
  if (rowHeights_[size_t(row)] == height) return;
  rowHeights_[size_t(row)] = height;
  GeometryChanged();
}

void TCustomGrid::SetGridLineWidth(int v) {
  if (v == gridLineWidth_) return;
  gridLineWidth_ = std::max(0, v);
  GeometryChanged();
}

// --- looks and behaviour

void TCustomGrid::SetOptions(TGridOptions v) {
  if (v == options_) return;
  options_ = v;
  if (!HasOption(goEditing)) HideEditor();
  if (HasOption(goRowSelect)) {
    current_.X = fixedCols_;
    anchor_ = {colCount_ - 1, current_.Y};
  } else if (!HasOption(goRangeSelect)) {
    anchor_ = current_;
  }
  GeometryChanged();
  if (HasOption(goEditing) && HasOption(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::SetScrollBars(int v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  GeometryChanged();
}

void TCustomGrid::SetBorderStyle(int v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  GeometryChanged();
}

void TCustomGrid::SetFixedColor(TColor v) {
  if (v == fixedColor_) return;
  fixedColor_ = v;
  Invalidate();
}

// --- geometry

int TCustomGrid::BorderWidth() const {
  if (borderStyle_ == 0) return 0;
  return Ctl3D() ? 2 : 1;
}

TRect TCustomGrid::GetClientRect() const {
  const int b = BorderWidth();
  const int w = Width() - 2 * b - (vShown_ ? kScrollBarSize : 0);
  const int h = Height() - 2 * b - (hShown_ ? kScrollBarSize : 0);
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

namespace {
TGridAxis MakeAxis(const std::vector<int>& sizes, int defaultSize, int lineWidth, int fixedCount, int firstCell,
                   int cellCount, int extent) {
  TGridAxis a;
  a.Sizes = &sizes;
  a.DefaultSize = defaultSize;
  a.LineWidth = lineWidth;
  a.FixedCount = fixedCount;
  a.FirstCell = firstCell;
  a.CellCount = cellCount;
  a.Extent = extent;
  a.Compute();
  return a;
}
// The first cell to scroll to so that cell shows entirely, as far as it fits.
int FirstCellShowing(TGridAxis axis, int cell) {
  if (cell < axis.FixedCount) return axis.FirstCell;
  if (cell < axis.FirstCell) return cell;
  while (cell > axis.LastFullVisible && axis.FirstCell < cell) {
    ++axis.FirstCell;
    axis.Compute();
  }
  return axis.FirstCell;
}
}  // namespace

TGridAxis TCustomGrid::HorzAxis(int extent) const {
  const bool lines = options_ & (GridOption(goFixedVertLine) | GridOption(goVertLine));
  return MakeAxis(
      colWidths_, defaultColWidth_, lines ? gridLineWidth_ : 0, fixedCols_, topLeft_.X, colCount_,
      extent < 0 ? ClientWidth() : extent);
}

TGridAxis TCustomGrid::VertAxis(int extent) const {
  const bool lines = options_ & (GridOption(goFixedHorzLine) | GridOption(goHorzLine));
  return MakeAxis(
      rowHeights_, defaultRowHeight_, lines ? gridLineWidth_ : 0, fixedRows_, topLeft_.Y, rowCount_,
      extent < 0 ? ClientHeight() : extent);
}

int TCustomGrid::VisibleColCount() const { return HorzAxis().LastFullVisible - LeftCol() + 1; }
int TCustomGrid::VisibleRowCount() const { return VertAxis().LastFullVisible - TopRow() + 1; }

TRect TCustomGrid::CellRect(int col, int row) const {
  const TGridAxis h = HorzAxis(), v = VertAxis();
  int x = 0, y = 0;
  if (!h.Start(col, x) || !v.Start(row, y)) return {};
  return Rect(x, y, x + h.Size(col), y + v.Size(row));
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
  const TGridCoord c = MouseCoord(x, y);
  col = c.X;
  row = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
  TGridCoord c{HorzAxis().CellAt(x), VertAxis().CellAt(y)};
  if (c.X < 0 || c.Y < 0) c = {-1, -1};
  return c;
}

// --- the current cell and the selection

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y), std::max(current_.X, anchor_.X),
              std::max(current_.Y, anchor_.Y)};
  if (HasOption(goRowSelect)) {
    r.Left = fixedCols_;
    r.Right = colCount_ - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& r) {
  MoveColRow(r.Left, r.Top, true, true);
  if (HasOption(goRangeSelect)) {
    anchor_ = {std::clamp(r.Right, fixedCols_, colCount_ - 1), std::clamp(r.Bottom, fixedRows_, rowCount_ - 1)};
    Invalidate();
  }
}

void TCustomGrid::MoveColRow(int col, int row, bool moveAnchor, bool show) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) throw EInvalidGridOperation(SIndexOutOfRange);
  if (!SelectCell(col, row)) return;
  current_ = {col, row};
  if (!HasOption(goAlwaysShowEditor)) HideEditor();
  if (moveAnchor || !HasOption(goRangeSelect)) {
    anchor_ = current_;
    if (HasOption(goRowSelect)) anchor_.X = colCount_ - 1;
  }
  if (HasOption(goRowSelect)) current_.X = fixedCols_;
  if (show) ClampInView(current_);
  Invalidate();
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
  MoveColRow(col, row, moveAnchor, true);
  UpdateEditor();
  Click();
}

void TCustomGrid::SetCol(int v) {
  if (v != current_.X) FocusCell(v, current_.Y, true);
}
void TCustomGrid::SetRow(int v) {
  if (v != current_.Y) FocusCell(current_.X, v, true);
}

bool TCustomGrid::SelectCell(int col, int row) {
  (void)col;
  (void)row;
  return true;
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  (void)col;
  (void)row;
  (void)rect;
  (void)state;
}

void TCustomGrid::InvalidateCell(int col, int row) {
  (void)col;
  (void)row;
  Invalidate();
}

// --- scrolling

void TCustomGrid::SetLeftCol(int v) {
  if (v != topLeft_.X) MoveTopLeft(v, topLeft_.Y);
}
void TCustomGrid::SetTopRow(int v) {
  if (v != topLeft_.Y) MoveTopLeft(topLeft_.X, v);
}

void TCustomGrid::MoveTopLeft(int col, int row) {
  const TGridCoord wanted{
      std::clamp(col, fixedCols_, std::max(fixedCols_, HorzAxis().MaxFirstCell())),
      std::clamp(row, fixedRows_, std::max(fixedRows_, VertAxis().MaxFirstCell()))};
  if (wanted == topLeft_) return;
  topLeft_ = wanted;
  UpdateScrollBars();
  UpdateEditor();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged.code(this);
}

// Scrolls so that the cell is entirely in view, as far as it fits.
void TCustomGrid::ClampInView(TGridCoord cell) {
  MoveTopLeft(FirstCellShowing(HorzAxis(), cell.X), FirstCellShowing(VertAxis(), cell.Y));
}

// Which bars show depends on the client size, which depends on the bars:
// two rounds settle it.
void TCustomGrid::UpdateScrollBars() {
  if (updatingBars_) return;
  updatingBars_ = true;
  const int b = BorderWidth();
  const bool wantH = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  const bool wantV = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  bool h = false, v = false;
  for (int round = 0; round < 2; ++round) {
    const int w = Width() - 2 * b - (v ? kScrollBarSize : 0);
    const int ht = Height() - 2 * b - (h ? kScrollBarSize : 0);
    v = wantV && VertAxis(ht).MaxFirstCell() > fixedRows_;
    h = wantH && HorzAxis(w).MaxFirstCell() > fixedCols_;
  }
  const bool changed = h != hShown_ || v != vShown_;
  hShown_ = h;
  vShown_ = v;
  // A smaller client may have scrolled past the last cells.
  const TGridCoord wanted{
      std::clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, HorzAxis().MaxFirstCell())),
      std::clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, VertAxis().MaxFirstCell()))};
  topLeft_ = wanted;
  PlaceScrollBars();
  updatingBars_ = false;
  if (changed && !HasState(csLoading)) SendSizeMessage();
}

void TCustomGrid::PlaceScrollBars() {
  if (!hBar_ || !vBar_) return;
  const int b = BorderWidth();
  const TRect c = GetClientRect();
  const QSignalBlocker hb(hBar_), vb(vBar_);
  hBar_->setVisible(hShown_);
  vBar_->setVisible(vShown_);
  if (hShown_) {
    hBar_->setGeometry(b, b + c.Height(), c.Width(), kScrollBarSize);
    hBar_->setRange(fixedCols_, std::max(fixedCols_, HorzAxis().MaxFirstCell()));
    hBar_->setPageStep(std::max(1, VisibleColCount()));
    hBar_->setValue(topLeft_.X);
  }
  if (vShown_) {
    vBar_->setGeometry(b + c.Width(), b, kScrollBarSize, c.Height());
    vBar_->setRange(fixedRows_, std::max(fixedRows_, VertAxis().MaxFirstCell()));
    vBar_->setPageStep(std::max(1, VisibleRowCount()));
    vBar_->setValue(topLeft_.Y);
  }
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  QWidget* w = WidgetIfAllocated();
  if (!w) return;
  hBar_ = new QScrollBar(Qt::Horizontal, w);
  vBar_ = new QScrollBar(Qt::Vertical, w);
  for (QScrollBar* bar : {hBar_.data(), vBar_.data()}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  QObject::connect(hBar_, &QScrollBar::valueChanged, hBar_, [this](int v) { SetLeftCol(v); });
  QObject::connect(vBar_, &QScrollBar::valueChanged, vBar_, [this](int v) { SetTopRow(v); });
  UpdateScrollBars();
}

void TCustomGrid::WMSize(TWMSize& msg) {
  TCustomControl::WMSize(msg);
  UpdateScrollBars();
  UpdateEditor();
}

void TCustomGrid::GeometryChanged() {
  UpdateScrollBars();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::Loaded() {
  TCustomControl::Loaded();
  GeometryChanged();
}

// --- streaming

void TCustomGrid::DefineProperties(TFiler& filer) {
  TCustomControl::DefineProperties(filer);
  filer.DefineProperty(
      "ColWidths",
      [this](const TFormNode& v) {
        const std::vector<int> widths = IntegersOf(v);
        for (size_t i = 0; i < widths.size() && int(i) < colCount_; ++i) SetColWidths(int(i), widths[i]);
      },
      [this] { return ListOf(colWidths_); }, !colWidths_.empty());
  filer.DefineProperty(
      "RowHeights",
      [this](const TFormNode& v) {
        const std::vector<int> heights = IntegersOf(v);
        for (size_t i = 0; i < heights.size() && int(i) < rowCount_; ++i) SetRowHeights(int(i), heights[i]);
      },
      [this] { return ListOf(rowHeights_); }, !rowHeights_.empty());
  filer.DefineProperty(
      "TabStops", [](const TFormNode&) {}, [] { return ListOf({}); }, false);
}

// --- content for tools

std::string TCustomGrid::CellText(int col, int row) const {
  (void)col;
  (void)row;
  return {};
}

// Cells go row by row up to the report's limit; the last row written may be
// cut short, and "cellsOmitted" counts what did not fit.
void TCustomGrid::ReportContent(TContentReport& report) const {
  const TFont& font = *Font();
  const int64_t total = int64_t(std::max(rowCount_, 0)) * int64_t(std::max(colCount_, 0));
  const int64_t limit = report.CellLimit() > 0 ? std::min(report.CellLimit(), total) : total;
  std::vector<std::vector<std::string>> rows;
  int64_t written = 0;
  for (int r = 0; r < rowCount_ && written < limit; ++r) {
    std::vector<std::string>& row = rows.emplace_back();
    for (int c = 0; c < colCount_ && written < limit; ++c, ++written)
      row.push_back(font.Decode(CellText(c, r)).toStdString());
  }
  report.AddStringRows("cells", rows);
  if (written < total) report.AddInteger("cellsOmitted", total - written);
  report.AddInteger("col", current_.X);
  report.AddInteger("row", current_.Y);
}
