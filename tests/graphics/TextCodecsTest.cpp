#include <gtest/gtest.h>

#include "controls/TextCodecs.h"
#include "core/FormStrings.h"

namespace {

TEST(DecodeFormString, Gb2312TextDecodesAsGbk) {
  // "窗体组件" in GBK.
  const std::string gbk = "\xB4\xB0\xCC\xE5\xD7\xE9\xBC\xFE";
  EXPECT_EQ(DecodeFormString(gbk, GB2312_CHARSET), QString::fromUtf8("窗体组件"));
}

TEST(DecodeFormString, RussianTextDecodesAsWindows1251) {
  // "Привет" in windows-1251.
  const std::string cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
  EXPECT_EQ(DecodeFormString(cp1251, RUSSIAN_CHARSET), QString::fromUtf8("Привет"));
}

TEST(DecodeFormString, WesternTextDecodesAsWindows1252) {
  EXPECT_EQ(DecodeFormString("\xFC", DEFAULT_CHARSET), QString::fromUtf8("ü"));
  EXPECT_EQ(DecodeFormString("\xFC", ANSI_CHARSET), QString::fromUtf8("ü"));
  // The 0x80..0x9F range differs from Latin-1.
  EXPECT_EQ(DecodeFormString("\x80\x93", DEFAULT_CHARSET), QString::fromUtf8("€“"));
}

TEST(DecodeFormString, UnicodeFormStringsIgnoreTheCharset) {
  const std::string stored = FormStringFromUtf8("Größe 窗体");
  EXPECT_EQ(DecodeFormString(stored, RUSSIAN_CHARSET), QString::fromUtf8("Größe 窗体"));
  EXPECT_EQ(DecodeFormString(stored, GB2312_CHARSET), QString::fromUtf8("Größe 窗体"));
}

struct CodePageCase {
  const char* name;
  int charset;
  std::string bytes;
  const char* utf8;
  friend void PrintTo(const CodePageCase& c, std::ostream* os) { *os << c.name; }
};

class CharsetDecoding : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CharsetDecoding, UsesTheCharsetsCodePage) {
  const auto& c = GetParam();
  EXPECT_EQ(DecodeFormString(c.bytes, c.charset), QString::fromUtf8(c.utf8)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, CharsetDecoding,
    ::testing::Values(
        CodePageCase{"ShiftJis", SHIFTJIS_CHARSET, "\x82\xA0", "あ"},
        CodePageCase{"Hangeul", HANGEUL_CHARSET, "\xC7\xD1", "한"},
        CodePageCase{"Big5", CHINESEBIG5_CHARSET, "\xA4\xA4", "中"}, CodePageCase{"Greek", GREEK_CHARSET, "\xE1", "α"},
        CodePageCase{"Turkish", TURKISH_CHARSET, "\xFD", "ı"}, CodePageCase{"Hebrew", HEBREW_CHARSET, "\xE0", "א"},
        CodePageCase{"Arabic", ARABIC_CHARSET, "\xC7", "ا"}, CodePageCase{"Baltic", BALTIC_CHARSET, "\xE0", "ą"},
        CodePageCase{"Thai", THAI_CHARSET, "\xA1", "ก"}, CodePageCase{"EastEurope", EASTEUROPE_CHARSET, "\x9A", "š"},
        CodePageCase{"Oem", OEM_CHARSET, "\xC4", "─"}, CodePageCase{"Mac", MAC_CHARSET, "\x8A", "ä"},
        CodePageCase{"Symbol", SYMBOL_CHARSET, "\xB7", "·"},
        CodePageCase{"AsciiEverywhere", GB2312_CHARSET, "Button1", "Button1"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DecodeFormString, InvalidSequencesBecomeReplacementCharacters) {
  // A GBK lead byte followed by a byte no GBK character uses, then text.
  QString s = DecodeFormString(
      "\x81\x7F"
      "ab",
      GB2312_CHARSET);
  EXPECT_TRUE(s.contains(QChar(0xFFFD)));
  EXPECT_TRUE(s.endsWith(QStringLiteral("ab")));
  // A lead byte cut off at the end.
  QString t = DecodeFormString("ab\xB4", GB2312_CHARSET);
  EXPECT_EQ(t, QString::fromUtf8("ab\xEF\xBF\xBD"));
}

TEST(EncodeFormString, KeepsEightBitTextWhenTheCodePageHoldsIt) {
  EXPECT_EQ(EncodeFormString(QString::fromUtf8("窗体组件"), GB2312_CHARSET), "\xB4\xB0\xCC\xE5\xD7\xE9\xBC\xFE");
  EXPECT_EQ(EncodeFormString(QString::fromUtf8("ü€"), DEFAULT_CHARSET), "\xFC\x80");
  EXPECT_EQ(EncodeFormString(QString::fromUtf8("Привет"), RUSSIAN_CHARSET), "\xCF\xF0\xE8\xE2\xE5\xF2");
}

TEST(EncodeFormString, FallsBackToUnicodeFormStrings) {
  std::string s = EncodeFormString(QString::fromUtf8("Привет"), DEFAULT_CHARSET);
  EXPECT_TRUE(IsUnicodeFormString(s));
  EXPECT_EQ(DecodeFormString(s, DEFAULT_CHARSET), QString::fromUtf8("Привет"));
}

}  // namespace

namespace {

TEST(EncodeCodePage, ReplacesMissingCharactersWithQuestionMarks) {
  EXPECT_EQ(EncodeCodePage(QString::fromUtf8("Да😀ж"), "CP1251"), "\xC4\xE0?\xE6");
  EXPECT_EQ(
      EncodeCodePage(QString::fromUtf8("a€b"), "CP1251"),
      "a\x88"
      "b");
  EXPECT_EQ(EncodeCodePage(QString::fromUtf8("a窗b"), "CP1252"), "a?b");
}

}  // namespace
