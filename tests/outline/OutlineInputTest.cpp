// Keyboard and mouse on an outline, and what the tree command reports.
#include "OutlineTestSupport.h"

#include "controls/ContentReport.h"

namespace {

class OutlineInput : public OutlineFixture {
 protected:
  void SetUp() override {
    OutlineFixture::SetUp();
    outline->SetOutlineStyle(osTreeText);
    outline->SetItemHeight(16);
    FillOutline(*outline, "A\n\ta1\n\ta2\n\t\ta21\nB");
  }
  // The middle of row n (from 0) at the text.
  static int RowY(int n) { return 2 + n * 16 + 8; }
};

}  // namespace

TEST_F(OutlineInput, ArrowsHomeAndEndMoveTheSelectionAndClick) {
  KeyDownTo(outline, VK_DOWN);
  EXPECT_EQ(outline->SelectedItem(), 1);
  KeyDownTo(outline, VK_DOWN);
  EXPECT_EQ(outline->SelectedItem(), 5);  // A is closed: B is next
  KeyDownTo(outline, VK_DOWN);            // at the end: stays
  EXPECT_EQ(outline->SelectedItem(), 5);
  KeyDownTo(outline, VK_HOME);
  EXPECT_EQ(outline->SelectedItem(), 1);
  KeyDownTo(outline, VK_END);
  EXPECT_EQ(outline->SelectedItem(), 5);
  EXPECT_EQ(outline->clicks, 5);
}

TEST_F(OutlineInput, PlusMinusAndStarExpandAndCollapse) {
  outline->SetSelectedItem(1);
  CharTo(outline, '+');
  EXPECT_TRUE(outline->Items(1)->Expanded());
  EXPECT_FALSE(outline->Items(3)->Expanded());
  CharTo(outline, '-');
  EXPECT_FALSE(outline->Items(1)->Expanded());
  CharTo(outline, '*');
  EXPECT_TRUE(outline->Items(1)->Expanded());
  EXPECT_TRUE(outline->Items(3)->Expanded());
  EXPECT_EQ(outline->VisibleItems().size(), 5u);
}

TEST_F(OutlineInput, LeftAndRightOpenCloseAndWalkTheLevels) {
  outline->SetSelectedItem(1);
  KeyDownTo(outline, VK_RIGHT);
  EXPECT_TRUE(outline->Items(1)->Expanded());
  KeyDownTo(outline, VK_RIGHT);
  EXPECT_EQ(outline->SelectedItem(), 2);
  KeyDownTo(outline, VK_LEFT);
  EXPECT_EQ(outline->SelectedItem(), 1);
  KeyDownTo(outline, VK_LEFT);
  EXPECT_FALSE(outline->Items(1)->Expanded());
}

TEST_F(OutlineInput, PageKeysMoveByTheRowsThatFit) {
  std::string text;
  for (int i = 1; i <= 30; ++i) text += "i" + std::to_string(i) + "\n";
  FillOutline(*outline, text);
  outline->SetSelectedItem(1);
  KeyDownTo(outline, VK_NEXT);
  EXPECT_EQ(outline->SelectedItem(), 8);  // seven rows per page
  EXPECT_EQ(outline->TopRow(), 1);
  KeyDownTo(outline, VK_PRIOR);
  EXPECT_EQ(outline->SelectedItem(), 1);
  EXPECT_EQ(outline->TopRow(), 0);
}

TEST_F(OutlineInput, TheOutlineAsksForArrowKeys) { EXPECT_TRUE(outline->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS); }

TEST_F(OutlineInput, AClickOnARowSelectsItAndClicksOnce) {
  ClickAt(outline, 40, RowY(1));
  EXPECT_EQ(outline->SelectedItem(), 5);
  EXPECT_EQ(outline->clicks, 1);
  ClickAt(outline, 40, RowY(1));  // the same item clicks again
  EXPECT_EQ(outline->clicks, 2);
  ClickAt(outline, 40, RowY(5));  // below the last row: nothing
  EXPECT_EQ(outline->SelectedItem(), 5);
  EXPECT_EQ(outline->clicks, 2);
}

TEST_F(OutlineInput, AClickOnThePlusBoxTogglesWithoutSelecting) {
  ClickAt(outline, 10, 9);
  EXPECT_TRUE(outline->Items(1)->Expanded());
  EXPECT_EQ(outline->SelectedItem(), 0);
  EXPECT_EQ(outline->clicks, 0);
  ClickAt(outline, 10, 9);
  EXPECT_FALSE(outline->Items(1)->Expanded());
}

TEST_F(OutlineInput, ADoubleClickTogglesTheItem) {
  int dblClicks = 0;
  outline->OnDblClick.code = [&](TPersistent*) { ++dblClicks; };
  DoubleClickAt(outline, 40, RowY(0));
  EXPECT_TRUE(outline->Items(1)->Expanded());
  EXPECT_EQ(dblClicks, 1);
  DoubleClickAt(outline, 40, RowY(0));
  EXPECT_FALSE(outline->Items(1)->Expanded());
}

TEST_F(OutlineInput, TheTreeReportListsItemsWithLevelsAndTheSelection) {
  outline->Items(1)->Expand();
  outline->SetSelectedItem(3);
  TContentReport report;
  outline->ReportContent(report);
  ASSERT_EQ(report.Members().size(), 2u);
  EXPECT_EQ(report.Members()[0].first, "items");
  EXPECT_EQ(
      report.Members()[0].second,
      "[{\"text\": \"A\", \"level\": 1, \"expanded\": true}, "
      "{\"text\": \"a1\", \"level\": 2, \"expanded\": false}, "
      "{\"text\": \"a2\", \"level\": 2, \"expanded\": false}, "
      "{\"text\": \"a21\", \"level\": 3, \"expanded\": false}, "
      "{\"text\": \"B\", \"level\": 1, \"expanded\": false}]");
  EXPECT_EQ(report.Members()[1], (std::pair<std::string, std::string>{"selected", "3"}));
}
