// The user at the calendar: clicks and keys select days, never blank cells,
// and nothing at all while ReadOnly is set.
#include "CalendarTestSupport.h"

TEST_F(CalendarFixture, AClickOnAnotherDayFiresOnClickWithTheOldDayThenOnChange) {
  SetDate(2026, 4, 10);
  std::vector<std::string> order;
  cal->OnClick.code = [&](TPersistent*) { order.push_back("click " + std::to_string(cal->Day())); };
  cal->OnChange.code = [&](TPersistent*) { order.push_back("change " + std::to_string(cal->Day())); };
  ClickCell(3, 3);  // 15 April
  EXPECT_EQ(order, (std::vector<std::string>{"click 10", "change 15"}));
  EXPECT_EQ(cal->Col(), 3);
  EXPECT_EQ(cal->Row(), 3);
  EXPECT_FALSE(cal->UseCurrentDate());
}

TEST_F(CalendarFixture, AClickOnABlankCellOnlyClicks) {
  SetDate(2026, 4, 10);
  ClickCell(0, 1);  // before 1 April
  EXPECT_EQ(cal->Day(), 10);
  EXPECT_EQ(cal->Col(), 5);
  EXPECT_EQ(cal->Row(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 0);
  ClickCell(2, 0);  // the header row
  EXPECT_EQ(cal->Row(), 2);
  EXPECT_EQ(changes, 0);
}

TEST_F(CalendarFixture, ArrowKeysMoveTheDayButNotOntoBlankCells) {
  SetDate(2026, 4, 1);  // column 3 of row 1
  Key(VK_RIGHT);
  EXPECT_EQ(cal->Day(), 2);
  Key(VK_DOWN);
  EXPECT_EQ(cal->Day(), 9);
  EXPECT_EQ(changes, 2);
  SetDate(2026, 4, 1);
  Key(VK_LEFT);  // a blank cell before day 1
  Key(VK_UP);    // the header row is fixed
  EXPECT_EQ(cal->Day(), 1);
  EXPECT_EQ(changes, 0);
  SetDate(2026, 4, 30);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(cal->Day(), 30);
}

TEST_F(CalendarFixture, ReadOnlyRefusesClicksAndKeysButNotWrites) {
  SetDate(2026, 4, 10);
  cal->SetReadOnly(true);
  ClickCell(3, 3);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(cal->Day(), 10);
  EXPECT_EQ(cal->Col(), 5);
  EXPECT_EQ(cal->Row(), 2);
  EXPECT_EQ(changes, 0);
  cal->SetDay(20);  // a write still moves the current cell
  EXPECT_EQ(cal->Col(), 1);
  EXPECT_EQ(cal->Row(), 4);
  EXPECT_EQ(changes, 1);
}

TEST_F(CalendarFixture, TheCurrentDayIsHighlightedEvenWhenFocused) {
  SetDate(2026, 4, 10);
  cal->SetFocus();
  QImage image;
  cal->PaintTo(image);
  const TRect r = cal->CellRect(5, 2);
  // The corner pixels: the text lies in the middle.
  EXPECT_EQ(image.pixel(2 + r.Left + 1, 2 + r.Bottom - 2) & 0xFFFFFF, ColorToPixel(clHighlight) & 0xFFFFFF);
  const TRect header = cal->CellRect(0, 0);
  EXPECT_EQ(image.pixel(2 + header.Left + 3, 2 + header.Bottom - 3) & 0xFFFFFF, ColorToPixel(clBtnFace) & 0xFFFFFF);
}
