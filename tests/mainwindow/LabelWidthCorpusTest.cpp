// How faithfully the preview measures text: the widths real forms store for
// their auto-sized single-line labels were measured by the designer's own
// fonts, so the share the preview reproduces within a pixel tells how close
// its faces and metrics come to the ones the forms name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CorpusFiles.h"
#include "LoadPreview.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "stock/StdCtrls.h"

namespace {

// What the form text says about one TLabel.
struct StoredLabel {
  std::string name;
  int width = -1;
  bool counts = true;  // auto-sized, single line, unaligned, with a caption
  bool caption = false;
};

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The TLabels of a form text (nested collections and objects are tracked
// so that their "end" lines close the right frame).
std::vector<StoredLabel> StoredLabels(const TStringList& text, int& pixelsPerInch) {
  struct Frame {
    bool label = false;
    StoredLabel stored;
  };
  std::vector<Frame> stack;
  std::vector<StoredLabel> labels;
  pixelsPerInch = 96;
  for (int i = 0; i < text.Count(); ++i) {
    const std::string line = Trim(text.Get(i));
    const auto word = line.substr(0, line.find(' '));
    if (word == "object" || word == "inherited" || word == "inline") {
      Frame f;
      const size_t colon = line.find(':');
      if (colon != std::string::npos) {
        f.label = Trim(line.substr(colon + 1)) == "TLabel";
        f.stored.name = Trim(line.substr(word.size(), colon - word.size()));
      }
      stack.push_back(f);
    } else if (line == "item") {
      stack.push_back(Frame{});
    } else if (line == "end" || line == "end>") {
      if (stack.empty()) continue;
      if (stack.back().label) labels.push_back(stack.back().stored);
      stack.pop_back();
    } else if (!stack.empty()) {
      const size_t eq = line.find(" = ");
      if (eq == std::string::npos) continue;
      const std::string prop = line.substr(0, eq), value = line.substr(eq + 3);
      if (stack.size() == 1 && prop == "PixelsPerInch") pixelsPerInch = std::atoi(value.c_str());
      if (!stack.back().label) continue;
      StoredLabel& l = stack.back().stored;
      if (prop == "Width") l.width = std::atoi(value.c_str());
      if (prop == "Caption") l.caption = value != "''";
      if ((prop == "AutoSize" && value == "False") || (prop == "WordWrap" && value == "True") ||
          (prop == "Align" && value != "alNone"))
        l.counts = false;
    }
  }
  return labels;
}

// The face, size and style a label's caption is drawn in, for the table.
std::string FaceKey(TLabel& label) {
  TFont& f = *label.Font();
  std::string key = f.NameText().toStdString() + " " + std::to_string(f.Size()) + "pt";
  if (f.Style().Contains(fsBold)) key += " bold";
  if (f.Style().Contains(fsItalic)) key += " italic";
  return key;
}

// The forms to measure: every .dfm under $TESSALY_LABEL_FORMS when it is
// set (another set of forms, measured the same way), else the corpus.
std::vector<std::filesystem::path> FormsToMeasure(std::string& where) {
  const char* dir = std::getenv("TESSALY_LABEL_FORMS");
  if (!dir || !*dir) {
    where = TESSALY_CORPUS_DIR;
    return CorpusFormFiles();
  }
  where = dir;
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::string ext = it->path().extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (it->is_regular_file() && ext == ".dfm") files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Tally {
  int compared = 0;
  int within = 0;
};

void PrintFaceTable(const std::map<std::string, Tally>& byFace) {
  for (const auto& [face, t] : byFace)
    std::cout << "[labels] " << face << ": " << t.within << "/" << t.compared << " (" << (100 * t.within / t.compared)
              << "%)\n";
}

}  // namespace

TEST(LabelWidthCorpus, MostAutoSizedLabelsComeOutWithinAPixelOfTheirStoredWidth) {
  std::string where;
  const std::vector<std::filesystem::path> files = FormsToMeasure(where);
  if (files.empty()) GTEST_SKIP() << "no form files found at " << where;
  RegisterPreviewClasses();
  Application->Initialize();

  const bool listMisses = std::getenv("TESSALY_LABEL_MISSES") != nullptr;
  int compared = 0, within = 0;
  std::map<int, int> misses;  // preview minus stored, for the report
  std::map<std::string, Tally> byFace;
  for (const auto& path : files) {
    TStringList source, log;
    try {
      LoadFormFile(path.string(), source, log, [&](TStream& resource) {
        int ppi = 96;
        const std::vector<StoredLabel> stored = StoredLabels(source, ppi);
        if (ppi != 96) return;  // widths measured at another resolution
        std::unique_ptr<TForm2> preview(new TForm2(Application));
        ReadComponentRes(resource, preview.get());
        for (const StoredLabel& s : stored) {
          if (!s.counts || !s.caption || s.width < 0) continue;
          auto* label = dynamic_cast<TLabel*>(preview->FindComponent(s.name));
          if (!label) continue;
          ++compared;
          Tally& face = byFace[FaceKey(*label)];
          Tally& origin = byFace[label->ParentFont() ? "(parent's font)" : "(own font)"];
          ++face.compared;
          ++origin.compared;
          const int delta = label->Width() - s.width;
          if (std::abs(delta) <= 1) {
            ++within;
            ++face.within;
            ++origin.within;
          } else {
            ++misses[std::clamp(delta, -10, 10)];
            if (listMisses)
              std::cout << "[miss] " << path.filename().string() << " " << s.name << " '" << label->Caption() << "' "
                        << FaceKey(*label) << ": " << delta << "\n";
          }
        }
      });
    } catch (const std::exception&) {
      // Forms that do not load are the corpus render test's business.
    }
  }
  ASSERT_GT(compared, 0);
  const double share = 100.0 * within / compared;
  std::cout << "[labels] " << within << " of " << compared << " auto-sized labels within one pixel (" << share
            << "%)\n[labels] other differences (preview - stored, clamped to +-10):";
  for (const auto& [delta, count] : misses) std::cout << " " << delta << ":" << count;
  std::cout << "\n";
  PrintFaceTable(byFace);
  if (where != TESSALY_CORPUS_DIR) return;  // the floor is the corpus's
  // More than nine in ten match today (the figure above); the floor leaves
  // room for forms that newly load, without hiding a real regression
  // (DejaVu everywhere gave fewer than one in ten).
  EXPECT_GE(share, 90.0);
}
