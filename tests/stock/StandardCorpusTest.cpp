// What the standard units show of the corpus forms: the lines of list
// controls in the tree report, and the windows that scroll.
#include <gtest/gtest.h>

#include <iostream>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "controls/ContentReport.h"
#include "rewrite.h"
#include "stock/StockControls.h"

namespace {

struct Counts {
  int forms = 0, lists = 0, lines = 0, scrolling = 0, menus = 0;
};

int ReportedItems(const TControl& control) {
  TContentReport report;
  control.ReportContent(report);
  for (const auto& [key, json] : report.Members()) {
    if (key != "items") continue;
    int n = 0;  // the report's strings: count the opening quotes of elements
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
      if (json[i] == '\\') {
        ++i;
        continue;
      }
      if (json[i] == '"') {
        if (!inString) ++n;
        inString = !inString;
      }
    }
    return n;
  }
  return -1;
}

void Count(TForm& form, Counts& counts) {
  ++counts.forms;
  if (form.Scrolling().Extent().horz.shown || form.Scrolling().Extent().vert.shown) ++counts.scrolling;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    TComponent* c = form.Components(i);
    if (auto* box = dynamic_cast<TScrollBox*>(c))
      if (box->Scrolling().Extent().horz.shown || box->Scrolling().Extent().vert.shown) ++counts.scrolling;
    if (dynamic_cast<TMainMenu*>(c)) ++counts.menus;
    TStrings* items = nullptr;
    if (auto* l = dynamic_cast<TCustomListBox*>(c)) items = l->Items();
    if (auto* l = dynamic_cast<TCustomComboBox*>(c)) items = l->Items();
    if (auto* l = dynamic_cast<TCustomRadioGroup*>(c)) items = l->Items();
    if (!items) continue;
    ++counts.lists;
    const int reported = ReportedItems(*static_cast<TControl*>(c));
    EXPECT_EQ(reported, items->Count()) << form.Name() << "." << c->Name();
    counts.lines += std::max(0, reported);
  }
}

}  // namespace

TEST(StandardCorpus, ListLinesAndScrollingWindowsOfEveryObjectForm) {
  const std::vector<std::filesystem::path> files = CorpusFormFiles();
  if (files.empty()) GTEST_SKIP() << "corpus not present";
  RegisterStockClassesForTests();
  Counts counts;
  for (const std::filesystem::path& path : files) {
    TStringList lines;
    lines.SetText(CorpusFormText(path));
    if (lines.Count() == 0 || lines.Get(0).rfind("object", 0) != 0) continue;
    std::vector<std::string> log;
    RewriteFormLines(lines, log, [](std::string_view cls) { return GetClass(cls) != nullptr; });
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) text += lines.Get(i) + "\r\n";
    try {
      auto form = LoadFormText(text);
      form->HandleNeeded();
      Count(*form, counts);
    } catch (const std::exception& e) {
      ADD_FAILURE() << path << ": " << e.what();
    }
  }
  std::cout << "[corpus] " << counts.forms << " object forms previewed; " << counts.lists << " list controls report "
            << counts.lines << " lines; " << counts.scrolling << " windows scroll; " << counts.menus << " main menus\n";
  EXPECT_GT(counts.forms, 0);
}
