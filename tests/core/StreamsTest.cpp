#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/Exceptions.h"
#include "core/Streams.h"

TEST(MemoryStream, ReadBufferRaisesWhenFewerBytesAreLeft) {
  TMemoryStream s;
  s.WriteBuffer("abcde", 5);
  s.SetPosition(0);
  char buf[6] = {};
  s.ReadBuffer(buf, 5);
  EXPECT_STREQ(buf, "abcde");
  s.SetPosition(2);
  EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
  try {
    s.SetPosition(0);
    s.ReadBuffer(buf, 6);
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST(MemoryStream, WritePastTheEndZeroFillsTheGap) {
  TMemoryStream s;
  s.SetPosition(3);
  s.WriteBuffer("x", 1);
  ASSERT_EQ(s.Size(), 4);
  EXPECT_EQ(std::string(s.Memory(), 4), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, ClearEmptiesAndSeekBeforeStartRaises) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
}

TEST(MemoryStream, LoadFromStreamCopiesTheWholeSourceAndRewinds) {
  TMemoryStream a, b;
  a.WriteBuffer("hello", 5);  // position left at the end on purpose
  b.WriteBuffer("zz", 2);
  b.LoadFromStream(a);
  EXPECT_EQ(b.Size(), 5);
  EXPECT_EQ(b.Position(), 0);
  EXPECT_EQ(std::string(b.Memory(), 5), "hello");
}

TEST(MemoryStream, LoadFromFileOfAMissingFileRaisesTheOpenError) {
  TMemoryStream s;
  EXPECT_THROW(s.LoadFromFile("/nonexistent/dir/file.dfm"), EFOpenError);
}

TEST(MemoryStream, FileRoundTrip) {
  std::string path = ::testing::TempDir() + "/streams_roundtrip.bin";
  TMemoryStream out;
  out.WriteBuffer("\x00\xff\x10", 3);
  out.SaveToFile(path);
  TMemoryStream in;
  in.LoadFromFile(path);
  EXPECT_EQ(std::string(in.Memory(), size_t(in.Size())), std::string("\x00\xff\x10", 3));
  std::remove(path.c_str());
}

TEST(MemoryStream, GrowsThroughManySmallWrites) {
  TMemoryStream s;
  for (int i = 0; i < 100000; ++i) s.WriteBuffer("0123456789", 10);
  EXPECT_EQ(s.Size(), 1000000);
  EXPECT_EQ(s.Memory()[999999], '9');
}
