// Counts what the corpus forms show through the common controls: images in
// image lists, tree and list view items, pages and tabs. Prints the counts
// so that a change can be compared before and after.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "core/Streams.h"
#include "rewrite.h"
#include "stock/ComCtrls.h"
#include "stock/ImgList.h"
#include "streaming/Converters.h"

namespace {

struct Counts {
  int forms = 0, failed = 0, imageLists = 0, images = 0, treeItems = 0, listItems = 0, pages = 0, tabs = 0,
      toolButtons = 0, undecodedLists = 0;
};

void CountComponent(TComponent* c, Counts& n) {
  if (auto* list = dynamic_cast<TCustomImageList*>(c)) {
    ++n.imageLists;
    n.images += list->Count();
    if (!list->Data().empty() && list->Count() == 0) ++n.undecodedLists;
  } else if (auto* tree = dynamic_cast<TTreeView*>(c)) {
    n.treeItems += int(tree->ItemRecords().size());
  } else if (auto* view = dynamic_cast<TListView*>(c)) {
    n.listItems += int(view->ItemRecords().size());
  } else if (auto* pages = dynamic_cast<TPageControl*>(c)) {
    n.pages += pages->PageCount();
  } else if (auto* tabs = dynamic_cast<TTabControl*>(c)) {
    n.tabs += int(tabs->TabTexts().size());
  } else if (dynamic_cast<TToolButton*>(c)) {
    ++n.toolButtons;
  }
}

}  // namespace

TEST(CommonControlsCorpus, ImagesItemsAndPagesShow) {
  const std::filesystem::path corpus = TESSALY_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus / "text")) GTEST_SKIP() << "corpus not present at " << corpus;
  RegisterStockClassesForTests();
  Counts n;
  for (const char* sub : {"text", "binary"})
    for (const auto& entry : std::filesystem::directory_iterator(corpus / sub)) {
      if (!entry.is_regular_file()) continue;
      try {
        TStringList lines;
        lines.SetText(CorpusFormText(entry.path()));
        if (lines.Count() == 0 || lines.Get(0).rfind("object", 0) != 0) continue;
        std::vector<std::string> log;
        RewriteFormLines(lines, log, [](std::string_view cls) { return GetClass(cls) != nullptr; });
        std::string text;
        for (int i = 0; i < lines.Count(); ++i) text += lines.Get(i) + "\r\n";
        auto form = LoadFormText(text);
        ++n.forms;
        for (int i = 0; i < form->ComponentCount(); ++i) CountComponent(form->Components(i), n);
      } catch (const std::exception&) {
        ++n.failed;
      }
    }
  std::printf(
      "[corpus] %d forms previewed (%d failed): %d image lists with %d images, %d tree items, %d list items, "
      "%d pages, %d tabs, %d tool buttons\n",
      n.forms, n.failed, n.imageLists, n.images, n.treeItems, n.listItems, n.pages, n.tabs, n.toolButtons);
  EXPECT_GT(n.forms, 0);
  EXPECT_EQ(n.undecodedLists, 0) << "image lists with data that show no image";
}
