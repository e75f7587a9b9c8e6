// Every real form renders through the viewer's own load (rewrite, convert,
// read into a fresh preview), except those whose failure the loading rules
// demand.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CorpusFiles.h"
#include "LoadPreview.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "controls/Render.h"
#include "core/Exceptions.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

// The failures the loading rules themselves demand: a registered class that
// does not publish a property the form sets, or does not take its value
// (forms of later Delphi versions), fails the reading of the preview.
bool DemandedFailure(const std::exception& e) {
  const std::string message = e.what();
  return dynamic_cast<const EReadError*>(&e) && message.rfind("Error reading ", 0) == 0;
}

}  // namespace

TEST(CorpusRender, EveryFormRendersOrFailsByALoadingRule) {
  const std::vector<std::filesystem::path> files = CorpusFormFiles();
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR;
  RegisterPreviewClasses();
  Application->Initialize();

  int rendered = 0;
  std::vector<std::string> demanded, failed, alone;
  for (const auto& path : files) {
    const std::string name = path.parent_path().filename().string() + "/" + path.filename().string();
    TStringList source, log;
    try {
      LoadFormFile(path.string(), source, log, [&](TStream& resource) {
        std::unique_ptr<TForm2> preview(new TForm2(Application));
        ReadComponentRes(resource, preview.get());
        QImage image = RenderFormClient(preview.get());
        if (image.isNull()) throw Exception("empty rendering");
      });
      ++rendered;
      // An inherited form whose ancestor is not beside it previews alone.
      for (const std::string& line : log.Lines())
        if (line.rfind("Ancestor ", 0) == 0) alone.push_back(name);
    } catch (const std::exception& e) {
      (DemandedFailure(e) ? demanded : failed).push_back(name + ": " + e.what());
    }
  }
  std::cout << "[corpus] " << files.size() << " forms: " << rendered << " rendered, " << demanded.size()
            << " failed as the loading rules demand, " << failed.size() << " failed otherwise; " << alone.size()
            << " inherited forms previewed without their ancestors\n";
  for (const auto& f : demanded) std::cout << "  demanded: " << f << "\n";
  for (const auto& f : failed) std::cout << "  FAILED: " << f << "\n";
  EXPECT_TRUE(failed.empty());
}
