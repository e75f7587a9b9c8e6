// Shared set-up of the calendar tests: a Qt application on the off-screen
// platform, a shown form with one calendar, counters of its events, and
// helpers to set a date and read a row of cells.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Calendar/Calendar.h"
#include "controls/Forms.h"

class CalendarFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sets the date part by part, through the published writers, from a
  // first day of a month so that no step meets a day its month lacks.
  void SetDate(int year, int month, int day);
  // The captions of one row.
  std::vector<std::string> RowCaptions(int row) const;
  // A left click in the middle of a cell (the border is 2 pixels).
  void ClickCell(int col, int row);
  void Key(Word key);

  std::unique_ptr<TForm> form;
  TCalendar* cal = nullptr;
  int changes = 0;
  int clicks = 0;
};

// The day numbers of a row as text, "" for blank cells.
std::vector<std::string> Days(std::initializer_list<int> days);
