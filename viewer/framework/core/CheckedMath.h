// Overflow-checked integer arithmetic and range-checked conversions, for
// code that must raise the runtime's errors instead of wrapping or reading
// out of bounds: EIntOverflow for arithmetic, ERangeError for a value or an
// index outside its range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "Exceptions.h"

namespace Msg {
inline constexpr const char* SIntOverflow = "Integer overflow";
inline constexpr const char* SRangeError = "Range check error";
}  // namespace Msg

template <typename T>
T CheckedAdd(T a, T b) {
  T r;
  if (__builtin_add_overflow(a, b, &r)) throw EIntOverflow(Msg::SIntOverflow);
  return r;
}
template <typename T>
T CheckedSub(T a, T b) {
  T r;
  if (__builtin_sub_overflow(a, b, &r)) throw EIntOverflow(Msg::SIntOverflow);
  return r;
}
template <typename T>
T CheckedMul(T a, T b) {
  T r;
  if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow(Msg::SIntOverflow);
  return r;
}
// Truncating division; dividing the most negative value by -1 overflows.
template <typename T>
T CheckedDiv(T a, T b) {
  if (b == 0) throw EIntOverflow("Division by zero");
  if (b == T(-1)) return CheckedSub(T(0), a);
  return a / b;
}

// value converted to T; a value T cannot hold raises ERangeError.
template <typename T, typename V>
T RangeChecked(V value) {
  T r;
  if (__builtin_add_overflow(value, V(0), &r)) throw ERangeError(Msg::SRangeError);
  return r;
}
// value when it lies in lo..hi (both included); ERangeError otherwise.
template <typename T>
T RangeChecked(T value, T lo, T hi) {
  if (value < lo || value > hi) throw ERangeError(Msg::SRangeError);
  return value;
}
// The element of a fixed array at a checked index.
template <typename A>
auto CheckedAt(const A& array, std::ptrdiff_t index) -> decltype(array[0]) {
  if (index < 0 || size_t(index) >= std::size(array)) throw ERangeError(Msg::SRangeError);
  return array[size_t(index)];
}
