// The gauge's arithmetic: PercentOf and ScaleByPercent.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "Gauges/GaugeMath.h"

namespace {

// --- PercentOf

struct PercentCase {
  int64_t part;
  int64_t whole;
  int32_t expected;
};

class PercentOfTable : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentOfTable, IsTruncatedQuotient) {
  const PercentCase& c = GetParam();
  EXPECT_EQ(PercentOf(c.part, c.whole), c.expected) << c.part << " of " << c.whole;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, PercentOfTable,
    ::testing::Values(
        // An empty range has no percentage, whatever the part.
        PercentCase{0, 0, 0}, PercentCase{5, 0, 0}, PercentCase{-5, 0, 0}, PercentCase{0, 100, 0},
        PercentCase{100, 100, 100}, PercentCase{42, 100, 42},
        // Truncation toward zero, not rounding and not flooring.
        PercentCase{1, 3, 33}, PercentCase{2, 3, 66}, PercentCase{-1, 3, -33}, PercentCase{999, 1000, 99},
        PercentCase{9, 1000, 0}, PercentCase{10, 1000, 1},
        // Inverted ranges: part and whole share their sign.
        PercentCase{-50, -100, 50}, PercentCase{-100, -100, 100}));

// Differences of 32-bit values need 33 bits: -2e9..2e9 spans 4e9.
INSTANTIATE_TEST_SUITE_P(
    WideRanges, PercentOfTable,
    ::testing::Values(
        PercentCase{2000000000, 4000000000, 50}, PercentCase{4000000000, 4000000000, 100},
        PercentCase{39999999, 4000000000, 0}, PercentCase{40000000, 4000000000, 1},
        PercentCase{3999999999, 4000000000, 99},
        // The whole 32-bit range, at its middle and ends.
        PercentCase{2147483648, 4294967295, 50}, PercentCase{4294967295, 4294967295, 100},
        PercentCase{0, 4294967295, 0}));

// --- ScaleByPercent

// An independent model of the extended-precision evaluation: exact integer
// products rounded to a 64-bit significand, ties to even.
struct Extended {
  unsigned __int128 mantissa;
  int exponent;  // value = mantissa * 2^exponent
};

int BitLength(unsigned __int128 v) {
  int n = 0;
  while (v) {
    v >>= 1;
    ++n;
  }
  return n;
}

Extended RoundTo64Bits(unsigned __int128 v, int exponent) {
  const int shift = BitLength(v) - 64;
  if (shift <= 0) return {v, exponent};
  unsigned __int128 kept = v >> shift;
  const unsigned __int128 rest = v & ((static_cast<unsigned __int128>(1) << shift) - 1);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
  if (rest > half || (rest == half && (kept & 1))) ++kept;
  if (BitLength(kept) > 64) return {kept >> 1, exponent + shift + 1};
  return {kept, exponent + shift};
}

int32_t ModelScaleByPercent(uint32_t percent, uint32_t length) {
  // 0.01 to the nearest 64-bit significand: 2^70 / 100 = 11805916207174113034.24.
  const Extended hundredth{11805916207174113034ull, -70};
  const Extended fraction = RoundTo64Bits(percent * hundredth.mantissa, hundredth.exponent);
  const Extended scaled = RoundTo64Bits(length * fraction.mantissa, fraction.exponent);
  const unsigned __int128 whole =
      scaled.exponent >= 0 ? scaled.mantissa << scaled.exponent : scaled.mantissa >> -scaled.exponent;
  return static_cast<int32_t>(whole);
}

struct ScaleCase {
  int32_t percent;
  int32_t length;
  int32_t expected;
};

class ScaleByPercentExamples : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleByPercentExamples, MatchesExtendedPrecision) {
  const ScaleCase& c = GetParam();
  EXPECT_EQ(ScaleByPercent(c.percent, c.length), c.expected) << c.percent << "% of " << c.length;
}

INSTANTIATE_TEST_SUITE_P(
    KnownValues, ScaleByPercentExamples,
    ::testing::Values(
        // One less than the exact quotient: 0.01 is held slightly low.
        ScaleCase{5, 20, 0}, ScaleCase{5, 100, 4}, ScaleCase{10, 100, 9},
        // Exact.
        ScaleCase{50, 100, 50}, ScaleCase{100, 100, 100}, ScaleCase{0, 100, 0}, ScaleCase{1, 99, 0},
        ScaleCase{2, 99, 1}, ScaleCase{100, 99, 99}, ScaleCase{50, 99, 49},
        // Negative values truncate toward zero.
        ScaleCase{-50, 99, -49}, ScaleCase{50, -99, -49}));

class ScaleByPercentSweep : public ::testing::TestWithParam<int32_t> {};

TEST_P(ScaleByPercentSweep, AgreesWithExactRoundingModel) {
  const int32_t length = GetParam();
  for (int32_t percent = 0; percent <= 100; ++percent)
    EXPECT_EQ(ScaleByPercent(percent, length), ModelScaleByPercent(percent, length)) << percent << "% of " << length;
}

TEST_P(ScaleByPercentSweep, NeverExceedsExactQuotient) {
  const int32_t length = GetParam();
  for (int32_t percent = 0; percent <= 100; ++percent) {
    const int32_t exact = percent * length / 100;
    const int32_t scaled = ScaleByPercent(percent, length);
    EXPECT_TRUE(scaled == exact || scaled == exact - 1) << percent << "% of " << length;
  }
}

INSTANTIATE_TEST_SUITE_P(
    BarLengths, ScaleByPercentSweep, ::testing::Values(20, 98, 99, 100, 199, 1, 2, 3, 101, 200, 399, 400));

class ScaleByPercentExactLengths : public ::testing::TestWithParam<int32_t> {};

TEST_P(ScaleByPercentExactLengths, EveryPercentageGivesIntegerQuotient) {
  const int32_t length = GetParam();
  for (int32_t percent = 0; percent <= 100; ++percent)
    EXPECT_EQ(ScaleByPercent(percent, length), percent * length / 100) << percent << "% of " << length;
}

INSTANTIATE_TEST_SUITE_P(BarLengths, ScaleByPercentExactLengths, ::testing::Values(98, 99, 199));

TEST(ScaleByPercent, ShortLengthsLoseAPixelAtSomeExactMultiples) {
  // The plain bar of a 21-pixel gauge (W = 20) stays empty at 5 %.
  int shortfalls20 = 0;
  int shortfalls100 = 0;
  for (int32_t percent = 0; percent <= 100; ++percent) {
    shortfalls20 += ScaleByPercent(percent, 20) < percent * 20 / 100;
    shortfalls100 += ScaleByPercent(percent, 100) < percent;
  }
  EXPECT_GT(shortfalls20, 0);
  EXPECT_GT(shortfalls100, 0);
}

}  // namespace
