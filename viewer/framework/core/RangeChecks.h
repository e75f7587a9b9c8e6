// Range-checked string indexing, beside the checked arithmetic of
// CheckedMath.h, for code that must raise the runtime's errors instead of
// reading out of bounds.
#pragma once

#include <cstddef>
#include <string_view>

#include "CheckedMath.h"

// The character at a 1-based position, raising ERangeError outside the text.
inline char CharAt(std::string_view s, size_t position) {
  if (position < 1 || position > s.size()) throw ERangeError(Msg::SRangeError);
  return s[position - 1];
}
