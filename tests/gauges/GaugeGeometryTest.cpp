// Where each kind draws, from the control's size and the percentage.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "Gauges/GaugeGeometry.h"

std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
std::ostream& operator<<(std::ostream& os, const TPoint& p) { return os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

// The default gauge: 100 x 100 with a single border.
const TRect kDefaultR = Rect(1, 1, 99, 99);

TEST(GaugePaintRect, SingleBorderLeavesOnePixelRing) {
  EXPECT_EQ(GaugePaintRect(100, 100, true), kDefaultR);
  EXPECT_EQ(GaugePaintRect(20, 200, true), Rect(1, 1, 19, 199));
  EXPECT_EQ(GaugePaintRect(100, 100, false), Rect(0, 0, 100, 100));
}

TEST(GaugeExtents, BarExtentIsOneMoreThanR) {
  EXPECT_EQ(BarExtent(kDefaultR), (TSize{99, 99}));
  EXPECT_EQ(BarExtent(Rect(0, 0, 100, 100)), (TSize{101, 101}));
}

TEST(GaugeExtents, DialExtentReachesRRightAndBottomInBothStyles) {
  EXPECT_EQ(DialExtent(kDefaultR, true), (TSize{99, 99}));
  EXPECT_EQ(DialExtent(Rect(0, 0, 100, 100), false), (TSize{100, 100}));
}

// --- plain bars of the default gauge

struct FillCase {
  int32_t percentage;
  TRect expected;  // a default (all-zero) rectangle when nothing is filled
};

class PlainHorizontalBar : public ::testing::TestWithParam<FillCase> {};

TEST_P(PlainHorizontalBar, FillsFromLeftToScaledEdge) {
  const FillCase& c = GetParam();
  const TRect fill = PlainHorizontalFill(kDefaultR, c.percentage);
  if (c.expected.IsEmpty())
    EXPECT_TRUE(fill.IsEmpty()) << c.percentage << "% gives " << fill;
  else
    EXPECT_EQ(fill, c.expected) << c.percentage << "%";
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, PlainHorizontalBar,
    ::testing::Values(
        FillCase{0, {}}, FillCase{1, {}},                                      // F = 0
        FillCase{2, {}},                                                       // F = 1: (1, 1, 1, 99) is empty
        FillCase{3, Rect(1, 1, 2, 99)},                                        // column 1
        FillCase{50, Rect(1, 1, 49, 99)},                                      // columns 1..48
        FillCase{100, Rect(1, 1, 99, 99)}, FillCase{150, Rect(1, 1, 99, 99)},  // capped at W
        FillCase{-10, {}}));

class PlainVerticalBar : public ::testing::TestWithParam<FillCase> {};

TEST_P(PlainVerticalBar, RisesFromBottomEdge) {
  const FillCase& c = GetParam();
  const TRect fill = PlainVerticalFill(kDefaultR, c.percentage);
  if (c.expected.IsEmpty())
    EXPECT_TRUE(fill.IsEmpty()) << c.percentage << "% gives " << fill;
  else
    EXPECT_EQ(fill, c.expected) << c.percentage << "%";
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, PlainVerticalBar,
    ::testing::Values(
        FillCase{0, {}}, FillCase{1, {}}, FillCase{3, Rect(1, 97, 99, 99)}, FillCase{50, Rect(1, 50, 99, 99)},
        // F = 99 is cut to 98: rows 1..98.
        FillCase{100, Rect(1, 1, 99, 99)}));

// --- framed bars

struct FramedCase {
  TRect r;
  int32_t percentage;
  bool vertical;
  std::optional<int32_t> edge;
};

class FramedBar : public ::testing::TestWithParam<FramedCase> {};

TEST_P(FramedBar, EdgeFollowsPercentageOfInnerExtent) {
  const FramedCase& c = GetParam();
  EXPECT_EQ(FramedBarEdge(c.r, c.percentage, c.vertical), c.edge) << c.percentage << "%";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FramedBar,
    ::testing::Values(
        FramedCase{kDefaultR, 0, false, std::nullopt},
        FramedCase{kDefaultR, 1, false, std::nullopt},  // ScaleByPercent gives 0
        FramedCase{kDefaultR, 2, false, 2}, FramedCase{kDefaultR, 50, false, 49}, FramedCase{kDefaultR, 100, false, 97},
        FramedCase{kDefaultR, 50, true, 49},
        // 20 x 200: W = 19, H = 199, Y = 1 * 196 div 100 + 1.
        FramedCase{Rect(1, 1, 19, 199), 1, true, 2}, FramedCase{Rect(1, 1, 19, 199), 100, true, 197},
        // Without a border W = 101.
        FramedCase{Rect(0, 0, 100, 100), 50, false, 50}));

// --- pie and needle

struct PointCase {
  int32_t percentage;
  TPoint expected;
};

class PieStart : public ::testing::TestWithParam<PointCase> {};

TEST_P(PieStart, LiesOnRayClockwiseFromTwelve) {
  const PointCase& c = GetParam();
  EXPECT_EQ(PieStartPoint({99, 99}, c.percentage), c.expected) << c.percentage << "%";
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, PieStart,
    ::testing::Values(
        PointCase{1, {52, 0}}, PointCase{25, {98, 49}}, PointCase{50, {49, 98}}, PointCase{75, {0, 49}},
        // Coincides with the end point: the whole disc.
        PointCase{100, {49, 0}}));

TEST(PieEnd, IsTwelveOClockOnTopEdge) {
  EXPECT_EQ(PieEndPoint({99, 99}), (TPoint{49, 0}));
  EXPECT_EQ(PieEndPoint({100, 60}), (TPoint{50, 0}));
}

class NeedleTipOf : public ::testing::TestWithParam<PointCase> {};

TEST_P(NeedleTipOf, SweepsLeftToRightOverDial) {
  const PointCase& c = GetParam();
  EXPECT_EQ(NeedleTip(100, kDefaultR, c.percentage), c.expected) << c.percentage << "%";
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, NeedleTipOf,
    ::testing::Values(
        PointCase{0, {0, 98}}, PointCase{25, {15, 29}}, PointCase{50, {50, 0}}, PointCase{100, {100, 98}}));

TEST(NeedlePivot, IsBottomCentreOfControlWidth) {
  EXPECT_EQ(NeedlePivot(100, kDefaultR), (TPoint{50, 98}));
  // The full control width, not R's.
  EXPECT_EQ(NeedlePivot(101, Rect(0, 0, 101, 60)), (TPoint{50, 59}));
}

// --- text

struct TextCase {
  TSize text;
  TPoint expected;
};

class TextOriginIn : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextOriginIn, CentresInImageCoordinates) {
  const TextCase& c = GetParam();
  EXPECT_EQ(TextOrigin(kDefaultR, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultGauge, TextOriginIn,
    ::testing::Values(
        TextCase{{20, 13}, {39, 43}}, TextCase{{0, 0}, {49, 49}},
        // Wider than R: truncated toward zero, not floored.
        TextCase{{120, 13}, {-10, 43}}, TextCase{{120, 140}, {-10, -20}}));

}  // namespace
