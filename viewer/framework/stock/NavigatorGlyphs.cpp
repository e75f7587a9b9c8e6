#include "NavigatorGlyphs.h"

#include "controls/Graphics.h"

std::vector<TNavigatorButton> NavigatorButtons(int64_t visible, int width, int height, bool vertical) {
  std::vector<int> kinds;
  for (int k = 0; k < kNavigatorButtonCount; ++k)
    if (visible & (int64_t(1) << k)) kinds.push_back(k);
  std::vector<TNavigatorButton> buttons;
  if (kinds.empty() || width <= 0 || height <= 0) return buttons;
  const int count = int(kinds.size());
  const int length = vertical ? height : width;
  const int each = length / count, extra = length % count;
  int at = 0;
  for (int i = 0; i < count; ++i) {
    const int size = each + (i < extra ? 1 : 0);
    const TRect r = vertical ? Rect(0, at, width, at + size) : Rect(at, 0, at + size, height);
    buttons.push_back({kinds[size_t(i)], r});
    at += size;
  }
  return buttons;
}

namespace {

// Glyph shapes on a 12 x 12 design grid, as filled polygons.
using Shape = std::vector<std::vector<TPoint>>;

Shape Triangle(bool left, int x0) {
  return left ? Shape{{{x0 + 4, 1}, {x0 + 4, 11}, {x0 - 1, 6}}} : Shape{{{x0, 1}, {x0, 11}, {x0 + 5, 6}}};
}
std::vector<TPoint> Box(int l, int t, int r, int b) { return {{l, t}, {r, t}, {r, b}, {l, b}}; }
// A thick stroke from a to b (a parallelogram two units wide).
std::vector<TPoint> Stroke(TPoint a, TPoint b) {
  return {{a.X, a.Y - 1}, {b.X, b.Y - 1}, {b.X, b.Y + 1}, {a.X, a.Y + 1}};
}

Shape GlyphShape(int kind) {
  switch (kind) {
    case 0: {  // first: bar and left arrow
      Shape s = Triangle(true, 5);
      s.push_back(Box(2, 1, 4, 11));
      return s;
    }
    case 1: return Triangle(true, 4);   // prior
    case 2: return Triangle(false, 3);  // next
    case 3: {                           // last: right arrow and bar
      Shape s = Triangle(false, 2);
      s.push_back(Box(8, 1, 10, 11));
      return s;
    }
    case 4: return {Box(5, 1, 7, 11), Box(1, 5, 11, 7)};                  // insert
    case 5: return {Box(1, 5, 11, 7)};                                    // delete
    case 6: return {{{6, 2}, {11, 9}, {1, 9}}};                           // edit: caret
    case 7: return {Stroke({1, 6}, {4, 9}), Stroke({4, 9}, {11, 2})};     // post: tick
    case 8: return {Stroke({2, 2}, {10, 10}), Stroke({2, 10}, {10, 2})};  // cancel: cross
    case 9:  // refresh: three sides of a ring and an arrow head
      return {Box(2, 2, 4, 10), Box(2, 8, 10, 10), Box(8, 4, 10, 10), {{6, 1}, {10, 4}, {6, 7}}};
    case 10: return {Stroke({1, 4}, {4, 7}), Stroke({4, 7}, {11, 0}), Box(1, 10, 11, 12)};  // apply updates
    case 11: return {Stroke({2, 1}, {8, 7}), Stroke({2, 7}, {8, 1}), Box(1, 10, 11, 12)};   // cancel updates
    default: return {};
  }
}

void FillShape(TCanvas& c, const Shape& shape, TPoint origin, TColor color) {
  c.Brush()->SetColor(color);
  c.Pen()->SetColor(color);
  for (const auto& poly : shape) {
    std::vector<TPoint> pts;
    for (const TPoint& p : poly) pts.push_back({origin.X + p.X, origin.Y + p.Y});
    c.Polygon(pts);
  }
}

}  // namespace

void DrawNavigatorGlyph(TCanvas& canvas, int kind, const TRect& cell, bool enabled) {
  const TPoint origin{(cell.Left + cell.Right) / 2 - 6, (cell.Top + cell.Bottom) / 2 - 6};
  const Shape shape = GlyphShape(kind);
  if (enabled) {
    FillShape(canvas, shape, origin, clBtnText);
  } else {
    FillShape(canvas, shape, {origin.X + 1, origin.Y + 1}, clBtnHighlight);
    FillShape(canvas, shape, origin, clBtnShadow);
  }
}
