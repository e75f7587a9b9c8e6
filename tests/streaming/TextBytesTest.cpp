// The byte-level helpers of the text writer take shortcuts (whole vector
// loads and stores, reads up to the end of a page). These tests hold them to
// the plain byte-by-byte answers, at every length and at the edges where the
// shortcuts change.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "streaming/FormText.h"
#include "streaming/TextBytes.h"

namespace {

std::string PlainHex(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

// A buffer with the slack the helpers may store into.
struct Scratch {
  explicit Scratch(size_t n) : bytes(n + kTextBytesSlack + 64, '\x55') {}
  char* data() { return bytes.data(); }
  std::string bytes;
};

TEST(TextBytes, HexDigitsAreUpperCaseHighNibbleFirstForEveryByteAndLength) {
  std::vector<uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
  for (size_t offset = 0; offset < 256; offset += 37) {
    for (size_t n = 0; n <= 70 && offset + n <= 256; ++n) {
      std::vector<uint8_t> bytes(all.begin() + offset, all.begin() + offset + n);
      Scratch out(2 * n);
      char* end = PutTextHex(out.data(), bytes.data(), n);
      ASSERT_EQ(std::string(out.data(), end), PlainHex(bytes)) << "offset " << offset << ", length " << n;
    }
  }
}

TEST(TextBytes, QuotedRunStopsAtTheFirstControlCharacterOrQuote) {
  // Bytes on both sides of each boundary: 0x1F stops, 0x20 goes; 0x7F and
  // bytes above 127 go (an 8-bit string keeps them raw).
  const std::string goes = std::string("a \x7F\x80\xFF~", 6);
  for (char stop : {'\0', '\x01', '\x1F', '\'', '\n'}) {
    for (size_t at = 0; at < 40; ++at) {
      std::string s;
      for (size_t i = 0; i < at; ++i) s += goes[i % goes.size()];
      s += stop;
      s += "tail";
      Scratch out(s.size());
      size_t run = CopyQuotedRun8(out.data(), reinterpret_cast<const unsigned char*>(s.data()), s.size());
      ASSERT_EQ(run, at) << "stop byte " << int(stop) << " at " << at;
      ASSERT_EQ(std::string(out.data(), run), s.substr(0, at));
    }
  }
  // With no stop byte the run is the whole limit, never past it.
  std::string plain(50, 'x');
  Scratch out(plain.size());
  EXPECT_EQ(CopyQuotedRun8(out.data(), reinterpret_cast<const unsigned char*>(plain.data()), 37), 37u);
}

TEST(TextBytes, ShortNameCheckAgreesWithTheFullCheck) {
  // The bytes on each side of every range the rule uses, and the dot.
  const std::string alphabet = std::string("aZ_09.:/@[`{ \x80\xFF\x7F", 16) + std::string(1, '\0');
  auto agree = [](const std::string& name) {
    for (bool dotted : {false, true}) {
      Scratch copy(name.size());
      bool isName = false;
      char* end = CopyTextName(copy.data(), name, dotted, isName);
      EXPECT_EQ(std::string(copy.data(), end), name);
      // The shortcut may decline to answer (false), never answer wrongly.
      if (isName) {
        EXPECT_TRUE(IsFormTextIdentifier(name, dotted)) << "accepted '" << name << "'";
      }
#if defined(__SSE2__)
      if (!name.empty() && name.size() <= 16) {
        EXPECT_EQ(isName, IsFormTextIdentifier(name, dotted)) << "'" << name << "', dotted " << dotted;
      }
#endif
    }
  };
  // Every name of up to three bytes from that alphabet.
  std::string name;
  for (char a : alphabet) {
    agree(std::string(1, a));
    for (char b : alphabet) {
      agree(std::string{a, b});
      for (char c : alphabet) agree(std::string{a, b, c});
    }
  }
  // Longer names up to and past the sixteen bytes checked at once.
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::string longer(1 + random() % 20, 'a');
    for (char& c : longer)
      if (random() % 4 == 0) c = alphabet[random() % alphabet.size()];
    agree(longer);
  }
}

TEST(TextBytes, NamesEndingAtAPageEdgeAreCopiedWithoutReadingPastIt) {
  const long page = sysconf(_SC_PAGESIZE);
  auto* pages = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(pages, MAP_FAILED);
  ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);  // touching it would crash the test
  for (size_t n = 1; n <= 16; ++n) {
    char* name = pages + page - n;
    for (size_t i = 0; i < n; ++i) name[i] = i == 0 ? 'N' : static_cast<char>('a' + i);
    Scratch copy(n);
    bool isName = false;
    char* end = CopyTextName(copy.data(), std::string_view(name, n), true, isName);
    EXPECT_EQ(std::string(copy.data(), end), std::string(name, n));
  }
  munmap(pages, 2 * page);
}

// Keeps the last binary or string value a parse delivers.
class LastValue : public FormIgnoredEvents {
 public:
  void Scalar(const FormScalar& s) override { bytes = std::string(s.bytes); }
  std::string bytes;
};

std::string ParsedValue(const std::string& value) {
  LastValue last;
  ParseFormText("object A: T\r\n  V = " + value + "\r\nend\r\n", last);
  return last.bytes;
}

std::string ParseError(const std::string& value) {
  try {
    ParsedValue(value);
  } catch (const EParserError& e) {
    return e.what();
  }
  return "(parsed)";
}

TEST(TextBytes, HexRowsReadTheSameInEitherCaseAndAnyLayout) {
  std::mt19937 random(11);
  for (int round = 0; round < 400; ++round) {
    std::vector<uint8_t> bytes(random() % 100);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    std::string hex = PlainHex(bytes);
    if (round % 3 == 1)
      for (char& c : hex) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (round % 3 == 2)
      for (char& c : hex)
        if (random() % 2) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // Rows of any width, and now and then a pair split by a blank.
    std::string text = "{";
    for (size_t i = 0; i < hex.size(); ++i) {
      if (random() % 23 == 0) text += "\r\n    ";
      if (random() % 61 == 0) text += ' ';
      text += hex[i];
    }
    text += "}";
    ASSERT_EQ(ParsedValue(text), std::string(bytes.begin(), bytes.end())) << text;
  }
}

TEST(TextBytes, ANonHexCharacterAnywhereInARowIsReportedWhereItStands) {
  const std::string row(64, 'A');
  for (size_t at = 0; at < row.size(); ++at) {
    for (char bad : {'G', 'g', '/', ':', '@', '`', 'x'}) {
      std::string text = "{\r\n    " + row + row + "}";
      text[7 + 64 + at] = bad;
      // "  V = " starts the line: the value's text begins at column 7.
      EXPECT_EQ(ParseError(text), "Line 3, column " + std::to_string(5 + 64 + at) + ": Hexadecimal digit expected")
          << "'" << bad << "' at " << at;
    }
  }
  EXPECT_EQ(ParseError("{" + row + "A}"), "Line 2, column 73: Odd number of hexadecimal digits");
  // A text that ends inside the value: reported at its brace.
  LastValue ignored;
  try {
    ParseFormText("object A: T\r\n  V = {\r\n    " + row + row, ignored);
    ADD_FAILURE() << "parsed";
  } catch (const EParserError& e) {
    EXPECT_STREQ(e.what(), "Line 2, column 7: Binary value without '}'");
  }
}

TEST(TextBytes, QuotedSegmentsEndAtTheirQuoteWhereverItFalls) {
  for (size_t n = 0; n < 50; ++n) {
    std::string content;
    for (size_t i = 0; i < n; ++i) content += static_cast<char>('a' + i % 26);
    EXPECT_EQ(ParsedValue("'" + content + "'"), content);
    EXPECT_EQ(ParsedValue("'" + content + "''x'"), content + "'x");
    // A line break before the closing quote leaves the string open.
    EXPECT_EQ(ParseError("'" + content + "\r\n'"), "Line 2, column 7: Unterminated string");
  }
}

}  // namespace
