// Every value the binary form carries either converts to text and back to
// the same bytes, or the conversion fails with a message saying what cannot
// be written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

// A bare binary form "TPF0" + one component (class, name) with one property.
std::string Form(std::string_view className, std::string_view name, std::string_view property, std::string_view value) {
  std::string s = "TPF0";
  if (className.size() >= 0xF0) s += '\xF0';
  s += static_cast<char>(className.size());
  s.append(className);
  s += static_cast<char>(name.size());
  s.append(name);
  if (!property.empty()) {
    s += static_cast<char>(property.size());
    s.append(property);
    s.append(value);
  }
  s += std::string("\0\0", 2);
  return s;
}

template <typename T>
std::string Tagged(TValueType tag, T v, size_t bytes = sizeof(T)) {
  std::string s(1, static_cast<char>(tag));
  s.append(reinterpret_cast<const char*>(&v), bytes);
  return s;
}

std::string ToText(std::string_view binary) {
  FormOutput out;
  FormTextWriter w(out, FormTextOptions{"\n"});
  ReadFormBinary(binary, w);
  return out.Take();
}

std::string ToBinary(std::string_view text) {
  FormOutput out;
  FormBinaryWriter w(out);
  ParseFormText(text, w);
  return out.Take();
}

// The message of the writer's failure, or "(converted)".
std::string WriteError(std::string_view binary) {
  try {
    ToText(binary);
  } catch (const EWriteError& e) {
    return e.what();
  }
  return "(converted)";
}

void ExpectRoundTrip(const std::string& binary) {
  std::string text = ToText(binary);
  EXPECT_EQ(ToBinary(text), binary) << text;
}

}  // namespace

TEST(ExactConversion, ClassNamesOf240To255BytesComeBack) {
  for (size_t n : {239u, 240u, 250u, 255u}) {
    std::string cls = "T" + std::string(n - 1, 'x');
    SCOPED_TRACE(n);
    ExpectRoundTrip(Form(cls, "A", "", ""));
    EXPECT_EQ(ToBinary(ToText(Form(cls, "", "", ""))), Form(cls, "", "", ""));
  }
}

TEST(ExactConversion, TinyAndUnusualFloatsComeBackBitForBit) {
  for (long double v :
       {4e-19L, -4e-19L, 1e-300L, static_cast<long double>(1e-300), 0.1L, static_cast<long double>(0.1),
        std::numeric_limits<long double>::denorm_min(), std::numeric_limits<long double>::min(),
        std::numeric_limits<long double>::max(), static_cast<long double>(0.30000000000000004), -0.0L, 1e19L,
        12345.678901234567891L}) {
    SCOPED_TRACE(static_cast<double>(v));
    ExpectRoundTrip(Form("T", "A", "V", Tagged(TValueType::vaExtended, v, 10)));
  }
  for (double v : {4e-19, 1e-300, 4.9e-324, 0.30000000000000004, 42664.49775334491234}) {
    SCOPED_TRACE(v);
    ExpectRoundTrip(Form("T", "A", "D", Tagged(TValueType::vaDate, v)));
  }
  for (float v : {1e-45f, 4e-19f, 0.1f, 3.4028235e38f}) {
    SCOPED_TRACE(v);
    ExpectRoundTrip(Form("T", "A", "S", Tagged(TValueType::vaSingle, v)));
  }
}

TEST(ExactConversion, RealFilesKeepTheEighteenDecimalLayout) {
  std::string text = ToText(Form("T", "A", "V", Tagged(TValueType::vaExtended, static_cast<long double>(0.1), 10)));
  EXPECT_NE(text.find("V = 0.100000000000000000\n"), std::string::npos) << text;
  text = ToText(Form("T", "A", "V", Tagged(TValueType::vaExtended, static_cast<long double>(4e-19), 10)));
  EXPECT_NE(text.find("V = 4E-19\n"), std::string::npos) << text;
}

// Whole numbers and small binary fractions take a quick integer path; it
// must give exactly the 18-decimal text the general formatting gives, and
// every other value the general path.
TEST(ExactConversion, EveryValueTheEighteenDecimalLayoutCarriesGetsExactlyThatLayout) {
  std::vector<long double> values = {
      0.0L,
      -0.0L,
      0.5L,
      -0.5L,
      1.0L,
      0.001L,
      0.0009765625L,
      0.00048828125L,
      999999999999999.0L,
      1e15L,
      1e16L,
      123456789012345.5L,
      12345678901234.25L,
      1.0L / 262144,
      3.0L / 524288,
      7.0L / 262144,
      1e-5L,
      65535.99609375L};
  for (int k = 0; k <= 20; ++k)
    for (long double m : {1.0L, 3.0L, 255.0L, 4095.0L, 65537.0L, 1234567.0L, 98765432109.0L})
      for (long double sign : {1.0L, -1.0L}) values.push_back(sign * std::ldexp(m, -k));
  for (long double v : values) {
    SCOPED_TRACE(static_cast<double>(v));
    const std::string general = FormatFormExtended(v);
    long double back = 0;
    const bool layoutCarriesIt = ReadFormFloat(general, back) == FormFloatRead::Ok && [&] {
      const long double read = FormExtendedFromText(general, back);
      return std::memcmp(&read, &v, 10) == 0;
    }();
    const std::string exact = FormatFormExtendedExact(v);
    if (layoutCarriesIt) {
      EXPECT_EQ(exact, general);
    } else {
      EXPECT_NE(exact, general);
    }
    ExpectRoundTrip(Form("T", "A", "V", Tagged(TValueType::vaExtended, v, 10)));
  }
}

TEST(ExactConversion, DoubleValuesKeepTheirValue) {
  // The text has no double suffix: the value comes back as the same number,
  // widened to extended.
  for (double v : {0.30000000000000004, 1e-300, 5e-324}) {
    std::string binary = ToBinary(ToText(Form("T", "A", "V", Tagged(TValueType::vaDouble, v))));
    EXPECT_EQ(binary, Form("T", "A", "V", Tagged(TValueType::vaExtended, static_cast<long double>(v), 10)));
  }
}

TEST(ExactConversion, NanAndInfinitiesFailWithAMessage) {
  const long double inf = std::numeric_limits<long double>::infinity();
  for (long double v : {std::numeric_limits<long double>::quiet_NaN(), inf, -inf}) {
    EXPECT_NE(
        WriteError(Form("T", "A", "Ratio", Tagged(TValueType::vaExtended, v, 10))).find("Ratio"), std::string::npos);
  }
  EXPECT_NE(
      WriteError(Form("T", "A", "S", Tagged(TValueType::vaSingle, std::numeric_limits<float>::infinity())))
          .find("NaN or infinite"),
      std::string::npos);
  EXPECT_NE(WriteError(Form("T", "A", "D", Tagged(TValueType::vaDate, std::nan("")))).find("NaN or infinite"),
            std::string::npos);
  // An x87 encoding with no number behind it (integer bit clear, exponent set).
  std::string unnormal = std::string(1, char(TValueType::vaExtended)) + std::string(8, '\0') + "\x01\x40";
  EXPECT_NE(WriteError(Form("T", "A", "U", unnormal)), "(converted)");
  // The same with the mantissa of 0.5 and 1.5 but the integer bit clear, and a
  // pseudo-denormal (integer bit set, exponent zero): each is refused or
  // written as text that reads back as the same bits, never as the value it
  // resembles.
  for (std::string bytes :
       {std::string(7, '\0') + "\x40" + "\xFE\x3F", std::string(7, '\0') + "\x60" + "\xFF\x3F",
        std::string(7, '\0') + "\x80" + std::string(2, '\0')}) {
    const std::string binary = Form("T", "A", "U", std::string(1, char(TValueType::vaExtended)) + bytes);
    std::string text;
    try {
      text = ToText(binary);
    } catch (const EWriteError&) {
      continue;  // refused: fine
    }
    EXPECT_EQ(ToBinary(text), binary) << text;
  }
}

TEST(ExactConversion, NamesThatAreNotIdentifiersFailWithAMessage) {
  EXPECT_NE(WriteError(Form("TButton", "My Button", "", "")).find("component name 'My Button'"), std::string::npos);
  EXPECT_NE(WriteError(Form("TButton", "1st", "", "")).find("'1st'"), std::string::npos);
  EXPECT_NE(WriteError(Form("TButton", std::string("a\0b", 3), "", "")).find("'a#0b'"), std::string::npos);
  EXPECT_NE(WriteError(Form("T Button", "A", "", "")).find("class name"), std::string::npos);
  EXPECT_NE(WriteError(Form("T", "A", "Font..Name", Tagged(TValueType::vaInt8, int8_t(1)))).find("property name"),
            std::string::npos);
  std::string ident = std::string(1, char(TValueType::vaIdent)) + "\x03" + "a b";
  EXPECT_NE(WriteError(Form("T", "A", "P", ident)).find("identifier 'a b'"), std::string::npos);
  ident = std::string(1, char(TValueType::vaIdent)) + "\x04" + "True";
  EXPECT_NE(WriteError(Form("T", "A", "P", ident)).find("keyword"), std::string::npos);
  std::string set = std::string(1, char(TValueType::vaSet)) + "\x03" + "a b" + std::string(1, '\0');
  EXPECT_NE(WriteError(Form("T", "A", "P", set)).find("set element"), std::string::npos);
  std::string utf8 = std::string(1, char(TValueType::vaUTF8String)) + std::string("\x01\0\0\0\xFF", 5);
  EXPECT_NE(WriteError(Form("T", "A", "P", utf8)).find("not UTF-8"), std::string::npos);
  // Dotted names, names with bytes above 127 and set elements starting with a digit convert.
  std::string okSet = std::string(1, char(TValueType::vaSet)) + "\x02" + "1a" + std::string(1, '\0');
  ExpectRoundTrip(Form("Unit1.TFoo", "N\xC3\xA4me", "Font.Name", okSet));
}

TEST(ExactConversion, BinaryShorterThanARowStaysOnThePropertyLine) {
  auto binary = [](size_t n) {
    std::string v(1, char(TValueType::vaBinary));
    uint32_t len = static_cast<uint32_t>(n);
    v.append(reinterpret_cast<const char*>(&len), 4);
    v.append(n, '\xAB');
    return Form("T", "A", "Data", v);
  };
  EXPECT_NE(ToText(binary(4)).find("Data = {ABABABAB}\n"), std::string::npos);
  EXPECT_NE(ToText(binary(0)).find("Data = {}\n"), std::string::npos);
  std::string row;
  for (int i = 0; i < 31; ++i) row += "AB";
  EXPECT_NE(ToText(binary(31)).find("Data = {" + row + "}\n"), std::string::npos);
  EXPECT_NE(ToText(binary(32)).find("Data = {\n    "), std::string::npos);
  for (size_t n : {0u, 1u, 31u, 32u, 33u, 100u}) ExpectRoundTrip(binary(n));
}

// Text has one keyword per header. A frame inherited from an ancestor form is
// stored both inherited and inline; its text says "inherited", as the
// designer writes it, and reads back inherited alone, with the rest intact.
TEST(ExactConversion, InheritedInlineHeaderKeepsTheInheritedKeyword) {
  auto form = [](char flags) {
    std::string child =
        std::string(1, flags) +
        "\x06TFrame\x06"
        "Frame1"
        "\x03Tag\x02\x07" +
        std::string(2, '\0');
    std::string s =
        "TPF0\x05TForm\x05"
        "Form1" +
        std::string(1, '\0') + child + std::string(1, '\0');
    return s;
  };
  for (char flags : {'\xF5', '\xF7'}) {
    SCOPED_TRACE(int(uint8_t(flags)));
    std::string binary = form(flags);
    if (flags == '\xF7') binary.insert(binary.find("\x06TFrame"), "\x02\x03", 2);  // child position 3
    std::string text = ToText(binary);
    EXPECT_NE(text.find("  inherited Frame1: TFrame"), std::string::npos) << text;
    std::string expected = binary;
    expected[expected.find(flags)] = char(flags & ~ffInline);
    EXPECT_EQ(ToBinary(text), expected) << text;
  }
  // Inline alone keeps its own keyword and comes back unchanged.
  ExpectRoundTrip(form('\xF4'));
}

// Currency is stored as a count of ten-thousandths and written as that
// count with a "c"; every 64-bit count must read back, the extremes included.
TEST(ExactConversion, EveryCurrencyCountComesBack) {
  for (int64_t count :
       {int64_t(0), int64_t(125000), int64_t(-1), std::numeric_limits<int64_t>::min(),
        std::numeric_limits<int64_t>::min() + 1, std::numeric_limits<int64_t>::max()}) {
    SCOPED_TRACE(count);
    ExpectRoundTrip(Form("T", "A", "Price", Tagged(TValueType::vaCurrency, count)));
  }
  EXPECT_NE(
      ToText(Form("T", "A", "Price", Tagged(TValueType::vaCurrency, std::numeric_limits<int64_t>::min())))
          .find("Price = -9223372036854775808c\n"),
      std::string::npos);
  // One past either end is refused with a message.
  for (std::string text : {"-9223372036854775809c", "9223372036854775808c"}) {
    try {
      ToBinary("object A: T\n  Price = " + text + "\nend\n");
      ADD_FAILURE() << text << " was accepted";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("Currency value out of range"), std::string::npos) << e.what();
    }
  }
}
