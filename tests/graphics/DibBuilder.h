// Builds small device-independent bitmaps byte by byte for the decoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dib {

inline void U32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
}
inline void U16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}

struct Layout {
  int width = 0;
  int height = 0;  // rows given top row first; stored bottom-up unless topDown
  int bpp = 24;
  bool topDown = false;
  bool coreHeader = false;  // the 12-byte header with 3-byte palette entries
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // BI_BITFIELDS masks after the header
  // rows[y] holds the packed bytes of row y (top row first), unpadded.
  std::vector<std::string> rows;
};

inline std::string Build(const Layout& s) {
  std::string out;
  if (s.coreHeader) {
    U32(out, 12);
    U16(out, uint16_t(s.width));
    U16(out, uint16_t(s.height));
    U16(out, 1);
    U16(out, uint16_t(s.bpp));
  } else {
    U32(out, 40);
    U32(out, uint32_t(s.width));
    U32(out, uint32_t(s.topDown ? -s.height : s.height));
    U16(out, 1);
    U16(out, uint16_t(s.bpp));
    U32(out, s.compression);
    U32(out, 0);
    U32(out, 2835);
    U32(out, 2835);
    U32(out, uint32_t(s.palette.size()));
    U32(out, 0);
    for (uint32_t m : s.masks) U32(out, m);
  }
  std::vector<uint32_t> palette = s.palette;
  // The old core header has no colour count: its table is always full.
  if (s.coreHeader && s.bpp <= 8) palette.resize(size_t(1) << s.bpp, 0);
  for (uint32_t c : palette) {
    out += char(c & 0xFF);
    out += char((c >> 8) & 0xFF);
    out += char((c >> 16) & 0xFF);
    if (!s.coreHeader) out += '\0';
  }
  size_t stride = ((size_t(s.width) * size_t(s.bpp) + 31) / 32) * 4;
  for (int i = 0; i < s.height; ++i) {
    int y = s.topDown ? i : s.height - 1 - i;
    std::string row = s.rows.at(size_t(y));
    row.resize(stride, '\0');
    out += row;
  }
  return out;
}

// A bitmap file: BITMAPFILEHEADER + DIB, with no pixel offset (the reader
// computes it from the header and colour table).
inline std::string File(const std::string& dibBytes) {
  std::string out = "BM";
  U32(out, uint32_t(14 + dibBytes.size()));
  U32(out, 0);
  U32(out, 0);
  return out + dibBytes;
}

inline std::string FileWithOffset(const std::string& dibBytes, uint32_t pixelOffsetInDib) {
  std::string out = "BM";
  U32(out, uint32_t(14 + dibBytes.size()));
  U32(out, 0);
  U32(out, 14 + pixelOffsetInDib);
  return out + dibBytes;
}

}  // namespace dib
