// TCustomGrid painting: the border, the cells through DrawCell, the grid
// lines, the raised edges of fixed cells and the focus rectangle.
#include "Grids.h"

#include "ClassicDrawing.h"

#include <algorithm>

namespace {

// Lines between fixed cells; lines between scrollable cells are silver, or
// grey on a silver grid so that they still show.
constexpr TColor kFixedLineColor = clBlack;
TColor CellLineColor(TColor gridColor) { return ColorToRGB(gridColor) == ColorToRGB(clSilver) ? clGray : clSilver; }

void FillBand(TCanvas& canvas, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(color);
  canvas.FillRect(r);
}

// A raised inner edge: highlight along the top and left, shadow along the
// bottom and right, each drawn only where its flag asks.
void RaisedEdge(TCanvas& canvas, const TRect& r, bool topLeft, bool bottomRight, bool vert, bool horz) {
  if (r.IsEmpty()) return;
  if (topLeft) {
    if (horz) FillBand(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), clBtnHighlight);
    if (vert) FillBand(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), clBtnHighlight);
  }
  if (bottomRight) {
    if (horz) FillBand(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), clBtnShadow);
    if (vert) FillBand(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), clBtnShadow);
  }
}

}  // namespace

void DrawCellText(TCanvas& canvas, const TRect& rect, const std::string& text) {
  canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, text);
}

void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  PaintBorder(*canvas);
  const TPoint org = ClientOrg();
  const TRect client = GetClientRect();
  canvas->SetOrigin(org);
  canvas->SetClipRect(client);
  PaintCells(*canvas);
  canvas->ResetClip();
  canvas->SetOrigin({0, 0});
  // The corner between two scroll bars.
  if (hShown_ && vShown_)
    FillBand(
        *canvas, Rect(org.X + client.Right, org.Y + client.Bottom, Width() - BorderWidth(), Height() - BorderWidth()),
        clBtnFace);
}

void TCustomGrid::PaintBorder(TCanvas& canvas) {
  if (borderStyle_ == 0) return;
  TRect r = Rect(0, 0, Width(), Height());
  if (Ctl3D()) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, clBtnFace, 1);
  } else {
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }
}

TGridDrawState TCustomGrid::CellState(int col, int row, bool focused) const {
  TGridDrawState s = 0;
  if (col < fixedCols_ || row < fixedRows_) return TGridDrawState(1u << gdFixed);
  if (Selection().Contains(col, row)) s |= 1u << gdSelected;
  if (focused && col == current_.X && row == current_.Y) s |= 1u << gdFocused;
  return s;
}

void TCustomGrid::PrepareCanvas(TCanvas& canvas, TGridDrawState state) {
  canvas.SetFont(*Font());
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Pen()->SetColor(clBlack);
  if (InDrawState(state, gdFixed)) {
    canvas.Brush()->SetColor(fixedColor_);
  } else if (InDrawState(state, gdSelected) &&
             (!InDrawState(state, gdFocused) || HasOption(goDrawFocusSelected) || HasOption(goRowSelect))) {
    canvas.Brush()->SetColor(clHighlight);
    canvas.Font()->SetColor(clHighlightText);
  } else {
    canvas.Brush()->SetColor(Color());
  }
}

void TCustomGrid::PaintCells(TCanvas& canvas) {
  const TGridAxis h = HorzAxis(), v = VertAxis();
  const bool focused = Focused();
  const bool fixedVert = HasOption(goFixedVertLine), fixedHorz = HasOption(goFixedHorzLine);
  // Without default drawing the cells show the window's background until
  // a handler draws them.
  if (!defaultDrawing_) FillBand(canvas, GetClientRect(), Color());
  auto paintCell = [&](int col, int row, int x, int y) {
    const TRect where = Rect(x, y, x + h.Size(col), y + v.Size(row));
    const TGridDrawState state = CellState(col, row, focused);
    PrepareCanvas(canvas, state);
    if (defaultDrawing_) canvas.FillRect(where);
    DrawCell(col, row, where, state);
    if (defaultDrawing_ && InDrawState(state, gdFixed) && Ctl3D() && (fixedVert || fixedHorz))
      RaisedEdge(canvas, where, true, true, fixedVert, fixedHorz);
    if (defaultDrawing_ && InDrawState(state, gdFocused) && !HasOption(goRowSelect) &&
        !(HasOption(goEditing) && HasOption(goAlwaysShowEditor)))
      canvas.DrawFocusRect(where);
  };
  auto forEach = [](const TGridAxis& a, auto&& f) {
    int pos = 0;
    for (int i = 0; i < a.FixedCount && i < a.CellCount && pos < a.Extent; ++i) {
      f(i, pos);
      pos += a.Size(i) + a.LineWidth;
    }
    pos = a.FixedBoundary;
    for (int i = a.FirstCell; i < a.CellCount && pos < a.Extent; ++i) {
      f(i, pos);
      pos += a.Size(i) + a.LineWidth;
    }
  };
  forEach(v, [&](int row, int y) { forEach(h, [&](int col, int x) { paintCell(col, row, x, y); }); });
  PaintLines(canvas, h, v);
  // What lies beyond the last cells shows the grid's colour.
  const TRect client = GetClientRect();
  FillBand(canvas, Rect(h.GridBoundary, 0, client.Right, client.Bottom), Color());
  FillBand(canvas, Rect(0, v.GridBoundary, h.GridBoundary, client.Bottom), Color());
}

// Each cell's line lies after it: black between fixed cells (when the fixed
// line option is on), silver between the others.
void TCustomGrid::PaintLines(TCanvas& canvas, const TGridAxis& horz, const TGridAxis& vert) {
  const TColor cellLine = CellLineColor(Color());
  auto lines =
      [&](const TGridAxis& along, const TGridAxis& across, bool vertical, TGridOption fixedOpt, TGridOption cellOpt) {
        if (along.LineWidth == 0) return;
        auto band = [&](int pos, int from, int to, TColor color) {
          const int a = pos, b = pos + along.LineWidth;
          FillBand(canvas, vertical ? Rect(a, from, b, to) : Rect(from, a, to, b), color);
        };
        int pos = 0;
        for (int i = 0; i < along.FixedCount && i < along.CellCount && pos < along.Extent; ++i) {
          pos += along.Size(i);
          // The line after a fixed cell belongs to the fixed cells all along.
          if (HasOption(fixedOpt)) band(pos, 0, across.GridBoundary, kFixedLineColor);
          pos += along.LineWidth;
        }
        pos = along.FixedBoundary;
        for (int i = along.FirstCell; i < along.CellCount && pos < along.Extent; ++i) {
          pos += along.Size(i);
          if (HasOption(fixedOpt)) band(pos, 0, across.FixedBoundary, kFixedLineColor);
          if (HasOption(cellOpt)) band(pos, across.FixedBoundary, across.GridBoundary, cellLine);
          pos += along.LineWidth;
        }
      };
  lines(horz, vert, true, goFixedVertLine, goVertLine);
  lines(vert, horz, false, goFixedHorzLine, goHorzLine);
}
