// ASCII case and letter tests. Form files name classes, properties and
// keywords in ASCII and compare them without regard to case; bytes of other
// code pages (0x80 and up) are left as they are, whatever the locale.
#pragma once

#include <string>
#include <string_view>

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - ('a' - 'A')) : c; }
constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

inline std::string AsciiLowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

// Equal when ASCII letters are compared without regard to case.
constexpr bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// True when `s` starts with `lower`, an ASCII prefix written in lower case,
// in any case.
constexpr bool StartsWithLowerAscii(std::string_view s, std::string_view lower) {
  if (s.size() < lower.size()) return false;
  for (size_t k = 0; k < lower.size(); ++k)
    if (AsciiLower(s[k]) != lower[k]) return false;
  return true;
}
