// The main window opening a Windows program: the user picks one of its
// forms (or cancels), and the form loads as a form file does; a program
// dropped on the window opens the same way. The preview shows the form's
// own icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "OpenProgram.h"
#include "Unit1.h"
#include "Unit2.h"
#include "stock/Dialogs.h"
#include "stock/StockControls.h"

namespace {

const std::string kProgram = std::string(TESSALY_SOURCE_DIR) + "/examples/program/Inventory.exe";

class OpenProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterPreviewClasses();
    Application->Initialize();
  }
  void SetUp() override {
    form = new TForm1(Application);
    form->Show();
    Application->MessageBoxHook = [this](const TMessageBoxRequest& r) {
      messages.push_back(r.text);
      return IDOK;
    };
  }
  void TearDown() override {
    TOpenDialog::ExecuteHook = nullptr;
    PickProgramFormHook = nullptr;
    Application->MessageBoxHook = nullptr;
    delete form;
  }
  void AnswerDialogWith(const std::string& path) {
    TOpenDialog::ExecuteHook = [path](TOpenDialog& dialog) {
      dialog.SetFileName(path);
      return true;
    };
  }
  // Picks the form whose list entry starts with `name`, remembering the list.
  void PickForm(const std::string& name) {
    PickProgramFormHook = [this, name](const std::vector<std::string>& items) {
      offered = items;
      for (size_t i = 0; i < items.size(); ++i)
        if (items[i].rfind(name, 0) == 0) return int(i);
      return -1;
    };
  }
  void RecordPreviewThenClose() {
    QTimer::singleShot(0, &guard, [this] {
      if (!Form2 || !Form2->InModalLoop()) return;
      previewCaption = Form2->Caption();
      const QList<QSize> sizes = Form2->Handle()->windowIcon().availableSizes();
      previewIconSize = sizes.isEmpty() ? QSize() : sizes.first();
      Form2->Close();
    });
  }
  std::string Source() const { return form->mmo1->Lines()->Text(); }

  QObject guard;
  TForm1* form = nullptr;
  std::vector<std::string> messages, offered;
  std::string previewCaption;
  QSize previewIconSize;
};

TEST_F(OpenProgram, TheUserPicksOneOfSeveralFormsAndItLoads) {
  AnswerDialogWith(kProgram);
  PickForm("TABOUTBOX");
  RecordPreviewThenClose();
  QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0], "TABOUTBOX  TAboutBox AboutBox");
  EXPECT_EQ(previewCaption, "About Inventory");
  EXPECT_EQ(Source().rfind("object AboutBox: TAboutBox", 0), 0u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(OpenProgram, CancellingThePickChangesNothing) {
  AnswerDialogWith(kProgram);
  PickForm("(none)");
  QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_EQ(Source(), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(OpenProgram, AProgramWithoutFormsShowsOneMessage) {
  std::ifstream in(kProgram, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Rename the forms' resource type from RCDATA (10) to 11 (message tables).
  const size_t rcdata = 0x200 + 16;
  ASSERT_EQ(bytes[rcdata], 10);
  bytes[rcdata] = 11;
  const std::string path = ::testing::TempDir() + "/NoForms.exe";
  std::ofstream(path, std::ios::binary) << bytes;
  AnswerDialogWith(path);
  QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("holds no forms"), std::string::npos) << messages[0];
  EXPECT_EQ(Source(), "");
}

TEST_F(OpenProgram, AProgramDroppedOnTheWindowOpensLikeAChosenOne) {
  PickForm("TMAINFORM");
  RecordPreviewThenClose();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(kProgram))});
  QWidget* window = form->Handle();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  EXPECT_EQ(previewCaption, "Inventory");
  EXPECT_EQ(Source().rfind("object MainForm: TMainForm", 0), 0u);
  EXPECT_EQ(previewIconSize, QSize(16, 16));  // the form's own icon, not the program's 32 x 32 one
}

TEST_F(OpenProgram, AFormFileOpensWithoutAnyPick) {
  const std::string formFile = std::string(TESSALY_SOURCE_DIR) + "/examples/program/AboutBox.dfm";
  EXPECT_EQ(ChooseFormToOpen(formFile), formFile);
  EXPECT_TRUE(offered.empty());
}

// A named pipe chosen in the dialog is no form file: nothing loads, nothing
// is said, and the window never waits for a writer that will not come.
TEST_F(OpenProgram, APipeChosenInTheDialogLoadsNothingAndNeverWaits) {
  const std::string path = ::testing::TempDir() + "/Pipe.dfm";
  ::unlink(path.c_str());
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  AnswerDialogWith(path);
  QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier);
  ::unlink(path.c_str());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Source(), "");
}

}  // namespace
