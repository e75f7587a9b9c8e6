// Checked arithmetic and string indexing for code that must raise the
// runtime's errors instead of wrapping or reading out of bounds.
#pragma once

#include <cstdint>
#include <string_view>

#include "Exceptions.h"

inline constexpr const char* SIntOverflow = "Integer overflow";
inline constexpr const char* SRangeError = "Range check error";

// a + b, raising EIntOverflow when the sum leaves the 32-bit range.
inline int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) throw EIntOverflow(SIntOverflow);
  return sum;
}

// The character at a 1-based position, raising ERangeError outside the text.
inline char CharAt(std::string_view s, size_t position) {
  if (position < 1 || position > s.size()) throw ERangeError(SRangeError);
  return s[position - 1];
}
