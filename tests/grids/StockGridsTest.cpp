// The stock grids on the grid base: string grid cells and views, the
// in-place editor, the value list editor and what the tree command reports.
#include "GridTestSupport.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "controls/ContentReport.h"
#include "stock/DBCtrls.h"
#include "stock/MiscStock.h"
#include "stock/StringGrids.h"
#include "streaming/FormText.h"

namespace {

std::string Member(const TContentReport& report, const std::string& key) {
  for (const auto& [k, v] : report.Members())
    if (k == key) return v;
  return "(absent)";
}

}  // namespace

TEST_F(GridFixture, StringGridCellsLiveInsideTheGridOnly) {
  TTestGrid* g = MakeGrid(3, 2, 400, 200);
  g->SetCells(2, 1, "x");
  g->SetCells(3, 1, "outside");
  EXPECT_EQ(g->Cells(2, 1), "x");
  EXPECT_EQ(g->Cells(3, 1), "");
  int marker = 0;
  g->SetObjects(1, 1, &marker);
  EXPECT_EQ(g->Objects(1, 1), &marker);
  EXPECT_EQ(g->Objects(0, 0), nullptr);
}

TEST_F(GridFixture, ColsAndRowsAreViewsOfTheCells) {
  TTestGrid* g = MakeGrid(3, 4, 400, 200);
  g->Rows(1)->SetText("a\nb\nc\nd\n");
  EXPECT_EQ(g->Cells(0, 1), "a");
  EXPECT_EQ(g->Cells(2, 1), "c");  // the fourth line has no column
  EXPECT_EQ(g->Cols(2)->Count(), 4);
  EXPECT_EQ(g->Cols(2)->Get(1), "c");
  g->Cols(0)->Put(3, "z");
  EXPECT_EQ(g->Cells(0, 3), "z");
  EXPECT_EQ(g->Cols(0), g->Cols(0));
}

TEST_F(GridFixture, TheInplaceEditorWritesIntoTheCurrentCell) {
  TTestGrid* g = MakeGrid(3, 3, 400, 200);
  g->SetCells(1, 1, "old");
  g->Key(VK_F2);
  EXPECT_FALSE(g->EditorMode());  // no goEditing
  g->SetOptions(g->Options() | GridOption(goEditing));
  g->Key(VK_F2);
  ASSERT_TRUE(g->EditorMode());
  TInplaceEdit* edit = g->InplaceEditor();
  EXPECT_EQ(edit->Text(), "old");
  EXPECT_EQ(edit->BoundsRect(), g->CellRect(1, 1));
  edit->SetText("new");
  EXPECT_EQ(g->Cells(1, 1), "new");
  edit->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(g->Cells(1, 1), "old");
  g->Key(VK_F2);
  edit->SetText("kept");
  edit->Perform(WM_KEYDOWN, VK_DOWN, 0);  // stores, closes and moves on
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(g->Cells(1, 1), "kept");
  EXPECT_EQ(g->Row(), 2);
}

TEST_F(GridFixture, TheTreeReportsEveryCellAndTheCurrentOne) {
  TTestGrid* g = MakeGrid(2, 2, 400, 200);
  g->SetFixedCols(0);
  g->SetCells(0, 0, "A");
  g->SetCells(1, 1, "\xE9");  // é in the default character set
  g->MoveColRow(0, 1, true, true);
  TContentReport report;
  g->ReportContent(report);
  EXPECT_EQ(Member(report, "cells"), "[[\"A\", \"\"], [\"\", \"\xC3\xA9\"]]");
  EXPECT_EQ(Member(report, "col"), "0");
  EXPECT_EQ(Member(report, "row"), "1");
}

TEST_F(GridFixture, ADrawGridReportsEmptyCells) {
  auto* g = new TDrawGrid(form.get());
  g->SetColCount(2);
  g->SetRowCount(2);
  TContentReport report;
  g->ReportContent(report);
  EXPECT_EQ(Member(report, "cells"), "[[\"\", \"\"], [\"\", \"\"]]");
}

// A grid's size is two numbers in the form: the report stops at its cell
// limit, cutting the last row short, and counts what it left out; a limit of
// 0 writes every cell.
TEST_F(GridFixture, TheTreeReportStopsAtItsCellLimitAndCountsTheRest) {
  auto* g = new TDrawGrid(form.get());
  g->SetColCount(3);
  g->SetRowCount(4);
  TContentReport limited(5);
  g->ReportContent(limited);
  EXPECT_EQ(Member(limited, "cells"), "[[\"\", \"\", \"\"], [\"\", \"\"]]");
  EXPECT_EQ(Member(limited, "cellsOmitted"), "7");
  TContentReport all(0);
  g->ReportContent(all);
  EXPECT_EQ(Member(all, "cellsOmitted"), "(absent)");
  g->SetColCount(4000);
  g->SetRowCount(4000);
  TContentReport huge;
  g->ReportContent(huge);
  EXPECT_EQ(Member(huge, "cellsOmitted"), std::to_string(4000 * 4000 - TContentReport::kDefaultCellLimit));
  EXPECT_LT(Member(huge, "cells").size(), size_t(TContentReport::kDefaultCellLimit) * 8);
}

TEST_F(GridFixture, AValueListEditorShowsTitlesThenKeysAndValues) {
  auto* v = new TValueListEditor(form.get());
  v->Strings()->SetText("a=1\nb\n");
  EXPECT_EQ(v->RowCount(), 3);
  EXPECT_EQ(v->CellText(0, 0), "Key");
  EXPECT_EQ(v->CellText(1, 1), "1");
  EXPECT_EQ(v->CellText(0, 2), "b");
  EXPECT_EQ(v->CellText(1, 2), "");
  EXPECT_EQ(v->FixedCols(), 0);
}

TEST_F(GridFixture, ADataGridShowsAnIndicatorAndItsColumnsTitlesAndWidths) {
  RegisterClass(TDBGrid::StaticClassInfo());
  TReader reader(form.get());
  ParseFormText(
      "object Form1: TForm\n"
      "  object DBGrid1: TDBGrid\n"
      "    Width = 300\n"
      "    Height = 100\n"
      "    Columns = <\n"
      "      item\n"
      "        FieldName = 'NAME'\n"
      "        Title.Caption = 'Name'\n"
      "        Width = 120\n"
      "      end\n"
      "      item\n"
      "        FieldName = 'CITY'\n"
      "      end>\n"
      "    Options = [dgTitles, dgIndicator, dgColLines]\n"
      "  end\n"
      "end\n",
      reader);
  reader.Finish();
  auto* g = dynamic_cast<TDBGrid*>(form->FindComponent("DBGrid1"));
  ASSERT_TRUE(g);
  EXPECT_EQ(g->ColCount(), 3);
  EXPECT_EQ(g->RowCount(), 2);
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_EQ(g->ColWidths(0), TDBGrid::kIndicatorWidth);
  EXPECT_EQ(g->ColWidths(1), 120);
  EXPECT_EQ(g->ColWidths(2), 64);
  EXPECT_EQ(g->CellText(1, 0), "Name");
  EXPECT_EQ(g->CellText(2, 0), "CITY");
  EXPECT_TRUE(g->HasOption(goVertLine));
  EXPECT_FALSE(g->HasOption(goHorzLine));
}
