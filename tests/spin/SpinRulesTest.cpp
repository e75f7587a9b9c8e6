// The spin controls' arithmetic and geometry, checked against worked
// numbers without creating any control.
#include <climits>

#include <gtest/gtest.h>

#include "Spin/SpinRules.h"

namespace {

struct PairCase {
  int width, height;
  int expectWidth;
  TRect upper, lower;
};

class ButtonPairLayout : public ::testing::TestWithParam<PairCase> {};

TEST_P(ButtonPairLayout, HalvesOverlapByOnePixelAndEndAtTheBottom) {
  const PairCase& c = GetParam();
  const spin::TButtonPair pair = spin::LayOutButtonPair(c.width, c.height);
  EXPECT_EQ(pair.Width, c.expectWidth);
  EXPECT_EQ(pair.Upper, c.upper);
  EXPECT_EQ(pair.Lower, c.lower);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, ButtonPairLayout,
    ::testing::Values(
        PairCase{20, 25, 20, Bounds(0, 0, 20, 12), Bounds(0, 11, 20, 14)},
        PairCase{15, 17, 15, Bounds(0, 0, 15, 8), Bounds(0, 7, 15, 10)},
        PairCase{15, 20, 15, Bounds(0, 0, 15, 10), Bounds(0, 9, 15, 11)},
        PairCase{20, 1, 20, Bounds(0, 0, 20, 0), Bounds(0, -1, 20, 2)},
        PairCase{20, 0, 20, Bounds(0, 0, 20, 0), Bounds(0, -1, 20, 1)},
        // A narrow proposal is widened; the height is never touched.
        PairCase{10, 3, 15, Bounds(0, 0, 15, 1), Bounds(0, 0, 15, 3)},
        PairCase{-4, 25, 15, Bounds(0, 0, 15, 12), Bounds(0, 11, 15, 14)},
        // Negative heights truncate toward zero rather than flooring.
        PairCase{20, -3, 20, Bounds(0, 0, 20, -1), Bounds(0, -2, 20, -1)}));

TEST(FocusMark, InsetByThreeAndShiftedWhilePressed) {
  EXPECT_EQ(spin::FocusMarkRect(20, 12, false), Rect(3, 3, 17, 9));
  EXPECT_EQ(spin::FocusMarkRect(20, 12, true), Rect(4, 4, 18, 10));
}

struct ClampCase {
  int minValue, maxValue, value, expect;
};

class ClampValueTable : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampValueTable, FollowsTheBoundsRule) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(spin::ClampValue(c.value, c.minValue, c.maxValue), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    OrderedBounds, ClampValueTable,
    ::testing::Values(ClampCase{0, 10, -1, 0}, ClampCase{0, 10, 0, 0}, ClampCase{0, 10, 5, 5}, ClampCase{0, 10, 10, 10},
                      ClampCase{0, 10, 15, 10}, ClampCase{-5, 5, INT_MIN, -5}, ClampCase{-5, 5, INT_MAX, 5}));
INSTANTIATE_TEST_SUITE_P(
    EqualBoundsMeanUnbounded, ClampValueTable,
    ::testing::Values(ClampCase{0, 0, -7, -7}, ClampCase{0, 0, 123456, 123456}, ClampCase{5, 5, 3, 3},
                      ClampCase{5, 5, 20, 20}, ClampCase{INT_MAX, INT_MAX, INT_MIN, INT_MIN}));
INSTANTIATE_TEST_SUITE_P(
    InvertedBoundsTestTheLowerFirst, ClampValueTable,
    ::testing::Values(ClampCase{10, 5, 3, 10}, ClampCase{10, 5, 7, 10}, ClampCase{10, 5, 20, 5},
                      ClampCase{10, 5, 10, 5}, ClampCase{10, 5, 9, 10}));

struct StepCase {
  int value, increment;
  bool up;
  int expect;
};

class StepValueTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepValueTable, StopsAtTheEndsOfTheRangeInsteadOfWrapping) {
  const StepCase& c = GetParam();
  EXPECT_EQ(spin::StepValue(c.value, c.increment, c.up), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepValueTable,
    ::testing::Values(
        StepCase{0, 1, true, 1}, StepCase{0, 1, false, -1}, StepCase{10, -3, true, 7}, StepCase{10, 0, false, 10},
        StepCase{INT_MAX, 1, true, INT_MAX}, StepCase{INT_MAX - 1, 5, true, INT_MAX},
        StepCase{INT_MIN, 1, false, INT_MIN}, StepCase{INT_MIN + 2, 100, false, INT_MIN},
        StepCase{0, INT_MIN, false, INT_MAX}, StepCase{-1, INT_MIN, true, INT_MIN},
        StepCase{INT_MAX, INT_MIN, true, -1}));

struct CharCase {
  char key;
  bool editorEnabled;
  bool accepted;
};

class TypedCharacters : public ::testing::TestWithParam<CharCase> {};

TEST_P(TypedCharacters, PassOnlyWhatCanMakeUpANumber) {
  const CharCase& c = GetParam();
  EXPECT_EQ(spin::AcceptsSpinChar(c.key, '.', c.editorEnabled), c.accepted)
      << "code " << int(static_cast<unsigned char>(c.key));
}

INSTANTIATE_TEST_SUITE_P(
    EditorEnabled, TypedCharacters,
    ::testing::Values(
        CharCase{'0', true, true}, CharCase{'9', true, true}, CharCase{'+', true, true}, CharCase{'-', true, true},
        CharCase{'.', true, true}, CharCase{',', true, false}, CharCase{' ', true, false}, CharCase{'a', true, false},
        CharCase{'\r', true, false}, CharCase{'\b', true, true}, CharCase{'\x01', true, true},
        CharCase{'\x1f', true, true}, CharCase{'\x7f', true, false}, CharCase{'\xe9', true, false}));
INSTANTIATE_TEST_SUITE_P(
    EditorDisabled, TypedCharacters,
    ::testing::Values(
        CharCase{'0', false, false}, CharCase{'-', false, false}, CharCase{'.', false, false},
        CharCase{' ', false, false}, CharCase{'\r', false, false}, CharCase{'\b', false, false},
        CharCase{'\x01', false, true}, CharCase{'\x1b', false, true}));

TEST(TypedCharacters, TheDecimalSeparatorIsReadAtEachCall) {
  EXPECT_TRUE(spin::AcceptsSpinChar(',', ',', true));
  EXPECT_FALSE(spin::AcceptsSpinChar('.', ',', true));
}

TEST(MinimumEditHeight, AddsAQuarterOfTheSmallerFontAndTheBorders) {
  EXPECT_EQ(spin::MinimumEditHeight(13, 16, 1), 22);
  EXPECT_EQ(spin::MinimumEditHeight(30, 16, 1), 30 + 4 + 4 + 2);
  EXPECT_EQ(spin::MinimumEditHeight(16, 16, 2), 16 + 4 + 8 + 2);
}

TEST(EmbeddedButtonBounds, ThreeDSitsInsideTheFrameFlatSitsFlushRight) {
  EXPECT_EQ(spin::EmbeddedButtonBounds(121, 25, 15, true), Bounds(101, 0, 15, 20));
  EXPECT_EQ(spin::EmbeddedButtonBounds(121, 25, 15, false), Bounds(106, 1, 15, 22));
}

TEST(EditTextArea, StopsTwoPixelsShortOfTheButton) { EXPECT_EQ(spin::EditTextArea(117, 21, 15), Rect(0, 0, 100, 22)); }

}  // namespace
