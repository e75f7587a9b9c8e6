#include <gtest/gtest.h>

#include <string>

#include "EventLog.h"
#include "core/Exceptions.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

std::string Parse(std::string_view text) {
  EventLog log;
  ParseFormText(text, log);
  return log.text;
}

// The events of "object F: T\n  P = <value>\nend".
std::string ParseValue(std::string_view value) {
  std::string text = "object F: T\n  P = " + std::string(value) + "\nend\n";
  std::string events = Parse(text);
  const std::string head = "begin F:T\nP=", tail = "end\n";
  EXPECT_EQ(events.substr(0, head.size()), head);
  return events.substr(head.size(), events.size() - head.size() - tail.size());
}

std::string ParseError(std::string_view text) {
  EventLog log;
  try {
    ParseFormText(text, log);
  } catch (const EParserError& e) {
    return e.what();
  }
  return "(no error)";
}

// Text -> events -> text with LF line ends.
std::string Rewrite(std::string_view text) {
  FormOutput out;
  FormTextWriter w(out, FormTextOptions{"\n"});
  ParseFormText(text, w);
  return out.Take();
}

}  // namespace

TEST(FormTextParser, IntegersTakeTheSmallestTag) {
  EXPECT_EQ(ParseValue("127"), "int8 127\n");
  EXPECT_EQ(ParseValue("-128"), "int8 -128\n");
  EXPECT_EQ(ParseValue("128"), "int16 128\n");
  EXPECT_EQ(ParseValue("-32769"), "int32 -32769\n");
  EXPECT_EQ(ParseValue("2147483648"), "int64 2147483648\n");
  EXPECT_EQ(ParseValue("$FF"), "int16 255\n");
  EXPECT_EQ(ParseValue("-$10"), "int8 -16\n");
}

TEST(FormTextParser, FloatsAndTheirSuffixes) {
  EXPECT_EQ(ParseValue("1.5"), "extended 00000000000000C0FF3F\n");
  EXPECT_EQ(ParseValue("15E-1"), "extended 00000000000000C0FF3F\n");
  EXPECT_EQ(ParseValue("0.5s"), "single 0.500000\n");
  EXPECT_EQ(ParseValue("125000c"), "currency 125000\n");
  EXPECT_EQ(ParseValue("2.25d"), "date 2.250000\n");
}

TEST(FormTextParser, DoubleValuedFloatsKeepTheirDoubleBits) {
  // 1.27 as a double widened to extended: the low mantissa bits stay zero.
  EXPECT_EQ(ParseValue("1.270000000000000000"), "extended 0090C2F5285C8FA2FF3F\n");
}

TEST(FormTextParser, StringsJoinSegmentsAndLines) {
  EXPECT_EQ(ParseValue("'ab'#13#10'c''d'"), "string 'ab\r\nc'd'\n");
  EXPECT_EQ(ParseValue("\n    'ab' +\n    'cd'#$41"), "string 'abcdA'\n");
  EXPECT_EQ(ParseValue("''"), "string ''\n");
  EXPECT_EQ(ParseValue(std::string(1, '\'') + std::string(300, 'x') + "'"), "lstring 300\n");
}

TEST(FormTextParser, EscapeAbove255MakesAWideString) { EXPECT_EQ(ParseValue("'A'#1071"), "wstring 41002F04\n"); }

TEST(FormTextParser, EscapeAbove127MakesAUtf8String) { EXPECT_EQ(ParseValue("'Vi'#240"), "utf8 5669C3B0\n"); }

TEST(FormTextParser, RawHighBytesStayEightBit) { EXPECT_EQ(ParseValue("'\xCF\xF0'"), "string '\xCF\xF0'\n"); }

TEST(FormTextParser, IdentifiersBooleansNilSetsAndBinary) {
  EXPECT_EQ(ParseValue("clRed"), "ident clRed\n");
  EXPECT_EQ(ParseValue("DM.Source1"), "ident DM.Source1\n");
  EXPECT_EQ(ParseValue("TRUE"), "true\n");
  EXPECT_EQ(ParseValue("false"), "false\n");
  EXPECT_EQ(ParseValue("Nil"), "nil\n");
  EXPECT_EQ(ParseValue("[fsBold, fsItalic]"), "set fsBold fsItalic\n");
  EXPECT_EQ(ParseValue("[]"), "set\n");
  EXPECT_EQ(ParseValue("{\n  0AFF\n  10}"), "binary 0AFF10\n");
  EXPECT_EQ(ParseValue("{}"), "binary \n");
}

TEST(FormTextParser, ListsAndCollectionsNest) {
  EXPECT_EQ(ParseValue("(\n 'a'\n (1 2) <>)"), "(\nstring 'a'\n(\nint8 1\nint8 2\n)\n<\n>\n)\n");
  EXPECT_EQ(ParseValue("<\n item\n  Width = 5\n end\n item [300]\n end>"),
            "<\nitem\nWidth=int8 5\nenditem\nitem int16 300\nenditem\n>\n");
}

TEST(FormTextParser, HeadersWithFlagsPositionsAndNoName) {
  EXPECT_EQ(Parse("INHERITED F: TF\n  Inline B: TB [2]\n  end\n  object TX\n  end\nend"),
            "begin flags=1 F:TF\nbegin flags=6 pos=2 B:TB\nend\nbegin :TX\nend\nend\n");
}

TEST(FormTextParser, KeywordFollowedByEqualsIsAProperty) {
  EXPECT_EQ(Parse("object F: T\n  Object = 1\n  End.X = 2\nend"), "begin F:T\nObject=int8 1\nEnd.X=int8 2\nend\n");
}

TEST(FormTextParser, IgnoresByteOrderMarkAndTrailingText) {
  EXPECT_EQ(Parse("\xEF\xBB\xBF\r\n\r\nobject F: T\r\nend\r\nrest"), "begin F:T\nend\n");
}

TEST(FormTextParserErrors, UnterminatedStringNamesTheLine) {
  EXPECT_EQ(ParseError("object F: T\n  A = 1\n  Caption = 'abc\nend"), "Line 3, column 13: Unterminated string");
}

TEST(FormTextParserErrors, EndlessStringStopsAtTheEndOfInput) {
  std::string text = "object F: T\n  C = '" + std::string(5000000, 'x');
  EXPECT_EQ(ParseError(text), "Line 2, column 7: Unterminated string");
}

TEST(FormTextParserErrors, MissingEndAndStrayTokens) {
  EXPECT_EQ(ParseError("object F: T\n  A = 1\n"), "Line 3, column 1: 'end' expected");
  EXPECT_EQ(ParseError("thing F: T\nend"), "Line 1, column 1: 'object', 'inherited' or 'inline' expected");
  EXPECT_EQ(ParseError("object F: T\n  A 1\nend"), "Line 2, column 5: '=' expected");
  EXPECT_EQ(ParseError("object F: T\n  A = )\nend"), "Line 2, column 7: Value expected");
  EXPECT_EQ(ParseError("object F: T\n  A = 'a' +\nend"), "Line 3, column 1: String expected after '+'");
  EXPECT_EQ(ParseError(""), "Line 1, column 1: 'object', 'inherited' or 'inline' expected");
}

TEST(FormTextParserErrors, BadNumbers) {
  EXPECT_EQ(ParseError("object F: T\n  A = 12x\nend"), "Line 2, column 9: Invalid number");
  EXPECT_EQ(ParseError("object F: T\n  A = 99999999999999999999\nend"), "Line 2, column 7: Integer out of range");
  EXPECT_EQ(ParseError("object F: T\n  A = #70000\nend"), "Line 2, column 7: Character code above 65535");
}

TEST(FormTextParserErrors, BinaryNeedsEvenHexDigits) {
  EXPECT_EQ(ParseError("object F: T\n  A = {ABC}\nend"), "Line 2, column 11: Odd number of hexadecimal digits");
  EXPECT_EQ(ParseError("object F: T\n  A = {AG}\nend"), "Line 2, column 9: Hexadecimal digit expected");
  EXPECT_EQ(ParseError("object F: T\n  A = {AB"), "Line 2, column 7: Binary value without '}'");
}

// A value that never closes runs into the next line of the form; the error
// points at its brace, not at the first letter that is no hex digit.
TEST(FormTextParserErrors, UnclosedBinaryIsReportedAtItsBrace) {
  for (std::string next :
       {"  Caption = 'x'\nend", "end", "  object B: T\n  end\nend", "  Font.Name = 'Arial'\nend",
        "  item\n  end>\nend"}) {
    SCOPED_TRACE(next);
    EXPECT_EQ(ParseError("object F: T\n  A = {\n    ABCD\n" + next), "Line 2, column 7: Binary value without '}'");
    EXPECT_EQ(ParseError("object F: T\n  A = {AB\r\n" + next), "Line 2, column 7: Binary value without '}'");
  }
  // Inside a closed value, or on the brace's own line, a bad digit is named where it is.
  EXPECT_EQ(ParseError("object F: T\n  A = {\n    ABXY\n  }\nend"), "Line 3, column 7: Hexadecimal digit expected");
  EXPECT_EQ(ParseError("object F: T\n  A = {\n    Eagle\n  }\nend"), "Line 3, column 7: Hexadecimal digit expected");
  EXPECT_EQ(ParseError("object F: T\n  A = {AB end\nend"), "Line 2, column 12: Hexadecimal digit expected");
}

TEST(FormTextParserErrors, DeepNestingStopsAtTheLimit) {
  std::string lists = "object F: T\n  A = " + std::string(1000000, '(');
  EXPECT_NE(ParseError(lists).find("nesting deeper than 1000 levels"), std::string::npos);
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "object T\n";
  EXPECT_NE(ParseError(objects).find("nesting deeper than 1000 levels"), std::string::npos);
}

TEST(FormTextWriter, LaysOutEveryConstructLikeRealFormFiles) {
  const std::string text =
      "inherited Form1: TForm1 [3]\n"
      "  Left = -5\n"
      "  Caption = 'it'#39's'#13#10'x'\n"
      "  Style = [a, b]\n"
      "  Empty = []\n"
      "  Ok = True\n"
      "  Menu = nil\n"
      "  Color = clRed\n"
      "  Ratio = 38003.000000000000000000\n"
      "  S = 1.5s\n"
      "  C = 125000c\n"
      "  D = 42664.4977533449d\n"
      "  Lines.Strings = (\n"
      "    'one'\n"
      "    (\n"
      "      1)\n"
      "    ())\n"
      "  Panels = <\n"
      "    item\n"
      "      Width = 50\n"
      "    end\n"
      "    item [2]\n"
      "    end>\n"
      "  None = <>\n"
      "  Data = {\n"
      "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
      "    2021}\n"
      "  Short = {00000000}\n"
      "  Blank = {}\n"
      "  W = 'Vi'#240'ur '#1071\n"
      "  inline Frame: TFrame\n"
      "  end\n"
      "  object TNoName\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(Rewrite(text), text);
}

TEST(FormTextWriter, LongStringsWrapEvery64Characters) {
  std::string s(150, 'a');
  std::string expected =
      "object F: T\n  P = \n    '" + std::string(64, 'a') + "' +\n    '" + std::string(64, 'a') + "' +\n    '" +
      std::string(22, 'a') + "'\nend\n";
  EXPECT_EQ(Rewrite("object F: T\n  P = '" + s + "'\nend"), expected);
}

TEST(FormTextWriter, EscapesCountTowardsTheLineWidth) {
  std::string s = std::string(53, 'a') + "'#13#10'" + std::string(20, 'b');
  std::string expected =
      "object F: T\n  P = \n    '" + std::string(53, 'a') + "'#13#10'" + std::string(9, 'b') + "' +\n    '" +
      std::string(11, 'b') + "'\nend\n";
  EXPECT_EQ(Rewrite("object F: T\n  P = '" + s + "'\nend"), expected);
}

TEST(FormTextWriter, LongStringInAListGetsItsOwnLine) {
  std::string s(70, 'x');
  std::string expected =
      "object F: T\n  L = (\n    \n      '" + std::string(64, 'x') + "' +\n      '" + std::string(6, 'x') + "')\nend\n";
  EXPECT_EQ(Rewrite("object F: T\n  L = ('" + s + "')\nend"), expected);
}

TEST(FormTextWriter, InheritedWinsOverInline) {
  FormOutput out;
  FormTextWriter w(out, FormTextOptions{"\n"});
  FormObjectHeader h;
  h.flags = ffInherited | ffInline;
  h.name = "F";
  h.className = "TF";
  w.BeginComponent(h);
  w.EndComponent();
  EXPECT_EQ(out.Str(), "inherited F: TF\nend\n");
}

TEST(FormTextWriter, Utf8AndWideStringsEscapeNonAscii) {
  FormOutput out;
  FormTextWriter w(out, FormTextOptions{"\n"});
  FormObjectHeader h;
  h.className = "T";
  w.BeginComponent(h);
  FormScalar s;
  s.type = TValueType::vaUTF8String;
  s.bytes = "a\xF0\x9F\x98\x80\xC3\xBF";  // U+1F600 as a surrogate pair, then U+00FF
  w.Property("U");
  w.Scalar(s);
  s.type = TValueType::vaWString;
  s.bytes = std::string_view("A\0\x2F\x04", 4);
  w.Property("W");
  w.Scalar(s);
  w.EndComponent();
  EXPECT_EQ(out.Str(), "object T\n  U = 'a'#55357#56832#255\n  W = 'A'#1071\nend\n");
}

TEST(FormTextNumbers, ExtendedHasSixteenDigitsAndEighteenDecimals) {
  EXPECT_EQ(FormatFormExtended(38003.0L), "38003.000000000000000000");
  EXPECT_EQ(FormatFormExtended(42664.49775334491L), "42664.497753344910000000");
  EXPECT_EQ(FormatFormExtended(0.0L), "0.000000000000000000");
  EXPECT_EQ(FormatFormExtended(-2.54L), "-2.540000000000000000");
  EXPECT_EQ(FormatFormExtended(0.001L), "0.001000000000000000");
  EXPECT_EQ(FormatFormExtended(1.25e-7L), "0.000000125000000000");
  EXPECT_EQ(FormatFormExtended(1e20L), "1E20");
}

TEST(FormTextNumbers, ShortFormDropsTrailingZeros) {
  EXPECT_EQ(FormatFormShortFloat(1.5), "1.5");
  EXPECT_EQ(FormatFormShortFloat(100), "100");
  EXPECT_EQ(FormatFormShortFloat(0.1f), "0.100000001490116");
  EXPECT_EQ(FormatFormShortFloat(1e20), "1E20");
  EXPECT_EQ(FormatFormShortFloat(-1.5e-7), "-1.5E-7");
}

TEST(FormTextRoundTrip, BinaryOfEveryTextValueComesBackUnchanged) {
  const std::string text =
      "object F: T\n  A = 1\n  B = 300\n  C = 70000\n  D = 5000000000\n  E = 1.5s\n  G = 'x'\n"
      "  H = {0102}\n  I = <\n    item [1]\n      J = False\n    end>\nend\n";
  FormOutput bin;
  FormBinaryWriter bw(bin);
  ParseFormText(text, bw);
  FormOutput back;
  FormTextWriter tw(back, FormTextOptions{"\n"});
  ReadFormBinary(bin.Str(), tw);
  EXPECT_EQ(back.Str(), text);
}
