// Decoding of 8-bit form strings by font character set.
//
// Form files store most strings as 8-bit text in the code page of the
// character set of the font that shows them (GB2312_CHARSET text is GBK,
// RUSSIAN_CHARSET text is windows-1251 ...). Unicode strings carry the
// UTF-8 mark described in core/FormStrings.h and decode as UTF-8 whatever
// the charset. Single-byte Western text is decoded by built-in tables; the
// other code pages go through the C library's iconv.
#pragma once

#include <string>
#include <string_view>

#include <QString>

// Font character sets (the values fonts store in their Charset property).
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SYMBOL_CHARSET = 2;
inline constexpr int MAC_CHARSET = 77;
inline constexpr int SHIFTJIS_CHARSET = 128;
inline constexpr int HANGEUL_CHARSET = 129;
inline constexpr int JOHAB_CHARSET = 130;
inline constexpr int GB2312_CHARSET = 134;
inline constexpr int CHINESEBIG5_CHARSET = 136;
inline constexpr int GREEK_CHARSET = 161;
inline constexpr int TURKISH_CHARSET = 162;
inline constexpr int VIETNAMESE_CHARSET = 163;
inline constexpr int HEBREW_CHARSET = 177;
inline constexpr int ARABIC_CHARSET = 178;
inline constexpr int BALTIC_CHARSET = 186;
inline constexpr int RUSSIAN_CHARSET = 204;
inline constexpr int THAI_CHARSET = 222;
inline constexpr int EASTEUROPE_CHARSET = 238;
inline constexpr int OEM_CHARSET = 255;

// The code page name (as iconv knows it) text of a charset is written in.
// ANSI and DEFAULT both mean windows-1252; unknown values fall back to it.
const char* CodePageOfCharset(int charset);

// Decodes bytes in the named code page. Bytes that do not decode become
// U+FFFD; an unknown code page decodes as windows-1252.
QString DecodeCodePage(std::string_view bytes, const char* codePage);
// Encodes text into the named code page; characters it lacks become '?'.
std::string EncodeCodePage(const QString& text, const char* codePage);

// A form string as text: Unicode form strings decode as UTF-8, others by
// the code page of the charset.
QString DecodeFormString(std::string_view s, int charset);
// Text back to a form string: a plain 8-bit string when the charset's code
// page holds every character, else a Unicode form string.
std::string EncodeFormString(const QString& text, int charset);
// The same with the code page named (see TFont::CodePage, which knows what
// a form's DEFAULT_CHARSET text is in).
QString DecodeFormStringIn(std::string_view s, const char* codePage);
std::string EncodeFormStringIn(const QString& text, const char* codePage);
