#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "DibBuilder.h"
#include "controls/Bitmap.h"
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
    ::testing::Values(PictureCase{"Png", "TPngImage", false, "PNG"},
                      PictureCase{"PngObject", "TPNGObject", false, "PNG"},
                      PictureCase{"Jpeg", "TJPEGImage", true, "BMP"},  // lossless stand-in
                      PictureCase{"Bitmap", "TBitmap", true, "BMP"}),
    [](const auto& info) { return std::string(info.param.name); });

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
  std::string file = dib::File(dib::Build(dib::Layout{
      2, 1, 24, false, false, 0, {}, {}, {std::string("\x00\x00\xFF\xFF\x00\x00", 6)}}));
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
    void DefineProperty(const std::string& name, std::function<void(const TFormNode&)> read,
                        std::function<TFormNode()> write, bool has) override {
      this->name = name;
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
