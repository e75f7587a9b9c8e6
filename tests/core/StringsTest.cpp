#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"

namespace {
std::unique_ptr<TStringList> LoadText(const std::string& text) {
  TMemoryStream s;
  s.WriteBuffer(text.data(), text.size());
  s.SetPosition(0);
  auto list = std::make_unique<TStringList>();
  list->LoadFromStream(s);
  return list;
}
}  // namespace

TEST(StringList, LoadSplitsAtCrLfLfAndCr) {
  auto owned = LoadText("a\r\nb\nc\rd");
  auto& list = *owned;
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "b");
  EXPECT_EQ(list[2], "c");
  EXPECT_EQ(list[3], "d");
}

TEST(StringList, FinalLineBreakAddsNoEmptyLineButBlankLinesStay) {
  auto owned = LoadText("a\r\n\r\n\nb\r\n");
  auto& list = *owned;
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "");
  EXPECT_EQ(list[3], "b");
}

TEST(StringList, LoadKeepsEightBitBytesAndNulls) {
  auto owned = LoadText(std::string("\xcf\xf0\x00x\n", 5));
  auto& list = *owned;
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], std::string("\xcf\xf0\x00x", 4));
}

TEST(StringList, SaveWritesEachLineFollowedByCrLf) {
  auto owned = LoadText("a\nb");
  auto& list = *owned;
  TMemoryStream out;
  list.SaveToStream(out);
  EXPECT_EQ(std::string(out.Memory(), size_t(out.Size())), "a\r\nb\r\n");
}

TEST(StringList, IndexOutsideTheListRaisesTheIndexError) {
  auto owned = LoadText("a\nb");
  auto& list = *owned;
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
  auto pa = LoadText("x\ny");
  auto pb = LoadText("old");
  TStringList& a = *pa;
  TStringList& b = *pb;
  b.Assign(a);
  EXPECT_EQ(b.Text(), "x\r\ny\r\n");
}
