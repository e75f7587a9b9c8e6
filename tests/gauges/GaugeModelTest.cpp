// The gauge's model: a new gauge, the setters' rules, clamping, range
// checks, the percentage and the displayed text.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "GaugeTestSupport.h"
#include "core/Exceptions.h"

namespace {

// Sets a range in either order, as loading a form may.
void SetRange(TGauge& g, int32_t minValue, int32_t maxValue) {
  g.IncludeState(csLoading);
  g.SetMinValue(minValue);
  g.SetMaxValue(maxValue);
  g.ExcludeState(csLoading);
}

TEST(NewGauge, IsDefaultHorizontalBarOverZeroToHundred) {
  TProbeGauge g;
  EXPECT_EQ(g.Width(), 100);
  EXPECT_EQ(g.Height(), 100);
  EXPECT_EQ(g.MinValue(), 0);
  EXPECT_EQ(g.MaxValue(), 100);
  EXPECT_EQ(g.Progress(), 0);
  EXPECT_EQ(g.Percentage(), 0);
  EXPECT_EQ(g.Kind(), gkHorizontalBar);
  EXPECT_EQ(g.BorderStyle(), bsSingle);
  EXPECT_TRUE(g.ShowText());
  EXPECT_FALSE(g.ShowPercent());
  EXPECT_FALSE(g.RealOneStyle());
  EXPECT_EQ(g.Text(), "");
  EXPECT_EQ(g.DisplayText(), "");
}

TEST(NewGauge, IsBlueOnWhiteWithShadedFrameColours) {
  TProbeGauge g;
  EXPECT_EQ(g.ForeColor(), 0xFF0000);
  EXPECT_EQ(g.BackColor(), 0xFFFFFF);
  EXPECT_EQ(g.BorderColor(), RGB(99, 101, 99));
  EXPECT_EQ(g.BaseInnerHighColor(), RGB(189, 190, 189));
  EXPECT_EQ(g.BaseInnerLowColor(), 0xFFFFFF);
  EXPECT_EQ(g.InnerHighColor(), RGB(132, 166, 206));
  EXPECT_EQ(g.InnerLowCOlor(), RGB(16, 73, 123));
}

TEST(NewGauge, PaintsItsWholeAreaFramed) {
  TProbeGauge g;
  EXPECT_TRUE(g.HasStyle(csOpaque));
  EXPECT_TRUE(g.HasStyle(csFramed));
}

// --- Progress clamping

struct ClampCase {
  int32_t minValue;
  int32_t maxValue;
  int32_t value;
  int32_t stored;
};

class ProgressClamping : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ProgressClamping, StoresValueWithinRange) {
  const ClampCase& c = GetParam();
  TProbeGauge g;
  // Inverted ranges only arise while loading, when the cross-checks sleep.
  SetRange(g, c.minValue, c.maxValue);
  g.SetProgress(c.value);
  EXPECT_EQ(g.Progress(), c.stored) << c.value << " in " << c.minValue << ".." << c.maxValue;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ProgressClamping,
    ::testing::Values(
        ClampCase{0, 100, -5, 0}, ClampCase{0, 100, 250, 100}, ClampCase{0, 100, 42, 42}, ClampCase{0, 100, INT_MIN, 0},
        ClampCase{0, 100, INT_MAX, 100}, ClampCase{-50, -10, 0, -10}, ClampCase{7, 7, 0, 7},
        // Inverted: the lower bound is tested first, so below
        // MinValue gives MinValue and anything else MaxValue.
        ClampCase{200, 100, 50, 200}, ClampCase{200, 100, 150, 200}, ClampCase{200, 100, 200, 100},
        ClampCase{200, 100, 250, 100}));

// --- repaints

TEST(ProgressRepaint, OnlyWhenPercentageChanges) {
  TProbeGauge g;
  g.SetMaxValue(1000);
  g.repaints = 0;
  g.SetProgress(1);  // Percentage stays 0
  EXPECT_EQ(g.Progress(), 1);
  EXPECT_EQ(g.repaints, 0);
  g.SetProgress(10);  // Percentage becomes 1
  EXPECT_EQ(g.Percentage(), 1);
  EXPECT_EQ(g.repaints, 1);
  g.SetProgress(19);  // still 1
  EXPECT_EQ(g.repaints, 1);
  g.SetProgress(-3);  // clamped to 0: Percentage back to 0
  EXPECT_EQ(g.Progress(), 0);
  EXPECT_EQ(g.repaints, 2);
}

TEST(ProgressRepaint, NoneWhenClampedValueIsAlreadyStored) {
  TProbeGauge g;
  g.SetProgress(100);
  g.repaints = 0;
  g.SetProgress(150);
  g.SetProgress(100);
  EXPECT_EQ(g.repaints, 0);
}

// Every setter but Progress's: one repaint for a new value, none for the
// stored one.
struct SetterCase {
  const char* name;
  std::function<void(TGauge&)> change;
};

class SetterRepaint : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetterRepaint, OnceForNewValueNeverForSameValue) {
  TProbeGauge g;
  GetParam().change(g);
  EXPECT_EQ(g.repaints, 1);
  GetParam().change(g);
  EXPECT_EQ(g.repaints, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, SetterRepaint,
    ::testing::Values(
        SetterCase{"Kind", [](TGauge& g) { g.SetKind(gkPie); }},
        SetterCase{"KindOutOfRange", [](TGauge& g) { g.SetKind(TGaugeKind(9)); }},
        SetterCase{"ShowText", [](TGauge& g) { g.SetShowText(false); }},
        SetterCase{"ShowPercent", [](TGauge& g) { g.SetShowPercent(true); }},
        SetterCase{"RealOneStyle", [](TGauge& g) { g.SetRealOneStyle(true); }},
        SetterCase{"BorderStyle", [](TGauge& g) { g.SetBorderStyle(bsNone); }},
        SetterCase{"ForeColor", [](TGauge& g) { g.SetForeColor(clBlack); }},
        SetterCase{"BackColor", [](TGauge& g) { g.SetBackColor(clYellow); }},
        SetterCase{"BorderColor", [](TGauge& g) { g.SetBorderColor(clRed); }},
        SetterCase{"BaseInnerHighColor", [](TGauge& g) { g.SetBaseInnerHighColor(clRed); }},
        SetterCase{"BaseInnerLowColor", [](TGauge& g) { g.SetBaseInnerLowColor(clRed); }},
        SetterCase{"InnerHighColor", [](TGauge& g) { g.SetInnerHighColor(clRed); }},
        SetterCase{"InnerLowCOlor", [](TGauge& g) { g.SetInnerLowCOlor(clRed); }},
        // Colours are stored unvalidated, system colours and junk alike.
        SetterCase{"SystemColor", [](TGauge& g) { g.SetForeColor(clBtnFace); }},
        SetterCase{"Text", [](TGauge& g) { g.SetText("Load"); }},
        SetterCase{"MinValue", [](TGauge& g) { g.SetMinValue(-10); }},
        SetterCase{"MaxValue", [](TGauge& g) { g.SetMaxValue(1000); }}),
    [](const ::testing::TestParamInfo<SetterCase>& test) { return std::string(test.param.name); });

TEST(TextSetter, ComparesCaseSensitively) {
  TProbeGauge g;
  g.SetText("abc");
  g.SetText("ABC");
  EXPECT_EQ(g.Text(), "ABC");
  EXPECT_EQ(g.repaints, 2);
}

// --- range checks

// The message names both bounds, lower first.
void ExpectBoundsInMessage(const std::string& message, int32_t low, int32_t high) {
  const std::string lowText = std::to_string(low);
  const std::string highText = std::to_string(high);
  const size_t at = message.find(lowText);
  ASSERT_NE(at, std::string::npos) << message;
  EXPECT_NE(message.find(highText, at + lowText.size()), std::string::npos) << message;
}

struct RangeErrorCase {
  const char* name;
  int32_t minValue;
  int32_t maxValue;
  bool settingMin;  // else MaxValue
  int32_t value;
  int32_t low;
  int32_t high;
};

class RangeError : public ::testing::TestWithParam<RangeErrorCase> {};

TEST_P(RangeError, RaisesWithBoundsAndChangesNothing) {
  const RangeErrorCase& c = GetParam();
  TProbeGauge g;
  SetRange(g, c.minValue, c.maxValue);
  g.SetProgress(c.maxValue);
  const int32_t progress = g.Progress();
  g.repaints = 0;
  try {
    if (c.settingMin)
      g.SetMinValue(c.value);
    else
      g.SetMaxValue(c.value);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    ExpectBoundsInMessage(e.what(), c.low, c.high);
  }
  EXPECT_EQ(g.MinValue(), c.minValue);
  EXPECT_EQ(g.MaxValue(), c.maxValue);
  EXPECT_EQ(g.Progress(), progress);
  EXPECT_EQ(g.repaints, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, RangeError,
    ::testing::Values(
        // -MaxInt, not -2^31, and MaxValue - 1.
        RangeErrorCase{"MinAboveMax", 0, 100, true, 150, -2147483647, 99},
        RangeErrorCase{"MinFarAboveMax", 0, 100, true, INT_MAX, -2147483647, 99},
        RangeErrorCase{"MaxBelowMin", 0, 100, false, -1, 1, 2147483647},
        RangeErrorCase{"MaxBelowNegativeMin", -20, 100, false, -30, -19, 2147483647},
        // The bounds wrap at the ends of the integer range.
        RangeErrorCase{"MinAboveLowestMax", INT_MIN, INT_MIN, true, 0, -2147483647, INT_MAX},
        RangeErrorCase{"MaxBelowHighestMin", INT_MAX, INT_MAX, false, 0, INT_MIN, INT_MAX}),
    [](const ::testing::TestParamInfo<RangeErrorCase>& test) { return std::string(test.param.name); });

TEST(RangeBoundary, MinEqualToMaxIsAcceptedAndRaisesProgress) {
  TProbeGauge g;
  g.SetMinValue(100);
  EXPECT_EQ(g.MinValue(), 100);
  EXPECT_EQ(g.Progress(), 100);
  EXPECT_EQ(g.Percentage(), 0);  // an empty range
  EXPECT_EQ(g.repaints, 1);
}

TEST(RangeBoundary, MaxEqualToMinIsAccepted) {
  TProbeGauge g;
  g.SetProgress(30);
  g.SetMaxValue(0);
  EXPECT_EQ(g.MaxValue(), 0);
  EXPECT_EQ(g.Progress(), 0);
  EXPECT_EQ(g.Percentage(), 0);
}

TEST(RangeBoundary, LoweringMaxBelowProgressLowersProgress) {
  TProbeGauge g;
  g.SetProgress(80);
  g.SetMaxValue(50);
  EXPECT_EQ(g.Progress(), 50);
  EXPECT_EQ(g.Percentage(), 100);
}

TEST(RangeBoundary, RaisingMinAboveProgressRaisesProgress) {
  TProbeGauge g;
  g.SetProgress(10);
  g.SetMinValue(60);
  EXPECT_EQ(g.Progress(), 60);
  EXPECT_EQ(g.Percentage(), 0);
}

TEST(RangeWhileLoading, CrossChecksAreSkippedAndNotRerun) {
  TProbeGauge g;
  g.IncludeState(csLoading);
  EXPECT_NO_THROW(g.SetMinValue(200));
  g.ExcludeState(csLoading);
  EXPECT_EQ(g.MinValue(), 200);
  EXPECT_EQ(g.MaxValue(), 100);
  EXPECT_EQ(g.Progress(), 200);
  EXPECT_EQ(g.Percentage(), 0);
}

// --- percentage

struct PercentageCase {
  int32_t minValue;
  int32_t maxValue;
  int32_t progress;
  int32_t percentage;
};

class GaugePercentage : public ::testing::TestWithParam<PercentageCase> {};

TEST_P(GaugePercentage, IsPositionWithinRange) {
  const PercentageCase& c = GetParam();
  TProbeGauge g;
  SetRange(g, c.minValue, c.maxValue);
  g.SetProgress(c.progress);
  EXPECT_EQ(g.Percentage(), c.percentage);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, GaugePercentage,
    ::testing::Values(
        PercentageCase{0, 100, 42, 42}, PercentageCase{0, 1000, 999, 99}, PercentageCase{-100, 100, 0, 50},
        PercentageCase{-100, -50, -75, 50},
        // Ranges wider than 2^31: a 32-bit difference would
        // wrap and give -678 here.
        PercentageCase{-2000000000, 2000000000, 0, 50}, PercentageCase{-2000000000, 2000000000, 2000000000, 100},
        PercentageCase{-2000000000, 2000000000, -1960000000, 1}, PercentageCase{INT_MIN, INT_MAX, 0, 50},
        PercentageCase{INT_MIN, INT_MAX, INT_MAX, 100}, PercentageCase{INT_MIN, INT_MAX, INT_MIN, 0}));

TEST(GaugePercentage, WideRangeShowsAndRepaintsSensibly) {
  TProbeGauge g;
  g.SetShowPercent(true);
  g.SetMinValue(-2000000000);
  g.SetMaxValue(2000000000);
  EXPECT_EQ(g.DisplayText(), "50%");
  g.repaints = 0;
  g.SetProgress(2000000000);
  EXPECT_EQ(g.repaints, 1);
  EXPECT_EQ(g.DisplayText(), "100%");
}

// --- displayed text

TEST(DisplayedText, PercentFormatWithoutBlanksOrZeros) {
  TProbeGauge g;
  g.SetShowPercent(true);
  g.SetProgress(42);
  EXPECT_EQ(g.DisplayText(), "42%");
  g.SetProgress(0);
  EXPECT_EQ(g.DisplayText(), "0%");
  g.SetProgress(100);
  EXPECT_EQ(g.DisplayText(), "100%");
}

TEST(DisplayedText, TextIgnoredWhilePercentShown) {
  TProbeGauge g;
  g.SetText("Copying");
  g.SetProgress(7);
  EXPECT_EQ(g.DisplayText(), "Copying");
  g.SetShowPercent(true);
  EXPECT_EQ(g.DisplayText(), "7%");
  EXPECT_EQ(g.Text(), "Copying");
}

}  // namespace
