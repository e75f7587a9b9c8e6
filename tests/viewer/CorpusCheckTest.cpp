// Loads every real form file of the shared corpus the way the viewer does,
// with the standard build's registered classes. Each file must either reach
// the preview with a resource that converts back to text, or fail with one of
// the failures a load may end in. Prints the counts and, per failure, which
// rule it hit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "FormFiles.h"
#include "LoadPreview.h"
#include "RegisteredClassNames.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "core/SysUtils.h"
#include "rewrite.h"
#include "streaming/Converters.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool previewed = false;
  std::string rule;  // the failure rule hit, empty when previewed
  std::string message;
};

Outcome LoadOne(const fs::path& path) {
  TStringList source, log;
  Outcome o;
  bool previewRan = false;
  try {
    LoadFormFile(
        path.string(), source, log,
        [&](TStream& resource) {
          previewRan = true;
          TMemoryStream text;
          ObjectResourceToText(resource, text);
          if (text.Size() == 0) throw std::runtime_error("resource converted back to no text");
        },
        IsStandardFormClass);
    o.previewed = true;
    // Rewriting never moves a line: a text file keeps its line count.
    if (path.parent_path().filename() == "text") {
      TMemoryStream file;
      file.LoadFromFile(path.string());
      int start = FormTextStart(file);
      file.Seek(start < 0 ? 0 : start, soBeginning);
      TStringList original;
      original.LoadFromStream(file);
      EXPECT_EQ(source.Count(), original.Count()) << path;
    }
    return o;
  } catch (const EFOpenError& e) {
    o.rule = "file cannot be opened (EFOpenError)";
    o.message = e.what();
  } catch (const EReadError& e) {
    o.rule =
        fs::file_size(path) < 6 ? "shorter than six bytes (EReadError)" : "damaged binary form stream (EReadError)";
    o.message = e.what();
  } catch (const EInvalidImage& e) {
    o.rule = "neither form text nor a valid resource (EInvalidImage)";
    std::ifstream f(path, std::ios::binary);
    char head[9] = {};
    f.read(head, 9);
    std::string h = LowerCase(std::string_view(head, size_t(f.gcount())));
    if (h.rfind("inherited", 0) == 0 || h.rfind("inline", 0) == 0)
      o.rule = "inherited/inline root text is not taken as form text (EInvalidImage)";
    else if (!h.empty() && static_cast<unsigned char>(h[0]) <= ' ')
      o.rule = "form text with leading blanks is not taken as form text (EInvalidImage)";
    o.message = e.what();
  } catch (const EStringListError& e) {
    o.rule = "placeholder still open at end of text (EStringListError)";
    o.message = e.what();
  } catch (const EParserError& e) {
    o.rule = "rewritten text does not parse (EParserError)";
    o.message = e.what();
  } catch (const std::exception& e) {
    o.rule = previewRan ? "UNEXPECTED: resource does not convert back" : "UNEXPECTED";
    o.message = e.what();
  }
  return o;
}

}  // namespace

TEST(CorpusCheckTest, EveryFileReachesThePreviewOrFailsByARule) {
  const fs::path corpus = TESSALY_CORPUS_DIR;
  if (!fs::is_directory(corpus / "text") && !fs::is_directory(corpus / "binary"))
    GTEST_SKIP() << "form corpus not found at " << corpus << "; skipping the corpus check";

  std::map<std::string, int> counts;
  std::map<std::string, int> perRule;
  int total = 0, previewed = 0;
  for (const char* folder : {"text", "binary"}) {
    if (!fs::is_directory(corpus / folder)) continue;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus / folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      Outcome o = LoadOne(file);
      ++total;
      ++counts[std::string(folder) + (o.previewed ? " previewed" : " failed")];
      if (o.previewed) {
        ++previewed;
        continue;
      }
      ++perRule[o.rule];
      std::printf("  %s/%s: %s: %s\n", folder, file.filename().c_str(), o.rule.c_str(), o.message.c_str());
      EXPECT_EQ(o.rule.rfind("UNEXPECTED", 0), std::string::npos)
          << folder << "/" << file.filename() << ": " << o.message;
    }
  }
  std::printf("corpus: %d files, %d previewed, %d failed\n", total, previewed, total - previewed);
  for (const auto& [k, v] : counts) std::printf("  %s: %d\n", k.c_str(), v);
  for (const auto& [k, v] : perRule) std::printf("  rule %s: %d\n", k.c_str(), v);
  EXPECT_GT(total, 0);
}
