// The default arrow glyphs: the embedded bytes, their header and palette,
// their pictures, and how the spin button installs them.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "SpinTestSupport.h"

namespace {

std::string ReadSourceFile(const std::string& relative) {
  std::ifstream in(std::string(TESSALY_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

uint32_t U32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

// The pictures, top row first: '#' black, '.' olive.
const char* const kSpinUp[6] = {".........", "....#....", "...###...", "..#####..", ".#######.", "........."};
const char* const kSpinDown[6] = {".........", ".#######.", "..#####..", "...###...", "....#....", "........."};

class SpinGlyphs : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    button = new TSpinButton(form.get());  // registers the embedded resources
  }
  TSpinButton* button = nullptr;
};

void ExpectPicture(const QImage& image, const char* const rows[6]) {
  ASSERT_EQ(image.width(), 9);
  ASSERT_EQ(image.height(), 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const TColor want = rows[y][x] == '#' ? clBlack : clOlive;
      EXPECT_EQ(PixelToColor(image.pixel(x, y)), want) << "pixel " << x << "," << y;
    }
}

TEST_F(SpinGlyphs, EmbeddedResourcesAreTheShippedFilesFoundByAnyCase) {
  for (const auto& [name, file] :
       {std::pair{"spinup", "resources/SpinUp.dib"}, std::pair{"SPINDOWN", "resources/SpinDown.dib"},
        std::pair{"SpinUp", "resources/SpinUp.dib"}}) {
    std::string bytes;
    ASSERT_TRUE(FindBitmapResource(name, bytes)) << name;
    EXPECT_EQ(bytes.size(), 152u) << name;
    EXPECT_EQ(bytes, ReadSourceFile(file)) << name;
  }
}

TEST_F(SpinGlyphs, HeaderDescribesANineBySixSixteenColourBottomUpDib) {
  for (const char* name : {"SpinUp", "SpinDown"}) {
    std::string b;
    ASSERT_TRUE(FindBitmapResource(name, b));
    EXPECT_EQ(U32(b, 0), 40u);         // BITMAPINFOHEADER
    EXPECT_EQ(int32_t(U32(b, 4)), 9);  // width
    EXPECT_EQ(int32_t(U32(b, 8)), 6);  // positive height: bottom-up rows
    EXPECT_EQ(U16(b, 12), 1);          // planes
    EXPECT_EQ(U16(b, 14), 4);          // bits per pixel
    EXPECT_EQ(U32(b, 16), 0u);         // no compression
    EXPECT_EQ(U32(b, 20), 48u);        // 6 rows of 8 bytes
    EXPECT_EQ(U32(b, 24), 0u);
    EXPECT_EQ(U32(b, 28), 0u);
    EXPECT_EQ(U32(b, 32), 16u);  // colours used
    EXPECT_EQ(U32(b, 36), 16u);  // colours important
  }
}

TEST_F(SpinGlyphs, PaletteIsTheStandardSixteenColours) {
  const TColor standard[16] = {
      clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
      clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (const char* name : {"SpinUp", "SpinDown"}) {
    std::string b;
    ASSERT_TRUE(FindBitmapResource(name, b));
    for (int i = 0; i < 16; ++i) {
      const size_t at = 40 + size_t(i) * 4;  // blue, green, red, reserved
      EXPECT_EQ(RGB(uint8_t(b[at + 2]), uint8_t(b[at + 1]), uint8_t(b[at])), standard[i]) << name << " index " << i;
      EXPECT_EQ(b[at + 3], 0);
    }
  }
}

TEST_F(SpinGlyphs, PicturesAreTrianglesWithAnOliveMargin) {
  std::string up, down;
  ASSERT_TRUE(FindBitmapResource("SpinUp", up));
  ASSERT_TRUE(FindBitmapResource("SpinDown", down));
  ExpectPicture(DecodeDib(up), kSpinUp);
  ExpectPicture(DecodeDib(down), kSpinDown);
}

TEST_F(SpinGlyphs, ANewSpinButtonShowsTheDefaultArrowsAsSingleGlyphs) {
  ExpectPicture(button->UpGlyph()->Image(), kSpinUp);
  ExpectPicture(button->DownGlyph()->Image(), kSpinDown);
  EXPECT_EQ(button->UpNumGlyphs(), 1);
  EXPECT_EQ(button->DownNumGlyphs(), 1);
  // The glyph properties are the buttons' own bitmaps.
  EXPECT_EQ(button->UpGlyph(), button->UpperButton()->Glyph());
  EXPECT_EQ(button->DownGlyph(), button->LowerButton()->Glyph());
}

TEST_F(SpinGlyphs, WritingNilRestoresTheDefaultAndOneGlyph) {
  TBitmap custom(12, 4);
  button->SetDownGlyph(&custom);  // 12 / 4: three glyphs
  EXPECT_EQ(button->DownNumGlyphs(), 3);
  button->SetDownNumGlyphs(2);
  button->SetDownGlyph(nullptr);
  EXPECT_EQ(button->DownNumGlyphs(), 1);
  ExpectPicture(button->DownGlyph()->Image(), kSpinDown);

  button->SetUpGlyph(&custom);
  button->SetUpNumGlyphs(4);
  button->SetUpGlyph(nullptr);
  EXPECT_EQ(button->UpNumGlyphs(), 1);
  ExpectPicture(button->UpGlyph()->Image(), kSpinUp);
}

TEST_F(SpinGlyphs, WritingABitmapCopiesIt) {
  TBitmap custom(5, 3);
  custom.Canvas()->SetPixel(0, 0, clRed);
  button->SetUpGlyph(&custom);
  EXPECT_NE(button->UpGlyph(), &custom);
  custom.Canvas()->SetPixel(0, 0, clBlue);
  EXPECT_EQ(PixelToColor(button->UpGlyph()->Image().pixel(0, 0)), clRed);
  EXPECT_EQ(button->UpGlyph()->Width(), 5);
}

TEST_F(SpinGlyphs, TheArrowIsDrawnWithoutItsOliveBackground) {
  QImage image;
  button->SetBounds(0, 0, 20, 25);
  button->PaintTo(image);
  int black = 0, olive = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const TColor c = PixelToColor(image.pixel(x, y));
      black += c == clBlack;
      olive += c == clOlive;
    }
  EXPECT_EQ(olive, 0);
  EXPECT_GE(black, 2 * 16);  // both triangles, 16 pixels each
}

}  // namespace
