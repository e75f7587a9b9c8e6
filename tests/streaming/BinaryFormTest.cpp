#include <gtest/gtest.h>

#include <string>

#include "EventLog.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

// "TPF0" + header of a root TForm1/Form1 with one property named P.
Bytes RootWithProperty() { return Bytes().raw("TPF0").str("TForm1").str("Form1").str("P"); }
Bytes& CloseRoot(Bytes& b) { return b.u8(0).u8(0); }

std::string ReadEvents(const std::string& data) {
  EventLog log;
  ReadFormBinary(data, log);
  return log.text;
}

template <typename E>
std::string ErrorOf(const std::string& data) {
  EventLog log;
  try {
    ReadFormBinary(data, log);
  } catch (const E& e) {
    return e.what();
  }
  return "(no error)";
}

std::string Resource(std::string_view stream, std::string_view name = "TFORM1") {
  return Bytes().u8(0xFF).u16(10).raw(name).u8(0).u16(0x1030).u32(static_cast<uint32_t>(stream.size())).raw(stream).b;
}

}  // namespace

TEST(BinaryFormReader, DecodesIntegerTagsWithTheirWidthAndSign) {
  Bytes b = RootWithProperty();
  b.u8(1).u8(2).u8(0x80).u8(3).u16(0x8000).u8(4).u32(0xFFFFFFFE).u8(19).u32(0).u32(0x80000000).u8(0);
  CloseRoot(b);
  EXPECT_EQ(ReadEvents(b.b),
            "begin Form1:TForm1\nP=(\nint8 -128\nint16 -32768\nint32 -2\nint64 -9223372036854775808\n)\nend\n");
}

TEST(BinaryFormReader, DecodesStringLikeTagsAsTheirBytes) {
  Bytes b = RootWithProperty();
  b.u8(1);
  b.u8(6).str("ab");
  b.u8(7).str("clRed");
  b.u8(12).u32(3).raw("xyz");
  b.u8(20).u32(2).raw("\xC3\xB0");
  b.u8(18).u32(1).u16(0x0416);
  b.u8(10).u32(2).raw("\x01\xFF");
  b.u8(11).str("a").str("b").u8(0);
  b.u8(11).u8(0);
  b.u8(0);
  CloseRoot(b);
  EXPECT_EQ(
      ReadEvents(b.b),
      "begin Form1:TForm1\nP=(\nstring 'ab'\nident clRed\nlstring 3\nutf8 C3B0\nwstring 1604\n"
      "binary 01FF\nset a b\nset\n)\nend\n");
}

TEST(BinaryFormReader, DecodesBooleansNilAndFloatTags) {
  Bytes b = RootWithProperty();
  b.u8(1).u8(8).u8(9).u8(13);
  b.u8(5).raw(std::string("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F", 10));  // 1.5 as extended
  float f = 0.5f;
  b.u8(15).raw(std::string(reinterpret_cast<char*>(&f), 4));
  double d = 2.25;
  b.u8(17).raw(std::string(reinterpret_cast<char*>(&d), 8));
  b.u8(21).raw(std::string(reinterpret_cast<char*>(&d), 8));
  b.u8(16).u32(125000).u32(0);
  b.u8(0);
  CloseRoot(b);
  EXPECT_EQ(
      ReadEvents(b.b),
      "begin Form1:TForm1\nP=(\nfalse\ntrue\nnil\nextended 00000000000000C0FF3F\n"
      "single 0.500000\ndate 2.250000\ndouble 2.250000\ncurrency 125000\n)\nend\n");
}

TEST(BinaryFormReader, CollectionItemsWithAndWithoutOrder) {
  Bytes b = RootWithProperty();
  b.u8(14);
  b.u8(1).str("Width").u8(2).u8(50).u8(0);
  b.u8(3).u16(300).u8(1).u8(0);
  b.u8(0);
  CloseRoot(b);
  EXPECT_EQ(
      ReadEvents(b.b), "begin Form1:TForm1\nP=<\nitem\nWidth=int8 50\nenditem\nitem int16 300\nenditem\n>\nend\n");
}

TEST(BinaryFormReader, FilerFlagsAndChildPosition) {
  Bytes b = Bytes().raw("TPF0").u8(0xF1).str("TForm2").str("Form2").u8(0);
  b.u8(0xF2).u8(3).u16(0x1234).str("TButton").str("B").u8(0).u8(0);
  b.u8(0xF4).str("TFrame1").str("").u8(0).u8(0);
  b.u8(0xF7).u8(2).u8(5).str("TPanel").str("P").u8(0).u8(0);
  b.u8(0);
  EXPECT_EQ(
      ReadEvents(b.b),
      "begin flags=1 Form2:TForm2\n"
      "begin flags=2 pos=4660 B:TButton\nend\n"
      "begin flags=4 :TFrame1\nend\n"
      "begin flags=7 pos=5 P:TPanel\nend\n"
      "end\n");
}

TEST(BinaryFormReader, ReturnsBytesUsedAndIgnoresWhatFollows) {
  Bytes b = Bytes().raw("TPF0").str("T").str("").u8(0).u8(0);
  size_t size = b.b.size();
  b.raw("trailing junk");
  EventLog log;
  EXPECT_EQ(ReadFormBinary(b.b, log), size);
}

TEST(BinaryFormReaderErrors, MissingSignatureIsInvalidStreamFormat) {
  EXPECT_EQ(ErrorOf<EInvalidImage>("TPF1\x01T"), "Invalid stream format");
  EXPECT_EQ(ErrorOf<EInvalidImage>(""), "Invalid stream format");
}

TEST(BinaryFormReaderErrors, EveryTruncationIsAReadErrorWithOffset) {
  Bytes b = RootWithProperty();
  b.u8(1).u8(4).u32(7).u8(12).u32(2).raw("ab").u8(14).u8(1).str("X").u8(8).u8(0).u8(0).u8(0);
  CloseRoot(b);
  ASSERT_NE(ReadEvents(b.b), "");
  for (size_t n = 4; n < b.b.size(); ++n) {
    std::string msg = ErrorOf<EReadError>(b.b.substr(0, n));
    EXPECT_NE(msg.find("Stream read error"), std::string::npos) << n << ": " << msg;
    EXPECT_NE(msg.find(" at byte "), std::string::npos) << n << ": " << msg;
  }
}

TEST(BinaryFormReaderErrors, UnknownTagNamesTagAndOffset) {
  Bytes b = RootWithProperty();
  b.u8(99);
  EXPECT_EQ(ErrorOf<EReadError>(b.b), "Unknown value tag 99 at byte 19");
}

// A name that form text cannot hold fails the conversion with the byte it
// was read at: the component's header, or the property's name.
TEST(BinaryFormReaderErrors, NamesTextCannotHoldGiveTheirOffset) {
  auto toText = [](const std::string& data) -> std::string {
    TMemoryStream out;
    FormOutput output(out);
    FormTextWriter writer(output);
    try {
      ReadFormBinary(data, writer);
    } catch (const EUnwritableValue& e) {
      return e.what();
    }
    return "(no error)";
  };
  Bytes badComponent = Bytes().raw("TPF0").str("TForm1").str("bad one");
  EXPECT_EQ(toText(CloseRoot(badComponent).b),
            "Cannot write the component name 'bad one': it is not an identifier as form text (read at byte 4)");
  Bytes badProperty = Bytes().raw("TPF0").str("TForm1").str("Form1").str("bad name").u8(2).u8(5);
  EXPECT_EQ(toText(CloseRoot(badProperty).b),
            "Cannot write the property name 'bad name': it is not an identifier as form text (read at byte 17)");
}

TEST(BinaryFormReaderErrors, EndOfListTagIsNoPropertyValue) {
  Bytes b = RootWithProperty();
  b.u8(0);
  EXPECT_EQ(ErrorOf<EReadError>(b.b), "Value expected, found the end-of-list tag at byte 19");
}

TEST(BinaryFormReaderErrors, AbsurdLengthsAreRejectedBeforeAllocating) {
  for (unsigned tag : {10u, 12u, 20u, 18u}) {
    Bytes b = RootWithProperty();
    b.u8(tag).u32(0xFFFFFFF0u).raw("abc");
    std::string msg = ErrorOf<EReadError>(b.b);
    EXPECT_NE(msg.find("exceeds the 3 bytes left at byte 20"), std::string::npos) << tag << ": " << msg;
  }
}

TEST(BinaryFormReaderErrors, ShortStringLongerThanTheDataIsAReadError) {
  Bytes b = Bytes().raw("TPF0").u8(200).raw("TForm");
  EXPECT_NE(ErrorOf<EReadError>(b.b).find("exceeds the 5 bytes left at byte 4"), std::string::npos);
}

TEST(BinaryFormReaderErrors, DeepListNestingStopsAtTheLimit) {
  Bytes b = RootWithProperty();
  b.b.append(1000000, '\x01');
  std::string msg = ErrorOf<EReadError>(b.b);
  EXPECT_NE(msg.find("nesting deeper than 1000 levels"), std::string::npos) << msg;
}

TEST(BinaryFormReaderErrors, DeepComponentNestingStopsAtTheLimit) {
  Bytes b = Bytes().raw("TPF0");
  for (int i = 0; i < 100000; ++i) b.str("T").str("").u8(0);
  std::string msg = ErrorOf<EReadError>(b.b);
  EXPECT_NE(msg.find("nesting deeper than 1000 levels"), std::string::npos) << msg;
}

TEST(BinaryFormReaderErrors, CollectionItemWithoutListTag) {
  Bytes b = RootWithProperty();
  b.u8(14).u8(6);
  EXPECT_EQ(ErrorOf<EReadError>(b.b), "Collection item expected at byte 20");
}

TEST(BinaryFormReaderErrors, ChildPositionMustBeAnInteger) {
  Bytes b = Bytes().raw("TPF0").u8(0xF2).u8(6).str("x");
  EXPECT_EQ(ErrorOf<EReadError>(b.b), "Integer expected for the child position at byte 5");
}

TEST(FormResource, AcceptsAnyNameAndOrdinalIds) {
  std::string stream = Bytes().raw("TPF0").str("TForm1").str("F").u8(0).u8(0).b;
  EventLog a, b;
  ReadFormResource(Resource(stream, "WHATEVER"), a);
  std::string ordinal = Bytes().u8(0xFF).u16(10).u8(0xFF).u16(7).u16(0x1030).u32(uint32_t(stream.size())).raw(stream).b;
  ReadFormResource(ordinal, b);
  EXPECT_EQ(a.text, "begin F:TForm1\nend\n");
  EXPECT_EQ(b.text, a.text);
}

TEST(FormResource, MissingHeaderIsInvalidStreamFormat) {
  EventLog log;
  for (std::string bad : {std::string("TPF0"), std::string("\xFF\x0B\x00X", 4), std::string()}) {
    try {
      ReadFormResource(bad, log);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EInvalidImage& e) {
      EXPECT_STREQ(e.what(), "Invalid stream format");
    }
  }
}

// Every truncation inside a header that starts right names the byte where
// the file ends.
TEST(FormResource, TruncatedHeaderNamesWhereItEnds) {
  EventLog log;
  const std::string header("\xFF\x0A\x00\xFF\x0A\x00\x30\x10\x20\x00\x00\x00", 12);
  const std::string named("\xFF\x0A\x00TFORM1\x00\x30\x10\x20\x00\x00\x00", 16);
  for (const std::string& whole : {header, named}) {
    for (size_t cut = 4; cut < whole.size(); ++cut) {
      try {
        ReadFormResource(whole.substr(0, cut), log);
        ADD_FAILURE() << "accepted " << cut << " bytes";
      } catch (const EInvalidImage& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Invalid stream format: the resource header is cut short at byte " + std::to_string(cut));
      }
    }
  }
}

TEST(FormResource, ErrorOffsetsCountFromTheStartOfTheFile) {
  std::string data = Resource(Bytes().raw("TPF0").str("T").str("").str("P").u8(77).b, "T");
  EventLog log;
  try {
    ReadFormResource(data, log);
    FAIL();
  } catch (const EReadError& e) {
    // Header is 3 + 2 + 2 + 4 = 11 bytes; the tag sits at 11 + 4 + 2 + 1 + 2.
    EXPECT_STREQ(e.what(), "Unknown value tag 77 at byte 20");
  }
}

TEST(FormBinaryWriter, ReproducesWhatTheReaderSaw) {
  Bytes b = Bytes().raw("TPF0").u8(0xF3).u8(2).u8(1).str("TForm1").str("Form1");
  b.str("A").u8(1).u8(2).u8(5).u8(3).u16(5).u8(4).u32(5).u8(19).u32(5).u32(0).u8(0);
  b.str("B").u8(6).str("x").str("C").u8(12).u32(1).raw("y").str("D").u8(20).u32(1).raw("z");
  b.str("E").u8(18).u32(1).u16(65).str("F").u8(10).u32(0).str("G").u8(11).str("s").u8(0);
  b.str("H").u8(14).u8(2).u8(1).u8(1).str("I").u8(9).u8(0).u8(1).u8(0).u8(0);
  b.str("J").u8(5).raw(std::string(10, '\x11')).str("K").u8(13).str("L").u8(7).str("id");
  b.u8(0);
  b.str("TButton").str("B1").u8(0).u8(0);
  b.u8(0);
  FormOutput out;
  FormBinaryWriter w(out);
  ReadFormBinary(b.b, w);
  EXPECT_TRUE(w.Done());
  EXPECT_EQ(EventLog::Hex(out.Str()), EventLog::Hex(b.b));
}

TEST(FormBinaryWriter, ResourceHeaderNamesRootClassInUpperCaseAndGivesTheSize) {
  std::string stream = Bytes().raw("TPF0").str("TMainForm").str("M").u8(0).u8(0).b;
  FormOutput out;
  FormBinaryWriter w(out, true);
  ReadFormBinary(stream, w);
  EXPECT_EQ(out.Str(), Resource(stream, "TMAINFORM"));
}

TEST(FormBinaryWriter, StringOver255BytesBecomesLongString) {
  FormOutput out;
  FormBinaryWriter w(out);
  FormObjectHeader h;
  h.className = "T";
  w.BeginComponent(h);
  w.Property("P");
  FormScalar s;
  s.type = TValueType::vaString;
  std::string text(300, 'a');
  s.bytes = text;
  w.Scalar(s);
  w.EndComponent();
  EXPECT_EQ(out.Str(), Bytes().raw("TPF0").str("T").str("").str("P").u8(12).u32(300).raw(text).u8(0).u8(0).b);
}

TEST(FormBinaryWriter, NamesLongerThan255BytesAreRefused) {
  FormOutput out;
  FormBinaryWriter w(out);
  FormObjectHeader h;
  std::string longName(256, 'N');
  h.className = longName;
  EXPECT_THROW(w.BeginComponent(h), EWriteError);
}

TEST(FormBinaryWriter, ClassNameStartingWithFFStillGivesAReadableHeader) {
  // A leading FF byte would read as an ordinal resource id; found by fuzzing.
  std::string stream = Bytes().raw("TPF0").str("\xFF\xFE").str("").u8(0).u8(0).b;
  FormOutput out;
  FormBinaryWriter w(out, true);
  ReadFormBinary(stream, w);
  EventLog log;
  ReadFormResource(out.Str(), log);
  EXPECT_EQ(log.text, "begin :\xFF\xFE\nend\n");
}
