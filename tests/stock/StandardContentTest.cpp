// What the standard units show of a form's content: list lines in the tree
// report, menu captions in the form's character set, a main menu inside the
// stored outer size, and scrolling windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include <QMenuBar>
#include <QScrollBar>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "controls/ContentReport.h"
#include "controls/ScrollingArea.h"
#include "controls/TextCodecs.h"
#include "controls/TouchManager.h"
#include "stock/StockControls.h"

namespace {

std::string ItemsOf(const TControl& control) {
  TContentReport report;
  control.ReportContent(report);
  for (const auto& [key, json] : report.Members())
    if (key == "items") return json;
  return "(none)";
}

std::string Form(const std::string& body, const std::string& head = "  Width = 400\r\n  Height = 300\r\n") {
  return "object Form1: TForm1\r\n" + head + body + "end\r\n";
}

}  // namespace

TEST(StandardContent, ListControlsReportTheirLinesInDisplayOrder) {
  auto form = LoadFormText(Form(
      "  object ListBox1: TListBox\r\n    Items.Strings = (\r\n      'one'\r\n      'two')\r\n  end\r\n"
      "  object ComboBox1: TComboBox\r\n    Sorted = True\r\n    Items.Strings = (\r\n      'pear'\r\n"
      "      'apple')\r\n  end\r\n"
      "  object RadioGroup1: TRadioGroup\r\n    Items.Strings = (\r\n      '&Yes'\r\n      'No')\r\n  end\r\n"
      "  object CheckListBox1: TCheckListBox\r\n    Items.Strings = (\r\n      'a \"quoted\" line')\r\n  end\r\n"
      "  object Empty1: TListBox\r\n  end\r\n"));
  EXPECT_EQ(ItemsOf(*FindIn<TListBox>(*form, "ListBox1")), R"(["one", "two"])");
  EXPECT_EQ(ItemsOf(*FindIn<TComboBox>(*form, "ComboBox1")), R"(["apple", "pear"])");
  EXPECT_EQ(ItemsOf(*FindIn<TRadioGroup>(*form, "RadioGroup1")), R"(["&Yes", "No"])");
  EXPECT_EQ(ItemsOf(*FindIn<TCheckListBox>(*form, "CheckListBox1")), R"(["a \"quoted\" line"])");
  EXPECT_EQ(ItemsOf(*FindIn<TListBox>(*form, "Empty1")), "[]");
}

TEST(StandardContent, ListLinesDecodeByTheControlsCharset) {
  auto form = LoadFormText(Form(
      "  object ListBox1: TListBox\r\n    Font.Charset = GREEK_CHARSET\r\n"
      "    Font.Height = -11\r\n    Font.Name = 'Tahoma'\r\n    ParentFont = False\r\n"
      "    Items.Strings = (\r\n      " +
      Quoted("Αρχείο", "windows-1253") + ")\r\n  end\r\n"));
  EXPECT_EQ(ItemsOf(*FindIn<TListBox>(*form, "ListBox1")), "[\"Αρχείο\"]");
}

TEST(StandardContent, MenuCaptionsDecodeByTheFormsCharsetNotTheDetectedDefault) {
  // The label's DEFAULT_CHARSET text makes Cyrillic the default code page;
  // the form itself says Greek, and so does its menu.
  const std::string russian = Quoted("Добро пожаловать в программу учёта", "windows-1251");
  auto form = LoadFormText(Form(
      "  Font.Charset = GREEK_CHARSET\r\n  Font.Height = -11\r\n  Font.Name = 'Tahoma'\r\n  Menu = MainMenu1\r\n"
      "  object Label1: TLabel\r\n    Caption = " +
      russian +
      "\r\n    Font.Charset = DEFAULT_CHARSET\r\n"
      "    Font.Height = -11\r\n    Font.Name = 'Tahoma'\r\n    ParentFont = False\r\n  end\r\n"
      "  object MainMenu1: TMainMenu\r\n    object File1: TMenuItem\r\n      Caption = " +
      Quoted("&Αρχείο", "windows-1253") + "\r\n      object Open1: TMenuItem\r\n        Caption = " +
      Quoted("Άνοιγμα", "windows-1253") + "\r\n      end\r\n    end\r\n  end\r\n"));
  EXPECT_EQ(FindIn<TLabel>(*form, "Label1")->DisplayText(), QString::fromUtf8("Добро пожаловать в программу учёта"));
  form->HandleNeeded();
  auto* bar = FindIn<TMainMenu>(*form, "MainMenu1")->MenuBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 1);
  EXPECT_EQ(bar->actions()[0]->text(), QString::fromUtf8("&Αρχείο"));
  QMenu* sub = bar->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->actions().size(), 1);
  EXPECT_EQ(sub->actions()[0]->text(), QString::fromUtf8("Άνοιγμα"));
}

namespace {
const char* kMenu =
    "  Menu = MainMenu1\r\n"
    "  object MainMenu1: TMainMenu\r\n    object File1: TMenuItem\r\n      Caption = 'File'\r\n    end\r\n  end\r\n";
}  // namespace

TEST(StandardContent, FormStoringItsOuterSizeKeepsItAndTheMenuTakesClientRoom) {
  auto form = LoadFormText(Form(kMenu, "  Width = 400\r\n  Height = 300\r\n"));
  form->HandleNeeded();
  const int bar = form->MenuBarHeight();
  ASSERT_GT(bar, 0);
  const TSize frame = TCustomForm::FrameOf(form->BorderStyle());
  EXPECT_EQ(form->Width(), 400);
  EXPECT_EQ(form->Height(), 300);
  EXPECT_EQ(form->ClientWidth(), 400 - 2 * frame.cx);
  EXPECT_EQ(form->ClientHeight(), 300 - 2 * frame.cx - frame.cy - bar);
  EXPECT_EQ(form->Handle()->height(), form->ClientHeight() + bar);
}

TEST(StandardContent, FormStoringItsClientSizeKeepsItAndGrowsByTheMenu) {
  auto form = LoadFormText(Form(kMenu, "  ClientWidth = 400\r\n  ClientHeight = 300\r\n"));
  form->HandleNeeded();
  const int bar = form->MenuBarHeight();
  ASSERT_GT(bar, 0);
  const TSize frame = TCustomForm::FrameOf(form->BorderStyle());
  EXPECT_EQ(form->ClientHeight(), 300);
  EXPECT_EQ(form->Height(), 300 + 2 * frame.cx + frame.cy + bar);
  // Setting the client height keeps the menu bar in the outer height.
  form->SetClientHeight(250);
  EXPECT_EQ(form->ClientHeight(), 250);
  EXPECT_EQ(form->Height(), 250 + 2 * frame.cx + frame.cy + bar);
}

TEST(ScrollExtent, BarsShowOnlyWhereTheContentPassesTheClientArea) {
  // Content fits: no bars, nothing taken from the client area.
  TScrollExtent e = ScrollExtentOf({Bounds(0, 0, 100, 100)}, 200, 200, {}, {}, true);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_FALSE(e.vert.shown);
  EXPECT_EQ(e.clientWidth, 200);
  // Taller than the client: a vertical bar only.
  e = ScrollExtentOf({Bounds(10, 150, 50, 100)}, 200, 200, {}, {}, true);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_TRUE(e.vert.shown);
  EXPECT_EQ(e.vert.range, 250);
  EXPECT_EQ(e.clientWidth, 200 - kScrollBarSize);
  // The vertical bar's width pushes content that just fitted across.
  e = ScrollExtentOf({Bounds(0, 0, 195, 300)}, 200, 200, {}, {}, true);
  EXPECT_TRUE(e.vert.shown);
  EXPECT_TRUE(e.horz.shown);
  EXPECT_EQ(e.clientHeight, 200 - kScrollBarSize);
}

TEST(ScrollExtent, RangeDecidesWithoutAutoScrollAndInvisibleBarsNeverShow) {
  const std::vector<TRect> far = {Bounds(0, 0, 500, 500)};
  TScrollExtent e = ScrollExtentOf(far, 200, 200, {}, {}, false);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_FALSE(e.vert.shown);
  e = ScrollExtentOf(far, 200, 200, {0, true}, {400, true}, false);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_TRUE(e.vert.shown);
  EXPECT_EQ(e.vert.range, 400);
  // A larger Range widens what AutoScroll computes.
  e = ScrollExtentOf({Bounds(0, 0, 10, 10)}, 200, 200, {600, true}, {}, true);
  EXPECT_TRUE(e.horz.shown);
  EXPECT_EQ(e.horz.range, 600);
  e = ScrollExtentOf(far, 200, 200, {0, false}, {0, false}, true);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_FALSE(e.vert.shown);
}

TEST(ScrollingWindows, ScrollBoxShowsBarsAndMovesItsChildren) {
  auto form = LoadFormText(Form(
      "  object ScrollBox1: TScrollBox\r\n    Left = 0\r\n    Top = 0\r\n    Width = 200\r\n    Height = 150\r\n"
      "    object Panel1: TPanel\r\n      Left = 10\r\n      Top = 300\r\n      Width = 50\r\n      Height = 40\r\n"
      "    end\r\n    object Top1: TPanel\r\n      Align = alTop\r\n      Height = 20\r\n    end\r\n  end\r\n"));
  form->HandleNeeded();
  auto* box = FindIn<TScrollBox>(*form, "ScrollBox1");
  auto* panel = FindIn<TPanel>(*form, "Panel1");
  auto* top = FindIn<TPanel>(*form, "Top1");
  const TScrollExtent& e = box->Scrolling().Extent();
  EXPECT_TRUE(e.vert.shown);
  EXPECT_FALSE(e.horz.shown);
  EXPECT_EQ(e.vert.range, 340);
  ASSERT_NE(box->Scrolling().VertBar(), nullptr);
  EXPECT_TRUE(box->Scrolling().VertBar()->isVisibleTo(box->Handle()));
  // Aligned children share what the bar leaves.
  EXPECT_EQ(box->ClientWidth(), 200 - kScrollBarSize);
  EXPECT_EQ(top->Width(), 200 - kScrollBarSize - 4);
  box->ScrollTo(0, 100);
  EXPECT_EQ(panel->Top(), 200);
  EXPECT_EQ(top->Top(), 2);
  // Scrolling past the end stops at it.
  box->ScrollTo(0, 10000);
  EXPECT_EQ(box->Scrolling().Position().Y, e.vert.range - e.clientHeight);
  // The bar drives the same scrolling.
  box->Scrolling().VertBar()->setValue(0);
  EXPECT_EQ(panel->Top(), 300);
}

TEST(ScrollingWindows, AutoScrollFormScrollsAndOneWithoutDoesNot) {
  const std::string child =
      "  object Button1: TButton\r\n    Left = 500\r\n    Top = 10\r\n    Width = 75\r\n    Height = 25\r\n  end\r\n";
  auto scrolling = LoadFormText(Form(child, "  ClientWidth = 300\r\n  ClientHeight = 200\r\n"));
  scrolling->HandleNeeded();
  EXPECT_TRUE(scrolling->Scrolling().Extent().horz.shown);
  EXPECT_EQ(scrolling->Scrolling().Extent().horz.range, 575);
  ASSERT_NE(scrolling->Scrolling().HorzBar(), nullptr);
  EXPECT_EQ(scrolling->Scrolling().HorzBar()->geometry(), QRect(0, 200 - kScrollBarSize, 300, kScrollBarSize));
  EXPECT_EQ(scrolling->ClientHeight(), 200);  // the stored client size stays as read

  auto fixed = LoadFormText(Form(child, "  ClientWidth = 300\r\n  ClientHeight = 200\r\n  AutoScroll = False\r\n"));
  fixed->HandleNeeded();
  EXPECT_FALSE(fixed->Scrolling().Extent().horz.shown);
}

TEST(StandardContent, NewerSubObjectsLoadAndKeepTheirValues) {
  auto form = LoadFormText(Form(
      "  GlassFrame.Enabled = True\r\n  GlassFrame.Top = 40\r\n  CustomTitleBar.ShowIcon = False\r\n"
      "  CustomTitleBar.Height = 40\r\n  StyleName = 'Windows10'\r\n"
      "  object Panel1: TPanel\r\n    Touch.InteractiveGestures = [igPan]\r\n"
      "    Touch.InteractiveGestureOptions = [igoPanInertia]\r\n    ParentCustomHint = False\r\n"
      "    StyleName = 'Glow'\r\n  end\r\n"));
  auto* panel = FindIn<TPanel>(*form, "Panel1");
  const TPropInfo* gestures = TTouchManager::StaticClassInfo().FindProperty("InteractiveGestures");
  ASSERT_NE(gestures, nullptr);
  EXPECT_EQ(gestures->getOrd(panel->Touch()), 1 << 1);
  const TPropInfo* style = panel->ClassInfo().FindProperty("StyleName");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->getString(panel), "Glow");
  // An untouched control's gestures are the defaults.
  TPanel other(nullptr);
  EXPECT_EQ(gestures->getOrd(other.Touch()), 0x12);
}

TEST(PublishedLists, NoStockClassDeclaresOneNameTwice) {
  // A second declaration of a name is never found: its default and
  // accessors are dead, and the class streams with the first one's.
  RegisterStockClassesForTests();
  for (const std::string& name : StockClassNames()) {
    const TClassInfo* cls = GetClass(name);
    ASSERT_NE(cls, nullptr) << name;
    std::vector<std::string> seen;
    for (const TPropInfo* p : cls->Properties()) {
      std::string upper = p->name;
      for (char& ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      EXPECT_EQ(std::count(seen.begin(), seen.end(), upper), 0) << name << "." << p->name << " is declared twice";
      seen.push_back(upper);
    }
  }
}
