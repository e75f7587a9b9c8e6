#include <gtest/gtest.h>

#include <string>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"

namespace {
TStringList LoadText(const std::string& text) {
  TMemoryStream s;
  s.WriteBuffer(text.data(), text.size());
  s.SetPosition(0);
  TStringList list;
  list.LoadFromStream(s);
  return list;
}
}  // namespace

TEST(StringList, LoadSplitsAtCrLfLfAndCr) {
  TStringList list = LoadText("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "b");
  EXPECT_EQ(list[2], "c");
  EXPECT_EQ(list[3], "d");
}

TEST(StringList, FinalLineBreakAddsNoEmptyLineButBlankLinesStay) {
  TStringList list = LoadText("a\r\n\r\n\nb\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "");
  EXPECT_EQ(list[3], "b");
}

TEST(StringList, LoadKeepsEightBitBytesAndNulls) {
  TStringList list = LoadText(std::string("\xcf\xf0\x00x\n", 5));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], std::string("\xcf\xf0\x00x", 4));
}

TEST(StringList, SaveWritesEachLineFollowedByCrLf) {
  TStringList list = LoadText("a\nb");
  TMemoryStream out;
  list.SaveToStream(out);
  EXPECT_EQ(std::string(out.Memory(), size_t(out.Size())), "a\r\nb\r\n");
}

TEST(StringList, IndexOutsideTheListRaisesTheIndexError) {
  TStringList list = LoadText("a\nb");
  EXPECT_THROW(list.Get(2), EStringListError);
  EXPECT_THROW(list.Get(-1), EStringListError);
  EXPECT_THROW(list.Put(2, "x"), EStringListError);
  try {
    list.Get(5);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
}

namespace {
class CountingList : public TStringList {
 public:
  std::vector<bool> states;

 protected:
  void SetUpdateState(bool updating) override { states.push_back(updating); }
};
}  // namespace

TEST(StringList, UpdateStateIsEnteredOnceAndLeftOnceWhenNested) {
  CountingList list;
  list.BeginUpdate();
  list.BeginUpdate();
  EXPECT_EQ(list.UpdateCount(), 2);
  list.EndUpdate();
  list.EndUpdate();
  list.EndUpdate();  // unbalanced end is harmless
  EXPECT_EQ(list.states, (std::vector<bool>{true, false}));
}

TEST(StringList, AssignReplacesTheLines) {
  TStringList a = LoadText("x\ny");
  TStringList b = LoadText("old");
  b.Assign(a);
  EXPECT_EQ(b.Text(), "x\r\ny\r\n");
}
