// The main window driven as a user drives it, on the off-screen platform:
// the load command through its accelerator, the dialog answered by the
// test, the modal preview inspected and closed, the panes checked after.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Unit1.h"
#include "Unit2.h"
#include "controls/Dialogs.h"
#include "controls/StockControls.h"

namespace {

std::string ExamplePath(const char* name) {
  return std::string(TESSALY_SOURCE_DIR) + "/examples/" + name;
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

class MainWindow : public ::testing::Test {
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
    Application->MessageBoxHook = nullptr;
    delete form;
  }

  // Answers the next open dialog with `path`, or cancels it when empty.
  void AnswerDialogWith(const std::string& path) {
    TOpenDialog::ExecuteHook = [path](TOpenDialog& dialog) {
      if (path.empty()) return false;
      dialog.SetFileName(path);
      return true;
    };
  }

  // While the preview runs modally, records what it shows, then closes it.
  void InspectPreviewThenClose() {
    QTimer::singleShot(0, [this] {
      previewSeen = Form2 != nullptr && Form2->InModalLoop();
      if (!previewSeen) return;
      previewCaption = Form2->Caption();
      sourceLinesWhilePreviewing = form->mmo1->Lines()->Count();
      logFrozenWhilePreviewing = form->mmo2->Lines()->UpdateCount() > 0;
      if (auto* button = dynamic_cast<TControl*>(Form2->FindComponent("Button1")))
        buttonBounds = button->BoundsRect();
      Form2->Close();
    });
  }

  void PressAltO() { QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier); }

  std::string Source() const { return form->mmo1->Lines()->Text(); }
  std::string Log() const { return form->mmo2->Lines()->Text(); }

  TForm1* form = nullptr;
  std::vector<std::string> messages;
  bool previewSeen = false;
  std::string previewCaption;
  int sourceLinesWhilePreviewing = 0;
  bool logFrozenWhilePreviewing = false;
  TRect buttonBounds{};
};

}  // namespace

TEST_F(MainWindow, StartsWithItsDescribedLayout) {
  EXPECT_EQ(form->Caption(), "Tessaly");
  EXPECT_EQ(form->mmo2->Width(), 196);
  EXPECT_EQ(form->Panel1->Height(), 30);
  EXPECT_EQ(form->Panel2->Height(), 30);
  EXPECT_EQ(form->mmo2->Lines()->Count(), 0);
}

TEST_F(MainWindow, LoadShowsTheRewrittenTextThePreviewAndThenTheLog) {
  AnswerDialogWith(ExamplePath("showcase.dfm"));
  InspectPreviewThenClose();
  PressAltO();
  EXPECT_TRUE(previewSeen);
  EXPECT_EQ(previewCaption, "Tessaly showcase");
  EXPECT_GT(sourceLinesWhilePreviewing, 100);
  EXPECT_TRUE(logFrozenWhilePreviewing);
  EXPECT_EQ(buttonBounds.Left, 12);
  EXPECT_EQ(buttonBounds.Top, 120);
  EXPECT_NE(Source().find("object ThirdPartyPanel: TUnknown"), std::string::npos);
  EXPECT_EQ(Source().find("OnClick = Button1Click"), std::string::npos);
  EXPECT_NE(Log().find("[TAdvPanel]: [True]\r\n"), std::string::npos);
  EXPECT_NE(Log().find("[TButton]: [False]\r\n"), std::string::npos);
  EXPECT_EQ(form->mmo2->Lines()->UpdateCount(), 0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, TwoLoadsAppendBothLogs) {
  AnswerDialogWith(ExamplePath("charsets.dfm"));
  InspectPreviewThenClose();
  PressAltO();
  const int first = form->mmo2->Lines()->Count();
  InspectPreviewThenClose();
  PressAltO();
  EXPECT_EQ(form->mmo2->Lines()->Count(), 2 * first);
}

TEST_F(MainWindow, CancellingTheDialogChangesNothing) {
  AnswerDialogWith("");
  PressAltO();
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(Log(), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, AMissingFileChangesNothingAndShowsNothing) {
  AnswerDialogWith("/nonexistent/form.dfm");
  PressAltO();
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(Log(), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, AFileShorterThanSixBytesShowsOneMessageAndLeavesThePanes) {
  AnswerDialogWith(WriteTempFile("short.dfm", "obj"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Stream read error"), std::string::npos);
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(form->mmo2->Lines()->UpdateCount(), 0);
}

TEST_F(MainWindow, TextWithALeadingBlankFailsAsAnInvalidStream) {
  AnswerDialogWith(WriteTempFile("blank.dfm", " object Form1: TForm1\r\nend\r\n"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Invalid stream format"), std::string::npos);
  EXPECT_EQ(Source(), "");
}

TEST_F(MainWindow, AnOpenPlaceholderKeepsTheLogAndLeavesTheSource) {
  AnswerDialogWith(WriteTempFile("open.dfm",
                                 "object Form1: TForm1\r\n  object M: TFancyMeter\r\n"
                                 "    Left = 1\r\n"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("List index out of bounds"), std::string::npos);
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(Log(), "[TFancyMeter]: [True]\r\nPropertys: [left]\r\n");
}

TEST_F(MainWindow, AParseErrorAfterRewritingStillShowsTheRewrittenText) {
  AnswerDialogWith(WriteTempFile("parse.dfm",
                                 "object Form1: TForm1\r\n  Left = (\r\nend\r\n"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(Source().find("Left = ("), std::string::npos);
}

TEST_F(MainWindow, AReaderErrorShowsNoPreview) {
  AnswerDialogWith(WriteTempFile("reader.dfm",
                                 "object Form1: TForm1\r\n  object B: TButton\r\n"
                                 "    NoSuchProperty = 1\r\n  end\r\nend\r\n"));
  InspectPreviewThenClose();
  PressAltO();
  EXPECT_FALSE(previewSeen);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("B.NoSuchProperty"), std::string::npos);
  EXPECT_EQ(Log(), "[TButton]: [False]\r\n");
}

TEST_F(MainWindow, AltXClosesTheWindow) {
  ASSERT_TRUE(form->Visible());
  QTest::keyClick(form->Handle(), Qt::Key_X, Qt::AltModifier);
  EXPECT_FALSE(form->Visible());
}
