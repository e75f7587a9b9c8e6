// How faithfully the preview aligns: a form that stores its client size at
// 96 dpi was laid out by its designer, so every control with Align set in it
// stores the bounds the designer's alignment gave it. The share of those the
// preview reproduces within a pixel tells how close its alignment rules
// (non-client parts, insets, order) come to the original's.
//
// A placeholder keeps only its position and size, so a visual component
// of a class the preview does not know no longer takes the room its
// alignment gave it (stored, or its class's default, which the text does
// not show: a dock or cool bar sits at the top unasked). Every aligned
// control under the same parent (and below it) may then land elsewhere by
// design. Those controls are counted apart, and the figure is given both
// with them and without. So are the controls of a frame that stores no
// font: its designer showed it in its host's font, which the frame does
// not say (a form always stores its own).
//
// TESSALY_FORMS_DIR names another folder of form files to measure instead of
// the corpus (scripts/aligned_bounds.sh runs this test that way).
#include <gtest/gtest.h>

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
#include "components/Registry.h"
#include "controls/Controls.h"
#include "core/FormValue.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "streaming/Converters.h"
#include "streaming/FormSource.h"

namespace {

// One component of the resource as stored: its path of names from the root,
// class, Align and bounds (-1 where not stored).
struct StoredControl {
  std::string path, className, align;
  int left = 0, top = 0, width = -1, height = -1;
};

// Collects the stored bounds of the resource's components and what the root
// says about its client size and resolution.
class StoredBoundsSink : public FormIgnoredEvents {
 public:
  std::vector<StoredControl> controls;
  bool clientWidth = false, clientHeight = false, frameRoot = false, rootFont = false;
  int pixelsPerInch = 96;

  void BeginComponent(const FormObjectHeader& h) override {
    StoredControl c;
    c.path = (stack_.empty() ? std::string() : stack_.back().path + "/") + std::string(h.name);
    c.className = h.className;
    if (stack_.empty()) frameRoot = h.className == "TFrame" || h.className.find("Frame") != std::string_view::npos;
    stack_.push_back(c);
  }
  void EndComponent() override {
    if (stack_.size() > 1) controls.push_back(stack_.back());
    stack_.pop_back();
  }
  void Property(std::string_view name) override {
    property_ = std::string(name);
    if (stack_.size() == 1 && property_.rfind("Font.", 0) == 0) rootFont = true;
  }
  void Scalar(const FormScalar& v) override {
    if (stack_.empty() || nested_ > 0) return;
    StoredControl& c = stack_.back();
    const bool integer = v.type == TValueType::vaInt8 || v.type == TValueType::vaInt16 || v.type == TValueType::vaInt32;
    if (property_ == "Align" && v.type == TValueType::vaIdent) c.align = std::string(v.bytes);
    if (!integer) return;
    const int n = int(v.integer);
    if (property_ == "Left") c.left = n;
    if (property_ == "Top") c.top = n;
    if (property_ == "Width") c.width = n;
    if (property_ == "Height") c.height = n;
    if (stack_.size() == 1) {
      if (property_ == "ClientWidth") clientWidth = true;
      if (property_ == "ClientHeight") clientHeight = true;
      if (property_ == "PixelsPerInch") pixelsPerInch = n;
    }
  }
  void BeginList() override { ++nested_; }
  void EndList() override { --nested_; }
  void BeginCollection() override { ++nested_; }
  void EndCollection() override { --nested_; }

 private:
  std::vector<StoredControl> stack_;
  std::string property_;
  int nested_ = 0;
};

// The paths of the parents that hold a visual component (one that stores
// its size or alignment) whose class is not registered: a placeholder in
// the preview.
class VisualPlaceholderSink : public FormIgnoredEvents {
 public:
  std::vector<std::string> parents;

  void BeginComponent(const FormObjectHeader& h) override {
    const std::string parent = paths_.empty() ? std::string() : paths_.back().path;
    paths_.push_back(
        {parent + (parent.empty() ? "" : "/") + std::string(h.name), parent, GetClass(h.className) == nullptr, false});
  }
  void EndComponent() override {
    if (paths_.back().unknown && paths_.back().visual) parents.push_back(paths_.back().parent);
    paths_.pop_back();
  }
  void Property(std::string_view name) override { property_ = std::string(name); }
  void Scalar(const FormScalar&) override {
    if (paths_.empty() || nested_ > 0) return;
    if (property_ == "Align" || property_ == "Width" || property_ == "Height") paths_.back().visual = true;
  }
  void BeginList() override { ++nested_; }
  void EndList() override { --nested_; }
  void BeginCollection() override { ++nested_; }
  void EndCollection() override { --nested_; }

 private:
  struct Open {
    std::string path, parent;
    bool unknown, visual;
  };
  std::vector<Open> paths_;
  std::string property_;
  int nested_ = 0;
};

bool BesideVisualPlaceholder(const std::string& path, const std::vector<std::string>& parents) {
  for (const std::string& parent : parents)
    if (path.compare(0, parent.size() + 1, parent + "/") == 0) return true;
  return false;
}

// Every control of the live tree by its path of names from the root.
void MapControls(TControl* control, const std::string& path, std::map<std::string, TControl*>& out) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win) return;
  for (int i = 0; i < win->ControlCount(); ++i) {
    TControl* child = win->Controls(i);
    const std::string p = path + "/" + child->Name();
    out.emplace(p, child);
    MapControls(child, p, out);
  }
}

std::vector<std::filesystem::path> FormsToMeasure() {
  const char* dir = std::getenv("TESSALY_FORMS_DIR");
  if (!dir || !*dir) return CorpusFormFiles();
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    std::string ext = e.path().extension().string();
    for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    if (e.is_regular_file() && ext == ".dfm") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Within(int stored, int live) { return stored < 0 || std::abs(stored - live) <= 1; }

}  // namespace

TEST(AlignedBoundsCorpus, AlignedControlsLandWithinAPixelOfTheirStoredBounds) {
  const std::vector<std::filesystem::path> files = FormsToMeasure();
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR;
  RegisterPreviewClasses();
  Application->Initialize();

  int forms = 0, compared = 0, within = 0, besidePlaceholders = 0, withinBesidePlaceholders = 0;
  std::vector<std::string> misses;
  for (const auto& path : files) {
    TStringList source, log;
    try {
      VisualPlaceholderSink placeholders;
      ReadFormAny(ReadFormSource(path.string()), placeholders);
      LoadFormFile(path.string(), source, log, [&](TStream& resource) {
        StoredBoundsSink stored;
        const int64_t start = resource.Position();
        ReadFormResource(resource, stored);
        resource.SetPosition(start);
        const bool laidOut = stored.frameRoot || (stored.clientWidth && stored.clientHeight);
        if (!laidOut || stored.pixelsPerInch != 96) return;
        std::unique_ptr<TForm2> preview(new TForm2(Application));
        ReadComponentRes(resource, preview.get());
        std::map<std::string, TControl*> live;
        MapControls(preview.get(), "", live);
        ++forms;
        for (const StoredControl& s : stored.controls) {
          if (s.align.empty() || s.align == "alNone" || s.align == "alCustom") continue;
          const size_t slash = s.path.find('/');
          auto found = live.find(slash == std::string::npos ? s.path : s.path.substr(slash));
          if (found == live.end()) continue;
          TControl* c = found->second;
          // Inside a placeholder the insets of a class the preview does not
          // know decide; they are not the preview's to reproduce.
          if (c->Parent() && c->Parent()->ClassName() == "TUnknown") continue;
          ++compared;
          const bool beside =
              BesideVisualPlaceholder(s.path, placeholders.parents) || (stored.frameRoot && !stored.rootFont);
          besidePlaceholders += beside;
          if (Within(s.left, c->Left()) && Within(s.top, c->Top()) && Within(s.width, c->Width()) &&
              Within(s.height, c->Height())) {
            ++within;
            withinBesidePlaceholders += beside;
            continue;
          }
          misses.push_back(
              path.filename().string() + (beside ? " (beside a placeholder, or in a frame of unknown font) " : " ") +
              s.path + ": " + s.className + " " + s.align + " stored " + std::to_string(s.left) + "," +
              std::to_string(s.top) + " " + std::to_string(s.width) + "x" + std::to_string(s.height) + ", preview " +
              std::to_string(c->Left()) + "," + std::to_string(c->Top()) + " " + std::to_string(c->Width()) + "x" +
              std::to_string(c->Height()));
        }
      });
    } catch (const std::exception&) {
      // Forms that do not load are the corpus render test's business.
    }
  }
  ASSERT_GT(compared, 0);
  const double share = 100.0 * within / compared;
  const int known = compared - besidePlaceholders, withinKnown = within - withinBesidePlaceholders;
  const double knownShare = known > 0 ? 100.0 * withinKnown / known : 100.0;
  std::cout << "[aligned] " << within << " of " << compared << " aligned controls in " << forms
            << " forms within one pixel of their stored bounds (" << share << "%)\n";
  std::cout << "[aligned] " << withinKnown << " of " << known
            << " where no visual placeholder shares the parent and the font is known (" << knownShare << "%)\n";
  for (const std::string& m : misses) std::cout << "  miss: " << m << "\n";
  // On the corpus 57 of 72 land within a pixel, 41 of 42 where no
  // placeholder of a visual component shares the parent and the font is
  // known (98%; 52 of 55 counting the frames). The one miss left is a bottom tab row in the System font
  // two pixels taller than the designer's. The floors catch a regression
  // without failing on a newly loading form.
  EXPECT_GE(share, 70.0);
  if (known >= 20) {
    EXPECT_GE(knownShare, 90.0);
  }
}
