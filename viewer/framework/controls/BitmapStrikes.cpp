#include "BitmapStrikes.h"

#include <cstdint>
#include <optional>

namespace {

// Layout of the sfnt table directory and of the EBLC header (big-endian).
constexpr int kTableCountOffset = 4;
constexpr int kTableDirectory = 12;
constexpr int kTableRecordSize = 16;
constexpr int kEblcHeaderSize = 8;  // version, numSizes
constexpr int kStrikeRecordSize = 48;
constexpr int kStrikeAscentOffset = 16;  // hori.ascender (signed byte)
constexpr int kStrikePpemYOffset = 45;

uint32_t ReadBig(const QByteArray& data, qsizetype at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | uint8_t(data[at + i]);
  return v;
}

void WriteBig32(QByteArray& data, qsizetype at, uint32_t v) {
  for (int i = 3; i >= 0; --i, v >>= 8) data[at + i] = char(v & 0xFF);
}

// Where the EBLC table starts and how many strikes it lists, when its
// header and every strike record lie inside the file.
struct StrikeList {
  qsizetype offset = 0;
  uint32_t count = 0;
};

std::optional<StrikeList> FindStrikeList(const QByteArray& font) {
  if (font.size() < kTableDirectory) return std::nullopt;
  const uint32_t tables = ReadBig(font, kTableCountOffset, 2);
  if (kTableDirectory + qsizetype(tables) * kTableRecordSize > font.size()) return std::nullopt;
  for (uint32_t i = 0; i < tables; ++i) {
    const qsizetype record = kTableDirectory + qsizetype(i) * kTableRecordSize;
    if (font.mid(record, 4) != "EBLC") continue;
    const qsizetype offset = ReadBig(font, record + 8, 4);
    if (offset + kEblcHeaderSize > font.size()) return std::nullopt;
    const uint32_t count = ReadBig(font, offset + 4, 4);
    if (count > uint32_t((font.size() - offset - kEblcHeaderSize) / kStrikeRecordSize)) return std::nullopt;
    return StrikeList{offset, count};
  }
  return std::nullopt;
}

qsizetype StrikeRecord(const StrikeList& list, uint32_t index) {
  return list.offset + kEblcHeaderSize + qsizetype(index) * kStrikeRecordSize;
}

}  // namespace

std::vector<TBitmapStrike> BitmapStrikesOf(const QByteArray& font) {
  std::vector<TBitmapStrike> strikes;
  const std::optional<StrikeList> list = FindStrikeList(font);
  if (!list) return strikes;
  for (uint32_t i = 0; i < list->count; ++i) {
    const qsizetype record = StrikeRecord(*list, i);
    strikes.push_back(TBitmapStrike{
        int(uint8_t(font[record + kStrikePpemYOffset])), int(int8_t(font[record + kStrikeAscentOffset]))});
  }
  return strikes;
}

std::vector<QByteArray> SplitStrikes(const QByteArray& font) {
  std::vector<QByteArray> copies;
  const std::optional<StrikeList> list = FindStrikeList(font);
  if (!list || list->count < 2) return copies;
  // The strike records point into the table by offsets from its start, so
  // a record moved to the front still finds its glyphs.
  for (uint32_t i = 0; i < list->count; ++i) {
    QByteArray copy = font;
    const qsizetype first = StrikeRecord(*list, 0);
    copy.replace(first, kStrikeRecordSize, font.mid(StrikeRecord(*list, i), kStrikeRecordSize));
    WriteBig32(copy, list->offset + 4, 1);
    copies.push_back(std::move(copy));
  }
  return copies;
}
