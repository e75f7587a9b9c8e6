#include "GaugeGeometry.h"

#include <cmath>
#include <numbers>

#include "GaugeMath.h"

namespace {

// x rounded to the nearest integer, ties to even.
int32_t Nearest(double x) { return static_cast<int32_t>(std::nearbyint(x)); }

// Percentage * extent div 100 with the product wrapped to 32 bits, as the
// framed bar's edge is defined; computed in 64 bits so the wrap is defined.
int32_t PercentOfExtent(int32_t percentage, int32_t extent) {
  const auto product = static_cast<int32_t>(static_cast<int64_t>(percentage) * extent);
  return product / 100;
}

}  // namespace

TRect GaugePaintRect(int32_t width, int32_t height, bool singleBorder) {
  TRect r = Rect(0, 0, width, height);
  if (singleBorder) InflateRect(r, -1, -1);
  return r;
}

TSize BarExtent(const TRect& r) { return {r.Right - r.Left + 1, r.Bottom - r.Top + 1}; }

TRect PlainHorizontalFill(const TRect& r, int32_t percentage) {
  const TSize e = BarExtent(r);
  int32_t f = ScaleByPercent(percentage, e.cx);
  if (f > e.cx) f = e.cx;
  if (f <= 0) return TRect{};
  return Rect(r.Left, r.Top, f, e.cy);
}

TRect PlainVerticalFill(const TRect& r, int32_t percentage) {
  const TSize e = BarExtent(r);
  int32_t f = ScaleByPercent(percentage, e.cy);
  // A full bar stops one row short of the bottom edge H.
  if (f >= e.cy) f = e.cy - 1;
  return Rect(r.Left, e.cy - f, e.cx, e.cy);
}

std::optional<int32_t> FramedBarEdge(const TRect& r, int32_t percentage, bool vertical) {
  const TSize e = BarExtent(r);
  const int32_t extent = vertical ? e.cy : e.cx;
  int32_t f = ScaleByPercent(percentage, extent);
  if (f > extent) f = extent;
  if (f <= 0) return std::nullopt;
  return PercentOfExtent(percentage, extent - 3) + 1;
}

TSize DialExtent(const TRect& r, bool singleBorder) {
  TSize e{r.Right - r.Left, r.Bottom - r.Top};
  if (singleBorder) {
    ++e.cx;
    ++e.cy;
  }
  return e;
}

TPoint PieStartPoint(TSize extent, int32_t percentage) {
  const int32_t mx = extent.cx / 2;
  const int32_t my = extent.cy / 2;
  // The angle is formed in extended precision and then held as a double.
  const auto angle =
      static_cast<double>(std::numbers::pi_v<long double> * (static_cast<long double>(percentage) / 50 + 0.5L));
  return {Nearest(mx * (1 - std::cos(angle))), Nearest(my * (1 - std::sin(angle)))};
}

TPoint PieEndPoint(TSize extent) { return {extent.cx / 2, 0}; }

TPoint NeedlePivot(int32_t controlWidth, const TRect& r) { return {controlWidth / 2, r.Bottom - 1}; }

TPoint NeedleTip(int32_t controlWidth, const TRect& r, int32_t percentage) {
  const TPoint pivot = NeedlePivot(controlWidth, r);
  const auto angle = static_cast<double>(static_cast<long double>(percentage) / 100 * std::numbers::pi_v<long double>);
  return {Nearest(pivot.X * (1 - std::cos(angle))), Nearest(pivot.Y * (1 - std::sin(angle)))};
}

TPoint TextOrigin(const TRect& r, TSize text) {
  return {(r.Right - r.Left + 1 - text.cx) / 2, (r.Bottom - r.Top + 1 - text.cy) / 2};
}
