#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include "Bitmap.h"

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFFu;

uint32_t Rop2(TPenMode mode, uint32_t p, uint32_t d) {
  uint32_t r;
  switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = ~0u; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
    default: r = p; break;
  }
  return 0xFF000000u | (r & kRgbMask);
}

// On/off run lengths of the dashed cosmetic pens, starting with "on".
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> solid{};
  static const std::vector<int> dash{18, 6};
  static const std::vector<int> dot{3, 3};
  static const std::vector<int> dashDot{9, 6, 3, 6};
  static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
  static const std::vector<int> alternate{1, 1};
  switch (style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    case psAlternate: return alternate;
    default: return solid;
  }
}

bool PatternOn(const std::vector<int>& pattern, int phase) {
  if (pattern.empty()) return true;
  int total = 0;
  for (int n : pattern) total += n;
  phase %= total;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (phase < pattern[i]) return i % 2 == 0;
    phase -= pattern[i];
  }
  return true;
}

// Pixel-centre membership of the ellipse inscribed in a half-open box.
bool InEllipse(const TRect& box, int x, int y) {
  double a = (box.Right - box.Left) / 2.0;
  double b = (box.Bottom - box.Top) / 2.0;
  if (a <= 0 || b <= 0) return false;
  double dx = (x + 0.5 - (box.Left + box.Right) / 2.0) / a;
  double dy = (y + 0.5 - (box.Top + box.Bottom) / 2.0) / b;
  return dx * dx + dy * dy <= 1.0 + 1e-9;
}

bool InRoundRect(const TRect& box, int cw, int ch, int x, int y) {
  if (!box.Contains({x, y})) return false;
  cw = std::min(cw, box.Width());
  ch = std::min(ch, box.Height());
  if (cw <= 1 || ch <= 1) return true;
  // Each corner is a quarter of the cw x ch ellipse placed in that corner.
  int ex = x < box.Left + cw / 2 ? box.Left : (x >= box.Right - cw / 2 ? box.Right - cw : INT32_MIN);
  int ey = y < box.Top + ch / 2 ? box.Top : (y >= box.Bottom - ch / 2 ? box.Bottom - ch : INT32_MIN);
  if (ex == INT32_MIN || ey == INT32_MIN) return true;
  return InEllipse(TRect{ex, ey, ex + cw, ey + ch}, x, y);
}

double AngleOf(double dx, double dyUp) {
  double a = std::atan2(dyUp, dx);
  if (a < 0) a += 2 * std::numbers::pi;
  return a;
}

TRect Inset(const TRect& r, int k) { return TRect{r.Left + k, r.Top + k, r.Right - k, r.Bottom - k}; }

}  // namespace

uint32_t ApplyRop3(TCopyMode rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t index = (uint32_t(rop) >> 16) & 0xFF;
  uint32_t result = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    if (!((index >> i) & 1u)) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result & kRgbMask;
}

// ---------------------------------------------------------------------------

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QImage* image) { Attach(image); }

TCanvas::~TCanvas() = default;

void TCanvas::Attach(QImage* image) {
  image_ = image;
  if (image_ && !image_->isNull() && image_->format() != QImage::Format_RGB32) {
    *image_ = image_->convertToFormat(QImage::Format_RGB32);
  }
}

void TCanvas::SetClipRect(const TRect& r) {
  clip_ = r;
  OffsetRect(clip_, origin_.X, origin_.Y);
  clipSet_ = true;
}

void TCanvas::ResetClip() { clipSet_ = false; }

TRect TCanvas::DeviceClip() const {
  if (!image_ || image_->isNull()) return TRect{};
  TRect r{0, 0, image_->width(), image_->height()};
  if (clipSet_) IntersectRect(r, r, clip_);
  return r;
}

TRect TCanvas::ClipRect() const {
  TRect r = DeviceClip();
  OffsetRect(r, -origin_.X, -origin_.Y);
  return r;
}

void TCanvas::Changed() {
  if (OnChange) OnChange();
}

void TCanvas::Plot(int x, int y, uint32_t color, TPenMode mode) {
  TRect clip = DeviceClip();
  if (!clip.Contains({x, y})) return;
  uint32_t* px = reinterpret_cast<uint32_t*>(image_->scanLine(y)) + x;
  *px = Rop2(mode, color, *px);
}

bool TCanvas::BrushPixel(int x, int y, uint32_t& color) const {
  color = ColorToPixel(brush_.Color());
  switch (brush_.Style()) {
    case bsSolid: return true;
    case bsClear: return false;
    case bsHorizontal: return (y & 7) == 0;
    case bsVertical: return (x & 7) == 0;
    case bsFDiagonal: return ((x - y) & 7) == 0;
    case bsBDiagonal: return ((x + y) & 7) == 7;
    case bsCross: return (x & 7) == 0 || (y & 7) == 0;
    case bsDiagCross: return ((x - y) & 7) == 0 || ((x + y) & 7) == 7;
  }
  return false;
}

void TCanvas::FillSpan(int y, int x1, int x2) {
  TRect clip = DeviceClip();
  if (y < clip.Top || y >= clip.Bottom) return;
  x1 = std::max(x1, clip.Left);
  x2 = std::min(x2, clip.Right);
  if (x1 >= x2 || brush_.Style() == bsClear) return;
  uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(y));
  TPenMode mode = pen_.Mode();
  if (brush_.Style() == bsSolid) {
    const uint32_t c = ColorToPixel(brush_.Color());
    if (mode == pmCopy) {
      std::fill(row + x1, row + x2, Rop2(pmCopy, c, 0));
    } else {
      for (int x = x1; x < x2; ++x) row[x] = Rop2(mode, c, row[x]);
    }
    return;
  }
  for (int x = x1; x < x2; ++x) {
    uint32_t c;
    if (BrushPixel(x, y, c)) row[x] = Rop2(mode, c, row[x]);
  }
}

void TCanvas::PlotPen(int x, int y, bool on) {
  int w = pen_.Width();
  bool dashed = w == 1 && !DashPattern(pen_.Style()).empty();
  uint32_t color;
  if (on || !dashed) {
    color = ColorToPixel(pen_.Color());
  } else {
    // A gap of a dashed pen shows the background colour when it is opaque.
    if (brush_.Style() != bsSolid) return;
    color = ColorToPixel(brush_.Color());
  }
  if (w == 1) {
    Plot(x, y, color, pen_.Mode());
    return;
  }
  int lo = -(w / 2);
  for (int dy = lo; dy < lo + w; ++dy) {
    for (int dx = lo; dx < lo + w; ++dx) Plot(x + dx, y + dy, color, pen_.Mode());
  }
}

// Bresenham: every pixel from `from` up to but not including `to`. The minor
// coordinate is rounded to nearest, ties towards larger values.
void TCanvas::Line(TPoint from, TPoint to, bool& firstSegment, int& dashPhase) {
  (void)firstSegment;
  int64_t dx = int64_t(to.X) - from.X;
  int64_t dy = int64_t(to.Y) - from.Y;
  int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
  const std::vector<int>& pattern = DashPattern(pen_.Style());
  bool styled = pen_.Width() == 1 && !pattern.empty();
  auto roundDiv = [](int64_t num, int64_t den) {  // floor(num/den + 1/2), den > 0
    int64_t n = 2 * num + den;
    int64_t d = 2 * den;
    return n >= 0 ? n / d : -((-n + d - 1) / d);
  };
  for (int64_t i = 0; i < steps; ++i) {
    int64_t x = from.X + roundDiv(i * dx, steps);
    int64_t y = from.Y + roundDiv(i * dy, steps);
    bool on = !styled || PatternOn(pattern, dashPhase);
    ++dashPhase;
    PlotPen(int(x), int(y), on);
  }
}

void TCanvas::LineTo(int x, int y) {
  if (image_ && pen_.Style() != psClear) {
    bool first = true;
    int phase = 0;
    Line({penPos_.X + origin_.X, penPos_.Y + origin_.Y}, {x + origin_.X, y + origin_.Y}, first, phase);
    Changed();
  }
  penPos_ = {x, y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  if (image_ && pen_.Style() != psClear) {
    bool first = true;
    int phase = 0;
    for (size_t i = 1; i < points.size(); ++i) {
      Line({points[i - 1].X + origin_.X, points[i - 1].Y + origin_.Y},
           {points[i].X + origin_.X, points[i].Y + origin_.Y}, first, phase);
    }
    Changed();
  }
  penPos_ = points.back();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!image_ || points.size() < 2) return;
  if (brush_.Style() != bsClear) {
    int top = INT32_MAX, bottom = INT32_MIN;
    for (const TPoint& p : points) {
      top = std::min(top, p.Y + origin_.Y);
      bottom = std::max(bottom, p.Y + origin_.Y);
    }
    TRect clip = DeviceClip();
    top = std::max(top, clip.Top);
    bottom = std::min(bottom, clip.Bottom);
    std::vector<double> xs;
    for (int y = top; y < bottom; ++y) {
      double yc = y + 0.5;
      xs.clear();
      for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        double ay = a.Y + origin_.Y, by = b.Y + origin_.Y;
        if ((ay <= yc) == (by <= yc)) continue;
        double ax = a.X + origin_.X, bx = b.X + origin_.X;
        xs.push_back(ax + (yc - ay) * (bx - ax) / (by - ay));
      }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        int x1 = int(std::ceil(xs[i] - 0.5));
        int x2 = int(std::ceil(xs[i + 1] - 0.5));
        FillSpan(y, x1, x2);
      }
    }
  }
  if (pen_.Style() != psClear) {
    std::vector<TPoint> closed = points;
    closed.push_back(points.front());
    TPoint keep = penPos_;
    Polyline(closed);
    penPos_ = keep;
  }
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  if (!image_) return;
  TRect d = r;
  OffsetRect(d, origin_.X, origin_.Y);
  TRect clip = DeviceClip();
  if (!IntersectRect(d, d, clip)) return;
  // Fills copy the brush whatever the pen's mode.
  if (brush_.Style() == bsSolid) {
    // The common case, row by row: one colour, no pattern to test.
    const uint32_t c = ColorToPixel(brush_.Color());
    for (int y = d.Top; y < d.Bottom; ++y)
      std::fill_n(reinterpret_cast<uint32_t*>(image_->scanLine(y)) + d.Left, d.Width(), c);
  } else if (brush_.Style() != bsClear) {
    for (int y = d.Top; y < d.Bottom; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(y));
      for (int x = d.Left; x < d.Right; ++x) {
        uint32_t c;
        if (BrushPixel(x, y, c)) row[x] = c;
      }
    }
  }
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1});
  if (r.Height() > 1) FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
  if (r.Height() > 2) {
    FillRect(TRect{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    if (r.Width() > 1) FillRect(TRect{r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
  }
}

// Fills and outlines a shape given by its membership test for the box
// inset by k pixels (negative k: grown). The pen outline is the pixels of
// the outer shape not strictly inside the inner one; the brush fills the
// inner shape's interior.
namespace {
struct Grid {
  TRect area;
  std::vector<uint8_t> cells;
  bool At(int x, int y) const {
    if (!area.Contains({x, y})) return false;
    return cells[size_t(y - area.Top) * size_t(area.Width()) + size_t(x - area.Left)] != 0;
  }
};
}  // namespace

void TCanvas::ShapeWithOutline(
    const TRect& box, const Membership& outer, const Membership& inner, const TRect& innerBox) {
  (void)innerBox;
  TRect clip = DeviceClip();
  TRect area = box;
  InflateRect(area, 1, 1);
  TRect clipGrown = clip;
  InflateRect(clipGrown, 1, 1);
  if (!IntersectRect(area, area, clipGrown)) return;
  auto build = [&](const Membership& m) {
    Grid g{area, std::vector<uint8_t>(size_t(area.Width()) * size_t(area.Height()))};
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        g.cells[size_t(y - area.Top) * size_t(area.Width()) + size_t(x - area.Left)] = m(x, y);
      }
    }
    return g;
  };
  bool drawPen = pen_.Style() != psClear;
  Grid out = build(outer);
  Grid in = drawPen ? build(inner) : out;
  auto strictlyInside = [&](const Grid& g, int x, int y) {
    return g.At(x, y) && g.At(x - 1, y) && g.At(x + 1, y) && g.At(x, y - 1) && g.At(x, y + 1);
  };
  uint32_t penColor = ColorToPixel(pen_.Color());
  TPenMode mode = pen_.Mode();
  for (int y = std::max(area.Top, clip.Top); y < std::min(area.Bottom, clip.Bottom); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(image_->scanLine(y));
    for (int x = std::max(area.Left, clip.Left); x < std::min(area.Right, clip.Right); ++x) {
      if (!drawPen) {
        uint32_t c;
        if (out.At(x, y) && BrushPixel(x, y, c)) row[x] = Rop2(mode, c, row[x]);
        continue;
      }
      if (strictlyInside(in, x, y)) {
        uint32_t c;
        if (BrushPixel(x, y, c)) row[x] = Rop2(mode, c, row[x]);
      } else if (out.At(x, y)) {
        row[x] = Rop2(mode, penColor, row[x]);
      }
    }
  }
}

namespace {
// How far the outline of a pen reaches outside (first) and inside (second)
// the 1-pixel outline.
std::pair<int, int> PenReach(const TPen& pen) {
  int w = pen.Width();
  if (w <= 1) return {0, 0};
  if (pen.Style() == psInsideFrame) return {0, w - 1};
  int out = w / 2;
  return {out, w - 1 - out};
}
}  // namespace

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!image_) return;
  TRect box{std::min(x1, x2) + origin_.X, std::min(y1, y2) + origin_.Y, std::max(x1, x2) + origin_.X,
            std::max(y1, y2) + origin_.Y};
  if (box.IsEmpty()) return;
  if (pen_.Style() != psClear && pen_.Width() == 1 && !DashPattern(pen_.Style()).empty()) {
    // Dashed outlines follow the edge as one line, clockwise from the top-left.
    TRect inner = Inset(box, 1);
    for (int y = inner.Top; y < inner.Bottom; ++y) FillSpan(y, inner.Left, inner.Right);
    bool first = true;
    int phase = 0;
    TPoint corners[] = {
        {box.Left, box.Top},
        {box.Right - 1, box.Top},
        {box.Right - 1, box.Bottom - 1},
        {box.Left, box.Bottom - 1},
        {box.Left, box.Top}};
    for (int i = 0; i < 4; ++i) Line(corners[i], corners[i + 1], first, phase);
    if (box.Width() == 1 || box.Height() == 1) Plot(box.Left, box.Top, ColorToPixel(pen_.Color()), pen_.Mode());
    Changed();
    return;
  }
  auto [grow, shrink] = PenReach(pen_);
  TRect outerBox = Inset(box, -grow);
  TRect innerBox = Inset(box, shrink);
  ShapeWithOutline(
      outerBox,
      [outerBox](int x, int y) {
        return outerBox.Contains({x, y});
      },
      [innerBox](int x, int y) {
        return innerBox.Contains({x, y});
      },
      innerBox);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  if (!image_) return;
  TRect box{std::min(x1, x2) + origin_.X, std::min(y1, y2) + origin_.Y, std::max(x1, x2) + origin_.X,
            std::max(y1, y2) + origin_.Y};
  if (box.IsEmpty()) return;
  // Plain ints, not a structured binding: the lambdas below capture them,
  // which clang before 16 refuses for bindings.
  const auto reach = PenReach(pen_);
  const int grow = reach.first, shrink = reach.second;
  TRect outerBox = Inset(box, -grow);
  TRect innerBox = Inset(box, shrink);
  int cw = std::abs(x3), ch = std::abs(y3);
  ShapeWithOutline(
      outerBox, [=](int x, int y) { return InRoundRect(outerBox, cw + 2 * grow, ch + 2 * grow, x, y); },
      [=](int x, int y) {
        return InRoundRect(innerBox, std::max(0, cw - 2 * shrink), std::max(0, ch - 2 * shrink), x, y);
      },
      innerBox);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!image_) return;
  TRect box{std::min(x1, x2) + origin_.X, std::min(y1, y2) + origin_.Y, std::max(x1, x2) + origin_.X,
            std::max(y1, y2) + origin_.Y};
  if (box.IsEmpty()) return;
  auto [grow, shrink] = PenReach(pen_);
  TRect outerBox = Inset(box, -grow);
  TRect innerBox = Inset(box, shrink);
  ShapeWithOutline(
      outerBox, [outerBox](int x, int y) { return InEllipse(outerBox, x, y); },
      [innerBox](int x, int y) { return InEllipse(innerBox, x, y); }, innerBox);
  Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (!image_) return;
  TRect box{std::min(x1, x2) + origin_.X, std::min(y1, y2) + origin_.Y, std::max(x1, x2) + origin_.X,
            std::max(y1, y2) + origin_.Y};
  if (box.IsEmpty()) return;
  // Work in doubled coordinates so the centre and pixel centres are integers.
  const int64_t cx2 = int64_t(box.Left) + box.Right;
  const int64_t cy2 = int64_t(box.Top) + box.Bottom;
  auto rayOf = [&](int x, int y) {
    return std::pair<int64_t, int64_t>{
        2 * (int64_t(x) + origin_.X) + 1 - cx2, cy2 - (2 * (int64_t(y) + origin_.Y) + 1)};
  };
  auto [sx, sy] = rayOf(x3, y3);
  auto [ex, ey] = rayOf(x4, y4);
  // Coinciding rays (or a point at the centre) give the whole ellipse.
  bool whole = (sx * ey - sy * ex == 0 && sx * ex + sy * ey >= 0) || (sx == 0 && sy == 0) || (ex == 0 && ey == 0);
  double start = AngleOf(double(sx), double(sy));
  double span = AngleOf(double(ex), double(ey)) - start;
  if (span < 0) span += 2 * std::numbers::pi;
  auto inWedge = [=](int x, int y) {
    if (whole) return true;
    int64_t px = 2 * int64_t(x) + 1 - cx2;
    int64_t py = cy2 - (2 * int64_t(y) + 1);
    if (px == 0 && py == 0) return true;
    double rel = AngleOf(double(px), double(py)) - start;
    if (rel < 0) rel += 2 * std::numbers::pi;
    return rel <= span + 1e-12;
  };
  auto [grow, shrink] = PenReach(pen_);
  TRect outerBox = Inset(box, -grow);
  TRect innerBox = Inset(box, shrink);
  ShapeWithOutline(
      outerBox, [=](int x, int y) { return InEllipse(outerBox, x, y) && inWedge(x, y); },
      [=](int x, int y) { return InEllipse(innerBox, x, y) && inWedge(x, y); }, innerBox);
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (!image_) return;
  TRect d = r;
  OffsetRect(d, origin_.X, origin_.Y);
  if (d.IsEmpty()) return;
  auto invert = [&](int x, int y) {
    if ((x + y) & 1) return;
    Plot(x, y, 0xFFFFFF, pmXor);
  };
  // Each edge pixel once, so two passes restore the image exactly.
  for (int x = d.Left; x < d.Right; ++x) {
    invert(x, d.Top);
    if (d.Bottom - 1 > d.Top) invert(x, d.Bottom - 1);
  }
  for (int y = d.Top + 1; y < d.Bottom - 1; ++y) {
    invert(d.Left, y);
    if (d.Right - 1 > d.Left) invert(d.Right - 1, y);
  }
  Changed();
}

// ---------------------------------------------------------------------------
// Text

TSize TCanvas::TextExtentW(const QString& text) const {
  QFontMetrics m(font_.ToQFont());
  return TSize{m.horizontalAdvance(text) + (text.isEmpty() ? 0 : font_.Overhang()), font_.CellMetrics().Height()};
}

TSize TCanvas::TextExtent(std::string_view text) const { return TextExtentW(font_.Decode(text)); }

int TCanvas::TextWidth(std::string_view text) const { return TextExtent(text).cx; }
int TCanvas::TextHeight(std::string_view text) const {
  // The cell height does not depend on the text: no need to shape it.
  (void)text;
  return font_.CellMetrics().Height();
}

void TCanvas::DrawText(const TRect* clipRect, int x, int y, const QString& text, bool opaqueRect) {
  if (!image_ || image_->isNull()) return;
  TRect clip = DeviceClip();
  if (clipRect) {
    TRect c = *clipRect;
    OffsetRect(c, origin_.X, origin_.Y);
    if (!IntersectRect(clip, clip, c)) return;
  }
  QFont qf = font_.ToQFont();
  const TCellMetrics m = font_.CellMetrics();
  int dx = x + origin_.X, dy = y + origin_.Y;
  if (opaqueRect && clipRect) {
    // The rectangle itself takes the brush.
    if (brush_.Style() != bsClear) FillRect(*clipRect);
  } else if (brush_.Style() == bsSolid && font_.Orientation() == 0) {
    TRect cell{x, y, x + TextExtentW(text).cx, y + m.Height()};
    TRect keep = clip_;
    bool keepSet = clipSet_;
    clip_ = clip;
    clipSet_ = true;
    FillRect(cell);
    clip_ = keep;
    clipSet_ = keepSet;
  }
  QPainter p(image_);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
  p.setFont(qf);
  p.setPen(ColorToQColor(font_.Color()));
  if (font_.Orientation() != 0) {
    p.translate(dx, dy);
    p.rotate(-font_.Orientation() / 10.0);
    p.drawText(QPoint(0, m.ascent), text);
  } else {
    p.drawText(QPoint(dx, dy + m.ascent), text);
    // A bitmap face made bold: each glyph smeared one pixel to the right.
    if (font_.Overhang() > 0) p.drawText(QPoint(dx + 1, dy + m.ascent), text);
  }
  p.end();
  Changed();
}

void TCanvas::TextOutW(int x, int y, const QString& text) {
  DrawText(nullptr, x, y, text, false);
  penPos_ = {x + TextExtentW(text).cx, y};
}

void TCanvas::TextOut(int x, int y, std::string_view text) { TextOutW(x, y, font_.Decode(text)); }

void TCanvas::TextRectW(const TRect& r, int x, int y, const QString& text) { DrawText(&r, x, y, text, true); }

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) { TextRectW(r, x, y, font_.Decode(text)); }

// ---------------------------------------------------------------------------
// Images

// The copy modes that need no brush, one pixel for one pixel: a straight
// loop per row (painting composes whole controls this way on every paint).
bool TCanvas::DrawUnscaledFast(const TRect& visible, const TRect& d, const QImage& img, const TRect& src) {
  const TCopyMode rop = copyMode_;
  if (rop != cmSrcCopy && rop != cmSrcInvert && rop != cmBlackness && rop != cmWhiteness && rop != cmSrcAnd &&
      rop != cmSrcPaint)
    return false;
  const int x0 = std::max(visible.Left, d.Left + std::max(0, -src.Left));
  const int x1 = std::min(visible.Right, d.Left + (img.width() - src.Left));
  if (x1 <= x0) return true;
  const int off = src.Left - d.Left;  // source column of destination column x is x + off
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    const int sy = src.Top + (y - d.Top);
    if (sy < 0 || sy >= img.height()) continue;
    const uint32_t* srow = reinterpret_cast<const uint32_t*>(img.constScanLine(sy));
    uint32_t* drow = reinterpret_cast<uint32_t*>(image_->scanLine(y));
    switch (rop) {
      case cmSrcCopy:
        for (int x = x0; x < x1; ++x) drow[x] = 0xFF000000u | (srow[x + off] & kRgbMask);
        break;
      case cmSrcInvert:
        for (int x = x0; x < x1; ++x) drow[x] = 0xFF000000u | ((drow[x] ^ srow[x + off]) & kRgbMask);
        break;
      case cmSrcAnd:
        for (int x = x0; x < x1; ++x) drow[x] = 0xFF000000u | (drow[x] & srow[x + off] & kRgbMask);
        break;
      case cmSrcPaint:
        for (int x = x0; x < x1; ++x) drow[x] = 0xFF000000u | ((drow[x] | srow[x + off]) & kRgbMask);
        break;
      case cmBlackness:
        for (int x = x0; x < x1; ++x) drow[x] = 0xFF000000u;
        break;
      default:  // cmWhiteness
        for (int x = x0; x < x1; ++x) drow[x] = 0xFFFFFFFFu;
        break;
    }
  }
  return true;
}

void TCanvas::DrawImage(const TRect& dest, const QImage& source, const TRect& src) {
  if (!image_ || image_->isNull() || dest.IsEmpty() || src.IsEmpty()) return;
  const QImage img =
      (source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32)
          ? source
          : source.convertToFormat(QImage::Format_RGB32);
  TRect d = dest;
  OffsetRect(d, origin_.X, origin_.Y);
  TRect visible;
  if (!IntersectRect(visible, d, DeviceClip())) return;
  const int dw = d.Width(), dh = d.Height(), sw = src.Width(), sh = src.Height();
  const TCopyMode rop = copyMode_;
  if (dw == sw && dh == sh && DrawUnscaledFast(visible, d, img, src)) {
    Changed();
    return;
  }
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    int sy = src.Top + int(int64_t(y - d.Top) * sh / dh);
    if (sy < 0 || sy >= img.height()) continue;
    const uint32_t* srow = reinterpret_cast<const uint32_t*>(img.constScanLine(sy));
    uint32_t* drow = reinterpret_cast<uint32_t*>(image_->scanLine(y));
    for (int x = visible.Left; x < visible.Right; ++x) {
      int sx = src.Left + int(int64_t(x - d.Left) * sw / dw);
      if (sx < 0 || sx >= img.width()) continue;
      uint32_t s = srow[sx] & kRgbMask;
      if (rop == cmSrcCopy) {
        drow[x] = 0xFF000000u | s;
        continue;
      }
      uint32_t pat = 0;
      if (!BrushPixel(x, y, pat)) pat = 0;
      drow[x] = 0xFF000000u | ApplyRop3(rop, pat & kRgbMask, s, drow[x] & kRgbMask);
    }
  }
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
  if (!source.image_) return;
  TRect s = src;
  OffsetRect(s, source.origin_.X, source.origin_.Y);
  if (&source == this) {
    // Overlapping copies read the pixels as they were before the copy.
    QImage copy = image_->copy();
    DrawImage(dest, copy, s);
  } else {
    DrawImage(dest, *source.image_, s);
  }
}

void TCanvas::DrawTransparent(int x, int y, const QImage& image, TColor transparent) {
  if (!image_ || image.isNull()) return;
  QImage img = image.convertToFormat(QImage::Format_RGB32);
  uint32_t key = ColorToPixel(transparent) & kRgbMask;
  TRect clip = DeviceClip();
  for (int sy = 0; sy < img.height(); ++sy) {
    int dy = y + origin_.Y + sy;
    if (dy < clip.Top || dy >= clip.Bottom) continue;
    const uint32_t* srow = reinterpret_cast<const uint32_t*>(img.constScanLine(sy));
    uint32_t* drow = reinterpret_cast<uint32_t*>(image_->scanLine(dy));
    for (int sx = 0; sx < img.width(); ++sx) {
      int dx = x + origin_.X + sx;
      if (dx < clip.Left || dx >= clip.Right) continue;
      if ((srow[sx] & kRgbMask) == key) continue;
      drow[dx] = 0xFF000000u | srow[sx];
    }
  }
  Changed();
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  if (bitmap.Transparent()) {
    DrawTransparent(x, y, bitmap.Image(), bitmap.TransparentColor());
    return;
  }
  DrawImage(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Image(), Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  DrawImage(dest, bitmap.Image(), Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!image_ || image_->isNull()) return -1;
  x += origin_.X;
  y += origin_.Y;
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return -1;
  return PixelToColor(reinterpret_cast<const uint32_t*>(image_->constScanLine(y))[x]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (!image_) return;
  Plot(x + origin_.X, y + origin_.Y, ColorToPixel(color), pmCopy);
  Changed();
}

// ---------------------------------------------------------------------------

TBufferedCanvas::TBufferedCanvas(int width, int height, TColor fill)
    : buffer_(std::max(0, width), std::max(0, height), QImage::Format_RGB32) {
  buffer_.fill(ColorToPixel(fill));
  Attach(&buffer_);
}

TBufferedCanvas::TBufferedCanvas(const QImage& initial) : buffer_(initial.convertToFormat(QImage::Format_RGB32)) {
  Attach(&buffer_);
}

void TBufferedCanvas::BlitTo(QPaintDevice* device, int x, int y) const {
  if (!device || buffer_.isNull()) return;
  QPainter p(device);
  p.drawImage(x, y, buffer_);
}
