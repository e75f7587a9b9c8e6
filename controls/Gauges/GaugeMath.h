// The gauge's arithmetic: where a value stands within a range as a whole
// percentage, and how a percentage becomes a number of pixels.
//
// Both functions are pure; the gauge's model and its painting use them, and
// tests call them directly.
#pragma once

#include <cstdint>

// Part as a whole percentage of Whole: Part * 100 / Whole, truncated toward
// zero; 0 when Whole is 0.
//
// Part and Whole are differences of two 32-bit values (Progress - MinValue,
// MaxValue - MinValue), so they are taken as 64-bit integers: a range as wide
// as -2000000000..2000000000 has a Whole of 4000000000, which a 32-bit
// difference would wrap to a negative number and turn every percentage into
// nonsense. With Part between 0 and Whole the result lies in 0..100. Results
// outside the 32-bit range (only reachable with Part far outside Whole) wrap.
int32_t PercentOf(int64_t part, int64_t whole);

// Length * (Percent * 0.01), truncated toward zero.
//
// The bars are sized by this to the pixel, and it is deliberately not
// Percent * Length / 100: it runs in 80-bit extended precision (64-bit
// mantissa, round to nearest), where the constant 0.01 lies slightly below
// one hundredth, so some exact multiples come out one less (5 % of 100 is 4,
// 10 % of 100 is 9, 5 % of 20 is 0), while lengths such as 98, 99 and 199
// give the exact quotient for every percentage. The result never exceeds
// Percent * Length / 100 truncated. Results outside the 32-bit range wrap.
int32_t ScaleByPercent(int32_t percent, int32_t length);
