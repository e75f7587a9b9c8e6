// Image lists as forms store them: an "IL" header, then the image bitmap and
// the mask bitmap, whose file-size fields real designers leave at 54.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/Forms.h"
#include "controls/Render.h"
#include "stock/ComCtrls.h"
#include "stock/ImgList.h"

namespace {

void PutU16(std::string& s, uint16_t v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}
void PutU32(std::string& s, uint32_t v) {
  PutU16(s, uint16_t(v & 0xFFFF));
  PutU16(s, uint16_t(v >> 16));
}

// A bitmap file whose file-size field says 54, as real image lists store it.
std::string BitmapFile(int width, int height, int bpp, const std::vector<uint32_t>& palette, const std::string& bits) {
  std::string s = "BM";
  PutU32(s, 54);  // unreliable
  PutU32(s, 0);
  PutU32(s, uint32_t(54 + 4 * palette.size()));
  PutU32(s, 40);
  PutU32(s, uint32_t(width));
  PutU32(s, uint32_t(height));
  PutU16(s, 1);
  PutU16(s, uint16_t(bpp));
  PutU32(s, 0);
  PutU32(s, uint32_t(bits.size()));
  PutU32(s, 0);
  PutU32(s, 0);
  PutU32(s, 0);  // colours used: the full table
  PutU32(s, 0);
  for (uint32_t c : palette) PutU32(s, c);
  return s + bits;
}

// A list of `count` 2×2 images, four to a row of a 8×2 strip: image i is
// grey level 40*(i+1); the mask hides the top-left pixel of every image.
std::string TwoByTwoList(uint16_t count);

// A list of two 2×2 images with no mask: 32-bit colours whose fourth byte
// is `alpha` for the top-left pixel of each image and 255 elsewhere.
std::string UnmaskedList(uint8_t alpha) {
  std::string il = "IL";
  PutU16(il, 0x101);
  PutU16(il, 2);
  PutU16(il, 4);
  PutU16(il, 4);
  PutU16(il, 2);
  PutU16(il, 2);
  PutU32(il, 0xFFFFFFFF);
  PutU16(il, 0x0020);  // flags: 32-bit colour, no mask
  for (int i = 0; i < 4; ++i) PutU16(il, 0xFFFF);
  std::string bits;
  for (int row = 0; row < 2; ++row)
    for (int x = 0; x < 8; ++x)
      bits += std::string{char(200), char(100), char(50), char(row == 1 && x % 2 == 0 ? alpha : 255)};
  return il + BitmapFile(8, 2, 32, {}, bits);
}

std::string TwoByTwoList(uint16_t count) {
  std::string il = "IL";
  PutU16(il, 0x101);  // version
  PutU16(il, count);  // images in use
  PutU16(il, 4);      // allocated
  PutU16(il, 4);      // growth
  PutU16(il, 2);      // width
  PutU16(il, 2);      // height
  PutU32(il, 0xFFFFFFFF);
  PutU16(il, 0x00FF);  // flags: masked
  for (int i = 0; i < 4; ++i) PutU16(il, 0xFFFF);
  std::string colourBits, maskBits;
  for (int row = 0; row < 2; ++row) {  // bottom-up: row 0 is the bottom row
    for (int x = 0; x < 8; ++x) {
      const uint8_t grey = uint8_t(40 * (x / 2 + 1));
      colourBits += std::string{char(grey), char(grey), char(grey), char(0)};
    }
    // 1 bit per pixel, padded to 4 bytes; the top row masks x = 0, 2, 4, 6.
    maskBits += std::string{char(row == 1 ? 0xAA : 0x00), 0, 0, 0};
  }
  return il + BitmapFile(8, 2, 32, {}, colourBits) + BitmapFile(8, 2, 1, {0x000000, 0xFFFFFF}, maskBits);
}

}  // namespace

TEST(ImageListData, BitmapLengthsComeFromHeadersNotTheFileSizeField) {
  const std::string data = TwoByTwoList(3);
  EXPECT_EQ(BitmapFileLength(data, 28), 14u + 40u + 8u * 2u * 4u);
  EXPECT_EQ(BitmapFileLength(data, 28 + 118), 14u + 40u + 8u + 2u * 4u);
  EXPECT_EQ(BitmapFileLength(data, 1), 0u) << "no bitmap starts there";
  EXPECT_EQ(BitmapFileLength(data.substr(0, 100), 28), 0u) << "a cut bitmap has no length";
}

TEST(ImageListData, DecodesImagesAndAppliesTheMask) {
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(2);
  list.SetData(TwoByTwoList(3));
  ASSERT_EQ(list.Count(), 3) << "the header's count, not the strip's room for four";
  for (int i = 0; i < 3; ++i) {
    const QImage image = list.ImageAt(i);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "masked pixel of image " << i;
    EXPECT_EQ(image.pixel(1, 1), qRgb(40 * (i + 1), 40 * (i + 1), 40 * (i + 1)));
  }
  EXPECT_TRUE(list.ImageAt(3).isNull());
}

TEST(ImageListData, AListWithoutAMaskDrawsThroughItsStoredAlpha) {
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(2);
  list.SetData(UnmaskedList(0));
  ASSERT_EQ(list.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const QImage image = list.ImageAt(i);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "transparent by its alpha, image " << i;
    EXPECT_EQ(image.pixel(1, 1), qRgba(50, 100, 200, 255));
  }
}

TEST(ImageListData, AListWhoseAlphaBytesAreAllZeroIsOpaque) {
  // Older lists store 32-bit colours with an unused fourth byte: all zero.
  std::string data = UnmaskedList(0);
  for (size_t at = data.size() - 64 + 3; at < data.size(); at += 4) data[at] = 0;
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(2);
  list.SetData(data);
  EXPECT_EQ(list.ImageAt(1).pixel(0, 0), qRgba(50, 100, 200, 255));
}

TEST(ImageListData, CutOrForeignDataDecodesToNothing) {
  TImageList list(nullptr);
  const std::string data = TwoByTwoList(3);
  for (size_t cut : {size_t(0), size_t(27), size_t(40), size_t(120), data.size() - 1}) {
    list.SetData(data.substr(0, cut));
    EXPECT_GE(list.Count(), 0);
  }
  list.SetData(std::string(64, 'x'));
  EXPECT_EQ(list.Count(), 0);
}

// Every image list stored in the corpus's text forms decodes to as many
// images as its header counts.
TEST(ImageListData, EveryCorpusImageListDecodes) {
  const std::filesystem::path dir = std::filesystem::path(TESSALY_CORPUS_DIR) / "text";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "corpus not found at " << dir;
  int lists = 0, images = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    const std::string marker = "Bitmap = {";
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
      const size_t end = text.find('}', at);
      if (end == std::string::npos) break;
      std::string hex;
      for (size_t i = at + marker.size(); i < end; ++i)
        if (std::isxdigit(uint8_t(text[i]))) hex += text[i];
      std::string bytes;
      for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
      if (bytes.compare(0, 2, "IL") != 0) continue;
      TImageList list(nullptr);
      list.SetWidth(uint8_t(bytes[10]) | uint8_t(bytes[11]) << 8);
      list.SetHeight(uint8_t(bytes[12]) | uint8_t(bytes[13]) << 8);
      list.SetData(bytes);
      const int stored = uint8_t(bytes[4]) | uint8_t(bytes[5]) << 8;
      EXPECT_EQ(list.Count(), stored) << entry.path().filename();
      ++lists;
      images += list.Count();
    }
  }
  std::printf("corpus image lists: %d, images decoded: %d\n", lists, images);
  EXPECT_GT(lists, 0);
}

// Tool buttons draw their images through the canvas, which copies pixels
// without blending: the masked ones must show the bar, not paint black.
TEST(ImageListData, ToolButtonsShowTheBarThroughMaskedPixels) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* list = new TImageList(&form);
  list->SetWidth(2);
  list->SetHeight(2);
  list->SetData(TwoByTwoList(3));
  auto* bar = new TToolBar(&form);
  bar->SetParent(&form);
  bar->SetImages(list);
  auto* button = new TToolButton(&form);
  button->SetParent(bar);
  button->SetImageIndex(1);
  form.HandleNeeded();
  const QImage image = RenderControl(button);
  const int x = (button->Width() - 2) / 2, y = (button->Height() - 2) / 2;
  EXPECT_EQ(PixelToColor(image.pixel(x, y)), ColorToRGB(clBtnFace)) << "the masked top-left pixel shows the face";
  EXPECT_EQ(image.pixel(x + 1, y), qRgb(80, 80, 80));
  EXPECT_EQ(image.pixel(x, y + 1), qRgb(80, 80, 80));
}
