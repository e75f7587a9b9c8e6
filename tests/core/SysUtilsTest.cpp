#include <gtest/gtest.h>

#include "core/Exceptions.h"
#include "core/SysUtils.h"

TEST(TextHelpers, TrimRemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim("\t  object X: TY \r\x01"), "object X: TY");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");  // bytes above the blank stay
}

TEST(TextHelpers, CaseMappingTouchesAsciiLettersOnly) {
  EXPECT_EQ(LowerCase("OBJECT \xc4"), "object \xc4");
  EXPECT_EQ(UpperCase("tform1"), "TFORM1");
}

TEST(TextHelpers, BoolToStrAndMatchText) {
  EXPECT_EQ(BoolToStr(true), "True");
  EXPECT_EQ(BoolToStr(false), "False");
  EXPECT_TRUE(AnsiMatchText("LEFT", {"top", "left"}));
  EXPECT_FALSE(AnsiMatchText("taborder", {"taborder1"}));
}

TEST(TextHelpers, StrToIntAcceptsSignedDecimalAndHexInRange) {
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt(" 12"), 12);
  for (const char* bad : {"", "-", "+", "2147483648", "1.5", "12 ", "abc", "--1"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

TEST(TextHelpers, FormatFillsIntegersAndStrings) {
  EXPECT_EQ(Format("%d%%", 42), "42%");
  EXPECT_EQ(Format("%s:%d", std::string("a"), -1), "a:-1");
}
