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
#include "Unit2.h"
#include "components/Reader.h"
#include "controls/Render.h"
#include "core/Exceptions.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

// The failures the loading rules themselves demand: a text form whose root
// is "inherited" is handed to the binary converter and is not a valid
// resource; a frame named by an "inline" header passes the rewriting
// unchanged, so an unregistered frame class cannot be created.
bool DemandedFailure(const std::exception& e) {
  const std::string message = e.what();
  if (dynamic_cast<const EInvalidImage*>(&e)) return true;
  return dynamic_cast<const EClassNotFound*>(&e) && message.find("Frame") != std::string::npos;
}

}  // namespace

TEST(CorpusRender, EveryFormRendersOrFailsByALoadingRule) {
  const std::vector<std::filesystem::path> files = CorpusFormFiles();
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR;
  RegisterPreviewClasses();
  Application->Initialize();

  int rendered = 0;
  std::vector<std::string> demanded, failed;
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
    } catch (const std::exception& e) {
      (DemandedFailure(e) ? demanded : failed).push_back(name + ": " + e.what());
    }
  }
  std::cout << "[corpus] " << files.size() << " forms: " << rendered << " rendered, "
            << demanded.size() << " failed as the loading rules demand, " << failed.size()
            << " failed otherwise\n";
  for (const auto& f : demanded) std::cout << "  demanded: " << f << "\n";
  for (const auto& f : failed) std::cout << "  FAILED: " << f << "\n";
  EXPECT_TRUE(failed.empty());
}
