// How text is measured and drawn: the bitmap strikes of a font file, the
// size the system picks of a raster face, font heights, and widths as the
// sum of whole-pixel glyph advances with no ligatures.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>
#include <QTextLayout>

#include "controls/BitmapStrikes.h"
#include "controls/Canvas.h"
#include "controls/FontMapping.h"
#include "controls/Graphics.h"
#include "controls/RasterFaces.h"

namespace {

// ---------------------------------------------------------------------------
// Bitmap strikes

void AppendBig(QByteArray& out, uint64_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.append(char((v >> (8 * i)) & 0xFF));
}

// A minimal sfnt holding only an EBLC table that lists one strike per
// entry of ppems (ascent ppem - 2).
QByteArray FontWithStrikes(std::initializer_list<int> ppems) {
  QByteArray eblc;
  AppendBig(eblc, 0x00020000, 4);
  AppendBig(eblc, uint32_t(ppems.size()), 4);
  for (int ppem : ppems) {
    QByteArray record(48, '\0');
    record[16] = char(ppem - 2);  // hori.ascender
    record[44] = char(ppem);      // ppemX
    record[45] = char(ppem);      // ppemY
    eblc.append(record);
  }
  QByteArray font;
  AppendBig(font, 0x00010000, 4);
  AppendBig(font, 1, 2);  // one table
  AppendBig(font, 0, 6);  // search range, entry selector, range shift
  font.append("EBLC");
  AppendBig(font, 0, 4);        // checksum
  AppendBig(font, 12 + 16, 4);  // offset
  AppendBig(font, uint32_t(eblc.size()), 4);
  return font + eblc;
}

std::vector<int> PpemsOf(const QByteArray& font) {
  std::vector<int> ppems;
  for (const TBitmapStrike& s : BitmapStrikesOf(font)) ppems.push_back(s.ppem);
  return ppems;
}

TEST(BitmapStrikes, EachCopyListsOneStrikeOfTheFile) {
  const QByteArray font = FontWithStrikes({13, 16, 20});
  EXPECT_EQ(PpemsOf(font), (std::vector<int>{13, 16, 20}));
  EXPECT_EQ(BitmapStrikesOf(font)[1].ascent, 14);
  const std::vector<QByteArray> copies = SplitStrikes(font);
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_EQ(PpemsOf(copies[0]), std::vector<int>{13});
  EXPECT_EQ(PpemsOf(copies[1]), std::vector<int>{16});
  EXPECT_EQ(PpemsOf(copies[2]), std::vector<int>{20});
  EXPECT_TRUE(SplitStrikes(FontWithStrikes({13})).empty());  // nothing to split
}

TEST(BitmapStrikes, MalformedFilesGiveNoStrikes) {
  const QByteArray font = FontWithStrikes({13, 16});
  // Every truncation either lists whole strikes or none.
  for (qsizetype n = 0; n < font.size(); ++n) {
    const QByteArray cut = font.left(n);
    EXPECT_TRUE(BitmapStrikesOf(cut).empty()) << n;
    EXPECT_TRUE(SplitStrikes(cut).empty()) << n;
  }
  QByteArray manyTables = font;
  manyTables[4] = char(0xFF);
  EXPECT_TRUE(BitmapStrikesOf(manyTables).empty());
  QByteArray farTable = font;
  farTable[12 + 8] = char(0x7F);  // EBLC offset far past the end
  EXPECT_TRUE(BitmapStrikesOf(farTable).empty());
  QByteArray manyStrikes = font;
  manyStrikes[28 + 4] = char(0xFF);  // a strike count of billions
  EXPECT_TRUE(BitmapStrikesOf(manyStrikes).empty());
  EXPECT_TRUE(SplitStrikes(manyStrikes).empty());
}

TEST(BitmapStrikes, TheSansSerifFaceCarriesItsThreeSmallestSizes) {
  QFile file(QString::fromLatin1(kWineFontDirectory) + QStringLiteral("/ms_sans_serif.ttf"));
  if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "Wine's MS Sans Serif is not installed";
  const QByteArray font = file.readAll();
  EXPECT_EQ(PpemsOf(font), (std::vector<int>{13, 16, 20}));
  for (const QByteArray& copy : SplitStrikes(font)) EXPECT_EQ(QRawFont(copy, 13).familyName(), "MS Sans Serif");
}

// ---------------------------------------------------------------------------
// The raster size rule

struct RasterCase {
  int height;
  int cell;  // of the size picked
};
class RasterSizeChoice : public ::testing::TestWithParam<RasterCase> {};

TEST_P(RasterSizeChoice, TakesTheLargestSizeNotAboveTheRequest) {
  const auto sizes = RasterSizesOf(QStringLiteral("MS Sans Serif"));
  ASSERT_EQ(sizes.size(), 6u);
  EXPECT_EQ(ChooseRasterSize(sizes, GetParam().height).cell, GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    SansSerif, RasterSizeChoice,
    ::testing::Values(
        // Negative heights ask for an em: 8 pt is 11, 9 pt (12) still 8 pt,
        // 10 pt is 13, 11 pt (15) still 10 pt, 12 pt is 16, 24 pt is 32.
        RasterCase{-11, 13}, RasterCase{-12, 13}, RasterCase{-13, 16}, RasterCase{-15, 16}, RasterCase{-16, 20},
        RasterCase{-19, 24}, RasterCase{-32, 37}, RasterCase{-200, 37},
        // Smaller than every size: the smallest.
        RasterCase{-8, 13}, RasterCase{1, 13},
        // Positive heights ask for a cell.
        RasterCase{13, 13}, RasterCase{15, 13}, RasterCase{16, 16}, RasterCase{20, 20},
        // The default height, and heights no font has.
        RasterCase{0, 13}, RasterCase{INT_MIN, 37}, RasterCase{INT_MAX, 37}));

TEST(RasterFaces, OnlyTheSystemsBitmapFacesHaveSizes) {
  EXPECT_FALSE(RasterSizesOf(QStringLiteral("ms sans serif")).empty());
  EXPECT_FALSE(RasterSizesOf(QStringLiteral("Small Fonts")).empty());
  EXPECT_TRUE(RasterSizesOf(QStringLiteral("Tahoma")).empty());
  EXPECT_TRUE(RasterSizesOf(QStringLiteral("Liberation Sans")).empty());
  EXPECT_TRUE(RasterStandInOf(QStringLiteral("Arial")).isEmpty());
}

// ---------------------------------------------------------------------------
// Drawn faces and heights

bool HaveSansSerifStrikes() { return IsFontFamilyInstalled(QStringLiteral("MS Sans Serif")); }

TEST(DrawnFace, SansSerifIsDrawnFromEveryStrikeItHas) {
  if (!HaveSansSerifStrikes()) GTEST_SKIP() << "Wine's MS Sans Serif is not installed";
  const QString ms = QStringLiteral("MS Sans Serif");
  TFont f;
  for (const auto& [height, cell, ascent] :
       {std::tuple{-11, 13, 11}, std::tuple{-12, 13, 11}, std::tuple{-13, 16, 13}, std::tuple{-16, 20, 16}}) {
    f.SetHeight(height);
    const QFont q = f.ToQFont();
    EXPECT_EQ(QFontInfo(q).family(), ms) << height;
    EXPECT_EQ(QFontMetrics(q).height(), cell) << height;
    EXPECT_EQ(QFontMetrics(q).ascent(), ascent) << height;
  }
  // 14 points: a size the system has and Wine does not.
  const TDrawnFace standIn = DrawnFaceFor(ms, -19);
  EXPECT_FALSE(standIn.bitmap);
  EXPECT_EQ(standIn.pixelSize, 19);
  EXPECT_NE(standIn.family, ms);
}

TEST(DrawnFace, SizesScaleAtTheFormsPixelsPerInch) {
  TFont f;
  f.SetPixelsPerInch(120);
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -13);
  f.SetPixelsPerInch(96);
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -11);
}

TEST(DrawnFace, PositiveHeightOfAScalableFaceIsItsCell) {
  const QString arial = MapFontFamily(QStringLiteral("Arial"));
  for (int cell : {13, 16, 22, 40}) {
    const TDrawnFace drawn = DrawnFaceFor(arial, cell);
    EXPECT_LT(drawn.pixelSize, cell);
    QFont q(drawn.family);
    q.setPixelSize(drawn.pixelSize);
    EXPECT_NEAR(QFontMetrics(q).height(), cell, 1) << cell;
  }
  EXPECT_EQ(DrawnFaceFor(arial, -14).pixelSize, 14);
  EXPECT_EQ(DrawnFaceFor(arial, INT_MIN).pixelSize, 16384);
  EXPECT_EQ(DrawnFaceFor(arial, 0).pixelSize, 11);
}

// ---------------------------------------------------------------------------
// Cell heights

bool HaveWineTahoma() { return QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")); }

TEST(CellHeight, TahomaTakesItsWindowsMetricsNotItsBitmapStrikes) {
  if (!HaveWineTahoma()) GTEST_SKIP() << "Wine's Tahoma is not installed";
  // The text heights forms store for Tahoma (TextHeight): 8 points is 13,
  // its strike at 11 pixels would say 11.
  TCanvas canvas;
  canvas.Font()->SetName("Tahoma");
  for (const auto& [height, cell] : {std::pair{-10, 12}, std::pair{-11, 13}, std::pair{-13, 16}}) {
    canvas.Font()->SetHeight(height);
    EXPECT_EQ(canvas.TextHeight("Xg"), cell) << height;
    EXPECT_EQ(canvas.TextExtent("Xg").cy, cell) << height;
    canvas.Font()->SetStyle(TFontStyles{fsBold});
    EXPECT_EQ(canvas.TextHeight("Xg"), cell) << height << " bold";
    canvas.Font()->SetStyle(TFontStyles{});
  }
}

TEST(CellHeight, BitmapFacesKeepTheirStrikesCell) {
  TCanvas canvas;
  canvas.Font()->SetName("MS Sans Serif");
  canvas.Font()->SetHeight(-11);
  EXPECT_EQ(canvas.TextHeight("Xg"), 13);
}

TEST(CellHeight, AFormsStoredTextHeightSpeaksForItsStandInFace) {
  ForgetStoredCellHeights();
  TFont segoe;
  segoe.SetName("Segoe UI");
  segoe.SetHeight(-12);
  const TCellMetrics own = segoe.CellMetrics();
  // A form made with Segoe UI at 9 points stores 15; the stand-in face's
  // own cell is a pixel short of that.
  RecordStoredCellHeight(segoe.ToQFont(), own.Height() + 1);
  EXPECT_EQ(segoe.CellMetrics().Height(), own.Height() + 1);
  EXPECT_EQ(segoe.CellMetrics().descent, own.descent);
  // The same face at another size is not affected.
  TFont larger;
  larger.SetName("Segoe UI");
  larger.SetHeight(-16);
  EXPECT_NE(larger.CellMetrics().Height(), own.Height() + 1);
  ForgetStoredCellHeights();
  EXPECT_EQ(segoe.CellMetrics().Height(), own.Height());
}

TEST(CellHeight, ImplausibleStoredTextHeightsAreIgnored) {
  ForgetStoredCellHeights();
  TFont arial;
  arial.SetName("Arial");
  arial.SetHeight(-12);
  const int own = arial.CellMetrics().Height();
  for (int stored : {0, -5, 1, own * 2, 100000}) {
    RecordStoredCellHeight(arial.ToQFont(), stored);
    EXPECT_EQ(arial.CellMetrics().Height(), own) << stored;
  }
  ForgetStoredCellHeights();
}

// ---------------------------------------------------------------------------
// Whole-pixel advances, no ligatures

struct FaceAndHeight {
  const char* face;
  int height;
  bool bold;
};
class TextAdvances : public ::testing::TestWithParam<FaceAndHeight> {
 protected:
  void SetUp() override {
    canvas_.Font()->SetName(GetParam().face);
    canvas_.Font()->SetHeight(GetParam().height);
    if (GetParam().bold) canvas_.Font()->SetStyle(TFontStyles{fsBold});
  }
  // The width of each character alone, without the bold overhang, summed.
  int SumOfAdvances(const std::string& text) {
    int sum = 0;
    for (char c : text) sum += canvas_.TextWidth(std::string(1, c)) - canvas_.Font()->Overhang();
    return sum + canvas_.Font()->Overhang();
  }
  TCanvas canvas_;
};

TEST_P(TextAdvances, WidthIsTheSumOfEachGlyphsWholePixelAdvance) {
  for (const char* text : {"Settings", "Office file", "TM fi fl ffi AV To Wa", "13th Month Pay:"})
    EXPECT_EQ(canvas_.TextWidth(text), SumOfAdvances(text)) << text;
}

TEST_P(TextAdvances, EveryLetterIsDrawnAsItsOwnGlyph) {
  // "fi" and "TM" would be one glyph under the face's ligature rules; the
  // system draws the letters the caption holds.
  const QFont q = canvas_.Font()->ToQFont();
  for (const QString& text : {QStringLiteral("fi"), QStringLiteral("TM"), QStringLiteral("ffl")}) {
    QTextLayout layout(text, q);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    qsizetype glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) glyphs += run.glyphIndexes().size();
    EXPECT_EQ(glyphs, text.size()) << text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faces, TextAdvances,
    ::testing::Values(
        FaceAndHeight{"MS Sans Serif", -11, false}, FaceAndHeight{"MS Sans Serif", -11, true},
        FaceAndHeight{"MS Sans Serif", -13, false}, FaceAndHeight{"Tahoma", -11, false},
        FaceAndHeight{"Tahoma", -11, true}, FaceAndHeight{"Arial", -11, false}, FaceAndHeight{"Arial", -12, true},
        FaceAndHeight{"Times New Roman", -16, false}, FaceAndHeight{"Courier New", -13, false},
        FaceAndHeight{"SimSun", -12, false}));

}  // namespace
