#include <gtest/gtest.h>

#include "controls/Graphics.h"

namespace {

struct SystemColorCase {
  const char* name;
  TColor color;
  TColor rgb;
  friend void PrintTo(const SystemColorCase& c, std::ostream* os) { *os << c.name; }
};

class SystemColorResolution : public ::testing::TestWithParam<SystemColorCase> {};

TEST_P(SystemColorResolution, UsesTheClassicPalette) {
  const auto& c = GetParam();
  EXPECT_EQ(ColorToRGB(c.color), c.rgb) << c.name;
  QColor q = ColorToQColor(c.color);
  EXPECT_EQ(q.alpha(), 255);
  EXPECT_EQ(RGB(q.red(), q.green(), q.blue()), c.rgb) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Palette, SystemColorResolution,
    ::testing::Values(
        SystemColorCase{"clBtnFace", clBtnFace, RGB(212, 208, 200)},
        SystemColorCase{"clWindow", clWindow, RGB(255, 255, 255)},
        SystemColorCase{"clWindowText", clWindowText, RGB(0, 0, 0)},
        SystemColorCase{"clWindowFrame", clWindowFrame, RGB(0, 0, 0)},
        SystemColorCase{"clHighlight", clHighlight, RGB(10, 36, 106)},
        SystemColorCase{"clHighlightText", clHighlightText, RGB(255, 255, 255)},
        SystemColorCase{"clBtnShadow", clBtnShadow, RGB(128, 128, 128)},
        SystemColorCase{"clBtnHighlight", clBtnHighlight, RGB(255, 255, 255)},
        SystemColorCase{"cl3DDkShadow", cl3DDkShadow, RGB(64, 64, 64)},
        SystemColorCase{"cl3DLight", cl3DLight, RGB(212, 208, 200)},
        SystemColorCase{"clBtnText", clBtnText, RGB(0, 0, 0)},
        SystemColorCase{"clGrayText", clGrayText, RGB(128, 128, 128)},
        SystemColorCase{"clMenu", clMenu, RGB(212, 208, 200)}, SystemColorCase{"clMenuText", clMenuText, RGB(0, 0, 0)},
        SystemColorCase{"clInfoBk", clInfoBk, RGB(255, 255, 225)},
        SystemColorCase{"clInfoText", clInfoText, RGB(0, 0, 0)},
        SystemColorCase{"clActiveCaption", clActiveCaption, RGB(10, 36, 106)},
        SystemColorCase{"clInactiveCaption", clInactiveCaption, RGB(128, 128, 128)},
        SystemColorCase{"clCaptionText", clCaptionText, RGB(255, 255, 255)},
        SystemColorCase{"clAppWorkSpace", clAppWorkSpace, RGB(128, 128, 128)},
        SystemColorCase{"clBackground", clBackground, RGB(58, 110, 165)}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ColorResolution, PlainColorsKeepTheirRgbBytes) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), 0x030201);
  QColor q = ColorToQColor(RGB(10, 20, 30));
  EXPECT_EQ(q, QColor(10, 20, 30));
  EXPECT_EQ(QColorToColor(QColor(10, 20, 30)), RGB(10, 20, 30));
}

TEST(ColorResolution, NoneIsTransparentAndDefaultIsTheWindowColor) {
  EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
  EXPECT_EQ(ColorToRGB(clNone), clWhite);
  EXPECT_EQ(ColorToRGB(clDefault), clWhite);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);  // unknown system colour
}

TEST(ColorResolution, PixelValuesRoundTrip) {
  EXPECT_EQ(ColorToPixel(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
  EXPECT_EQ(PixelToColor(0xFF123456u), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(ColorToPixel(clBtnFace), 0xFFD4D0C8u);
}

TEST(RectHelpers, IntersectUnionInflateOffset) {
  TRect r;
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 5, 5), Rect(5, 0, 10, 5)));  // touching edges only
  EXPECT_EQ(r, TRect{});
  EXPECT_TRUE(UnionRect(r, Rect(0, 0, 2, 2), Rect(5, 5, 6, 7)));
  EXPECT_EQ(r, Rect(0, 0, 6, 7));
  TRect g = Rect(2, 2, 4, 4);
  InflateRect(g, 1, 2);
  EXPECT_EQ(g, Rect(1, 0, 5, 6));
  OffsetRect(g, -1, 3);
  EXPECT_EQ(g, Rect(0, 3, 4, 9));
  EXPECT_EQ(RectWidth(g), 4);
  EXPECT_EQ(RectHeight(g), 6);
  EXPECT_EQ(Bounds(3, 4, 5, 6), Rect(3, 4, 8, 10));
}

TEST(RectHelpers, ContainmentIsHalfOpen) {
  TRect r = Rect(1, 1, 4, 4);
  EXPECT_TRUE(PtInRect(r, Point(1, 1)));
  EXPECT_TRUE(PtInRect(r, Point(3, 3)));
  EXPECT_FALSE(PtInRect(r, Point(4, 3)));
  EXPECT_FALSE(PtInRect(r, Point(3, 4)));
  EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
}

TEST(MulDivRounding, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);   // 10.67
  EXPECT_EQ(MulDiv(10, 96, 72), 13);  // 13.33
  EXPECT_EQ(MulDiv(3, 1, 2), 2);      // 1.5
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(-11, 72, 96), -8);  // -8.25
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace

TEST(RectHelpers, BoundsAtTheIntegerLimitWrapsLikeA32BitSum) {
  // Found by the preview fuzz target: Left = 2147483647 overflowed.
  constexpr TRect r = Bounds(2147483647, -2147483647 - 1, 10, -1);
  EXPECT_EQ(r.Right, -2147483647 + 8);
  EXPECT_EQ(r.Bottom, 2147483647);
}
