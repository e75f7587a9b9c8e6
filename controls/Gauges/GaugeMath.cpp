#include "GaugeMath.h"

#include <cfloat>

// ScaleByPercent's results depend on the x87 extended format: a 64-bit
// mantissa rounded to nearest. Other long double formats (double-sized, or
// 113-bit quadruple) size some bars one pixel differently.
static_assert(LDBL_MANT_DIG == 64, "ScaleByPercent needs 80-bit extended long double");

int32_t PercentOf(int64_t part, int64_t whole) {
  if (whole == 0) return 0;
  // |part| and |whole| stay below 2^33, so part * 100 cannot overflow, and
  // C++ integer division truncates toward zero.
  return static_cast<int32_t>(part * 100 / whole);
}

int32_t ScaleByPercent(int32_t percent, int32_t length) {
  // Two roundings at extended precision, in this order; the long double
  // literal is 0.01 rounded to the nearest extended value.
  const long double fraction = static_cast<long double>(percent) * 0.01L;
  const long double scaled = static_cast<long double>(length) * fraction;
  // |scaled| < 2^62, so the 64-bit truncation is always defined; narrowing to
  // 32 bits then wraps like the 32-bit arithmetic around it.
  return static_cast<int32_t>(static_cast<int64_t>(scaled));
}
