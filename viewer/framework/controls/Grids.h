// The grid base TCustomGrid, on which the stock grids (stock/StringGrids.h)
// and the data grids stand.
//
// A grid is a windowed control that paints itself through its canvas: a
// table of ColCount x RowCount cells, whose first FixedCols columns and
// FixedRows rows stay in place while the rest scroll (LeftCol, TopRow).
//
// Geometry, in client coordinates (inside the border and the scroll bars):
// each column takes its width plus the line width when any vertical line
// option is set (goFixedVertLine, goVertLine); the line lies after the
// cell. Rows do the same with the horizontal options. CellRect excludes the
// line; MouseToCell gives a point on a line to the cell before it.
//
// Painting: every visible cell is drawn by the virtual DrawCell with the
// canvas prepared (font; brush in FixedColor, Color or clHighlight), after
// the grid filled the cell when DefaultDrawing is set; then fixed cells get
// raised edges and the focused cell a focus rectangle.
//
// The current cell (Col, Row) only moves through MoveColRow and the
// navigation built on it, and only when the virtual SelectCell agrees.
// Navigation by mouse and keyboard ends with Click.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "Edits.h"
#include "GridAxis.h"
#include "core/Exceptions.h"

class QScrollBar;
class TInplaceEdit;

const TEnumInfo& GridOptionEnumInfo();
const TEnumInfo& GridDrawingStyleEnumInfo();
const TEnumInfo& GridBorderStyleEnumInfo();  // bsNone, bsSingle

enum TGridOption : uint8_t {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
  goFixedColClick,
  goFixedRowClick,
  goFixedHotTrack,
  goFixedColDefAlign,
  goFixedRowDefAlign  // newer designers: fixed cells keep the default alignment
};
using TGridOptions = int64_t;  // bit n for TGridOption n
constexpr TGridOptions GridOption(TGridOption o) { return TGridOptions(1) << o; }
inline constexpr TGridOptions kDefaultGridOptions = 0x1F;  // lines of both kinds, range select

enum TGridDrawStateFlag : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = uint8_t;  // bit n for TGridDrawStateFlag n
constexpr bool InDrawState(TGridDrawState s, TGridDrawStateFlag f) { return (s >> f) & 1u; }

struct TGridCoord {
  int X = 0, Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
// Left/Top and Right/Bottom are cell coordinates, both included.
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Grid misuse (an index outside the grid, fixed counts too big).
class EInvalidGridOperation : public EInvalidOperation {
 public:
  using EInvalidOperation::EInvalidOperation;
};

using TDrawCellEvent =
    std::function<void(TPersistent* sender, int col, int row, const TRect& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(TPersistent* sender, int col, int row, bool& canSelect)>;

class TCustomGrid : public TCustomControl {
  TESSALY_CLASS(TCustomGrid)
  friend class TInplaceEdit;

 public:
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  // --- size and fixed cells
  int ColCount() const { return colCount_; }
  void SetColCount(int v);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int v);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int v);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int v);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int v);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int v);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int v);

  // --- looks and behaviour
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions v);
  bool HasOption(TGridOption o) const { return (options_ & GridOption(o)) != 0; }
  int ScrollBars() const { return scrollBars_; }
  void SetScrollBars(int v);
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int v);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor v);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v) { defaultDrawing_ = v; }

  // --- scrolling
  int LeftCol() const { return topLeft_.X; }
  void SetLeftCol(int v);
  int TopRow() const { return topLeft_.Y; }
  void SetTopRow(int v);
  // Non-fixed columns (rows) from LeftCol (TopRow) that fit entirely.
  int VisibleColCount() const;
  int VisibleRowCount() const;

  // --- geometry (client coordinates)
  // The cell without its grid lines; empty when the cell is scrolled out of
  // view or lies beyond the client area.
  TRect CellRect(int col, int row) const;
  // The cell under a point, -1 for a coordinate outside every cell.
  void MouseToCell(int x, int y, int& col, int& row) const;
  TGridCoord MouseCoord(int x, int y) const;

  // --- the current cell and the selection
  int Col() const { return current_.X; }
  void SetCol(int v);
  int Row() const { return current_.Y; }
  void SetRow(int v);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& r);
  // Makes (col, row) current when SelectCell agrees. MoveAnchor starts a new
  // selection there; Show scrolls it into view. A cell outside the grid
  // raises EInvalidGridOperation.
  void MoveColRow(int col, int row, bool moveAnchor, bool show);

  // --- the in-place editor (goEditing)
  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool v);
  TInplaceEdit* InplaceEditor() const { return editor_; }

  // The text a cell shows, as a form string (empty when the grid draws
  // nothing of its own there).
  virtual std::string CellText(int col, int row) const;
  // Adds "cells" (rows of decoded cell texts), "col" and "row".
  void ReportContent(TContentReport& report) const override;

  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

  TMethod OnColumnMoved, OnDrawCell, OnFixedCellClick, OnGetEditMask, OnGetEditText, OnRowMoved, OnSelectCell,
      OnSetEditText, OnTopLeftChanged;

 protected:
  // One cell, with the canvas prepared; rect in client coordinates. The base
  // draws nothing.
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  // Whether (col, row) may become current; the base agrees.
  virtual bool SelectCell(int col, int row);
  // The editor's text for a cell, and where an edited text goes.
  virtual bool CanEditShow() const;
  virtual std::string GetEditText(int col, int row) const;
  virtual void SetEditText(int col, int row, const std::string& value);
  virtual void TopLeftChanged();
  // Called after the size (ColCount, RowCount) changed.
  virtual void SizeChanged(int oldColCount, int oldRowCount);

  void Paint() override;
  TRect GetClientRect() const override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Arrows always; Tab too with goTabs.
  void WMGetDlgCode(TWMGetDlgCode& msg) override;
  void WMSetFocus(TWMSetFocus& msg) override;
  void WMKillFocus(TWMKillFocus& msg) override;
  void WMSize(TWMSize& msg) override;
  void CreateWnd() override;
  bool WidgetEvent(QEvent* event) override;
  // Wheel notches: positive scrolls up (moves the current row up).
  virtual void MouseWheel(int notches);

  // MoveColRow, then the editor follows and Click fires.
  void FocusCell(int col, int row, bool moveAnchor);
  void InvalidateCell(int col, int row);
  // Recomputes the scroll limits and bars after a change of geometry.
  void UpdateScrollBars();
  // Scroll bars, the editor and the picture follow a change of geometry.
  void GeometryChanged();

  int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24;

 private:
  // The axes for a client extent (the current client size by default).
  TGridAxis HorzAxis(int extent = -1) const;
  TGridAxis VertAxis(int extent = -1) const;
  int BorderWidth() const;
  // The client area's top-left inside the control (the border).
  TPoint ClientOrg() const { return {BorderWidth(), BorderWidth()}; }
  void ClampInView(TGridCoord cell);
  void MoveTopLeft(int col, int row);
  void PlaceScrollBars();
  // Painting steps.
  void PaintBorder(TCanvas& canvas);
  void PaintCells(TCanvas& canvas);
  void PaintLines(TCanvas& canvas, const TGridAxis& horz, const TGridAxis& vert);
  TGridDrawState CellState(int col, int row, bool focused) const;
  void PrepareCanvas(TCanvas& canvas, TGridDrawState state);
  // Keyboard navigation target for a key, or current_ when none.
  TGridCoord KeyTarget(Word key, TShiftState shift, bool& handled);
  // Sizing with the mouse: the column (row) whose trailing line is at x (y).
  int SizingIndex(const TGridAxis& axis, int pos) const;
  void ShowEditor();
  void HideEditor();
  void UpdateEditor();

  std::vector<int> colWidths_, rowHeights_;  // empty: every one the default
  int gridLineWidth_ = 1;
  TGridOptions options_ = kDefaultGridOptions;
  int scrollBars_ = ssBoth;
  int borderStyle_ = 1;
  TColor fixedColor_ = clBtnFace;
  bool defaultDrawing_ = true;
  TGridCoord current_{1, 1}, anchor_{1, 1}, topLeft_{1, 1};
  enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing } gridState_ = TGridState::gsNormal;
  int sizingIndex_ = -1, sizingOrigin_ = 0;
  bool pressRefused_ = false;  // SelectCell refused the cell the mouse pressed
  bool editorMode_ = false;
  TInplaceEdit* editor_ = nullptr;  // owned by the grid
  QPointer<QScrollBar> hBar_, vBar_;
  bool hShown_ = false, vShown_ = false;
  bool updatingBars_ = false;
  int wheelRemainder_ = 0;
};

// The edit box over the current cell of an editing grid. Every change goes
// to the cell at once (SetEditText); Return closes the box, Escape restores
// the cell's text first.
class TInplaceEdit : public TCustomEdit {
  TESSALY_CLASS(TInplaceEdit)
  friend class TCustomGrid;

 public:
  explicit TInplaceEdit(TCustomGrid* grid);
  TCustomGrid* Grid() const { return grid_; }

 protected:
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void Change() override;
  void WMGetDlgCode(TWMGetDlgCode& msg) override;

 private:
  TCustomGrid* grid_;
  std::string original_;  // the cell's text when the box opened
};

// Draws a cell's text as the stock grids do: two pixels in from the top
// left, clipped to the cell, over the brush.
void DrawCellText(TCanvas& canvas, const TRect& rect, const std::string& text);
