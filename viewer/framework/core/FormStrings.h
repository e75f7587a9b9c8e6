// How the framework stores string values in 8-bit strings.
//
// Form files carry 8-bit strings, whose code page is the character set of
// the font that shows them, and Unicode strings (wide or UTF-8). Both live
// in std::string: an 8-bit value keeps its bytes; a Unicode value with any
// character above 127 is stored as UTF-8 behind the three-byte UTF-8
// byte-order mark, so that display code knows to decode it as UTF-8 and
// writers know to write it back as a wide string. ASCII-only Unicode values
// are plain bytes either way.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kUnicodeMark = "\xEF\xBB\xBF";

bool IsUnicodeFormString(std::string_view s);
// UTF-16 little-endian code units (as bytes) to the stored form.
std::string FormStringFromUtf16(std::string_view utf16leBytes);
// UTF-8 text to the stored form.
std::string FormStringFromUtf8(std::string_view utf8);
// The UTF-8 text of a Unicode form string (without its mark).
std::string_view Utf8OfFormString(std::string_view s);
// UTF-16 little-endian bytes of a Unicode form string.
std::string Utf16OfFormString(std::string_view s);
