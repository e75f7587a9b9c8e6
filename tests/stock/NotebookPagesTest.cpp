// Notebooks show the pages their forms store, tab sets put their tabs on
// the edge TabPosition names, and both report their content.
#include <gtest/gtest.h>

#include <QImage>
#include <QTabBar>

#include "StockTestSupport.h"
#include "controls/ContentReport.h"
#include "controls/Render.h"
#include "stock/StockControls.h"
#include "stock/TabSetLayout.h"

namespace {

// A nameless page holding one coloured panel that fills it.
std::string Page(
    const std::string& cls, const std::string& caption, const std::string& panel, const std::string& color) {
  return "    object " + cls + "\r\n      Left = 0\r\n      Top = 0\r\n      Caption = '" + caption + "'\r\n" +
         "      object " + panel + ": TPanel\r\n        Left = 0\r\n        Top = 0\r\n        Width = 40\r\n" +
         "        Height = 40\r\n        Align = alClient\r\n        BevelOuter = bvNone\r\n" +
         "        Color = " + color + "\r\n        TabOrder = 0\r\n      end\r\n    end\r\n";
}

std::string NotebookForm(const std::string& pageIndex) {
  return FormTextWith(
      "  object Notebook1: TNotebook\r\n    Left = 10\r\n    Top = 10\r\n    Width = 200\r\n"
      "    Height = 120\r\n" +
      pageIndex + Page("TPage", "Default", "Red", "clRed") + Page("TPage", "Second", "Lime", "clLime") +
      Page("TPage", "Third", "Blue", "clBlue") + "  end\r\n");
}

std::vector<std::pair<std::string, std::string>> Content(const TControl& c) {
  TContentReport report;
  c.ReportContent(report);
  return report.Members();
}

int CountColour(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
  return n;
}

TEST(Notebook, StoredPagesLoadAsPagesAndOnlyTheIndexedOneShows) {
  auto form = LoadFormText(NotebookForm("    PageIndex = 1\r\n"));
  auto* notebook = dynamic_cast<TNotebook*>(form->FindComponent("Notebook1"));
  ASSERT_NE(notebook, nullptr);
  const auto pages = NotebookPages(*notebook);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(notebook->Pages()->Count(), 3);
  EXPECT_EQ(notebook->Pages()->Get(2), "Third");
  EXPECT_EQ(notebook->ActivePage(), "Second");
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i]->Visible(), i == 1) << i;
  // The page fills the notebook and carries its children.
  EXPECT_EQ(pages[1]->BoundsRect(), notebook->ClientRect());
  EXPECT_EQ(form->FindComponent("Lime")->ClassName(), "TPanel");
  EXPECT_EQ(dynamic_cast<TControl*>(form->FindComponent("Lime"))->Parent(), pages[1]);

  const auto members = Content(*notebook);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].first, "items");
  EXPECT_EQ(members[0].second, R"(["Default", "Second", "Third"])");
  EXPECT_EQ(members[1].second, "1");

  const QImage image = RenderControl(notebook);
  EXPECT_GT(CountColour(image, Qt::green), 200 * 120 / 2);
  EXPECT_EQ(CountColour(image, Qt::red), 0);
  EXPECT_EQ(CountColour(image, Qt::blue), 0);
}

TEST(Notebook, WithoutAStoredIndexTheFirstPageShows) {
  auto form = LoadFormText(NotebookForm(""));
  auto* notebook = dynamic_cast<TNotebook*>(form->FindComponent("Notebook1"));
  const QImage image = RenderControl(notebook);
  EXPECT_GT(CountColour(image, Qt::red), 200 * 120 / 2);
  EXPECT_EQ(CountColour(image, Qt::green), 0);
}

TEST(Notebook, AnIndexBeyondThePagesShowsNoPageRatherThanFailing) {
  auto form = LoadFormText(NotebookForm("    PageIndex = 7\r\n"));
  auto* notebook = dynamic_cast<TNotebook*>(form->FindComponent("Notebook1"));
  for (TPage* page : NotebookPages(*notebook)) EXPECT_FALSE(page->Visible());
  EXPECT_EQ(notebook->ActivePage(), "");
}

TEST(Notebook, ChoosingAPageByCaptionIgnoresCaseAndTellsTheForm) {
  auto form = LoadFormText(NotebookForm(""));
  auto* notebook = dynamic_cast<TNotebook*>(form->FindComponent("Notebook1"));
  int changes = 0;
  notebook->OnPageChanged.code = [&changes](TPersistent*) { ++changes; };
  notebook->SetActivePage("THIRD");
  EXPECT_EQ(notebook->PageIndex(), 2);
  EXPECT_TRUE(NotebookPages(*notebook)[2]->Visible());
  EXPECT_EQ(NotebookPages(*notebook)[2]->BoundsRect(), notebook->ClientRect());
  EXPECT_FALSE(NotebookPages(*notebook)[0]->Visible());
  notebook->SetActivePage("no such page");
  EXPECT_EQ(notebook->PageIndex(), 2);
  EXPECT_EQ(changes, 1);
}

TEST(Notebook, ARenamedPageRenamesItsEntryInPages) {
  auto form = LoadFormText(NotebookForm(""));
  auto* notebook = dynamic_cast<TNotebook*>(form->FindComponent("Notebook1"));
  NotebookPages(*notebook)[0]->SetCaption("First");
  EXPECT_EQ(notebook->Pages()->Get(0), "First");
}

std::string TabbedNotebookForm() {
  return FormTextWith(
      "  object TabbedNotebook1: TTabbedNotebook\r\n    Left = 10\r\n    Top = 10\r\n"
      "    Width = 240\r\n    Height = 150\r\n    PageIndex = 2\r\n"
      "    TabFont.Charset = DEFAULT_CHARSET\r\n    TabFont.Color = clBtnText\r\n"
      "    TabFont.Height = -11\r\n    TabFont.Name = 'MS Sans Serif'\r\n    TabFont.Style = []\r\n" +
      Page("TTabPage", "&Colours", "Red", "clRed") + Page("TTabPage", "Sizes", "Lime", "clLime") +
      Page("TTabPage", "Shapes", "Blue", "clBlue") + "  end\r\n");
}

TEST(TabbedNotebook, ShowsATabPerStoredPageAndTheIndexedPage) {
  auto form = LoadFormText(TabbedNotebookForm());
  auto* notebook = dynamic_cast<TTabbedNotebook*>(form->FindComponent("TabbedNotebook1"));
  ASSERT_NE(notebook, nullptr);
  EXPECT_EQ(notebook->TabTexts(), (std::vector<std::string>{"&Colours", "Sizes", "Shapes"}));
  const auto pages = NotebookPages(*notebook);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(pages[2]->Visible());
  EXPECT_FALSE(pages[0]->Visible());
  EXPECT_EQ(notebook->ActivePage(), "Shapes");
  // The page sits below the tabs, inside the frame.
  EXPECT_EQ(pages[2]->BoundsRect(), notebook->DisplayRect());
  EXPECT_GT(pages[2]->Top(), 10);

  const auto members = Content(*notebook);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].second, R"(["&Colours", "Sizes", "Shapes"])");
  EXPECT_EQ(members[1].second, "2");

  const QImage image = RenderControl(notebook);
  EXPECT_GT(CountColour(image, Qt::blue), 150 * 80);
  EXPECT_EQ(CountColour(image, Qt::red), 0);
}

TEST(TabbedNotebook, ClickingATabShowsItsPage) {
  auto form = LoadFormText(TabbedNotebookForm());
  auto* notebook = dynamic_cast<TTabbedNotebook*>(form->FindComponent("TabbedNotebook1"));
  notebook->HandleNeeded();
  ASSERT_NE(notebook->TabBar(), nullptr);
  EXPECT_EQ(notebook->TabBar()->count(), 3);
  notebook->TabBar()->setCurrentIndex(1);
  EXPECT_EQ(notebook->PageIndex(), 1);
  const auto pages = NotebookPages(*notebook);
  EXPECT_TRUE(pages[1]->Visible());
  EXPECT_FALSE(pages[2]->Visible());
  EXPECT_EQ(pages[1]->BoundsRect(), notebook->DisplayRect());
}

// --- tab sets

struct TabSetCase {
  TTabSetPosition position;
  TRect line;
};

class TabSetLayoutTest : public ::testing::TestWithParam<TabSetCase> {};

TEST_P(TabSetLayoutTest, TabsRunAlongTheEdgeAndOnlyTheSelectedOneMeetsTheLine) {
  const TabSetCase& c = GetParam();
  const TTabSetLayout layout = LayOutTabSet({{30, 13}, {40, 13}, {20, 13}}, 1, c.position, 200, 60, 5);
  EXPECT_EQ(layout.baseLine, c.line);
  ASSERT_EQ(layout.tabs.size(), 3u);
  const bool vertical = c.position == TTabSetPosition::tpLeft || c.position == TTabSetPosition::tpRight;
  // Distance of each tab from the line.
  auto gap = [&](const TRect& r) {
    switch (c.position) {
      case TTabSetPosition::tpBottom: return r.Top - c.line.Top;
      case TTabSetPosition::tpTop: return c.line.Bottom - r.Bottom;
      case TTabSetPosition::tpLeft: return c.line.Right - r.Right;
      case TTabSetPosition::tpRight: return r.Left - c.line.Left;
    }
    return -1;
  };
  EXPECT_EQ(gap(layout.tabs[1]), 0);
  EXPECT_GT(gap(layout.tabs[0]), 0);
  EXPECT_GT(gap(layout.tabs[2]), 0);
  // The first starts at the margin; each next one starts before the last ends.
  EXPECT_EQ(vertical ? layout.tabs[0].Top : layout.tabs[0].Left, 5);
  for (size_t i = 1; i < 3; ++i) {
    const int start = vertical ? layout.tabs[i].Top : layout.tabs[i].Left;
    const int prevEnd = vertical ? layout.tabs[i - 1].Bottom : layout.tabs[i - 1].Right;
    EXPECT_LT(start, prevEnd);
    EXPECT_GT(start, prevEnd - 5);
  }
  // Horizontal tabs are as long as their text plus padding; vertical ones as high.
  EXPECT_EQ(vertical ? layout.tabs[1].Height() : layout.tabs[1].Width(), (vertical ? 13 : 40) + 12);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPosition, TabSetLayoutTest,
    ::testing::Values(
        TabSetCase{TTabSetPosition::tpBottom, Rect(0, 0, 200, 1)},
        TabSetCase{TTabSetPosition::tpTop, Rect(0, 59, 200, 60)},
        TabSetCase{TTabSetPosition::tpLeft, Rect(199, 0, 200, 60)},
        TabSetCase{TTabSetPosition::tpRight, Rect(0, 0, 1, 60)}));

std::string TabSetForm(const std::string& position) {
  return FormTextWith(
      "  object TabSet1: TTabSet\r\n    Left = 0\r\n    Top = 0\r\n    Width = 300\r\n"
      "    Height = 80\r\n" +
      position +
      "    Tabs.Strings = (\r\n      'Alpha'\r\n      'Beta')\r\n    TabIndex = 0\r\n"
      "    SelectedColor = clYellow\r\n  end\r\n");
}

TEST(TabSet, EveryStoredTabPositionLoadsAndMovesTheBaseLine) {
  const QColor shadow(128, 128, 128);
  struct Row {
    const char* text;
    QPoint onLine;
    QPoint offLine;
  };
  for (const Row& row :
       {Row{"", {150, 0}, {150, 79}}, Row{"tpBottom", {150, 0}, {150, 79}}, Row{"tpTop", {150, 79}, {150, 0}},
        Row{"tpLeft", {299, 60}, {0, 60}}, Row{"tpRight", {0, 60}, {299, 60}}}) {
    const std::string line = *row.text ? std::string("    TabPosition = ") + row.text + "\r\n" : "";
    auto form = LoadFormText(TabSetForm(line));
    auto* tabs = dynamic_cast<TTabSet*>(form->FindComponent("TabSet1"));
    ASSERT_NE(tabs, nullptr) << row.text;
    const QImage image = RenderControl(tabs);
    EXPECT_EQ(image.pixelColor(row.onLine), shadow) << row.text;
    EXPECT_NE(image.pixelColor(row.offLine), shadow) << row.text;
    // The selected tab is drawn in the selected colour.
    EXPECT_GT(CountColour(image, Qt::yellow), 100) << row.text;
  }
}

TEST(TabSet, ReportsItsTabsDecodedAndTheSelectedIndex) {
  auto form = LoadFormText(TabSetForm(
      "    Font.Charset = RUSSIAN_CHARSET\r\n    ParentFont = False\r\n"
      "    TabPosition = tpTop\r\n"));
  auto* tabs = dynamic_cast<TTabSet*>(form->FindComponent("TabSet1"));
  tabs->Tabs()->Add("\xC4\xE0");  // "Да" in code page 1251
  const auto members = Content(*tabs);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].first, "items");
  EXPECT_EQ(members[0].second, "[\"Alpha\", \"Beta\", \"\xD0\x94\xD0\xB0\"]");
  EXPECT_EQ(members[1].second, "0");
}

}  // namespace
