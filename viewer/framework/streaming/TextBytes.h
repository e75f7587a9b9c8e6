// Byte-level pieces of the form text writer: short copies, runs of spaces,
// hex digits and the scan for quotable bytes. Converting a large form spends
// most of its time here, a few bytes per call, so each is inline and
// branch-light. Writers call them on buffers from FormOutput::Room, which
// leaves at least kTextBytesSlack bytes beyond what they keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Room a caller asks for beyond the bytes it keeps: the helpers store whole
// 16-byte blocks and may run past the end by up to this much.
inline constexpr size_t kTextBytesSlack = 32;

// Copies n bytes; stores up to 16 bytes past d + n.
inline char* CopyTextBytes(char* d, const char* s, size_t n) {
  if (n >= 8 && n <= 16) {
    uint64_t head, tail;
    std::memcpy(&head, s, 8);
    std::memcpy(&tail, s + n - 8, 8);
    std::memcpy(d, &head, 8);
    std::memcpy(d + n - 8, &tail, 8);
  } else if (n >= 4 && n < 8) {
    uint32_t head, tail;
    std::memcpy(&head, s, 4);
    std::memcpy(&tail, s + n - 4, 4);
    std::memcpy(d, &head, 4);
    std::memcpy(d + n - 4, &tail, 4);
  } else if (n > 0 && n < 4) {
    d[0] = s[0];
    d[n / 2] = s[n / 2];
    d[n - 1] = s[n - 1];
  } else if (n > 16 && n <= 32) {
    char head[16], tail[16];
    std::memcpy(head, s, 16);
    std::memcpy(tail, s + n - 16, 16);
    std::memcpy(d, head, 16);
    std::memcpy(d + n - 16, tail, 16);
  } else if (n > 32) {
    std::memcpy(d, s, n);
  }
  return d + n;
}

// n spaces; stores up to 16 bytes past d + n.
inline char* PutTextSpaces(char* d, size_t n) {
  static constexpr char kSpaces[17] = "                ";
  for (size_t i = 0; i < n; i += 16) std::memcpy(d + i, kSpaces, 16);
  return d + n;
}

// Two upper-case hex digits per byte, high nibble first.
inline char* PutTextHex(char* d, const uint8_t* p, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i low4 = _mm_set1_epi8(0x0F), nine = _mm_set1_epi8(9);
  const __m128i zero = _mm_set1_epi8('0'), letterGap = _mm_set1_epi8('A' - '0' - 10);
  auto digits = [&](__m128i nibbles) {
    __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, nine), letterGap);
    return _mm_add_epi8(_mm_add_epi8(nibbles, zero), letters);
  };
  for (; i + 16 <= n; i += 16, d += 32) {
    __builtin_prefetch(p + i + 1024);
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i high = digits(_mm_and_si128(_mm_srli_epi16(bytes, 4), low4));
    __m128i low = digits(_mm_and_si128(bytes, low4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_unpacklo_epi8(high, low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), _mm_unpackhi_epi8(high, low));
  }
#endif
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (; i < n; ++i, d += 2) {
    d[0] = kDigits[p[i] >> 4];
    d[1] = kDigits[p[i] & 15];
  }
  return d;
}

// Copies the bytes that can stand inside quotes in an 8-bit string (all but
// control characters and the quote) from s, at most n, and returns how many
// it copied. Stores up to 16 bytes past d + n.
inline size_t CopyQuotedRun8(char* d, const unsigned char* s, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i control = _mm_set1_epi8(0x1F), quote = _mm_set1_epi8('\'');
  for (; i + 16 <= n; i += 16) {
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), bytes);
    __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(bytes, control), bytes);
    auto stop = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(below, _mm_cmpeq_epi8(bytes, quote))));
    if (stop) return i + static_cast<size_t>(__builtin_ctz(stop));
  }
#endif
  for (; i < n && s[i] >= ' ' && s[i] != '\''; ++i) d[i] = static_cast<char>(s[i]);
  return i;
}

#if defined(__SSE2__)
// 0xFF in each byte of x that lies in [low, high] (unsigned), else 0.
inline __m128i BytesInRange(__m128i x, char low, char high) {
  const __m128i offset = _mm_sub_epi8(x, _mm_set1_epi8(low));
  return _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(static_cast<char>(high - low))), offset);
}

// Whether the first n bytes (1 <= n <= 16) of a block are one name in form
// text: a letter, '_' or a byte above 127, then those or digits; with
// dotted, several such joined by single dots.
inline bool IsShortTextIdentifier(__m128i bytes, size_t n, bool dotted) {
  const __m128i letter = BytesInRange(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 'a', 'z');
  const auto starts = static_cast<uint32_t>(
      _mm_movemask_epi8(letter) | _mm_movemask_epi8(bytes) |
      _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('_'))));
  const auto digits = static_cast<uint32_t>(_mm_movemask_epi8(BytesInRange(bytes, '0', '9')));
  const auto dots = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))));
  const uint32_t inside = (1u << n) - 1;
  if (((starts | digits | dots) & inside) != inside) return false;
  if (dots & inside && !dotted) return false;
  // The first byte and every byte after a dot start a name, so they exist and are start bytes.
  const uint32_t nameStarts = 1u | (dots & inside) << 1;
  return (nameStarts & ~(starts & inside)) == 0;
}

// Loads the 16 bytes at s when they lie in one 4 KB page. A load inside a
// page cannot fault; the bytes past the end of the name are never used.
[[gnu::no_sanitize_address]] inline bool LoadWithinPage(const char* s, __m128i& block) {
  if ((reinterpret_cast<uintptr_t>(s) & 4095) > 4096 - 16) return false;
  block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  return true;
}
#endif

// Copies a name (stores up to 16 bytes past its end) and sets isName when
// it was checked on the way and is one name, as IsFormTextIdentifier
// decides. isName false means "not a name, or not checked here": callers
// then decide the long way.
inline char* CopyTextName(char* d, std::string_view name, bool dotted, bool& isName) {
#if defined(__SSE2__)
  __m128i block;
  if (name.size() - 1 < 16 && LoadWithinPage(name.data(), block)) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), block);
    isName = IsShortTextIdentifier(block, name.size(), dotted);
    return d + name.size();
  }
#else
  (void)dotted;
#endif
  isName = false;
  return CopyTextBytes(d, name.data(), name.size());
}

#if defined(__SSE2__)
// Reads 32 hex digits (either case) at s as 16 bytes into out; false, with
// nothing written, when any of the 32 is not a hex digit.
inline bool DecodeTextHex32(const unsigned char* s, char* out) {
  auto nibbles = [&](__m128i x, bool& ok) {
    const __m128i digit = BytesInRange(x, '0', '9');
    const __m128i letter = BytesInRange(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'f');
    ok = _mm_movemask_epi8(_mm_or_si128(digit, letter)) == 0xFFFF;
    // '0'..'9' -> low nibble; 'A'..'F' / 'a'..'f' -> low nibble + 9.
    return _mm_add_epi8(_mm_and_si128(x, _mm_set1_epi8(0x0F)), _mm_and_si128(letter, _mm_set1_epi8(9)));
  };
  // Each 16-bit lane holds a digit pair, first digit in its low byte.
  auto pairs = [](__m128i n) {
    return _mm_or_si128(_mm_and_si128(_mm_slli_epi16(n, 4), _mm_set1_epi16(0x00F0)), _mm_srli_epi16(n, 8));
  };
  bool okLow = false, okHigh = false;
  const __m128i first = nibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), okLow);
  const __m128i second = nibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16)), okHigh);
  if (!(okLow && okHigh)) return false;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(pairs(first), pairs(second)));
  return true;
}
#endif

// The first quote or line break in [s, end), or end: where a quoted segment
// of form text stops.
inline const char* FindQuoteOrLineEnd(const char* s, const char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('\''), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
  for (; end - s >= 16; s += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i stop =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)));
    if (const int mask = _mm_movemask_epi8(stop)) return s + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  while (s < end && *s != '\'' && *s != '\n' && *s != '\r') ++s;
  return s;
}
