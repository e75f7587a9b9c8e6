// TGauge's painting. The picture is composed off-screen: the kind routine
// draws on a black scratch image, which is combined into a black composition
// image, the text is combined over it by exclusive-or (each text pixel shows
// the inverse of the colour beneath), and only then is the composition
// copied onto the control in one step, so nothing flickers. The scratch
// images live for one call; nothing is cached.
#include <memory>

#include "GaugeGeometry.h"
#include "Gauges.h"

TRect TGauge::PaintRect() const { return GaugePaintRect(Width(), Height(), borderStyle_ == bsSingle); }

void TGauge::Paint() {
  // Heap-allocated so that large gauges do not weigh on the stack; freed on
  // every path out, exceptions included, before the control's canvas is
  // touched.
  auto image = std::make_unique<TBitmap>();
  image->SetHeight(Height());
  image->SetWidth(Width());
  BlackenImage(*image);
  const TRect r = PaintRect();
  {
    auto kindImage = std::make_unique<TBltBitmap>();
    kindImage->MakeLike(*image);
    BlackenImage(*kindImage);
    DrawKind(*kindImage->Canvas(), r);
    // The composition is black, so the exclusive-or leaves the kind image.
    TCanvas* composition = image->Canvas();
    composition->SetCopyMode(cmSrcInvert);
    composition->Draw(0, 0, *kindImage);
    composition->SetCopyMode(cmSrcCopy);
    if (showText_) DrawTextOverlay(*image, r);
  }
  TCanvas* canvas = Canvas();
  canvas->SetCopyMode(cmSrcCopy);
  canvas->Draw(0, 0, *image);
}

void TGauge::BlackenImage(TBitmap& image) const {
  TCanvas* canvas = image.Canvas();
  const TRect all = Rect(0, 0, Width(), Height());
  canvas->SetCopyMode(cmBlackness);
  canvas->CopyRect(all, *canvas, all);
  canvas->SetCopyMode(cmSrcCopy);
}

void TGauge::DrawTextOverlay(TBitmap& image, const TRect& r) const {
  auto textImage = std::make_unique<TBltBitmap>();
  textImage->MakeLike(image);
  BlackenImage(*textImage);
  const std::string s = DisplayText();
  // White text on black, whatever the font's own colour; drawn even when
  // empty.
  TCanvas* canvas = textImage->Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->SetFont(*Font());
  canvas->Font()->SetColor(clWhite);
  const TPoint at = TextOrigin(r, {canvas->TextWidth(s), canvas->TextHeight(s)});
  canvas->TextRect(r, at.X, at.Y, s);
  TCanvas* composition = image.Canvas();
  composition->SetCopyMode(cmSrcInvert);
  composition->Draw(0, 0, *textImage);
  composition->SetCopyMode(cmSrcCopy);
}

void TGauge::DrawKind(TCanvas& canvas, const TRect& r) const {
  switch (kind_) {
    case gkText: DrawPlain(canvas, r); break;
    case gkHorizontalBar:
    case gkVerticalBar: DrawBar(canvas, r); break;
    case gkPie: DrawPie(canvas, r); break;
    case gkNeedle: DrawNeedle(canvas, r); break;
    default: break;  // an unknown ordinal leaves the image black
  }
}

void TGauge::DrawPlain(TCanvas& canvas, const TRect& r) const {
  canvas.Brush()->SetColor(backColor_);
  canvas.FillRect(r);
}

void TGauge::DrawBar(TCanvas& canvas, const TRect& r) const {
  canvas.Brush()->SetColor(backColor_);
  canvas.FillRect(r);
  if (realOneStyle_)
    DrawFramedBar(canvas, r);
  else
    DrawPlainBar(canvas, r);
}

void TGauge::DrawPlainBar(TCanvas& canvas, const TRect& r) const {
  canvas.Brush()->SetColor(foreColor_);
  const TRect fill = kind_ == gkVerticalBar ? PlainVerticalFill(r, Percentage()) : PlainHorizontalFill(r, Percentage());
  if (!fill.IsEmpty()) canvas.FillRect(fill);
}

// A rounded frame with base lines, then (unless empty) the filled part with
// a highlight and a shadow edge. The frame's origin is the image corner, not
// r, and W and H serve as absolute right and bottom edges.
void TGauge::DrawFramedBar(TCanvas& canvas, const TRect& r) const {
  const TSize e = BarExtent(r);
  const int32_t w = e.cx;
  const int32_t h = e.cy;
  TPen& pen = *canvas.Pen();
  pen.SetColor(borderColor_);
  canvas.RoundRect(0, 0, w, h, 2, 2);
  pen.SetWidth(1);
  pen.SetColor(baseInnerHighColor_);
  canvas.MoveTo(1, 1);
  canvas.LineTo(1, h - 1);
  canvas.MoveTo(1, 1);
  canvas.LineTo(w - 1, 1);
  pen.SetColor(baseInnerLowColor_);
  canvas.MoveTo(w - 2, 2);
  canvas.LineTo(w - 2, h - 2);
  canvas.LineTo(2, h - 2);

  const bool vertical = kind_ == gkVerticalBar;
  const std::optional<int32_t> edge = FramedBarEdge(r, Percentage(), vertical);
  if (!edge) return;
  canvas.Brush()->SetColor(foreColor_);
  if (vertical) {
    const int32_t top = h - *edge - 1;
    canvas.FillRect(Rect(2, top, w - 2, h - 2));
    pen.SetColor(innerHighColor_);
    canvas.MoveTo(1, top);
    canvas.LineTo(1, h - 2);
    canvas.LineTo(w - 2, h - 2);
    pen.SetColor(innerLowCOlor_);
    canvas.MoveTo(w - 2, top);
    canvas.LineTo(w - 2, h - 2);
  } else {
    const int32_t right = *edge + 1;
    canvas.FillRect(Rect(2, 2, right, h - 2));
    pen.SetColor(innerHighColor_);
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, h - 1);
    canvas.MoveTo(1, 1);
    canvas.LineTo(right, 1);
    pen.SetColor(innerLowCOlor_);
    canvas.MoveTo(2, h - 2);
    canvas.LineTo(right, h - 2);
  }
}

// A disc in BackColor outlined in ForeColor, with a ForeColor wedge growing
// clockwise from twelve o'clock. The corners show the control's Color.
void TGauge::DrawPie(TCanvas& canvas, const TRect& r) const {
  const TSize e = DialExtent(r, borderStyle_ == bsSingle);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  canvas.Brush()->SetColor(backColor_);
  canvas.Pen()->SetColor(foreColor_);
  canvas.Pen()->SetWidth(1);
  canvas.Ellipse(r.Left, r.Top, e.cx, e.cy);
  const int32_t percentage = Percentage();
  if (percentage <= 0) return;
  canvas.Brush()->SetColor(foreColor_);
  const TPoint start = PieStartPoint(e, percentage);
  const TPoint end = PieEndPoint(e);
  canvas.Pie(r.Left, r.Top, e.cx, e.cy, start.X, start.Y, end.X, end.Y);
}

// A half-disc dial standing on r's bottom edge, a base line on the row just
// below r, and a needle from the bottom centre.
void TGauge::DrawNeedle(TCanvas& canvas, const TRect& r) const {
  const TSize e = DialExtent(r, borderStyle_ == bsSingle);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  canvas.Brush()->SetColor(backColor_);
  canvas.Pen()->SetColor(foreColor_);
  canvas.Pen()->SetWidth(1);
  canvas.Pie(r.Left, r.Top, e.cx, 2 * e.cy - 1, r.Left + e.cx, r.Bottom - 1, r.Left, r.Bottom - 1);
  canvas.MoveTo(r.Left, r.Bottom);
  canvas.LineTo(r.Left + e.cx, r.Bottom);
  const int32_t percentage = Percentage();
  if (percentage <= 0) return;
  canvas.Pen()->SetColor(foreColor_);
  const TPoint pivot = NeedlePivot(Width(), r);
  const TPoint tip = NeedleTip(Width(), r, percentage);
  canvas.MoveTo(pivot.X, pivot.Y);
  canvas.LineTo(tip.X, tip.Y);
}
