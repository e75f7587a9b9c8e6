// Where a load looks for ancestors and frames, and what it never reads:
// source trees made in a temporary folder, with and without a project file,
// holding unrelated units, named pipes, symbolic links and very many entries.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "Ancestors.h"
#include "LoadForm.h"
#include "RewriteTestSupport.h"
#include "SourceTreeSupport.h"
#include "core/Exceptions.h"
#include "core/Strings.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

std::string Text(const Lines& lines) { return testsupport::CrLfText(lines); }

std::string Unit(const std::string& cls, const std::string& ancestor) {
  return "unit U;\r\ninterface\r\ntype\r\n  " + cls + " = class(" + ancestor +
         ")\r\n  end;\r\nimplementation\r\nend.\r\n";
}

const Lines kMeterForm = {
    "object Form1: TForm1",
    "  object Meter1: TFancyMeter",
    "    Left = 8",
    "    Top = 8",
    "    Width = 100",
    "    Height = 20",
    "    Kind = gkPie",
    "    OnClick = Meter1Click",
    "  end",
    "end"};

const Lines kChild = {"inherited FormChild: TFormChild", "  Caption = 'Child'", "end"};

class FormSearchTest : public testsupport::SourceTreeTest {
 protected:
  void Pipe(const std::string& name) {
    fs::path p = dir_ / name;
    fs::create_directories(p.parent_path());
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0) << p;
    pipes_.push_back(p);
  }

  // Loads as every entry point does, on another thread: a load that blocks
  // fails the test instead of hanging it (the pipes are then opened for
  // writing, which releases a reader stuck in open).
  void Load(const std::string& path) {
    load_ = std::make_unique<TFormLoad>();
    auto done = std::async(std::launch::async, [&] {
      try {
        LoadForm(path, *load_, testsupport::IsRegistered);
      } catch (const Exception& e) {
        error_ = e.what();
      }
    });
    if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
      for (const fs::path& p : pipes_) {
        int fd = ::open(p.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
      }
      ADD_FAILURE() << "the load of " << path << " blocked";
    }
    done.wait();
  }

  const Lines& Log() const { return load_->log.Lines(); }
  bool Logged(const std::string& part) const {
    return std::any_of(Log().begin(), Log().end(), [&](const std::string& l) { return l.find(part) != l.npos; });
  }
  size_t CountLogged(const std::string& part) const {
    return size_t(std::count_if(Log().begin(), Log().end(), [&](const std::string& l) {
      return l.find(part) != l.npos;
    }));
  }

  std::vector<fs::path> pipes_;
  std::unique_ptr<TFormLoad> load_;
  std::string error_;
};

}  // namespace

// An "object" header of an unregistered class is a placeholder, even when a
// unit around the form (here three folders up, with no project file, and
// one beside it) declares that class with a form of its own.
TEST_F(FormSearchTest, UnregisteredObjectIsAPlaceholderWhateverUnitsLieAround) {
  Write("FancyMeter.pas", Unit("TFancyMeter", "TFrame"));
  Write("FancyMeter.dfm", Text({"object FancyMeter: TFancyMeter", "  Kind = 1", "end"}));
  Write("x/forms/deep/Meter.pas", Unit("TFancyMeter", "TFrame"));
  Write("x/forms/deep/Meter.dfm", Text({"object FancyMeter: TFancyMeter", "end"}));
  std::string form = Write("x/forms/deep/Form1.dfm", Text(kMeterForm));
  Load(form);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(Log(), (Lines{"[TFancyMeter]: [True]", "Propertys: [left]", "Propertys: [top]", "Propertys: [width]",
                          "Propertys: [height]", "Propertys: [kind]", "Propertys: [onclick]"}));
  EXPECT_EQ(load_->source.Lines()[1], "  object Meter1: TUnknown");
  EXPECT_EQ(load_->files.size(), 1u);
  // A project file changes nothing for an "object" header.
  Write("x/P.dpr", "program P;\r\nend.\r\n");
  Load(form);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(Log().front(), "[TFancyMeter]: [True]");
}

// Without a project file the form's own folder is the whole search; a
// project file up to three folders up makes its folder the root.
TEST_F(FormSearchTest, WithoutAProjectOnlyTheFormsFolderIsSearched) {
  Write("app/FormBase.pas", Unit("TFormBase", "TForm"));
  Write("app/FormBase.dfm", Text({"object FormBase: TFormBase", "  Caption = 'Base'", "end"}));
  Write("app/forms/FormChild.pas", Unit("TFormChild", "TFormBase"));
  std::string child = Write("app/forms/FormChild.dfm", Text(kChild));
  Load(child);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(
      load_->missingAncestor,
      "Ancestor [TFormBase] of [TFormChild] not found: no unit with a form declares it; "
      "looked in " +
          (dir_ / "app/forms").string() + " (no project file found within three folders up)");

  Write("app/App.dproj", "<Project/>");
  Load(child);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(load_->missingAncestor, "");
  EXPECT_TRUE(Logged("Inherits [TFormBase] from ../FormBase.dfm"));
  ASSERT_EQ(load_->files.size(), 2u);
  EXPECT_EQ(load_->files[1].role, TFormFileRead::frAncestor);
}

// Named pipes called like units and forms, beside the form and in the
// project root, are never waited on; one where the ancestor's form should
// be is reported as what it is.
TEST_F(FormSearchTest, NamedPipesNeverBlockTheLoad) {
  Write("P.dpr", "program P;\r\nend.\r\n");
  Pipe("Other.pas");
  Pipe("forms/FormChild.pas");
  Pipe("forms/Stray.dfm");
  std::string child = Write("forms/FormChild.dfm", Text(kChild));
  auto started = std::chrono::steady_clock::now();
  Load(child);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(error_, "");
  EXPECT_TRUE(Logged("Ancestor of [TFormChild] not found")) << Text(Log());

  Write("base/FormBase.pas", Unit("TFormBase", "TForm"));
  Pipe("base/FormBase.dfm");
  Write("forms/Child2.pas", Unit("TFormChild", "TFormBase"));
  std::string child2 = Write("forms/Child2.dfm", Text(kChild));
  Load(child2);
  EXPECT_NE(error_.find("In the ancestor form ../base/FormBase.dfm (form text): Cannot open file"), std::string::npos)
      << error_;
  EXPECT_NE(error_.find("is a named pipe"), std::string::npos) << error_;
}

// A link that loops back up the tree is listed once; one that leads out of
// the project is not followed; one that stays inside is.
TEST_F(FormSearchTest, LinksLeadingOutOfTheProjectOrInLoopsAreNotFollowed) {
  Write("proj/P.dpr", "program P;\r\nend.\r\n");
  Write("outside/FormBase.pas", Unit("TFormBase", "TForm"));
  Write("outside/FormBase.dfm", Text({"object FormBase: TFormBase", "end"}));
  fs::create_directory_symlink(dir_ / "outside", dir_ / "proj/out");
  fs::create_directory_symlink(dir_ / "proj", dir_ / "proj/loop");
  Write("proj/FormChild.pas", Unit("TFormChild", "TFormBase"));
  std::string child = Write("proj/FormChild.dfm", Text(kChild));
  Load(child);
  EXPECT_EQ(error_, "");
  EXPECT_NE(load_->missingAncestor, "");
  EXPECT_EQ(load_->files.size(), 1u);

  // A hidden folder is reached only through the link inside the project.
  Write("proj/.real/FormBase.pas", Unit("TFormBase", "TForm"));
  Write("proj/.real/FormBase.dfm", Text({"object FormBase: TFormBase", "end"}));
  fs::create_directory_symlink(dir_ / "proj/.real", dir_ / "proj/inside");
  Load(child);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(load_->missingAncestor, "");
  EXPECT_TRUE(Logged("Inherits [TFormBase] from .real/FormBase.dfm")) << Text(Log());
}

// A project holding a huge tree is listed only up to the bounds, with one
// log line saying so, and quickly.
TEST_F(FormSearchTest, HugeTreesAreCutOffByTheBoundsWithOneLogLine) {
  // A hundred thousand entries are made several times faster in memory.
  if (fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0) {
    fs::remove_all(dir_);
    dir_ = fs::path("/dev/shm") / dir_.filename();
    fs::create_directories(dir_);
  }
  Write("P.dpr", "program P;\r\nend.\r\n");
  std::string child = Write("FormChild.dfm", Text(kChild));
  fs::create_directories(dir_ / "many");
  for (size_t k = 0; k <= kMaxEntriesSearched; ++k) {
    std::string name = (dir_ / "many" / ("f" + std::to_string(k))).string();
    int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  auto started = std::chrono::steady_clock::now();
  Load(child);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(error_, "");
  EXPECT_EQ(CountLogged("Search for units stopped after 100000 entries"), 1u) << Text(Log());
  EXPECT_TRUE(Logged("(cut short by the search bounds)"));
  fs::remove_all(dir_ / "many");

  for (size_t k = 0; k <= kMaxFoldersSearched; ++k) fs::create_directories(dir_ / "tree" / std::to_string(k));
  Load(child);
  EXPECT_EQ(CountLogged("Search for units stopped after 5000 folders"), 1u) << Text(Log());
}

// A frame placed many times, in frames placed many times, is read and
// resolved once; a nesting that multiplies past the bound is refused.
TEST_F(FormSearchTest, NestedFramesAreReadOnceAndTheResolvedSizeIsBounded) {
  Write("P.dpr", "program P;\r\nend.\r\n");
  auto frames = [&](int levels) {
    Write("F0.pas", Unit("TF0", "TFrame"));
    Write("F0.dfm", Text({"object F0: TF0", "  object Label1: TLabel", "    Caption = 'x'", "  end", "end"}));
    for (int k = 1; k <= levels; ++k) {
      std::string n = std::to_string(k), down = std::to_string(k - 1);
      Lines text = {"object F" + n + ": TF" + n};
      for (int c = 0; c < 6; ++c)
        text.insert(
            text.end(), {"  inline A" + std::to_string(c) + ": TF" + down, "    Left = " + std::to_string(c), "  end"});
      text.push_back("end");
      Write("F" + n + ".pas", Unit("TF" + n, "TFrame"));
      Write("F" + n + ".dfm", Text(text));
    }
  };
  frames(5);
  std::string form = Write("Main.dfm", Text({"object Main: TMain", "  inline Top1: TF5", "  end", "end"}));
  auto started = std::chrono::steady_clock::now();
  Load(form);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_EQ(error_, "");
  EXPECT_EQ(load_->files.size(), 7u);  // the form and each frame form once
  EXPECT_EQ(CountLogged("Frame [TF0] from F0.dfm"), 1u);
  EXPECT_GT(load_->resource.Size(), 6 * 6 * 6 * 6 * 6 * 10);

  frames(9);  // 6^9 copies of the smallest frame
  form = Write("Main.dfm", Text({"object Main: TMain", "  inline Top1: TF9", "  end", "end"}));
  started = std::chrono::steady_clock::now();
  Load(form);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_NE(error_.find("holds more than 2000000 components and properties"), std::string::npos) << error_;
}

// Faults inside an ancestor are reported with the ancestor's name, what it
// is and where in it; an empty one or a folder says so.
TEST_F(FormSearchTest, FaultsInAnAncestorNameTheAncestor) {
  Write("P.dpr", "program P;\r\nend.\r\n");
  Write("FormBase.pas", Unit("TFormBase", "TForm"));
  Write("FormChild.pas", Unit("TFormChild", "TFormBase"));
  std::string child = Write("FormChild.dfm", Text(kChild));

  Write("FormBase.dfm", Text({"object FormBase: TFormBase", "  Caption = 'Base'", "  Left = 1x", "end"}));
  Load(child);
  EXPECT_EQ(error_.rfind("In the ancestor form FormBase.dfm (form text): Line 3, column", 0), 0u) << error_;

  Write("FormBase.dfm", "");
  Load(child);
  EXPECT_EQ(error_, "In the ancestor form FormBase.dfm (form text): the file is empty");

  fs::remove(dir_ / "FormBase.dfm");
  fs::create_directory(dir_ / "FormBase.dfm");
  Load(child);
  EXPECT_NE(error_.find("In the ancestor form FormBase.dfm"), std::string::npos) << error_;
  EXPECT_NE(error_.find("is a folder"), std::string::npos) << error_;
}
