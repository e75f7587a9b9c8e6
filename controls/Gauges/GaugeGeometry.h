// Where the gauge draws: rectangles, edges and points of each kind's
// picture, computed from the control's size and its percentage.
//
// The paint routines only draw what these functions compute, so the
// geometry can be checked pixel-free. All coordinates are image pixels, x to
// the right and y downward; rectangles are half-open. A few values are used
// as absolute coordinates although they are computed as extents (the bar's
// W and H); the comments say where.
#pragma once

#include <cstdint>
#include <optional>

#include "controls/Graphics.h"

// The rectangle R every kind paints in: the client rectangle (0, 0, width,
// height), shrunk by one pixel on every side when the gauge has a single
// border. The ring between R and the edge stays black: that is the border.
TRect GaugePaintRect(int32_t width, int32_t height, bool singleBorder);

// A bar's extent: R's width and height plus one. With a single border these
// equal the control's Width - 1 and Height - 1 and serve as the absolute
// right and bottom edges of the bar's fills and frame.
TSize BarExtent(const TRect& r);

// The ForeColor rectangle of a plain horizontal bar: from R's top-left to the
// absolute right edge ScaleByPercent(percentage, W), capped at W. Empty when
// that edge is 0 or less.
TRect PlainHorizontalFill(const TRect& r, int32_t percentage);
// The ForeColor rectangle of a plain vertical bar, rising from the bottom
// edge H by ScaleByPercent(percentage, H) rows, a full height cut to H - 1.
TRect PlainVerticalFill(const TRect& r, int32_t percentage);

// The far edge of a framed bar's fill, measured from the frame: the fill of a
// horizontal bar covers columns 2..edge, that of a vertical bar rows
// H - edge - 1 .. H - 3. None when the bar is empty (only the frame shows).
std::optional<int32_t> FramedBarEdge(const TRect& r, int32_t percentage, bool vertical);

// A dial's bounding box right and bottom (pie and needle): R's width and
// height, plus one each with a single border, which makes them R.Right and
// R.Bottom in both border styles.
TSize DialExtent(const TRect& r, bool singleBorder);

// The pie's start point for the box (0 or 1, ..., extent.cx, extent.cy): on
// the ray at the angle of the percentage, clockwise from twelve o'clock, so
// that the counterclockwise wedge from it to (extent.cx div 2, 0) is the
// filled part. At 100 it coincides with the end point (the whole disc).
TPoint PieStartPoint(TSize extent, int32_t percentage);
// The pie's end point: twelve o'clock on the box's top edge.
TPoint PieEndPoint(TSize extent);

// The needle pivots at the bottom centre of the control, one row above R's
// bottom edge, and points left at 0, up at 50 and right at 100. Its tip lies
// on the ellipse with half-axes Width div 2 and R.Bottom - 1 around the
// pivot.
TPoint NeedlePivot(int32_t controlWidth, const TRect& r);
TPoint NeedleTip(int32_t controlWidth, const TRect& r, int32_t percentage);

// Top-left corner of a text of the given size centred in R. The offsets are
// image coordinates, not shifted by R.Left and R.Top; a text larger than R
// gives negative values.
TPoint TextOrigin(const TRect& r, TSize text);
