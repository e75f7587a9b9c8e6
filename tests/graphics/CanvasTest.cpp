#include <gtest/gtest.h>

#include <set>

#include <QImage>

#include "controls/Bitmap.h"
#include "controls/Canvas.h"

namespace {

// A canvas on a white off-screen image.
struct Surface {
  explicit Surface(int w = 20, int h = 20, TColor fill = clWhite) : image(w, h, QImage::Format_RGB32), canvas(&image) {
    image.fill(ColorToPixel(fill));
  }
  // Pixels of a colour, as (x, y) on the image (device coordinates).
  std::set<std::pair<int, int>> PixelsOf(TColor c) const {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (PixelToColor(image.pixel(x, y)) == c) out.insert({x, y});
    return out;
  }
  TRect BoundsOf(TColor c) const {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (auto [x, y] : PixelsOf(c)) {
      r.Left = std::min(r.Left, x);
      r.Top = std::min(r.Top, y);
      r.Right = std::max(r.Right, x + 1);
      r.Bottom = std::max(r.Bottom, y + 1);
    }
    return r;
  }
  QImage image;
  TCanvas canvas;
};

std::set<std::pair<int, int>> RectPixels(const TRect& r) {
  std::set<std::pair<int, int>> out;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) out.insert({x, y});
  return out;
}

// --- FillRect / FrameRect

class CanvasFillRect : public ::testing::TestWithParam<TRect> {};

TEST_P(CanvasFillRect, CoversTheHalfOpenRectangle) {
  Surface s;
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.FillRect(GetParam());
  TRect visible;
  IntersectRect(visible, GetParam(), Rect(0, 0, 20, 20));
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(visible));
}

INSTANTIATE_TEST_SUITE_P(
    Rects, CanvasFillRect,
    ::testing::Values(Rect(1, 1, 4, 4), Rect(0, 0, 1, 1), Rect(5, 2, 6, 19), Rect(3, 3, 3, 10), Rect(-5, -5, 2, 3),
                      Rect(15, 15, 40, 40), Rect(4, 4, 2, 2)));

TEST(CanvasFillRect, ClearBrushPaintsNothing) {
  Surface s;
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.FillRect(Rect(0, 0, 20, 20));
  EXPECT_EQ(s.PixelsOf(clWhite).size(), 400u);
}

TEST(CanvasFillRect, SystemColorsResolveThroughThePalette) {
  Surface s;
  s.canvas.Brush()->SetColor(clBtnFace);
  s.canvas.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(s.canvas.Pixel(1, 1), RGB(212, 208, 200));
}

TEST(CanvasFrameRect, DrawsOnePixelRingInsideTheRectangle) {
  Surface s;
  s.canvas.Brush()->SetColor(clBlue);
  s.canvas.FrameRect(Rect(2, 3, 7, 9));
  auto expected = RectPixels(Rect(2, 3, 7, 9));
  for (auto p : RectPixels(Rect(3, 4, 6, 8))) expected.erase(p);
  EXPECT_EQ(s.PixelsOf(clBlue), expected);
}

// --- lines

struct LineCase {
  TPoint from, to;
  friend void PrintTo(const LineCase& c, std::ostream* os) {
    *os << "(" << c.from.X << "," << c.from.Y << ")->(" << c.to.X << "," << c.to.Y << ")";
  }
};

class CanvasLineTo : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLineTo, StopsShortOfTheEndAndMovesThePen) {
  const LineCase& c = GetParam();
  Surface s(30, 30);
  s.canvas.MoveTo(c.from.X, c.from.Y);
  s.canvas.LineTo(c.to.X, c.to.Y);
  EXPECT_EQ(s.canvas.PenPos(), c.to);
  auto drawn = s.PixelsOf(clBlack);
  int steps = std::max(std::abs(c.to.X - c.from.X), std::abs(c.to.Y - c.from.Y));
  EXPECT_EQ(drawn.size(), size_t(steps));  // one pixel per step along the major axis
  EXPECT_EQ(drawn.count({c.to.X, c.to.Y}), 0u);
  if (steps > 0) {
    EXPECT_EQ(drawn.count({c.from.X, c.from.Y}), 1u);
  }
  // Every pixel lies within half a pixel of the ideal line (measured across
  // the major axis).
  double dx = c.to.X - c.from.X, dy = c.to.Y - c.from.Y;
  for (auto [x, y] : drawn) {
    if (std::abs(dx) >= std::abs(dy)) {
      double ideal = c.from.Y + (x - c.from.X) * dy / dx;
      EXPECT_LE(std::abs(y - ideal), 0.5) << x << "," << y;
    } else {
      double ideal = c.from.X + (y - c.from.Y) * dx / dy;
      EXPECT_LE(std::abs(x - ideal), 0.5) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CanvasLineTo,
    ::testing::Values(
        LineCase{{2, 5}, {12, 5}}, LineCase{{12, 5}, {2, 5}}, LineCase{{4, 1}, {4, 20}}, LineCase{{4, 20}, {4, 1}},
        LineCase{{0, 0}, {10, 10}}, LineCase{{10, 10}, {0, 0}}, LineCase{{1, 2}, {20, 9}}, LineCase{{3, 25}, {8, 2}},
        LineCase{{5, 5}, {5, 5}}));

TEST(CanvasLineTo, HorizontalLineIsExact) {
  Surface s;
  s.canvas.MoveTo(2, 5);
  s.canvas.LineTo(8, 5);
  EXPECT_EQ(s.PixelsOf(clBlack), RectPixels(Rect(2, 5, 8, 6)));
  s.canvas.LineTo(8, 9);  // continues from the pen position
  auto expected = RectPixels(Rect(2, 5, 8, 6));
  for (auto p : RectPixels(Rect(8, 5, 9, 9))) expected.insert(p);
  EXPECT_EQ(s.PixelsOf(clBlack), expected);
}

TEST(CanvasLineTo, ClearPenDrawsNothingButMoves) {
  Surface s;
  s.canvas.Pen()->SetStyle(psClear);
  s.canvas.MoveTo(0, 0);
  s.canvas.LineTo(10, 0);
  EXPECT_TRUE(s.PixelsOf(clBlack).empty());
  EXPECT_EQ(s.canvas.PenPos(), Point(10, 0));
}

TEST(CanvasLineTo, XorPenTwiceRestores) {
  Surface s;
  s.canvas.Brush()->SetColor(RGB(10, 200, 30));
  s.canvas.FillRect(Rect(0, 0, 10, 10));
  QImage before = s.image.copy();
  s.canvas.Pen()->SetMode(pmXor);
  s.canvas.Pen()->SetColor(clWhite);
  s.canvas.MoveTo(0, 3);
  s.canvas.LineTo(15, 3);
  EXPECT_EQ(s.canvas.Pixel(4, 3), RGB(245, 55, 225));
  EXPECT_EQ(s.canvas.Pixel(12, 3), clBlack);  // white ^ white
  s.canvas.MoveTo(0, 3);
  s.canvas.LineTo(15, 3);
  EXPECT_EQ(s.image, before);
}

TEST(CanvasLineTo, DottedPenAlternatesThreeOnThreeOff) {
  Surface s(20, 3);
  s.canvas.Pen()->SetStyle(psDot);
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.MoveTo(0, 1);
  s.canvas.LineTo(12, 1);
  std::string row;
  for (int x = 0; x < 12; ++x) row += s.canvas.Pixel(x, 1) == clBlack ? '#' : '.';
  EXPECT_EQ(row, "###...###...");
}

TEST(CanvasLineTo, DashGapsTakeTheSolidBrushColor) {
  Surface s(20, 3);
  s.canvas.Pen()->SetStyle(psDot);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.MoveTo(0, 1);
  s.canvas.LineTo(6, 1);
  EXPECT_EQ(s.canvas.Pixel(2, 1), clBlack);
  EXPECT_EQ(s.canvas.Pixel(3, 1), clRed);
}

// --- Rectangle, Ellipse, RoundRect

TEST(CanvasRectangle, OutlineLiesInsideTheBox) {
  Surface s;
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Rectangle(2, 3, 9, 12);
  auto outline = RectPixels(Rect(2, 3, 9, 12));
  for (auto p : RectPixels(Rect(3, 4, 8, 11))) outline.erase(p);
  EXPECT_EQ(s.PixelsOf(clBlack), outline);
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(Rect(3, 4, 8, 11)));
  EXPECT_EQ(s.canvas.Pixel(8, 11), clBlack);  // x2-1, y2-1
  EXPECT_EQ(s.canvas.Pixel(9, 12), clWhite);
}

TEST(CanvasRectangle, ClearPenFillsTheWholeBox) {
  Surface s;
  s.canvas.Pen()->SetStyle(psClear);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Rectangle(2, 3, 9, 12);
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(Rect(2, 3, 9, 12)));
}

TEST(CanvasRectangle, ClearBrushLeavesTheInside) {
  Surface s;
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.Rectangle(2, 2, 6, 6);
  EXPECT_EQ(s.PixelsOf(clBlack).size(), 12u);
  EXPECT_EQ(s.canvas.Pixel(3, 3), clWhite);
}

TEST(CanvasRectangle, InsideFramePenGrowsInwards) {
  Surface s;
  s.canvas.Pen()->SetStyle(psInsideFrame);
  s.canvas.Pen()->SetWidth(2);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(s.BoundsOf(clBlack), Rect(2, 2, 10, 10));
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(Rect(4, 4, 8, 8)));
}

TEST(CanvasRectangle, DashedOutlineStaysInsideTheBox) {
  Surface s(40, 40);
  s.canvas.Pen()->SetStyle(psDash);
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.Rectangle(1, 1, 31, 21);
  EXPECT_EQ(s.BoundsOf(clBlack), Rect(1, 1, 31, 21));
  EXPECT_EQ(s.canvas.Pixel(5, 1), clBlack);   // first dash runs along the top
  EXPECT_EQ(s.canvas.Pixel(21, 1), clWhite);  // then a gap
}

class CanvasEllipse : public ::testing::TestWithParam<TRect> {};

TEST_P(CanvasEllipse, FillsAndOutlinesInsideItsBox) {
  const TRect box = GetParam();
  Surface s(110, 110);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
  // The outline touches all four sides of the box and never leaves it.
  EXPECT_EQ(s.BoundsOf(clBlack), box);
  for (auto [x, y] : s.PixelsOf(clRed)) EXPECT_TRUE(box.Contains({x, y}));
  // The corners of the box stay unpainted (for boxes big enough to be round).
  if (box.Width() >= 6 && box.Height() >= 6) {
    EXPECT_EQ(s.canvas.Pixel(box.Left, box.Top), clWhite);
    EXPECT_EQ(s.canvas.Pixel(box.Right - 1, box.Bottom - 1), clWhite);
  }
  // The centre is filled with the brush.
  if (box.Width() >= 4 && box.Height() >= 4) {
    EXPECT_EQ(s.canvas.Pixel((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2), clRed);
  }
  // Symmetric left-right and top-bottom.
  for (auto [x, y] : s.PixelsOf(clBlack)) {
    EXPECT_EQ(s.canvas.Pixel(box.Left + box.Right - 1 - x, y), clBlack);
    EXPECT_EQ(s.canvas.Pixel(x, box.Top + box.Bottom - 1 - y), clBlack);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CanvasEllipse,
    ::testing::Values(
        Rect(1, 1, 99, 99), Rect(10, 20, 50, 30), Rect(5, 5, 12, 12), Rect(0, 0, 3, 3), Rect(2, 2, 9, 40)));

TEST(CanvasEllipse, OutlineIsConnectedAndOnePixelThick) {
  Surface s(60, 60);
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.Ellipse(5, 5, 55, 45);
  // Each row crossing the middle has exactly two outline pixels.
  for (int y = 20; y < 30; ++y) {
    int n = 0;
    for (int x = 0; x < 60; ++x) n += s.canvas.Pixel(x, y) == clBlack;
    EXPECT_EQ(n, 2) << "row " << y;
  }
  // Every outline pixel has an outline neighbour in its 8-neighbourhood.
  auto drawn = s.PixelsOf(clBlack);
  for (auto [x, y] : drawn) {
    int neighbours = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if ((dx || dy) && drawn.count({x + dx, y + dy})) ++neighbours;
    EXPECT_GE(neighbours, 2) << x << "," << y;
  }
}

TEST(CanvasRoundRect, CornersAreRoundedInsideTheBox) {
  Surface s(40, 40);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.RoundRect(2, 2, 32, 22, 10, 10);
  EXPECT_EQ(s.BoundsOf(clBlack), Rect(2, 2, 32, 22));
  EXPECT_EQ(s.canvas.Pixel(2, 2), clWhite);
  EXPECT_EQ(s.canvas.Pixel(31, 21), clWhite);
  EXPECT_EQ(s.canvas.Pixel(17, 2), clBlack);  // straight top edge
  EXPECT_EQ(s.canvas.Pixel(2, 12), clBlack);  // straight left edge
  EXPECT_EQ(s.canvas.Pixel(17, 12), clRed);
}

TEST(CanvasRoundRect, ZeroCornersGiveARectangle) {
  Surface a, b;
  a.canvas.RoundRect(2, 2, 10, 10, 0, 0);
  b.canvas.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(a.image, b.image);
}

// --- Pie

TEST(CanvasPie, QuarterFromEastToNorthFillsTheUpperRightQuarter) {
  Surface s(100, 100);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Pie(1, 1, 99, 99, 98, 49, 49, 0);
  EXPECT_EQ(s.canvas.Pixel(75, 25), clRed);
  EXPECT_EQ(s.canvas.Pixel(25, 25), clWhite);
  EXPECT_EQ(s.canvas.Pixel(25, 75), clWhite);
  EXPECT_EQ(s.canvas.Pixel(75, 75), clWhite);
  // Everything painted lies in the quarter of the box right of and above
  // the centre (50, 50).
  TRect painted;
  UnionRect(painted, s.BoundsOf(clBlack), s.BoundsOf(clRed));
  EXPECT_EQ(painted, Rect(50, 1, 99, 50));
  // The two straight edges are outlined.
  for (int y = 5; y < 50; ++y) EXPECT_EQ(s.canvas.Pixel(50, y), clBlack) << y;
  for (int x = 50; x < 95; ++x) EXPECT_EQ(s.canvas.Pixel(x, 49), clBlack) << x;
}

TEST(CanvasPie, RunsCounterclockwise) {
  Surface s(100, 100);
  s.canvas.Brush()->SetColor(clRed);
  // From north round to east, counterclockwise: three quarters.
  s.canvas.Pie(1, 1, 99, 99, 49, 0, 98, 49);
  EXPECT_EQ(s.canvas.Pixel(75, 25), clWhite);
  EXPECT_EQ(s.canvas.Pixel(25, 25), clRed);
  EXPECT_EQ(s.canvas.Pixel(25, 75), clRed);
  EXPECT_EQ(s.canvas.Pixel(75, 75), clRed);
}

TEST(CanvasPie, CoincidingRaysDrawTheWholeEllipse) {
  Surface pie(100, 100), ellipse(100, 100);
  pie.canvas.Brush()->SetColor(clRed);
  ellipse.canvas.Brush()->SetColor(clRed);
  pie.canvas.Pie(1, 1, 99, 99, 98, 49, 98, 49);
  ellipse.canvas.Ellipse(1, 1, 99, 99);
  EXPECT_EQ(pie.image, ellipse.image);
  Surface farther(100, 100);
  farther.canvas.Brush()->SetColor(clRed);
  farther.canvas.Pie(1, 1, 99, 99, 98, 49, 195, 48);  // same ray, three times as far
  EXPECT_EQ(farther.image, ellipse.image);
}

// --- copy modes

struct CopyModeCase {
  const char* name;
  TCopyMode mode;
  TColor src, dst, expected;
  friend void PrintTo(const CopyModeCase& c, std::ostream* os) { *os << c.name; }
};

class CanvasCopyMode : public ::testing::TestWithParam<CopyModeCase> {};

TEST_P(CanvasCopyMode, CombinesSourceAndDestinationExactly) {
  const auto& c = GetParam();
  Surface src(4, 4, c.src), dst(4, 4, c.dst);
  dst.canvas.SetCopyMode(c.mode);
  dst.canvas.CopyRect(Rect(0, 0, 4, 4), src.canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(dst.PixelsOf(c.expected).size(), 16u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CanvasCopyMode,
    ::testing::Values(
        CopyModeCase{"SrcCopy", cmSrcCopy, RGB(1, 2, 3), RGB(200, 100, 50), RGB(1, 2, 3)},
        CopyModeCase{"SrcInvert", cmSrcInvert, RGB(0x0F, 0xF0, 0x55), RGB(0xFF, 0x0F, 0x5A), RGB(0xF0, 0xFF, 0x0F)},
        CopyModeCase{"Blackness", cmBlackness, clWhite, RGB(9, 9, 9), clBlack},
        CopyModeCase{"Whiteness", cmWhiteness, clBlack, RGB(9, 9, 9), clWhite},
        CopyModeCase{"SrcAnd", cmSrcAnd, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x00), RGB(0x30, 0x0C, 0x00)},
        CopyModeCase{"SrcPaint", cmSrcPaint, RGB(0xF0, 0x0F, 0x00), RGB(0x0C, 0x30, 0x01), RGB(0xFC, 0x3F, 0x01)},
        CopyModeCase{"DstInvert", cmDstInvert, RGB(1, 2, 3), RGB(0x10, 0x20, 0x30), RGB(0xEF, 0xDF, 0xCF)},
        CopyModeCase{"NotSrcCopy", cmNotSrcCopy, RGB(0x10, 0x20, 0x30), clWhite, RGB(0xEF, 0xDF, 0xCF)}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CanvasCopyRect, CopiesOnlyTheDestinationRectangle) {
  Surface src(10, 10, clRed), dst(10, 10, clWhite);
  dst.canvas.CopyRect(Rect(2, 3, 5, 7), src.canvas, Rect(0, 0, 3, 4));
  EXPECT_EQ(dst.PixelsOf(clRed), RectPixels(Rect(2, 3, 5, 7)));
}

TEST(CanvasCopyRect, StretchesByNearestPixel) {
  Surface src(2, 1), dst(4, 2);
  src.canvas.SetPixel(0, 0, clRed);
  src.canvas.SetPixel(1, 0, clBlue);
  dst.canvas.CopyRect(Rect(0, 0, 4, 2), src.canvas, Rect(0, 0, 2, 1));
  EXPECT_EQ(dst.PixelsOf(clRed), RectPixels(Rect(0, 0, 2, 2)));
  EXPECT_EQ(dst.PixelsOf(clBlue), RectPixels(Rect(2, 0, 4, 2)));
}

TEST(CanvasDraw, HonoursCopyModeAndTransparency) {
  TBitmap bmp(3, 3);
  bmp.Canvas()->Brush()->SetColor(RGB(0xFF, 0x00, 0x0F));
  bmp.Canvas()->FillRect(Rect(0, 0, 3, 3));
  Surface s(6, 6, RGB(0x0F, 0x0F, 0x0F));
  s.canvas.SetCopyMode(cmSrcInvert);
  s.canvas.Draw(1, 1, bmp);
  EXPECT_EQ(s.PixelsOf(RGB(0xF0, 0x0F, 0x00)), RectPixels(Rect(1, 1, 4, 4)));

  // A transparent bitmap leaves out its bottom-left pixel's colour.
  TBitmap glyph(2, 2);
  glyph.Canvas()->SetPixel(0, 0, clRed);
  glyph.Canvas()->SetPixel(1, 0, clLime);
  glyph.Canvas()->SetPixel(0, 1, clFuchsia);
  glyph.Canvas()->SetPixel(1, 1, clFuchsia);
  glyph.SetTransparent(true);
  Surface t(4, 4, clWhite);
  t.canvas.Draw(1, 1, glyph);
  EXPECT_EQ(t.PixelsOf(clRed), (std::set<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(t.PixelsOf(clLime), (std::set<std::pair<int, int>>{{2, 1}}));
  EXPECT_TRUE(t.PixelsOf(clFuchsia).empty());
}

// --- focus rectangles

TEST(CanvasDrawFocusRect, InvertsEveryOtherEdgePixel) {
  Surface s(12, 12, clWhite);
  s.canvas.DrawFocusRect(Rect(1, 1, 9, 7));
  auto inverted = s.PixelsOf(clBlack);
  for (auto [x, y] : inverted) {
    EXPECT_EQ((x + y) % 2, 0);
    bool onEdge = x == 1 || x == 8 || y == 1 || y == 6;
    EXPECT_TRUE(onEdge && x >= 1 && x <= 8 && y >= 1 && y <= 6) << x << "," << y;
  }
  EXPECT_EQ(inverted.size(), 12u);  // 28 edge pixels, every other one
}

TEST(CanvasDrawFocusRect, DrawingTwiceRestoresEveryPixel) {
  for (TRect r : {Rect(1, 1, 9, 7), Rect(2, 2, 3, 9), Rect(0, 4, 12, 5), Rect(3, 3, 4, 4)}) {
    Surface s(12, 12);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) s.canvas.SetPixel(x, y, RGB(x * 20, y * 20, 77));
    QImage before = s.image.copy();
    s.canvas.DrawFocusRect(r);
    EXPECT_NE(s.image, before);
    s.canvas.DrawFocusRect(r);
    EXPECT_EQ(s.image, before);
  }
}

// --- text

TEST(CanvasTextOut, PaintsTheCellBackgroundAndMovesThePen) {
  Surface s(80, 30);
  s.canvas.Brush()->SetColor(clYellow);
  s.canvas.Font()->SetColor(clBlue);
  s.canvas.TextOut(5, 4, "Hi!");
  int w = s.canvas.TextWidth("Hi!"), h = s.canvas.TextHeight("Hi!");
  EXPECT_EQ(s.canvas.PenPos(), Point(5 + w, 4));
  TRect cell = Bounds(5, 4, w, h);
  // Nothing outside the cell; inside only background and text colours.
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 80; ++x) {
      TColor c = s.canvas.Pixel(x, y);
      if (cell.Contains({x, y})) {
        EXPECT_TRUE(c == clYellow || c == clBlue) << x << "," << y;
      } else {
        EXPECT_EQ(c, clWhite) << x << "," << y;
      }
    }
  }
  EXPECT_GT(s.PixelsOf(clBlue).size(), 10u);
}

TEST(CanvasTextOut, ClearBrushLeavesTheBackground) {
  Surface s(80, 30, clLime);
  s.canvas.Brush()->SetStyle(bsClear);
  s.canvas.TextOut(2, 2, "Text");
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      TColor c = s.canvas.Pixel(x, y);
      EXPECT_TRUE(c == clLime || c == clBlack) << x << "," << y;  // no blending
    }
  EXPECT_FALSE(s.PixelsOf(clBlack).empty());
}

TEST(CanvasTextRect, FillsTheRectangleAndClipsTheText) {
  Surface s(100, 40);
  s.canvas.Brush()->SetColor(clYellow);
  s.canvas.Font()->SetColor(clRed);
  TRect r = Rect(10, 5, 30, 20);
  s.canvas.TextRect(r, 12, 6, "WWWWWWWWWWWWWW");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x) {
      TColor c = s.canvas.Pixel(x, y);
      if (r.Contains({x, y})) {
        EXPECT_TRUE(c == clYellow || c == clRed) << x << "," << y;
      } else {
        EXPECT_EQ(c, clWhite) << x << "," << y;
      }
    }
  // The text reaches the rectangle's right edge.
  bool redAtEdge = false;
  for (int y = r.Top; y < r.Bottom; ++y) redAtEdge |= s.canvas.Pixel(r.Right - 1, y) == clRed;
  EXPECT_TRUE(redAtEdge);
}

TEST(CanvasTextOut, DecodesWithTheFontCharset) {
  Surface a(60, 20), b(60, 20);
  a.canvas.Font()->SetCharset(RUSSIAN_CHARSET);
  a.canvas.TextOut(0, 0, "\xC4\xE0");  // "Да" in windows-1251
  b.canvas.TextOutW(0, 0, QString::fromUtf8("Да"));
  EXPECT_EQ(a.image, b.image);
  EXPECT_EQ(a.canvas.TextWidth("\xC4\xE0"), b.canvas.TextExtentW(QString::fromUtf8("Да")).cx);
}

// --- origin and clipping

TEST(CanvasOrigin, ShiftsDrawingAndClipRestricts) {
  Surface s(20, 20);
  s.canvas.SetOrigin(Point(5, 6));
  s.canvas.SetClipRect(Rect(0, 0, 3, 3));
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.FillRect(Rect(-2, -2, 10, 10));
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(Rect(5, 6, 8, 9)));
  EXPECT_EQ(s.canvas.ClipRect(), Rect(0, 0, 3, 3));
  EXPECT_EQ(s.canvas.Pixel(0, 0), clRed);  // logical coordinates
  s.canvas.ResetClip();
  EXPECT_EQ(s.canvas.ClipRect(), Rect(-5, -6, 15, 14));
}

TEST(CanvasPixels, ReadOutsideTheImageGivesMinusOne) {
  Surface s(4, 4);
  s.canvas.SetPixel(3, 3, clRed);
  EXPECT_EQ(s.canvas.Pixel(3, 3), clRed);
  EXPECT_EQ(s.canvas.Pixel(4, 0), -1);
  EXPECT_EQ(s.canvas.Pixel(-1, 0), -1);
  s.canvas.SetPixel(10, 10, clRed);  // ignored
  TCanvas unattached;
  EXPECT_EQ(unattached.Pixel(0, 0), -1);
  unattached.FillRect(Rect(0, 0, 5, 5));  // harmless
}

TEST(CanvasPolygon, FillsPixelCentresAndOutlinesTheVertices) {
  Surface s(20, 20);
  s.canvas.Pen()->SetStyle(psClear);
  s.canvas.Brush()->SetColor(clRed);
  s.canvas.Polygon({Point(2, 2), Point(8, 2), Point(8, 6), Point(2, 6)});
  EXPECT_EQ(s.PixelsOf(clRed), RectPixels(Rect(2, 2, 8, 6)));
  Surface t(20, 20);
  t.canvas.Brush()->SetStyle(bsClear);
  t.canvas.Polygon({Point(2, 2), Point(8, 2), Point(8, 6), Point(2, 6)});
  auto outline = RectPixels(Rect(2, 2, 9, 7));
  for (auto p : RectPixels(Rect(3, 3, 8, 6))) outline.erase(p);
  EXPECT_EQ(t.PixelsOf(clBlack), outline);
}

TEST(BufferedCanvas, StartsFilledAndBlitsToAnImage) {
  TBufferedCanvas c(5, 4, clBtnFace);
  EXPECT_EQ(c.Pixel(4, 3), RGB(212, 208, 200));
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(1, 1, 2, 2));
  QImage target(10, 10, QImage::Format_RGB32);
  target.fill(Qt::white);
  c.BlitTo(&target, 3, 3);
  EXPECT_EQ(QColor(target.pixel(4, 4)), QColor(Qt::red));
  EXPECT_EQ(QColor(target.pixel(3, 3)), QColor(212, 208, 200));
  EXPECT_EQ(QColor(target.pixel(8, 8)), QColor(Qt::white));
}

}  // namespace
