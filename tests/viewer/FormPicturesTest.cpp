// The pictures stored in a form, found and written as files: the example
// program's main form holds one of every common kind; small forms here hold
// the damaged and unusual ones.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <fstream>
#include <sstream>

#include "FormPictures.h"

namespace {

std::string ReadExample(const char* name) {
  std::ifstream in(std::string(TESSALY_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const TFormPicture* Find(const std::vector<TFormPicture>& pictures, const std::string& fileName) {
  for (const TFormPicture& p : pictures)
    if (p.fileName == fileName) return &p;
  return nullptr;
}

QImage Decode(const TFormPicture& p) {
  return QImage::fromData(reinterpret_cast<const uchar*>(p.bytes.data()), int(p.bytes.size()));
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) out += std::string{digits[c >> 4], digits[c & 15]};
  return out;
}

std::string FormWith(const std::string& body) { return "object F: TForm\r\n" + body + "end\r\n"; }

TEST(FormPictures, EveryKindInTheExampleFormIsWrittenInItsFormat) {
  const std::vector<TFormPicture> pictures = ExtractFormPictures(ReadExample("program/MainForm.dfm"));
  ASSERT_EQ(pictures.size(), 5u);
  const TFormPicture* icon = Find(pictures, "MainForm.Icon.Data.ico");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->bytes.substr(0, 4), std::string("\0\0\1\0", 4));  // the icon file as stored
  const TFormPicture* logo = Find(pictures, "Logo.Picture.Data.png");
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->kind, "TPngImage");
  EXPECT_EQ(Decode(*logo).size(), QSize(24, 24));
  EXPECT_EQ(FormIconImage(icon->bytes).size(), QSize(16, 16));
}

TEST(FormPictures, GlyphsAndImageListsGetTheTransparencyTheyAreDrawnWith) {
  const std::vector<TFormPicture> pictures = ExtractFormPictures(ReadExample("program/MainForm.dfm"));
  const TFormPicture* glyph = Find(pictures, "AddButton.Glyph.Data.png");
  ASSERT_NE(glyph, nullptr);
  const QImage g = Decode(*glyph);
  ASSERT_EQ(g.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(g.pixel(0, 15)), 0);  // the bottom-left colour is left out
  EXPECT_EQ(qAlpha(g.pixel(8, 8)), 255);
  EXPECT_EQ(qBlue(g.pixel(8, 8)), 200);
  const TFormPicture* first = Find(pictures, "Icons.Bitmap.0.png");
  const TFormPicture* second = Find(pictures, "Icons.Bitmap.1.png");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const QImage a = Decode(*first), b = Decode(*second);
  EXPECT_EQ(a.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(a.pixel(0, 0)), 0);  // masked out
  EXPECT_EQ(qRed(a.pixel(8, 8)), 200);
  EXPECT_EQ(qAlpha(b.pixel(0, 15)), 0);
  EXPECT_EQ(qGreen(b.pixel(12, 2)), 160);
}

TEST(FormPictures, UndecodableDataIsListedWithItsReason) {
  const std::string jpegClass = "\x0ATJPEGImage";
  const std::string brokenJpeg = jpegClass + std::string("\x06\0\0\0\xFF\xD8\xFF\xE0\0\0", 10);
  const std::string unknownClass = std::string("\x08TWeirdOo") + "garbage!";
  const std::vector<TFormPicture> pictures = ExtractFormPictures(FormWith(
      "  object Photo: TImage\r\n    Picture.Data = {" + Hex(brokenJpeg) +
      "}\r\n  end\r\n"
      "  object Other: TImage\r\n    Picture.Data = {" +
      Hex(unknownClass) +
      "}\r\n  end\r\n"
      "  object Btn: TSpeedButton\r\n    Glyph.Data = {0A000000424D0000}\r\n  end\r\n"));
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].fileName, "Photo.Picture.Data");
  EXPECT_EQ(pictures[0].skipped, "the jpg data does not decode");
  EXPECT_TRUE(pictures[0].bytes.empty());
  EXPECT_NE(pictures[1].skipped.find("format not known (TWeirdOo)"), std::string::npos);
  EXPECT_FALSE(pictures[2].skipped.empty());
}

TEST(FormPictures, BinaryValuesThatAreNoPicturesAreLeftOut) {
  const std::vector<TFormPicture> pictures = ExtractFormPictures(FormWith(
      "  object Tree: TTreeView\r\n    Items.Data = {0300000020000000}\r\n  end\r\n"
      "  object Grid: TDBGrid\r\n    Layout.Data = {00}\r\n  end\r\n"
      "  object Empty: TImageList\r\n    Bitmap = "
      "{494C010100000000000000001000100000000000FFFFFFFF1900FFFFFFFFFFFFFFFF}\r\n  end\r\n"));
  EXPECT_TRUE(pictures.empty());
}

TEST(FormPictures, NamesGiveComponentPropertyAndCollectionItem) {
  const std::string png = "0954506E67496D616765" + Hex(std::string("\x89PNG\r\n\x1a\n", 8)) + "00";  // does not decode
  const std::vector<TFormPicture> pictures = ExtractFormPictures(
      "object F: TForm\r\n  Icon.Data = {0000010000000000}\r\n"
      "  object Bar: TCoolBar\r\n    Bands = <\r\n      item\r\n        Bitmap.Data = {" +
      png + "}\r\n      end\r\n      item\r\n        Bitmap.Data = {" + png + "}\r\n      end>\r\n  end\r\nend\r\n");
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].fileName, "F.Icon.Data");
  EXPECT_EQ(pictures[0].skipped, "the icon data does not decode");
  EXPECT_EQ(pictures[1].fileName, "Bar.Bands[0].Bitmap.Data");
  EXPECT_EQ(pictures[2].fileName, "Bar.Bands[1].Bitmap.Data");
  EXPECT_EQ(pictures[2].skipped, "the png data does not decode");
}

TEST(FormPictures, FilesStoredByThemselvesAreWrittenAsTheyAre) {
  QImage image(3, 2, QImage::Format_ARGB32);
  image.fill(qRgba(10, 20, 30, 128));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const std::string bytes(png.constData(), size_t(png.size()));
  // A PNG image list keeps each image as a PNG file in a collection item,
  // and leaves the stock list's bitmap empty.
  const std::vector<TFormPicture> pictures = ExtractFormPictures(FormWith(
      "  object Pngs: TPngImageList\r\n    PngImages = <\r\n      item\r\n        PngImage.Data = {" + Hex(bytes) +
      "}\r\n      end>\r\n    Bitmap = {}\r\n  end\r\n"));
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].fileName, "Pngs.PngImages[0].PngImage.Data.png");
  EXPECT_EQ(pictures[0].kind, "png");
  EXPECT_EQ(pictures[0].bytes, bytes);
}

TEST(FormPictures, AFormWithoutAnIconShowsNone) {
  EXPECT_TRUE(FormIconImage("").isNull());
  EXPECT_TRUE(FormIconImage(std::string("\0\0\1\0\1\0garbage", 12)).isNull());
  EXPECT_TRUE(FormIconImage("BM not an icon").isNull());
}

}  // namespace
