#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "EventLog.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

namespace {

const char kText[] =
    "object Form1: TForm1\r\n"
    "  Caption = 'Hello'\r\n"
    "  object Button1: TButton\r\n"
    "    Left = 8\r\n"
    "  end\r\n"
    "end\r\n";

void Put(TMemoryStream& m, std::string_view s) { m.WriteBuffer(s.data(), s.size()); }
std::string Contents(TMemoryStream& m) { return std::string(m.Memory(), static_cast<size_t>(m.Size())); }

}  // namespace

TEST(Converters, TextToResourceAndBackIsIdentity) {
  TMemoryStream text, res, back;
  Put(text, kText);
  text.SetPosition(0);
  ObjectTextToResource(text, res);
  EXPECT_EQ(res.Memory()[0], '\xFF');
  EXPECT_EQ(std::string(res.Memory() + 3, 7), std::string("TFORM1\0", 7));
  res.SetPosition(0);
  ObjectResourceToText(res, back);
  EXPECT_EQ(Contents(back), kText);
  EXPECT_EQ(res.Position(), res.Size());
}

TEST(Converters, TextToBinaryAndBackIsIdentity) {
  TMemoryStream text, bin, back;
  Put(text, kText);
  text.SetPosition(0);
  ObjectTextToBinary(text, bin);
  EXPECT_EQ(std::string(bin.Memory(), 4), "TPF0");
  bin.SetPosition(0);
  ObjectBinaryToText(bin, back);
  EXPECT_EQ(Contents(back), kText);
}

TEST(Converters, OutputIsAppendedAtTheCurrentPosition) {
  TMemoryStream text, bin, out;
  Put(text, kText);
  text.SetPosition(0);
  ObjectTextToBinary(text, bin);
  Put(out, "HEAD");
  bin.SetPosition(0);
  ObjectBinaryToText(bin, out);
  EXPECT_EQ(Contents(out), std::string("HEAD") + kText);
}

TEST(Converters, InputPositionEndsJustAfterTheForm) {
  TMemoryStream text, bin;
  Put(text, "junk");
  Put(text, kText);
  Put(text, "tail");
  text.SetPosition(4);
  ObjectTextToBinary(text, bin);
  // Just after the root's "end"; its line break is not part of the form.
  EXPECT_EQ(text.Position(), static_cast<int64_t>(4 + sizeof kText - 1 - 2));
}

TEST(Converters, WorksOnFileStreams) {
  auto dir = std::filesystem::temp_directory_path();
  std::string in = (dir / "tessaly-conv-in.dfm").string(), out = (dir / "tessaly-conv-out.dfm").string();
  {
    TFileStream f(in, fmCreate);
    f.WriteBuffer(kText, sizeof kText - 1);
  }
  {
    TFileStream src(in, fmOpenRead), dst(out, fmCreate);
    ObjectTextToResource(src, dst);
  }
  TMemoryStream res, back;
  res.LoadFromFile(out);
  ObjectResourceToText(res, back);
  EXPECT_EQ(Contents(back), kText);
  std::remove(in.c_str());
  std::remove(out.c_str());
}

TEST(Converters, ResourceSizeIsPatchedAfterLargeOutput) {
  // Big enough that the header is flushed to the stream before the size is known.
  std::string text = "object F: TF\r\n  Data = {\r\n";
  for (int i = 0; i < 20000; ++i) text += "    00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF\r\n";
  text += "    00}\r\nend\r\n";
  TMemoryStream src, res, back;
  Put(src, text);
  src.SetPosition(0);
  ObjectTextToResource(src, res);
  uint32_t size = 0;
  std::memcpy(&size, res.Memory() + 3 + 3 + 2, 4);
  EXPECT_EQ(size, static_cast<uint32_t>(res.Size() - 12));
  res.SetPosition(0);
  ObjectResourceToText(res, back);
  EXPECT_EQ(Contents(back), text);
}

TEST(Converters, ResourceWithoutHeaderIsInvalidStreamFormat) {
  TMemoryStream text, out;
  Put(text, kText);
  text.SetPosition(0);
  try {
    ObjectResourceToText(text, out);
    FAIL();
  } catch (const EInvalidImage& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
}

TEST(Converters, ReadFormResourceFeedsASink) {
  TMemoryStream text, res;
  Put(text, kText);
  text.SetPosition(0);
  ObjectTextToResource(text, res);
  res.SetPosition(0);
  EventLog log;
  ReadFormResource(res, log);
  EXPECT_EQ(log.text, "begin Form1:TForm1\nCaption=string 'Hello'\nbegin Button1:TButton\nLeft=int8 8\nend\nend\n");
}

TEST(FormEncodingDetection, TextKeywordsAfterBomAndBlanks) {
  EXPECT_EQ(DetectFormEncoding("object F: T"), FormEncoding::Text);
  EXPECT_EQ(DetectFormEncoding("\xEF\xBB\xBF  \r\nINHERITED F: T"), FormEncoding::Text);
  EXPECT_EQ(DetectFormEncoding("Inline F: T"), FormEncoding::Text);
  EXPECT_EQ(DetectFormEncoding("TPF0\x06TForm1"), FormEncoding::Binary);
  EXPECT_EQ(DetectFormEncoding("\xFF\x0A\x00TFORM1"), FormEncoding::Resource);
  EXPECT_EQ(DetectFormEncoding("objec"), FormEncoding::Resource);
}
