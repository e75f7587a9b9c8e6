// On the corpus: what the notebooks, tab sets, data-aware lists and
// navigators of the forms that load show.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "rewrite.h"
#include "stock/NavigatorGlyphs.h"
#include "stock/StockControls.h"

namespace {

struct Shown {
  int pages = 0, tabs = 0, items = 0, glyphs = 0;
};

void Count(const TComponent& owner, Shown& shown) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    const TComponent* c = owner.Components(i);
    if (auto* n = dynamic_cast<const TNotebook*>(c)) shown.pages += int(NotebookPages(*n).size());
    if (auto* n = dynamic_cast<const TTabbedNotebook*>(c)) shown.pages += int(NotebookPages(*n).size());
    if (auto* t = dynamic_cast<const TTabSet*>(c)) shown.tabs += t->Tabs()->Count();
    if (auto* l = dynamic_cast<const TDBListBox*>(c)) shown.items += l->Items()->Count();
    if (auto* l = dynamic_cast<const TDBComboBox*>(c)) shown.items += l->Items()->Count();
    if (auto* l = dynamic_cast<const TDBRadioGroup*>(c)) shown.items += l->Items()->Count();
    if (auto* nav = dynamic_cast<const TDBNavigator*>(c))
      shown.glyphs += int(NavigatorButtons(nav->VisibleButtons(), nav->Width(), nav->Height(), false).size());
  }
}

}  // namespace

TEST(PagesAndDataCorpus, NotebooksTabSetsAndDataAwareControlsShowWhatTheFormsStore) {
  const std::vector<std::filesystem::path> files = CorpusFormFiles();
  if (files.empty()) GTEST_SKIP() << "corpus not present";
  RegisterStockClassesForTests();

  Shown shown;
  int forms = 0;
  for (const auto& path : files) {
    TStringList lines;
    lines.SetText(CorpusFormText(path));
    if (lines.Count() == 0 || lines.Get(0).rfind("object", 0) != 0) continue;
    std::vector<std::string> log;
    RewriteFormLines(lines, log, [](std::string_view cls) { return GetClass(cls) != nullptr; });
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) text += lines.Get(i) + "\r\n";
    try {
      auto form = LoadFormText(text);
      Count(*form, shown);
      ++forms;
    } catch (const std::exception&) {
      // Forms that fail elsewhere are the load test's to report.
    }
  }
  std::cout << "[corpus] " << forms << " forms: " << shown.pages << " notebook pages, " << shown.tabs
            << " tab-set tabs, " << shown.items << " data-aware list items, " << shown.glyphs << " navigator glyphs\n";
  EXPECT_GT(forms, 0);
  // The corpus's data-aware radio groups and combo boxes store items, and
  // its navigators show buttons.
  EXPECT_GT(shown.items, 0);
  EXPECT_GT(shown.glyphs, 0);
}
