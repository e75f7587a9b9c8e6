#include <gtest/gtest.h>

#include <QImage>

#include "DibBuilder.h"
#include "controls/Bitmap.h"
#include "core/FormNode.h"
#include "core/Streams.h"

namespace {

uint32_t Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// A 3x2 picture used at every depth:  red   green blue
//                                     white black red
const uint32_t kExpected[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0xFF0000}};
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

void ExpectPicture(const QImage& img) {
  ASSERT_EQ(img.width(), 3);
  ASSERT_EQ(img.height(), 2);
  EXPECT_EQ(img.format(), QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Px(img, x, y), kExpected[y][x]) << x << "," << y;
}

struct DepthCase {
  const char* name;
  dib::Layout layout;
  friend void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name; }
};

dib::Layout Layout8(bool topDown, bool core) {
  dib::Layout s{3, 2, 8, topDown, core, 0, kPalette, {}, {"\x01\x02\x03", std::string("\x04\x00\x01", 3)}};
  return s;
}
dib::Layout Layout4() {
  return dib::Layout{3, 2, 4, false, false, 0, kPalette, {}, {"\x12\x30", std::string("\x40\x10", 2)}};
}
dib::Layout Layout24(bool topDown) {
  return dib::Layout{
      3,
      2,
      24,
      topDown,
      false,
      0,
      {},
      {},
      {std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9), std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00\xFF", 9)}};
}
dib::Layout Layout32() {
  return dib::Layout{
      3,
      2,
      32,
      false,
      false,
      0,
      {},
      {},
      {std::string("\x00\x00\xFF\x80\x00\xFF\x00\x00\xFF\x00\x00\xFF", 12),
       std::string("\xFF\xFF\xFF\x00\x00\x00\x00\x00\x00\x00\xFF\x00", 12)}};
}
dib::Layout Layout16() {
  // 5-6-5 bit fields.
  return dib::Layout{
      3,
      2,
      16,
      false,
      false,
      3,
      {},
      {0xF800, 0x07E0, 0x001F},
      {std::string("\x00\xF8\xE0\x07\x1F\x00", 6), std::string("\xFF\xFF\x00\x00\x00\xF8", 6)}};
}

class DibDecoding : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DibDecoding, DecodesTheSamePictureAtEveryDepth) {
  const std::string bytes = dib::Build(GetParam().layout);
  ExpectPicture(DecodeDib(bytes));
  ExpectPicture(DecodeBitmapFile(dib::File(bytes)));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DibDecoding,
    ::testing::Values(
        DepthCase{"Bpp4", Layout4()}, DepthCase{"Bpp8", Layout8(false, false)},
        DepthCase{"Bpp8TopDown", Layout8(true, false)}, DepthCase{"Bpp8CoreHeader", Layout8(false, true)},
        DepthCase{"Bpp16BitFields", Layout16()}, DepthCase{"Bpp24", Layout24(false)},
        DepthCase{"Bpp24TopDown", Layout24(true)}, DepthCase{"Bpp32", Layout32()}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DibDecoding, OneBitPerPixelUsesTheTwoColourPalette) {
  // 10 pixels wide so a row spans two bytes: 1011001110 / 0100110001.
  dib::Layout s{
      10, 2, 1, false, false, 0, {0x000000, 0xFFFFFF}, {}, {std::string("\xB3\x80", 2), std::string("\x4C\x40", 2)}};
  QImage img = DecodeDib(dib::Build(s));
  const char* rows[2] = {"1011001110", "0100110001"};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(Px(img, x, y), rows[y][x] == '1' ? 0xFFFFFFu : 0u) << x << "," << y;
}

TEST(DibDecoding, BottomUpAndTopDownStoreRowsInOppositeOrder) {
  dib::Layout a = Layout24(false), b = Layout24(true);
  EXPECT_NE(dib::Build(a), dib::Build(b));
  EXPECT_EQ(DecodeDib(dib::Build(a)), DecodeDib(dib::Build(b)));
}

TEST(DibDecoding, FileHeaderPixelOffsetIsHonoured) {
  dib::Layout s = Layout24(false);
  std::string bytes = dib::Build(s);
  // Insert four bytes of padding between the header and the pixels.
  bytes.insert(40, "PADS");
  ExpectPicture(DecodeBitmapFile(dib::FileWithOffset(bytes, 44)));
}

TEST(DibDecoding, Rle8RunsAndEscapes) {
  dib::Layout s{4, 2, 8, false, false, 1, {0x000000, 0xFF0000, 0x00FF00}, {}, {}};
  s.rows = {"", ""};
  std::string bytes = dib::Build(s);
  bytes.resize(40 + 3 * 4);  // header and palette only
  // Bottom row: 4 x index 1; end of line; top row: absolute run 2,1,2 (padded), 1 x 0; end.
  bytes += std::string("\x04\x01\x00\x00\x00\x03\x02\x01\x02\x00\x01\x00\x00\x01", 14);
  QImage img = DecodeDib(bytes);
  EXPECT_EQ(Px(img, 0, 1), 0xFF0000u);
  EXPECT_EQ(Px(img, 3, 1), 0xFF0000u);
  EXPECT_EQ(Px(img, 0, 0), 0x00FF00u);
  EXPECT_EQ(Px(img, 1, 0), 0xFF0000u);
  EXPECT_EQ(Px(img, 2, 0), 0x00FF00u);
  EXPECT_EQ(Px(img, 3, 0), 0x000000u);
}

struct BadCase {
  const char* name;
  std::string bytes;
  friend void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }
};

std::string Truncated() {
  std::string b = dib::Build(Layout24(false));
  return b.substr(0, b.size() - 8);
}
std::string Patched(size_t at, uint32_t value) {
  std::string b = dib::Build(Layout24(false));
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
  return b;
}
std::string HugeButShort() {
  std::string b = dib::Build(Layout24(false));
  b.resize(40);
  for (auto [at, v] : {std::pair<size_t, uint32_t>{4, 30000}, {8, 30000}})
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
  return b;
}
std::string PaletteMissing() {
  std::string b = dib::Build(Layout8(false, false));
  return b.substr(0, 44);
}

class DibRejection : public ::testing::TestWithParam<BadCase> {};

TEST_P(DibRejection, RaisesInvalidImageWithoutCrashing) {
  EXPECT_THROW(DecodeDib(GetParam().bytes), EInvalidImage) << GetParam().name;
  EXPECT_THROW(DecodeBitmapFile(dib::File(GetParam().bytes)), EInvalidImage) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Bad, DibRejection,
    ::testing::Values(
        BadCase{"Empty", ""}, BadCase{"ShortHeader", std::string("\x28\x00\x00", 3)},
        BadCase{"UnknownHeaderSize", Patched(0, 41)}, BadCase{"TruncatedPixels", Truncated()},
        BadCase{"ZeroWidth", Patched(4, 0)}, BadCase{"NegativeWidth", Patched(4, uint32_t(-3))},
        BadCase{"AbsurdWidth", Patched(4, 0x7FFFFFFF)}, BadCase{"AbsurdHeight", Patched(8, 0x80000001)},
        BadCase{"TooManyPixels", HugeButShort()}, BadCase{"BadBitCount", Patched(12, 0x00070001)},
        BadCase{"PaletteTruncated", PaletteMissing()}, BadCase{"UnknownCompression", Patched(16, 99)}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapFileDecoding, RejectsDataWithoutTheFileHeader) {
  EXPECT_THROW(DecodeBitmapFile("XX" + std::string(60, '\0')), EInvalidImage);
  EXPECT_THROW(DecodeBitmapFile("BM"), EInvalidImage);
}

TEST(BitmapFileEncoding, RoundTripsThroughTheDecoder) {
  QImage img(5, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) img.setPixel(x, y, qRgb(x * 50, y * 80, 7));
  std::string file = EncodeBitmapFile(img);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(file.size(), 54u + 16u * 3u);  // rows padded to 16 bytes
  EXPECT_EQ(DecodeBitmapFile(file), img);
}

// --- TBitmap

TEST(Bitmap, NewAreaIsWhiteAndResizingKeepsTheTopLeft) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetWidth(4);
  EXPECT_TRUE(b.Empty());  // no height yet
  b.SetHeight(3);
  EXPECT_EQ(b.Canvas()->Pixel(3, 2), clWhite);
  b.Canvas()->SetPixel(0, 0, clRed);
  b.Canvas()->SetPixel(3, 2, clBlue);
  b.SetSize(6, 2);
  EXPECT_EQ(b.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixel(5, 1), clWhite);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 2);
  b.Canvas()->Brush()->SetColor(clLime);
  b.Canvas()->FillRect(Rect(0, 0, 6, 2));  // the canvas follows the resized image
  EXPECT_EQ(b.Canvas()->Pixel(5, 1), clLime);
}

TEST(Bitmap, AbsurdSizesAreRefused) {
  TBitmap b;
  EXPECT_THROW(b.SetSize(100000, 10), EOutOfResources);
  EXPECT_THROW(b.SetSize(30000, 30000), EOutOfResources);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, AssignCopiesThePixels) {
  TBitmap a(2, 2);
  a.Canvas()->SetPixel(1, 1, clRed);
  TBitmap b;
  b.Assign(a);
  EXPECT_EQ(b.Canvas()->Pixel(1, 1), clRed);
  a.Canvas()->SetPixel(1, 1, clBlue);
  EXPECT_EQ(b.Canvas()->Pixel(1, 1), clRed);
}

TEST(Bitmap, ChangesOfTheCanvasFireOnChange) {
  TBitmap b(2, 2);
  int changes = 0;
  b.OnChange = [&] { ++changes; };
  b.Canvas()->SetPixel(0, 0, clRed);
  b.Canvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(changes, 2);
}

TEST(Bitmap, TransparentColorIsTheBottomLeftPixelUnlessFixed) {
  TBitmap b(3, 3);
  b.Canvas()->SetPixel(0, 2, clFuchsia);
  EXPECT_EQ(b.TransparentColor(), clFuchsia);
  b.SetTransparentColor(clLime);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), clLime);
  QImage masked = MaskedGlyph(b);
  EXPECT_EQ(qAlpha(masked.pixel(0, 2)), 255);
  b.SetTransparentMode(tmAuto);
  masked = MaskedGlyph(b);
  EXPECT_EQ(qAlpha(masked.pixel(0, 2)), 0);
  EXPECT_EQ(qAlpha(masked.pixel(1, 1)), 255);
}

// Minimal filer: records what an object defines, feeds it data on demand.
class RecordingFiler : public TFiler {
 public:
  void DefineProperty(const std::string& name, std::function<void(const TFormNode&)> read,
                      std::function<TFormNode()> write, bool stored) override {
    names.push_back(name);
    reader = std::move(read);
    writer = std::move(write);
    hasData = stored;
  }
  std::vector<std::string> names;
  std::function<void(const TFormNode&)> reader;
  std::function<TFormNode()> writer;
  bool hasData = false;
};

std::string SizePrefixed(const std::string& file) {
  std::string out;
  dib::U32(out, uint32_t(file.size()));
  return out + file;
}

TEST(BitmapData, ReadsAndWritesTheFormFileLayoutUnchanged) {
  // An 8-bit file with a palette: written back byte for byte.
  const std::string file = dib::File(dib::Build(Layout8(false, false)));
  TBitmap b;
  RecordingFiler filer;
  b.DefineProperties(filer);
  ASSERT_EQ(filer.names, std::vector<std::string>{"Data"});
  EXPECT_FALSE(filer.hasData);
  filer.reader(TFormNode::Binary(SizePrefixed(file)));
  ExpectPicture(b.Image());

  RecordingFiler again;
  b.DefineProperties(again);
  EXPECT_TRUE(again.hasData);
  TFormNode written = again.writer();
  EXPECT_EQ(written.bytes, SizePrefixed(file));
}

TEST(BitmapData, DrawingOnTheBitmapRewritesItsPixels) {
  TBitmap b;
  b.LoadFromBytes(SizePrefixed(dib::File(dib::Build(Layout8(false, false)))));
  b.Canvas()->SetPixel(0, 0, clYellow);
  TBitmap c;
  c.LoadFromBytes(b.SaveToBytes());
  EXPECT_EQ(c.Canvas()->Pixel(0, 0), clYellow);
  EXPECT_EQ(c.Canvas()->Pixel(1, 0), clLime);
}

struct BadDataCase {
  const char* name;
  std::string data;
  friend void PrintTo(const BadDataCase& c, std::ostream* os) { *os << c.name; }
};
class BitmapDataRejection : public ::testing::TestWithParam<BadDataCase> {};

TEST_P(BitmapDataRejection, RaisesInvalidImage) {
  TBitmap b;
  RecordingFiler filer;
  b.DefineProperties(filer);
  EXPECT_THROW(filer.reader(TFormNode::Binary(GetParam().data)), EInvalidImage);
}

INSTANTIATE_TEST_SUITE_P(
    Bad, BitmapDataRejection,
    ::testing::Values(
        BadDataCase{"TooShort", "\x10"}, BadDataCase{"HeaderOnly", SizePrefixed("BM")},
        BadDataCase{
            "DeclaredSizeTooLarge",
            std::string("\xFF\xFF\x00\x00"
                        "BM",
                        6)},
        BadDataCase{"NotABitmapFile", SizePrefixed(std::string(60, 'x'))},
        BadDataCase{"TruncatedPixels", SizePrefixed(dib::File(Truncated()))}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapStreams, SaveAndLoadBitmapFiles) {
  TBitmap a(3, 2);
  a.Canvas()->SetPixel(2, 1, clRed);
  TMemoryStream stream;
  a.SaveToStream(stream);
  stream.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(stream);
  EXPECT_EQ(b.Image(), a.Image());
}

TEST(BitmapResources, LookupIgnoresCase) {
  RegisterBitmapResource("SpinTestUp", dib::Build(Layout24(false)));  // a bare DIB
  TBitmap b;
  b.LoadFromResourceName("SPINTESTUP");
  ExpectPicture(b.Image());
  RegisterBitmapResource("spintestfile", dib::File(dib::Build(Layout4())));
  b.LoadFromResourceName("SpinTestFile");
  ExpectPicture(b.Image());
  UnregisterBitmapResource("SPINTESTUP");
  EXPECT_THROW(b.LoadFromResourceName("spintestup"), EResNotFound);
  UnregisterBitmapResource("spintestfile");
}

}  // namespace
