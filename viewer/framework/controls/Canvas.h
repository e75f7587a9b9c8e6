// TCanvas: the original framework's drawing surface and conventions, painted
// pixel by pixel into a QImage (Format_RGB32).
//
// Every shape is rasterised here rather than by QPainter, so the results are
// exact and the same everywhere, and raster operations (XOR pens, copy
// modes, focus rectangles) work on real pixel values:
//   * rectangles are half-open: FillRect(Rect(1,1,4,4)) covers columns and
//     rows 1..3;
//   * LineTo draws from the pen position up to, but not including, the end
//     point, then moves the pen there: one pixel per step along the major
//     axis, the minor coordinate rounded to nearest (halves towards larger
//     coordinates), so horizontal and vertical lines are exact and diagonal
//     ones stay within half a pixel of the ideal line;
//   * Rectangle, RoundRect, Ellipse and Pie fill their half-open box with the
//     brush and draw the pen's outline inside it: with a 1-pixel pen the
//     outline's right column is x2-1 and its bottom row y2-1;
//   * wider pens grow a shape's outline inwards for psInsideFrame and centre
//     it on the 1-pixel outline otherwise; wide lines stamp a square pen;
//   * dashed styles apply to 1-pixel pens (wider ones draw solid); the gaps
//     take the brush colour when the brush is solid and are left alone
//     otherwise, as are text cell backgrounds; dashed Ellipse/RoundRect/Pie
//     outlines are drawn solid;
//   * the pen's Mode combines shape outlines, shape interiors and lines with
//     the pixels; FillRect, FrameRect and text always copy;
//   * only text goes through QPainter, with anti-aliasing off.
//
// Controls paint through a canvas on a back buffer: TBufferedCanvas owns an
// image of the widget's size, the control draws on it, and BlitTo copies it
// onto the widget in its paintEvent:
//
//   void MyWidget::paintEvent(QPaintEvent*) {
//     TBufferedCanvas canvas(width(), height(), clBtnFace);
//     control->PaintTo(canvas);
//     canvas.BlitTo(this);
//   }
//
// SetOrigin and SetClipRect let a graphic control draw on its parent's
// canvas in its own coordinates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>

#include "Graphics.h"

class QPaintDevice;
class TBitmap;

// Raster operations of CopyRect and Draw (the system's ternary raster codes:
// bits 16..23 are the truth table over brush P, source S and destination D).
using TCopyMode = int32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Text output flags (TextFlags): clipping to the rectangle is always on.
inline constexpr int ETO_OPAQUE = 2;
inline constexpr int ETO_CLIPPED = 4;

class TCanvas {
 public:
  // An unattached canvas draws nothing (and measures text normally).
  TCanvas();
  // Draws on image, which must outlive the canvas (or be detached). Images
  // of other formats are converted to Format_RGB32 in place.
  explicit TCanvas(QImage* image);
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  void Attach(QImage* image);
  void Detach() { Attach(nullptr); }
  QImage* Image() const { return image_; }
  bool HandleAllocated() const { return image_ != nullptr; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  const TFont* Font() const { return &font_; }
  const TPen* Pen() const { return &pen_; }
  const TBrush* Brush() const { return &brush_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  void SetPen(const TPen& pen) { pen_.Assign(pen); }
  void SetBrush(const TBrush& brush) { brush_.Assign(brush); }

  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }
  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }
  int TextFlags() const { return textFlags_; }
  void SetTextFlags(int flags) { textFlags_ = flags; }

  // Logical coordinate (0,0) lands on device pixel origin.
  void SetOrigin(TPoint origin) { origin_ = origin; }
  TPoint Origin() const { return origin_; }
  // Restricts drawing to r (logical coordinates at the time of the call),
  // intersected with the image.
  void SetClipRect(const TRect& r);
  void ResetClip();
  // The drawable area in logical coordinates.
  TRect ClipRect() const;

  // Called after every drawing operation (a bitmap's canvas uses it to note
  // that the image changed).
  std::function<void()> OnChange;

  // --- shapes
  void FillRect(const TRect& r);   // with the brush, no outline
  void FrameRect(const TRect& r);  // 1-pixel frame in the brush colour
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // The wedge of the ellipse in the box running counterclockwise from the
  // ray through (x3,y3) to the ray through (x4,y4), both from the box's
  // centre; coinciding rays give the whole ellipse.
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Filled with the brush (alternate filling: pixel centres inside an odd
  // number of edges), outlined with the pen through every vertex.
  void Polygon(const std::vector<TPoint>& points);
  // Lines through the points; the last point itself is not drawn.
  void Polyline(const std::vector<TPoint>& points);
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  void LineTo(int x, int y);
  // XORs a dotted frame (every other pixel of the rectangle's edge); drawing
  // the same rectangle twice restores the pixels.
  void DrawFocusRect(const TRect& r);

  // --- text. Strings are 8-bit form strings, decoded with the font's charset.
  // Top-left of the text cell at (x,y); the cell's background takes the
  // brush colour unless the brush is clear. Moves the pen to the cell's
  // right end.
  void TextOut(int x, int y, std::string_view text);
  // Fills r with the brush (unless clear), draws the text at (x,y) clipped to r.
  void TextRect(const TRect& r, int x, int y, std::string_view text);
  int TextWidth(std::string_view text) const;
  // The font's cell height (ascent + descent).
  int TextHeight(std::string_view text) const;
  TSize TextExtent(std::string_view text) const;
  // The same for text that is already decoded.
  void TextOutW(int x, int y, const QString& text);
  void TextRectW(const TRect& r, int x, int y, const QString& text);
  TSize TextExtentW(const QString& text) const;

  // --- images
  // Copies src of source's image onto dest (stretching by nearest pixel when
  // the sizes differ) combined by CopyMode.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
  // Draws a bitmap with its top-left at (x,y): through CopyMode, or leaving
  // out its transparent colour when the bitmap is Transparent.
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);
  // Copies an image combined by CopyMode (the primitive of Draw/CopyRect).
  void DrawImage(const TRect& dest, const QImage& image, const TRect& src);
  // Draws an image leaving out every pixel of the colour transparent.
  void DrawTransparent(int x, int y, const QImage& image, TColor transparent);

  // --- pixels. Reading outside the image gives -1.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  TColor Pixels(int x, int y) const { return Pixel(x, y); }

 protected:
  void Changed();

 private:
  bool DrawUnscaledFast(const TRect& visible, const TRect& d, const QImage& img, const TRect& src);
  struct Raster;
  using Membership = std::function<bool(int x, int y)>;
  void ShapeWithOutline(
      const TRect& box, const Membership& inside, const Membership& insideInner, const TRect& innerBox);
  void Line(TPoint from, TPoint to, bool& firstSegment, int& dashPhase);
  void PlotPen(int x, int y, bool on);
  void Plot(int x, int y, uint32_t color, TPenMode mode);
  bool BrushPixel(int x, int y, uint32_t& color) const;
  void FillSpan(int y, int x1, int x2);  // device coordinates, half-open
  TRect DeviceClip() const;
  void DrawText(const TRect* clip, int x, int y, const QString& text, bool opaqueRect);

  QImage* image_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  TCopyMode copyMode_ = cmSrcCopy;
  TPoint penPos_;
  TPoint origin_;
  bool clipSet_ = false;
  TRect clip_;  // device coordinates
  int textFlags_ = 0;
};

// A canvas that owns its image: the back buffer a control paints into.
class TBufferedCanvas : public TCanvas {
 public:
  TBufferedCanvas(int width, int height, TColor fill = clBtnFace);
  // Starts from a copy of an existing image (for example the parent's
  // background under a graphic control).
  explicit TBufferedCanvas(const QImage& initial);
  const QImage& Buffer() const { return buffer_; }
  // Paints the buffer onto a widget or other paint device at (x,y).
  void BlitTo(QPaintDevice* device, int x = 0, int y = 0) const;

 private:
  QImage buffer_;
};

// Applies a ternary raster operation to one RGB value (bits 0..23 used).
uint32_t ApplyRop3(TCopyMode rop, uint32_t pattern, uint32_t source, uint32_t dest);
