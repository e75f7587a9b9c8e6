// Where a property's value ends: the helper that lets the rewriting drop or
// blank multi-line values whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rewrite.h"

using Lines = std::vector<std::string>;

TEST(FormValueLastLineTest, OneLineValuesEndOnTheirLine) {
  Lines l = {
      "  Left = 8",   "  Caption = 'a (b'", "  Font.Style = [fsBold]",
      "  Items = <>", "  Data = {0A0B}",    "  Strings = ('x')",
      "  end"};
  for (int k = 0; k < int(l.size()); ++k) EXPECT_EQ(FormValueLastLine(l, k), k) << l[size_t(k)];
}

TEST(FormValueLastLineTest, LineWithoutEqualsIsOneLine) {
  Lines l = {"  item", "  end"};
  EXPECT_EQ(FormValueLastLine(l, 0), 0);
}

TEST(FormValueLastLineTest, ListEndsWhereItsParenthesisCloses) {
  Lines l = {"Items.Strings = (", "  'a'", "  'b')", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 2);
}

TEST(FormValueLastLineTest, ParenthesesInsideQuotesDoNotCount) {
  Lines l = {"Items.Strings = (", "  'close )'", "  'it''s ( open'", "  'x')", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 3);
}

TEST(FormValueLastLineTest, UnbalancedQuoteDoesNotSpanLines) {
  Lines l = {"Items.Strings = (", "  'a", "  'b')", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 2);
}

TEST(FormValueLastLineTest, ListItemsContinuedWithPlusStayInTheList) {
  Lines l = {"SQL.Strings = (", "  'select *' +", "  ' from t')", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 2);
}

TEST(FormValueLastLineTest, BinaryDataEndsAtTheLineEndingInBrace) {
  Lines l = {"Picture.Data = {", "  0A0B0C", "  0D0E}", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 2);
}

TEST(FormValueLastLineTest, CollectionEndsAtItsOwnEndAngle) {
  Lines l = {"Columns = <", "  item",     "    Width = 1",  "  end",  "  item",  "    Sub = <",
             "      item",  "      end>", "    Empty = <>", "  end>", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 9);
  EXPECT_EQ(FormValueLastLine(l, 5), 7);
}

TEST(FormValueLastLineTest, StringContinuedWithPlusEndsAtLineWithoutPlus) {
  Lines l = {"Hint = 'a' +", "  'b' +", "  #13#10 +", "  'c'", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 3);
}

TEST(FormValueLastLineTest, PlusInsideQuotesDoesNotContinue) {
  Lines l = {"Caption = 'C +'", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 0);
}

TEST(FormValueLastLineTest, ValueStartingOnTheNextLineIsFollowed) {
  Lines l = {"Hint =", "  'long' +", "  'text'", "Left = 1"};
  EXPECT_EQ(FormValueLastLine(l, 0), 2);
}

TEST(FormValueLastLineTest, EmptyValueDoesNotSwallowAnEnd) {
  Lines l = {"Hint =", "end"};
  EXPECT_EQ(FormValueLastLine(l, 0), 0);
}

TEST(FormValueLastLineTest, UnterminatedValuesRunToTheLastLine) {
  EXPECT_EQ(FormValueLastLine(Lines{"Items = <", "  item", "  end"}, 0), 2);
  EXPECT_EQ(FormValueLastLine(Lines{"Strings = (", "  'a'"}, 0), 1);
  EXPECT_EQ(FormValueLastLine(Lines{"Data = {", "  0A"}, 0), 1);
  EXPECT_EQ(FormValueLastLine(Lines{"Hint = 'a' +"}, 0), 0);
}
