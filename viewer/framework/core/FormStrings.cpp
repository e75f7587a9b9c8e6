#include "FormStrings.h"

#include <cstdint>

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::string& out, uint32_t cp) {
  auto unit = [&out](uint32_t u) {
    out += char(u & 0xFF);
    out += char((u >> 8) & 0xFF);
  };
  if (cp < 0x10000) {
    unit(cp);
  } else {
    cp -= 0x10000;
    unit(0xD800 + (cp >> 10));
    unit(0xDC00 + (cp & 0x3FF));
  }
}

bool HasNonAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

}  // namespace

bool IsUnicodeFormString(std::string_view s) { return s.substr(0, 3) == kUnicodeMark; }

std::string FormStringFromUtf16(std::string_view b) {
  std::string utf8;
  size_t n = b.size() / 2;
  auto unit = [&b](size_t i) -> uint32_t {
    return uint32_t(uint8_t(b[2 * i])) | (uint32_t(uint8_t(b[2 * i + 1])) << 8);
  };
  for (size_t i = 0; i < n; ++i) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      u = 0xFFFD;  // a lone surrogate
    }
    AppendUtf8(utf8, u);
  }
  return FormStringFromUtf8(utf8);
}

std::string FormStringFromUtf8(std::string_view utf8) {
  if (!HasNonAscii(utf8)) return std::string(utf8);
  std::string out(kUnicodeMark);
  out.append(utf8.data(), utf8.size());
  return out;
}

std::string_view Utf8OfFormString(std::string_view s) {
  return IsUnicodeFormString(s) ? s.substr(kUnicodeMark.size()) : s;
}

std::string Utf16OfFormString(std::string_view s) {
  std::string_view u = Utf8OfFormString(s);
  std::string out;
  out.reserve(u.size() * 2);
  size_t i = 0;
  while (i < u.size()) {
    uint8_t c = uint8_t(u[i]);
    uint32_t cp;
    size_t len;
    if (c < 0x80) {
      cp = c;
      len = 1;
    } else if ((c >> 5) == 6) {
      cp = c & 0x1F;
      len = 2;
    } else if ((c >> 4) == 14) {
      cp = c & 0x0F;
      len = 3;
    } else if ((c >> 3) == 30) {
      cp = c & 0x07;
      len = 4;
    } else {
      AppendUtf16(out, 0xFFFD);
      ++i;
      continue;
    }
    if (i + len > u.size()) {
      AppendUtf16(out, 0xFFFD);
      break;
    }
    bool ok = true;
    for (size_t k = 1; k < len; ++k) {
      uint8_t cc = uint8_t(u[i + k]);
      if ((cc >> 6) != 2) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      AppendUtf16(out, 0xFFFD);
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += len;
  }
  return out;
}
