// The stored items of tree and list views decode in every layout, and data
// that no layout explains raises the read error instead of reading past
// its end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/Exceptions.h"
#include "core/FormStrings.h"
#include "stock/ViewItems.h"

namespace {

// Little-endian builders for the stored layouts.
struct Bytes {
  std::string s;
  Bytes& Int(int32_t v) {
    for (int i = 0; i < 4; ++i) s += char(uint32_t(v) >> (8 * i) & 0xFF);
    return *this;
  }
  Bytes& Byte(uint8_t v) {
    s += char(v);
    return *this;
  }
  Bytes& Short(const std::string& text) {
    Byte(uint8_t(text.size()));
    s += text;
    return *this;
  }
  Bytes& Wide(const std::u16string& text) {
    Byte(uint8_t(text.size()));
    for (char16_t c : text) s += char(c & 0xFF), s += char(c >> 8);
    return *this;
  }
};

// A tree node in the 8-bit layout: size, indexes, data, children, text.
void OldNode(Bytes& b, const std::string& text, int image, int children) {
  b.Int(25 + int(text.size())).Int(image).Int(image).Int(-1).Int(-1).Int(0).Int(children).Short(text);
}

void WideNode(Bytes& b, const std::u16string& text, int image, int children, bool extra) {
  b.Int(25 + (extra ? 5 : 0) + 2 * int(text.size())).Int(image).Int(image).Int(-1).Int(-1).Int(0).Int(children);
  if (extra) b.Byte(1).Int(-1);
  b.Wide(text);
}

}  // namespace

TEST(TreeViewItems, EightBitLayoutGivesTextsAndLevelsInTreeOrder) {
  Bytes b;
  b.Int(2);
  OldNode(b, "Root", 0, 2);
  OldNode(b, "Child A", 1, 1);
  OldNode(b, "Grandchild", 2, 0);
  OldNode(b, "Child B", 3, 0);
  OldNode(b, "Second root", 4, 0);
  const auto items = DecodeTreeItems(b.s, false);
  ASSERT_EQ(items.size(), 5u);
  const std::vector<std::pair<std::string, int>> want{
      {"Root", 0}, {"Child A", 1}, {"Grandchild", 2}, {"Child B", 1}, {"Second root", 0}};
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(items[i].text, want[i].first);
    EXPECT_EQ(items[i].level, want[i].second);
    EXPECT_EQ(items[i].imageIndex, int(i));
  }
}

TEST(TreeViewItems, WideLayoutsWithAndWithoutVersionAndExtraFieldsDecode) {
  for (bool version : {false, true})
    for (bool extra : {false, true}) {
      Bytes b;
      if (version) b.Byte(3);
      b.Int(1);
      WideNode(b, u"\u0416ivot", 7, 1, extra);
      WideNode(b, u"leaf", 2, 0, extra);
      const auto items = DecodeTreeItems(b.s, true);
      ASSERT_EQ(items.size(), 2u) << version << extra;
      EXPECT_EQ(items[0].text, FormStringFromUtf8("\xD0\x96ivot"));
      EXPECT_EQ(items[0].imageIndex, 7);
      EXPECT_EQ(items[1].text, "leaf");
      EXPECT_EQ(items[1].level, 1);
    }
}

TEST(TreeViewItems, TruncatedOrInflatedDataRaisesTheReadError) {
  Bytes b;
  b.Int(1);
  OldNode(b, "Root", 0, 0);
  for (size_t cut = 1; cut < b.s.size(); ++cut)
    EXPECT_THROW(DecodeTreeItems(std::string_view(b.s).substr(0, cut), false), EReadError) << cut;
  Bytes huge;
  huge.Int(0x7FFFFFFF);
  EXPECT_THROW(DecodeTreeItems(huge.s, false), EReadError);
  Bytes lying;  // a child count the data cannot hold
  lying.Int(1);
  OldNode(lying, "Root", 0, 1000000);
  EXPECT_THROW(DecodeTreeItems(lying.s, false), EReadError);
  EXPECT_TRUE(DecodeTreeItems("", false).empty());
}

TEST(ListViewItems, EightBitLayoutGivesCaptionsSubItemsAndTheirImages) {
  Bytes b;
  b.Int(0).Int(2);
  b.Int(3).Int(-1).Int(-1).Int(2).Int(0).Short("first").Short("a").Short("bb");
  b.Int(-1).Int(-1).Int(-1).Int(0).Int(0).Short("second");
  b.Int(5).Int(6);  // the sub-item images of the first item
  const auto items = DecodeListItems(b.s, false);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].caption, "first");
  EXPECT_EQ(items[0].imageIndex, 3);
  EXPECT_EQ(items[0].subItems, (std::vector<std::string>{"a", "bb"}));
  EXPECT_EQ(items[0].subItemImages, (std::vector<int>{5, 6}));
  EXPECT_EQ(items[1].caption, "second");
  EXPECT_TRUE(items[1].subItems.empty());
}

TEST(ListViewItems, WideLayoutWithVersionByteAndGroupIdDecodes) {
  Bytes b;
  b.Byte(5).Int(0).Int(1);
  b.Int(0).Int(-1).Int(-1).Int(1).Int(-1).Int(0).Wide(u"report.txt").Wide(u"12 KB");
  b.Int(-1);
  const auto items = DecodeListItems(b.s, true);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].caption, "report.txt");
  EXPECT_EQ(items[0].imageIndex, 0);
  EXPECT_EQ(items[0].subItems, (std::vector<std::string>{"12 KB"}));
}

TEST(ListViewItems, WideLayoutWithoutGroupIdDecodes) {
  Bytes b;
  b.Byte(1).Int(0).Int(1);
  b.Int(4).Int(-1).Int(-1).Int(0).Int(0).Wide(u"plain");
  const auto items = DecodeListItems(b.s, true);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].caption, "plain");
  EXPECT_EQ(items[0].imageIndex, 4);
}

TEST(ListViewItems, GarbageAndTruncationRaiseTheReadError) {
  Bytes b;
  b.Int(0).Int(1).Int(0).Int(-1).Int(-1).Int(1).Int(0).Short("x").Short("sub");
  for (size_t cut = 1; cut < b.s.size(); ++cut)
    EXPECT_THROW(DecodeListItems(std::string_view(b.s).substr(0, cut), false), EReadError) << cut;
  EXPECT_THROW(DecodeListItems(std::string(64, '\xFF'), true), EReadError);
  EXPECT_THROW(DecodeListItems(std::string(64, '\xFF'), false), EReadError);
}
