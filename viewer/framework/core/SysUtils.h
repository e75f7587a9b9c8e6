// Text and file helpers with the semantics form handling relies on: 8-bit
// strings, ASCII-only case mapping, and trimming of blanks and control
// characters.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

bool FileExists(const std::string& path);

// Lower-/upper-cases ASCII letters only; other bytes pass unchanged.
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);

// Removes every character up to and including the blank (code 0..32) from
// one or both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// "True" or "False".
std::string BoolToStr(bool value, bool useBoolStrs = true);

// ASCII case-insensitive comparisons.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
// True when text equals one entry of the list, ignoring ASCII case.
bool AnsiMatchText(std::string_view text, const std::vector<std::string>& values);

std::string IntToStr(int64_t value);
// Accepts optional blanks, a sign, decimal digits or a $/0x hex prefix, in
// the 32-bit range. Raises EConvertError otherwise.
int32_t StrToInt(std::string_view s);
// As StrToInt, but yields false instead of raising.
bool TryStrToInt(std::string_view s, int32_t& value);

namespace detail {
template <typename T>
auto FormatArg(const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    return v.c_str();
  } else {
    return v;
  }
}
}  // namespace detail

// printf-style formatting with std::string arguments accepted for %s.
template <typename... Args>
std::string Format(const char* format, const Args&... args) {
  int n = std::snprintf(nullptr, 0, format, detail::FormatArg(args)...);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  std::snprintf(out.data(), out.size() + 1, format, detail::FormatArg(args)...);
  return out;
}
