#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "controls/Canvas.h"
#include "controls/FontMapping.h"
#include "controls/Graphics.h"
#include "core/Exceptions.h"
#include "core/FormStrings.h"

namespace {

TEST(FontDefaults, MatchTheClassicDialogFont) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Color(), clWindowText);
  EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
  EXPECT_TRUE(f.Style().Empty());
  EXPECT_EQ(f.Pitch(), fpDefault);
  EXPECT_EQ(f.Quality(), fqDefault);
  EXPECT_EQ(f.Orientation(), 0);
}

TEST(FontPublishedProperties, DeclaredInStreamingOrderWithDefaults) {
  const TClassInfo& info = TFont::StaticClassInfo();
  std::vector<std::string> names;
  for (const TPropInfo& p : info.OwnProperties()) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Charset", "Color", "Height", "Name", "Pitch", "Size", "Style", "Orientation", "Quality"}));
  // A stored font always carries its charset, colour, height, name and style.
  EXPECT_FALSE(info.FindProperty("Charset")->defaultOrd.has_value());
  EXPECT_EQ(info.FindProperty("Charset")->idents, &CharsetIdents());
  EXPECT_FALSE(info.FindProperty("Color")->defaultOrd.has_value());
  EXPECT_FALSE(info.FindProperty("Height")->defaultOrd.has_value());
  EXPECT_EQ(info.FindProperty("Style")->kind, TTypeKind::tkSet);
  EXPECT_FALSE(info.FindProperty("Style")->defaultOrd.has_value());
  TFont f;
  const TPropInfo* size = info.FindProperty("Size");
  ASSERT_TRUE(size->stored);
  EXPECT_FALSE(size->stored(&f));
}

TEST(FontPublishedProperties, SetThroughTypeInformation) {
  TFont f;
  const TClassInfo& info = TFont::StaticClassInfo();
  info.FindProperty("Style")->setOrd(&f, (1 << fsBold) | (1 << fsUnderline));
  EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsUnderline}));
  info.FindProperty("Pitch")->setOrd(&f, fpFixed);
  EXPECT_EQ(f.Pitch(), fpFixed);
  info.FindProperty("Name")->setString(&f, "Tahoma");
  EXPECT_EQ(info.FindProperty("Name")->getString(&f), "Tahoma");
  info.FindProperty("Size")->setOrd(&f, 10);
  EXPECT_EQ(info.FindProperty("Height")->getOrd(&f), -13);
}

struct SizeCase {
  int size;
  int height;
};
class FontSizeToHeight : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FontSizeToHeight, UsesNinetySixPixelsPerInch) {
  TFont f;
  f.SetSize(GetParam().size);
  EXPECT_EQ(f.Height(), GetParam().height);
  EXPECT_EQ(f.Size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FontSizeToHeight,
    ::testing::Values(SizeCase{8, -11}, SizeCase{9, -12}, SizeCase{10, -13}, SizeCase{12, -16}, SizeCase{14, -19},
                      SizeCase{24, -32}));

TEST(FontChanges, EveryChangeFiresOnChangeOnce) {
  TFont f;
  int changes = 0;
  f.OnChange = [&] { ++changes; };
  f.SetColor(clRed);
  f.SetHeight(-13);
  f.SetName("Arial");
  f.SetStyle(TFontStyles{fsItalic});
  f.SetCharset(GB2312_CHARSET);
  f.SetPitch(fpVariable);
  f.SetOrientation(900);
  f.SetQuality(fqDraft);
  EXPECT_EQ(changes, 8);
  f.SetColor(clRed);  // unchanged value
  EXPECT_EQ(changes, 8);
  TFont other;
  f.Assign(other);
  EXPECT_EQ(changes, 9);
  EXPECT_TRUE(f == other);
  f.Assign(other);  // the same font again: nothing changed, no notice
  EXPECT_EQ(changes, 9);
}

TEST(FontChanges, AssignFromAnotherClassIsRefused) {
  TFont f;
  TPen pen;
  EXPECT_THROW(f.Assign(pen), EConvertError);
}

struct FaceCase {
  const char* face;
  const char* family;
};
class FontMappingFace : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FontMappingFace, MapsToTheFaceMadeToMatchItsMetrics) {
  const QString family = QString::fromUtf8(GetParam().family);
  if (!IsFontFamilyInstalled(family)) GTEST_SKIP() << GetParam().family << " is not installed";
  EXPECT_EQ(MapFontFamily(QString::fromUtf8(GetParam().face)), family);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontMappingFace,
    ::testing::Values(
        FaceCase{"MS Sans Serif", "MS Sans Serif"}, FaceCase{"ms sans serif", "MS Sans Serif"},
        FaceCase{"Default", "MS Sans Serif"}, FaceCase{"Tahoma", "Tahoma"}, FaceCase{"MS Shell Dlg 2", "Tahoma"},
        FaceCase{"Arial", "Liberation Sans"}, FaceCase{"Segoe UI", "Liberation Sans"},
        FaceCase{"Times New Roman", "Liberation Serif"}, FaceCase{"Courier New", "Liberation Mono"},
        FaceCase{"Consolas", "Liberation Mono"}, FaceCase{"Courier", "Courier"}, FaceCase{"Small Fonts", "Small Fonts"},
        FaceCase{"System", "System"}, FaceCase{"Fixedsys", "Fixedsys"}, FaceCase{"Symbol", "Symbol"},
        FaceCase{"Wingdings", "Wingdings"}, FaceCase{"Webdings", "Webdings"}, FaceCase{"Marlett", "Marlett"},
        FaceCase{"宋体", "AR PL UMing CN"}, FaceCase{"SimSun", "AR PL UMing CN"}, FaceCase{"新宋体", "AR PL UMing CN"},
        FaceCase{"微软雅黑", "WenQuanYi Micro Hei"}, FaceCase{"黑体", "WenQuanYi Micro Hei"},
        FaceCase{"MS Gothic", "IPAGothic"}, FaceCase{"ＭＳ Ｐゴシック", "IPAPGothic"},
        FaceCase{"MS UI Gothic", "IPAPGothic"}, FaceCase{"MS Mincho", "IPAMincho"}, FaceCase{"Gulim", "Baekmuk Gulim"},
        FaceCase{"돋움", "Baekmuk Dotum"}, FaceCase{"Calibri", "Carlito"}, FaceCase{"Cambria", "Caladea"},
        FaceCase{"Arial Narrow", "Liberation Sans Narrow"}));

TEST(FontMapping, TheDialogFontHasTheClassicStrikeMetrics) {
  if (!IsFontFamilyInstalled(QStringLiteral("MS Sans Serif"))) GTEST_SKIP();
  // The 8-point strike: a 13-pixel cell, 11 above the base line, and the
  // advances the classic dialog font has (digits 6, 't' 3, 'M' 9, ':' 3).
  TFont f;
  QFontMetrics m(f.ToQFont());
  EXPECT_EQ(QFontInfo(f.ToQFont()).family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(m.height(), 13);
  EXPECT_EQ(m.ascent(), 11);
  EXPECT_EQ(m.horizontalAdvance(QStringLiteral("13th Month Pay:")), 78);
}

TEST(FontMapping, BoldBitmapTextIsAPixelWiderPerCharacterAndOneMore) {
  if (!IsFontFamilyInstalled(QStringLiteral("MS Sans Serif"))) GTEST_SKIP();
  TCanvas canvas;
  const int regular = canvas.TextWidth("Settings");
  canvas.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(canvas.Font()->Overhang(), 1);
  EXPECT_EQ(canvas.TextWidth("Settings"), regular + 8 + 1);
  canvas.Font()->SetName("Arial");  // a face with a bold of its own
  EXPECT_EQ(canvas.Font()->Overhang(), 0);
}

TEST(FontMapping, SymbolFacesNeverBorrowLettersFromOtherFaces) {
  if (!IsFontFamilyInstalled(QStringLiteral("Wingdings"))) GTEST_SKIP();
  TFont f;
  f.SetName("Wingdings");
  f.SetCharset(SYMBOL_CHARSET);
  EXPECT_TRUE(f.ToQFont().styleStrategy() & QFont::NoFontMerging);
  f.SetName("Arial");
  EXPECT_FALSE(f.ToQFont().styleStrategy() & QFont::NoFontMerging);
}

TEST(FontMapping, GbkNamesOfChineseFacesAreRecognisedWhateverTheCharset) {
  const QString uming = QStringLiteral("AR PL UMing CN");
  if (!IsFontFamilyInstalled(uming)) GTEST_SKIP();
  // The name as GB2312 text, whether or not the font says so.
  EXPECT_EQ(MapFontFamilyFromFormName("\xCB\xCE\xCC\xE5", GB2312_CHARSET), uming);
  EXPECT_EQ(MapFontFamilyFromFormName("\xCB\xCE\xCC\xE5", DEFAULT_CHARSET), uming);
  EXPECT_EQ(MapFontFamilyFromFormName(FormStringFromUtf8("宋体"), DEFAULT_CHARSET), uming);

  TFont f;
  f.SetName("\xCB\xCE\xCC\xE5");
  f.SetCharset(GB2312_CHARSET);
  EXPECT_EQ(f.NameText(), QString::fromUtf8("宋体"));
  EXPECT_EQ(QFontInfo(f.ToQFont()).family(), uming);
}

TEST(FontMapping, UnknownFacesFallBackToSans) {
  EXPECT_EQ(MapFontFamily(QStringLiteral("No Such Face 123")), MapFontFamily(QStringLiteral("Arial")));
}

TEST(FontToQFont, CarriesSizeStylesAndNoAntialiasing) {
  TFont f;
  f.SetName("Arial");
  f.SetStyle(TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut});
  QFont q = f.ToQFont();
  EXPECT_EQ(q.pixelSize(), 11);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.italic());
  EXPECT_TRUE(q.underline());
  EXPECT_TRUE(q.strikeOut());
  EXPECT_TRUE(q.styleStrategy() & QFont::NoAntialias);
  EXPECT_TRUE(q.styleStrategy() & QFont::PreferNoShaping);
  EXPECT_EQ(q.hintingPreference(), QFont::PreferFullHinting);
  EXPECT_FALSE(q.kerning());
}

TEST(FontToQFont, PositiveHeightIsTheCellHeight) {
  TFont f;
  for (const char* face : {"MS Sans Serif", "Arial", "Tahoma"}) {
    f.SetName(face);
    f.SetHeight(16);
    EXPECT_NEAR(QFontMetrics(f.ToQFont()).height(), 16, 1) << face;
  }
}

TEST(FontToQFont, FollowsEveryChangeOfTheFont) {
  // The Qt font is remembered between calls; each change must still show.
  TFont f;
  f.SetName("Tahoma");
  EXPECT_EQ(f.ToQFont().pixelSize(), 11);
  f.SetHeight(-20);
  EXPECT_EQ(f.ToQFont().pixelSize(), 20);
  f.SetStyle(TFontStyles{fsBold});
  EXPECT_TRUE(f.ToQFont().bold());
  f.SetName("Courier New");
  const QString fixedFamily = f.ToQFont().family();
  f.SetName("Arial");
  EXPECT_NE(f.ToQFont().family(), fixedFamily);
  TFont copy;
  copy.Assign(f);
  EXPECT_EQ(copy.ToQFont(), f.ToQFont());
  copy.SetHeight(-9);
  EXPECT_EQ(copy.ToQFont().pixelSize(), 9);
  EXPECT_EQ(f.ToQFont().pixelSize(), 20);
}

TEST(FontMetrics, DefaultFontHasTheClassicLineHeight) {
  TCanvas canvas;
  EXPECT_GE(canvas.TextHeight("Wg"), 12);
  EXPECT_LE(canvas.TextHeight("Wg"), 15);
  int w = canvas.TextWidth("Hello");
  EXPECT_GE(w, 20);
  EXPECT_LE(w, 36);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  EXPECT_GT(canvas.TextWidth("HelloHello"), w);
}

TEST(PenAndBrush, DefaultsAndChangeNotification) {
  TPen pen;
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Style(), psSolid);
  EXPECT_EQ(pen.Mode(), pmCopy);
  int changes = 0;
  pen.OnChange = [&] { ++changes; };
  pen.SetWidth(0);  // clamps to 1: no change
  pen.SetWidth(3);
  pen.SetStyle(psDot);
  EXPECT_EQ(changes, 2);

  TBrush brush;
  EXPECT_EQ(brush.Color(), clWhite);
  EXPECT_EQ(brush.Style(), bsSolid);
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);  // a colour makes a clear brush solid again
  EXPECT_EQ(brush.Style(), bsSolid);
  brush.SetColor(clNone);
  EXPECT_EQ(brush.Style(), bsClear);
  TBrush copy;
  copy.Assign(brush);
  EXPECT_EQ(copy.Style(), bsClear);
  EXPECT_EQ(copy.Color(), clNone);
}

}  // namespace
