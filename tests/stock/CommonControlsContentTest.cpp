// What the common controls show from small forms: tree and list view items,
// tab positions and rows, tool bar layout, and the content they report.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include <QListWidget>
#include <QTabBar>
#include <QTreeWidget>

#include "StockTestSupport.h"
#include "controls/ContentReport.h"
#include "controls/Render.h"
#include "stock/ComCtrls.h"

namespace {

std::string Int32(int32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += char(uint32_t(v) >> (8 * i) & 0xFF);
  return s;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    out += buf;
  }
  return out;
}

std::string OldTreeNode(const std::string& text, int image, int children) {
  return Int32(25 + int(text.size())) + Int32(image) + Int32(image) + Int32(-1) + Int32(-1) + Int32(0) +
         Int32(children) + char(text.size()) + text;
}

std::string Member(const TComponent& c, const std::string& key) {
  TContentReport report;
  c.ReportContent(report);
  for (const auto& [k, json] : report.Members())
    if (k == key) return json;
  return "(none)";
}

template <class T>
T* Find(TForm& form, const char* name) {  // nullptr fails at the first use
  return dynamic_cast<T*>(form.FindComponent(name));
}

}  // namespace

TEST(TreeViewContent, StoredItemsShowInTheWidgetAndTheReport) {
  const std::string data =
      Int32(1) + OldTreeNode("Animals", 0, 2) + OldTreeNode("Cat", 1, 0) + OldTreeNode("Dog", 2, 0);
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object Tree1: TTreeView\r\n    Items.Data = {" + Hex(data) + "}\r\n  end\r\nend\r\n");
  form->HandleNeeded();
  auto* tree = Find<TTreeView>(*form, "Tree1");
  ASSERT_NE(tree->TreeWidget(), nullptr);
  ASSERT_EQ(tree->TreeWidget()->topLevelItemCount(), 1);
  EXPECT_EQ(tree->TreeWidget()->topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(tree->TreeWidget()->topLevelItem(0)->child(1)->text(0), "Dog");
  EXPECT_EQ(
      Member(*tree, "items"),
      "[{\"text\": \"Animals\", \"level\": 0, \"imageIndex\": 0}, "
      "{\"text\": \"Cat\", \"level\": 1, \"imageIndex\": 1}, "
      "{\"text\": \"Dog\", \"level\": 1, \"imageIndex\": 2}]");
}

TEST(TreeViewContent, UndecodableItemsShowNothingAndTheFormStillLoads) {
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object Tree1: TTreeView\r\n    Items.Data = {FFFFFF7F0102}\r\n  end\r\nend\r\n");
  form->HandleNeeded();
  auto* tree = Find<TTreeView>(*form, "Tree1");
  EXPECT_EQ(tree->TreeWidget()->topLevelItemCount(), 0);
  EXPECT_EQ(Member(*tree, "items"), "[]");
}

TEST(ListViewContent, ReportStyleShowsColumnsAndItemsWithSubItems) {
  std::string data = std::string(1, '\x05') + Int32(0) + Int32(2);
  auto wide = [](const std::string& ascii) {
    std::string s(1, char(ascii.size()));
    for (char c : ascii) s += c, s += '\0';
    return s;
  };
  data += Int32(1) + Int32(-1) + Int32(-1) + Int32(1) + Int32(-1) + Int32(0) + wide("alpha") + wide("10");
  data += Int32(2) + Int32(-1) + Int32(-1) + Int32(1) + Int32(-1) + Int32(0) + wide("beta") + wide("20");
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object List1: TListView\r\n    Width = 200\r\n    Height = 100\r\n"
      "    Columns = <\r\n      item\r\n        Caption = 'Name'\r\n      end\r\n      item\r\n"
      "        Caption = 'Size'\r\n      end>\r\n    Items.ItemData = {" +
      Hex(data) +
      "}\r\n"
      "    ViewStyle = vsReport\r\n  end\r\nend\r\n");
  form->HandleNeeded();
  auto* list = Find<TListView>(*form, "List1");
  ASSERT_NE(list->TreeWidget(), nullptr);
  EXPECT_FALSE(list->TreeWidget()->isHidden());
  EXPECT_TRUE(list->IconWidget()->isHidden());
  ASSERT_EQ(list->TreeWidget()->topLevelItemCount(), 2);
  EXPECT_EQ(list->TreeWidget()->topLevelItem(1)->text(1), "20");
  EXPECT_EQ(list->TreeWidget()->headerItem()->text(1), "Size");
  EXPECT_EQ(
      Member(*list, "items"),
      "[{\"text\": \"alpha\", \"subItems\": [\"10\"], \"imageIndex\": 1}, "
      "{\"text\": \"beta\", \"subItems\": [\"20\"], \"imageIndex\": 2}]");
}

TEST(ListViewContent, IconStylesUseTheIconViewAndIconOptionsLoad) {
  std::string data = Int32(0) + Int32(1) + Int32(0) + Int32(-1) + Int32(-1) + Int32(0) + Int32(0) + "\x03one";
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object List1: TListView\r\n    IconOptions.Arrangement = iaLeft\r\n"
      "    IconOptions.WrapText = False\r\n    Items.Data = {" +
      Hex(data) + "}\r\n  end\r\nend\r\n");
  form->HandleNeeded();
  auto* list = Find<TListView>(*form, "List1");
  EXPECT_TRUE(list->TreeWidget()->isHidden());
  EXPECT_FALSE(list->IconWidget()->isHidden());
  ASSERT_EQ(list->IconWidget()->count(), 1);
  EXPECT_EQ(list->IconWidget()->item(0)->text(), "one");
  EXPECT_EQ(list->IconWidget()->viewMode(), QListView::IconMode);
  list->SetViewStyle(vsList);
  EXPECT_EQ(list->IconWidget()->viewMode(), QListView::ListMode);
  EXPECT_EQ(list->IconWidget()->flow(), QListView::TopToBottom);
}

TEST(TabLayout, RowsBreakBeforeATabThatWouldCrossTheEdge) {
  EXPECT_EQ(TabRowSizes({40, 40, 40}, 100), (std::vector<int>{2, 1}));
  EXPECT_EQ(TabRowSizes({40, 40, 40}, 120), (std::vector<int>{3}));
  EXPECT_EQ(TabRowSizes({150, 10}, 100), (std::vector<int>{1, 1})) << "a tab wider than the row gets its own";
  EXPECT_EQ(TabRowSizes({}, 100), (std::vector<int>{}));
}

TEST(TabLayout, DisplayAreaLeavesTheStripOnTheTabsSide) {
  const TRect client = Rect(0, 0, 200, 100);
  const TRect top = TabDisplayRect(client, 20, tpTop, tsTabs);
  EXPECT_EQ(top.Top, 24);
  EXPECT_EQ(top.Bottom, 96);
  const TRect bottom = TabDisplayRect(client, 20, tpBottom, tsTabs);
  EXPECT_EQ(bottom.Top, 4);
  EXPECT_EQ(bottom.Bottom, 76);
  const TRect left = TabDisplayRect(client, 20, tpLeft, tsTabs);
  EXPECT_EQ(left.Left, 24);
  const TRect right = TabDisplayRect(client, 20, tpRight, tsTabs);
  EXPECT_EQ(right.Right, 176);
  const TRect buttons = TabDisplayRect(client, 20, tpTop, tsButtons);
  EXPECT_EQ(buttons.Top, 23) << "button styles have no frame, only a gap";
  EXPECT_EQ(buttons.Left, 0);
}

TEST(PageControlLayout, BottomTabsAndMultiLineMovePagesAndReportTabs) {
  std::string sheets;
  for (int i = 0; i < 6; ++i)
    sheets += "    object Sheet" + std::to_string(i) + ": TTabSheet\r\n      Caption = 'Sheet number " +
              std::to_string(i) + "'\r\n    end\r\n";
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object Pages: TPageControl\r\n    Width = 200\r\n"
      "    Height = 150\r\n    TabPosition = tpBottom\r\n" +
      sheets + "  end\r\nend\r\n");
  form->HandleNeeded();
  auto* pages = Find<TPageControl>(*form, "Pages");
  EXPECT_EQ(pages->Pages(0)->Top(), 4) << "tabs at the bottom leave the top to the page";
  EXPECT_LT(pages->Pages(0)->Top() + pages->Pages(0)->Height(), 150 - pages->TabStripExtent());
  const int oneRow = pages->TabStripExtent();
  pages->SetMultiLine(true);
  EXPECT_GT(pages->TabStripExtent(), oneRow) << "six long captions need several rows in 200 pixels";
  EXPECT_EQ(pages->Pages(0)->Top() + pages->Pages(0)->Height(), 150 - pages->TabStripExtent() - 4);
  pages->SetTabPosition(tpTop);
  EXPECT_EQ(pages->Pages(0)->Top(), pages->TabStripExtent() + 4);
  EXPECT_EQ(Member(*pages, "items").rfind("[\"Sheet number 0\", \"Sheet number 1\"", 0), 0u);
}

// The button styles draw each tab as a push button: the selected one pressed
// in (dark upper-left edge), the others raised, or with no edges when flat.
TEST(TabControlStyle, ButtonStylesDrawPressedAndRaisedOrFlatButtons) {
  for (const int style : {1, 2}) {
    SCOPED_TRACE(style);
    auto form = LoadFormText(
        std::string(
            "object Form1: TForm1\r\n  Width = 300\r\n  Height = 200\r\n"
            "  object Tabs1: TTabControl\r\n    Width = 250\r\n    Height = 120\r\n"
            "    Style = ") +
        (style == 1 ? "tsButtons" : "tsFlatButtons") +
        "\r\n    Tabs.Strings = (\r\n      'First'\r\n      'Second')\r\n"
        "    TabIndex = 0\r\n  end\r\nend\r\n");
    form->HandleNeeded();
    const QImage image = RenderFormClient(form.get());
    auto* bar = form->Handle()->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->count(), 2);
    auto edgeGrey = [&](int tab) {
      const QRect r = bar->tabRect(tab);
      const QPoint leftMiddle = bar->mapTo(form->Handle(), QPoint(r.left(), r.center().y()));
      return qGray(image.pixel(leftMiddle));
    };
    EXPECT_LT(edgeGrey(0), 100) << "the selected button is pressed in";
    const QRgb face = image.pixel(bar->mapTo(form->Handle(), bar->tabRect(1).center() + QPoint(0, 5)));
    if (style == 1) {
      EXPECT_GT(edgeGrey(1), 230) << "the others are raised";
    } else {
      EXPECT_EQ(edgeGrey(1), qGray(face)) << "flat buttons show no edge";
    }
  }
}

TEST(ToolBarLayout, ButtonsFlowInRowsAndWrapAtTheEdgeOrWhenAsked) {
  const std::vector<TToolSlot> places{{23}, {8}, {23}, {23, true}, {23}, {23, false, false}, {23}};
  const auto r = ToolBarLayout(places, 70, 0, 22, true);
  EXPECT_EQ(r[0].Left, 0);
  EXPECT_EQ(r[1].Left, 23);
  EXPECT_EQ(r[2].Left, 31);
  EXPECT_EQ(r[3].Top, 22) << "54 + 23 would cross 70: a new row";
  EXPECT_EQ(r[3].Left, 0);
  EXPECT_EQ(r[4].Top, 44) << "the button before asked for a break";
  EXPECT_EQ(r[5].Width(), 0) << "hidden";
  EXPECT_EQ(r[6].Left, 23);
  const auto flat = ToolBarLayout(places, 70, 5, 22, false);
  EXPECT_EQ(flat[2].Left, 36);
  EXPECT_EQ(flat[2].Top, 0) << "no wrapping at the edge";
}

TEST(ToolBarLayout, ChildrenFlowInTheirChildOrderWhateverTheirStoredPositions) {
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  object Bar: TToolBar\r\n    Width = 300\r\n    ButtonWidth = 40\r\n"
      "    ButtonHeight = 30\r\n"
      "    object B2: TToolButton\r\n      Left = 48\r\n      Top = 0\r\n    end\r\n"
      "    object Sep: TToolButton\r\n      Left = 40\r\n      Top = 0\r\n      Width = 8\r\n"
      "      Style = tbsSeparator\r\n    end\r\n"
      "    object Edit: TEdit\r\n      Left = 0\r\n      Top = 4\r\n      Width = 60\r\n      Height = 21\r\n"
      "    end\r\n"
      "    object B1: TToolButton\r\n      Left = 0\r\n      Top = 0\r\n    end\r\n"
      "  end\r\nend\r\n");
  auto* b1 = Find<TToolButton>(*form, "B1");
  auto* sep = Find<TToolButton>(*form, "Sep");
  auto* b2 = Find<TToolButton>(*form, "B2");
  auto* edit = Find<TEdit>(*form, "Edit");
  EXPECT_EQ(b2->Left(), 0);
  EXPECT_EQ(b2->Width(), 40);
  EXPECT_EQ(b2->Height(), 30);
  EXPECT_EQ(sep->Left(), 40);
  EXPECT_EQ(sep->Width(), 8);
  EXPECT_EQ(edit->BoundsRect(), Bounds(48, 0, 60, 21)) << "an edit takes its turn at its own size";
  EXPECT_EQ(b1->Left(), 108) << "the button after the edit goes past it";
}

// Values forms store on the common controls' sets and sub-objects load
// rather than fail the preview.
TEST(CommonControlsStreaming, SetsAndSubObjectsThatFormsStoreLoad) {
  auto form = LoadFormText(
      "object Form1: TForm1\r\n"
      "  object Combo: TComboBoxEx\r\n    AutoCompleteOptions = [acoAutoSuggest, acoAutoAppend]\r\n"
      "    ItemsEx = <\r\n      item\r\n        Caption = 'First'\r\n      end>\r\n  end\r\n"
      "  object Picker: TDateTimePicker\r\n    CalColors.BackColor = clYellow\r\n  end\r\n"
      "  object Cool: TCoolBar\r\n    EdgeBorders = [ebLeft, ebTop]\r\n    EdgeInner = esNone\r\n  end\r\n"
      "  object Status: TStatusBar\r\n    BorderWidth = 2\r\n  end\r\n"
      "end\r\n");
  auto* combo = Find<TComboBoxEx>(*form, "Combo");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ClassInfo().FindProperty("AutoCompleteOptions")->getOrd(combo), 3);
  EXPECT_EQ(Member(*combo, "items"), "[\"First\"]");
  auto* picker = Find<TDateTimePicker>(*form, "Picker");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->CalColors()->ClassInfo().FindProperty("BackColor")->getOrd(picker->CalColors()), 0x00FFFF);
}
