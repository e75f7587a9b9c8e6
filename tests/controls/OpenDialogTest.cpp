// The open dialog through its real window: what a typed name must satisfy
// under each option, the filter labels it shows, and what it returns.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ControlsTestSupport.h"
#include "FileDialogDriver.h"
#include "stock/Dialogs.h"
#include "stock/MiscStock.h"

namespace {

namespace fs = std::filesystem;

class OpenDialogWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs tests in parallel processes.
    dir = fs::path(::testing::TempDir()) /
          (std::string("open_dialog_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "there.dfm") << "object F: TForm\nend\n";
    dialog.SetInitialDir(dir.string());
    dialog.SetDefaultExt("*.dfm");
    dialog.SetFilter("Form files (*.dfm)|*.dfm|All files|*.*");
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs `d` with `typed` entered; returns what Execute returned.
  bool Run(TOpenDialog& d, const QString& typed, QMessageBox::StandardButton answer = QMessageBox::Ok) {
    ScriptFileDialog(run, typed, answer);
    const bool ok = d.Execute();
    EXPECT_TRUE(run.dialogShown);
    return ok;
  }
  void AddOption(TOpenDialog& d, TOpenOption o) { d.SetOptions(d.Options() | (int64_t(1) << o)); }
  std::string In(const char* name) const { return (dir / name).string(); }

  fs::path dir;
  TOpenDialog dialog{nullptr};
  FileDialogRun run;
};

TEST_F(OpenDialogWindow, AMissingNameIsReturnedWithoutAMessageWhenNoOptionForbidsIt) {
  ASSERT_TRUE(Run(dialog, "nosuch"));
  EXPECT_TRUE(run.messages.isEmpty());
  EXPECT_EQ(dialog.FileName(), In("nosuch.dfm"));  // the default extension, without its wildcard
}

TEST_F(OpenDialogWindow, FileMustExistRefusesAMissingNameAndKeepsTheDialogOpen) {
  AddOption(dialog, ofFileMustExist);
  EXPECT_FALSE(Run(dialog, "nosuch.dfm"));
  ASSERT_EQ(run.messages.size(), 1);
  EXPECT_TRUE(run.messages[0].contains("File not found"));
  EXPECT_TRUE(run.openAfterReturn);
}

TEST_F(OpenDialogWindow, FileMustExistAcceptsAnExistingFile) {
  AddOption(dialog, ofFileMustExist);
  ASSERT_TRUE(Run(dialog, "there.dfm"));
  EXPECT_TRUE(run.messages.isEmpty());
  EXPECT_EQ(dialog.FileName(), In("there.dfm"));
  EXPECT_EQ(dialog.Files(), std::vector<std::string>{In("there.dfm")});
}

TEST_F(OpenDialogWindow, PathMustExistRefusesAMissingFolderOnlyWhenAsked) {
  EXPECT_TRUE(Run(dialog, "nodir/x.dfm"));
  EXPECT_TRUE(run.messages.isEmpty());
  run = {};
  AddOption(dialog, ofPathMustExist);
  EXPECT_FALSE(Run(dialog, "nodir/x.dfm"));
  ASSERT_EQ(run.messages.size(), 1);
  EXPECT_TRUE(run.messages[0].contains("Path does not exist"));
}

TEST_F(OpenDialogWindow, CreatePromptAsksAboutAMissingFileAndNoKeepsTheDialogOpen) {
  AddOption(dialog, ofCreatePrompt);
  EXPECT_FALSE(Run(dialog, "new.dfm", QMessageBox::No));
  ASSERT_EQ(run.messages.size(), 1);
  EXPECT_TRUE(run.messages[0].contains("Do you want to create it?"));
  EXPECT_TRUE(run.openAfterReturn);
  run = {};
  EXPECT_TRUE(Run(dialog, "new.dfm", QMessageBox::Yes));
  EXPECT_EQ(dialog.FileName(), In("new.dfm"));
}

TEST_F(OpenDialogWindow, OverwritePromptAsksInASaveDialogAndNotInAnOpenDialog) {
  AddOption(dialog, ofOverwritePrompt);
  EXPECT_TRUE(Run(dialog, "there.dfm"));
  EXPECT_TRUE(run.messages.isEmpty());
  TSaveDialog save(nullptr);
  save.SetInitialDir(dir.string());
  AddOption(save, ofOverwritePrompt);
  run = {};
  EXPECT_FALSE(Run(save, "there.dfm", QMessageBox::No));
  ASSERT_EQ(run.messages.size(), 1);
  EXPECT_TRUE(run.messages[0].contains("already exists"));
  run = {};
  EXPECT_TRUE(Run(save, "there.dfm", QMessageBox::Yes));
  EXPECT_EQ(save.FileName(), In("there.dfm"));
}

TEST_F(OpenDialogWindow, EachFilterShowsItsLabelExactlyAsGiven) {
  dialog.SetFilter("Delphi \xE7\xAA\x97\xE4\xBD\x93\xE6\x96\x87\xE4\xBB\xB6 (*.dfm)|*.dfm|All files|*.*");
  Run(dialog, "there.dfm");
  EXPECT_EQ(run.filterLabels, (QStringList{QString::fromUtf8("Delphi 窗体文件 (*.dfm)"), "All files"}));
}

TEST_F(OpenDialogWindow, TheChosenFilterAndAnExtensionOtherThanTheDefaultAreReported) {
  std::ofstream(dir / "notes.txt") << "x";
  ScriptFileDialog(run, "notes.txt", QMessageBox::Ok, [](QFileDialog& d) {
    d.selectNameFilter(d.nameFilters().at(1));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(dialog.FileName(), In("notes.txt"));
  EXPECT_TRUE(dialog.Options() & (int64_t(1) << ofExtensionDifferent));
  run = {};
  ASSERT_TRUE(Run(dialog, "there.dfm"));
  EXPECT_FALSE(dialog.Options() & (int64_t(1) << ofExtensionDifferent));
}

}  // namespace
