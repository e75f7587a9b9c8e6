#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "DibBuilder.h"
#include "controls/Bitmap.h"
#include "core/DecodeBudget.h"
#include "core/FormNode.h"

namespace {

std::string ShortString(const std::string& s) { return std::string(1, char(s.size())) + s; }

std::string Encoded(const QImage& img, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, format);
  return std::string(bytes.constData(), size_t(bytes.size()));
}

QImage Sample(bool alpha = false) {
  QImage img(4, 3, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  img.fill(qRgb(0, 0, 255));
  img.setPixel(1, 1, qRgb(255, 0, 0));
  if (alpha) img.setPixel(0, 0, qRgba(0, 0, 0, 0));
  return img;
}

std::string SizePrefixed(const std::string& s) {
  std::string out;
  dib::U32(out, uint32_t(s.size()));
  return out + s;
}

struct PictureCase {
  const char* name;
  std::string className;
  bool sizePrefix;
  const char* format;
  friend void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }
};

class PictureData : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureData, DecodesAndWritesBackUnchanged) {
  const auto& c = GetParam();
  std::string file = Encoded(Sample(), c.format);
  ASSERT_FALSE(file.empty());
  std::string data = ShortString(c.className) + (c.sizePrefix ? SizePrefixed(file) : file);
  TPicture p;
  int changes = 0;
  p.OnChange = [&] { ++changes; };
  p.LoadFromData(data);
  EXPECT_GE(changes, 1);
  ASSERT_NE(p.Graphic(), nullptr);
  EXPECT_EQ(p.Graphic()->GraphicClassName(), c.className);
  EXPECT_EQ(p.Width(), 4);
  EXPECT_EQ(p.Height(), 3);
  QImage img = p.ToImage();
  EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(p.SaveToData(), data);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureData,
    ::testing::Values(
        PictureCase{"Png", "TPngImage", false, "PNG"}, PictureCase{"PngObject", "TPNGObject", false, "PNG"},
        PictureCase{"Jpeg", "TJPEGImage", true, "BMP"},  // lossless stand-in
        PictureCase{"Bitmap", "TBitmap", true, "BMP"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PictureData, JpegImagesDecode) {
  QImage big(16, 16, QImage::Format_RGB32);
  big.fill(qRgb(0, 0, 255));
  std::string jpeg = Encoded(big, "JPEG");
  if (jpeg.empty()) GTEST_SKIP() << "no JPEG writer";
  TPicture p;
  p.LoadFromData(ShortString("TJPEGImage") + SizePrefixed(jpeg));
  ASSERT_EQ(p.Width(), 16);
  QRgb px = p.ToImage().pixel(8, 8);
  EXPECT_LT(qRed(px), 20);
  EXPECT_GT(qBlue(px), 230);
}

TEST(PictureData, PngKeepsItsAlphaChannel) {
  TPicture p;
  p.LoadFromData(ShortString("TPngImage") + Encoded(Sample(true), "PNG"));
  EXPECT_EQ(qAlpha(p.ToImage().pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(p.ToImage().pixel(1, 1)), 255);
}

TEST(PictureData, BitmapsBecomeTBitmap) {
  std::string file = dib::File(
      dib::Build(dib::Layout{2, 1, 24, false, false, 0, {}, {}, {std::string("\x00\x00\xFF\xFF\x00\x00", 6)}}));
  TPicture p;
  p.LoadFromData(ShortString("TBitmap") + SizePrefixed(file));
  auto* bmp = dynamic_cast<TBitmap*>(p.Graphic());
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(bmp->Canvas()->Pixel(1, 0), clBlue);
  EXPECT_EQ(p.Bitmap(), bmp);
}

TEST(PictureData, UnknownClassesKeepTheirBytesAndShowNothing) {
  const std::string data = ShortString("TMetafile") + std::string("\x01\x00\x09\x00junk", 8);
  TPicture p;
  EXPECT_NO_THROW(p.LoadFromData(data));
  ASSERT_NE(p.Graphic(), nullptr);
  EXPECT_TRUE(p.ToImage().isNull());
  EXPECT_EQ(p.SaveToData(), data);
}

TEST(PictureData, BrokenBitmapsRaiseInvalidImage) {
  TPicture p;
  EXPECT_THROW(p.LoadFromData(ShortString("TBitmap") + SizePrefixed("BMxx")), EInvalidImage);
  EXPECT_THROW(p.LoadFromData(std::string("\x20TBit", 5)), EInvalidImage);
}

TEST(PictureData, DefinesDataOnlyWhenItHoldsAGraphic) {
  struct Filer : TFiler {
    void DefineProperty(const std::string& propertyName, std::function<void(const TFormNode&)> read,
                        std::function<TFormNode()> write, bool has) override {
      name = propertyName;
      reader = std::move(read);
      writer = std::move(write);
      hasData = has;
    }
    std::string name;
    std::function<void(const TFormNode&)> reader;
    std::function<TFormNode()> writer;
    bool hasData = false;
  };
  TPicture p;
  Filer f;
  p.DefineProperties(f);
  EXPECT_EQ(f.name, "Data");
  EXPECT_FALSE(f.hasData);
  const std::string data = ShortString("TPngImage") + Encoded(Sample(), "PNG");
  f.reader(TFormNode::Binary(data));
  Filer g;
  p.DefineProperties(g);
  EXPECT_TRUE(g.hasData);
  EXPECT_EQ(g.writer().bytes, data);
}

TEST(Picture, AssignCopiesTheGraphic) {
  TPicture a, b;
  a.LoadFromData(ShortString("TPngImage") + Encoded(Sample(), "PNG"));
  b.Assign(a);
  ASSERT_NE(b.Graphic(), nullptr);
  EXPECT_NE(b.Graphic(), a.Graphic());
  EXPECT_EQ(b.SaveToData(), a.SaveToData());
  TBitmap* bmp = b.Bitmap();  // replaces the PNG by an empty bitmap
  EXPECT_TRUE(bmp->Empty());
  bmp->SetSize(2, 2);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.SaveToData().substr(0, 8), ShortString("TBitmap"));
}

TEST(GraphicDraw, BlendsImagesWithAlphaOntoTheCanvas) {
  TPicture p;
  p.LoadFromData(ShortString("TPngImage") + Encoded(Sample(true), "PNG"));
  TBufferedCanvas canvas(6, 6, clLime);
  p.Graphic()->Draw(canvas, Rect(1, 1, 5, 4));
  EXPECT_EQ(canvas.Pixel(1, 1), clLime);  // transparent pixel
  EXPECT_EQ(canvas.Pixel(2, 2), clRed);
  EXPECT_EQ(canvas.Pixel(3, 2), clBlue);
}

}  // namespace

namespace {

TEST(IconData, IconFilesDecodeAndWriteBackUnchanged) {
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(qRgba(255, 0, 0, 255));
  std::string ico = Encoded(img, "ICO");
  if (ico.empty()) GTEST_SKIP() << "no icon writer";
  TIcon icon;
  struct Filer : TFiler {
    void DefineProperty(const std::string&, std::function<void(const TFormNode&)> read,
                        std::function<TFormNode()> write, bool has) override {
      reader = std::move(read);
      writer = std::move(write);
      hasData = has;
    }
    std::function<void(const TFormNode&)> reader;
    std::function<TFormNode()> writer;
    bool hasData = false;
  } f;
  icon.DefineProperties(f);
  EXPECT_FALSE(f.hasData);
  f.reader(TFormNode::Binary(ico));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.ToImage().pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(f.writer().bytes, ico);

  TPicture p;
  p.LoadFromData(ShortString("TIcon") + ico);
  EXPECT_NE(dynamic_cast<TIcon*>(p.Graphic()), nullptr);
  EXPECT_EQ(p.Width(), 16);
  EXPECT_EQ(p.SaveToData(), ShortString("TIcon") + ico);
}

TEST(PngImageData, PngPropertiesHoldThePngFile) {
  TPngImage png;
  const std::string file = Encoded(Sample(), "PNG");
  png.LoadFromBytes(file);
  EXPECT_EQ(png.Width(), 4);
  EXPECT_EQ(png.SaveToBytes(), file);
  EXPECT_EQ(png.GraphicClassName(), "TPngImage");
}

}  // namespace

namespace {

// A run-length bitmap of width x height that is all one colour: a few bytes
// per row, whatever the size.
std::string RunLengthBitmap(int width, int height) {
  std::string d;
  dib::U32(d, 40);
  dib::U32(d, uint32_t(width));
  dib::U32(d, uint32_t(height));
  dib::U16(d, 1);
  dib::U16(d, 8);
  dib::U32(d, 1);  // BI_RLE8
  for (uint32_t v : {0u, 2835u, 2835u, 1u, 0u}) dib::U32(d, v);
  dib::U32(d, 0x00FF0000);  // one palette entry
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; x += 255) d += std::string{char(std::min(255, width - x)), '\0'};
    d += std::string("\0\0", 2);  // end of line
  }
  d += std::string("\0\1", 2);  // end of bitmap
  return dib::File(d);
}

}  // namespace

// The pictures of one load share one budget of decoded pixels: a picture
// that does not fit is refused before anything is allocated, counted once,
// shown empty, and its bytes are still written back unchanged.
TEST(DecodeBudget, PicturesOverTheSharedBudgetAreShownEmptyAndKeepTheirBytes) {
  TDecodeBudget budget(2000);
  const std::string small = ShortString("TBitmap") + SizePrefixed(RunLengthBitmap(30, 30));
  const std::string large = ShortString("TBitmap") + SizePrefixed(RunLengthBitmap(40, 40));
  TPicture first, second, third;
  first.LoadFromData(small);
  EXPECT_EQ(first.ToImage().size(), QSize(30, 30));
  EXPECT_NO_THROW(second.LoadFromData(large));  // 900 + 1600 > 2000
  EXPECT_TRUE(second.ToImage().isNull());
  EXPECT_EQ(second.SaveToData(), large);
  third.LoadFromData(small);  // 900 + 900 still fits
  EXPECT_EQ(third.ToImage().size(), QSize(30, 30));
  EXPECT_EQ(budget.Used(), 1800);
  EXPECT_EQ(budget.Refused(), 1);
  EXPECT_NE(budget.LogLine().find("1 picture was not decoded"), std::string::npos) << budget.LogLine();

  // Pictures in other formats take from the same budget.
  TPicture png;
  png.LoadFromData(ShortString("TPngImage") + Encoded(QImage(15, 15, QImage::Format_RGB32), "PNG"));
  EXPECT_TRUE(png.ToImage().isNull());
  EXPECT_EQ(budget.Refused(), 2);
  EXPECT_NE(budget.LogLine().find("2 pictures were not decoded"), std::string::npos);
}

// With no budget in place only the limits of one picture apply, and a budget
// ends with its scope.
TEST(DecodeBudget, OnlyALiveBudgetRefuses) {
  {
    TDecodeBudget budget(10);
    EXPECT_THROW(TDecodeBudget::Charge(4, 4), EDecodeBudgetExceeded);
  }
  EXPECT_NO_THROW(TDecodeBudget::Charge(1 << 13, 1 << 13));
  EXPECT_EQ(DecodeBitmapFile(RunLengthBitmap(300, 2)).size(), QSize(300, 2));
  TDecodeBudget none(0);
  EXPECT_EQ(none.LogLine(), "");
}
