// The main window driven as a user drives it, on the off-screen platform:
// the load command through its accelerator, the dialog answered by the
// test, the modal preview inspected and closed, the panes checked after.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QPlainTextEdit>
#include <QScrollBar>

#include "../controls/FileDialogDriver.h"
#include "Unit1.h"
#include "Unit2.h"
#include "stock/Dialogs.h"
#include "stock/StockControls.h"

namespace {

std::string ExamplePath(const char* name) { return std::string(TESSALY_SOURCE_DIR) + "/examples/" + name; }

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
    QTimer::singleShot(0, &guard, [this] {
      previewSeen = Form2 != nullptr && Form2->InModalLoop();
      if (!previewSeen) return;
      previewCaption = Form2->Caption();
      sourceLinesWhilePreviewing = form->mmo1->Lines()->Count();
      logFrozenWhilePreviewing = form->mmo2->Lines()->UpdateCount() > 0;
      if (auto* button = dynamic_cast<TControl*>(Form2->FindComponent("Button1"))) buttonBounds = button->BoundsRect();
      Form2->Close();
    });
  }

  void PressAltO() { QTest::keyClick(form->Handle(), Qt::Key_O, Qt::AltModifier); }

  // Types into whichever control has the focus, as the keyboard does:
  // capitals with Shift, "\n" as Return.
  void Type(const std::string& text) {
    for (char c : text) {
      if (c == '\n')
        Key(Qt::Key_Return);
      else
        QTest::keyClick(Focused(), c, std::isupper(uint8_t(c)) ? Qt::ShiftModifier : Qt::NoModifier);
    }
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Focused(), key, mods); }
  static QWidget* Focused() {
    TWinControl* focused = FindFocusedControl();
    return focused ? focused->Handle() : nullptr;
  }
  // The caret of a pane as (line, column).
  static std::pair<int, int> Caret(TMemo* memo) {
    const QTextCursor c = memo->Editor()->textCursor();
    return {c.blockNumber(), c.positionInBlock()};
  }

  std::string Source() const { return form->mmo1->Lines()->Text(); }
  std::string Log() const { return form->mmo2->Lines()->Text(); }

  // The context of the test's timers: a timer that has not fired by the
  // end of its test dies with it.
  QObject guard;
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
  AnswerDialogWith(WriteTempFile(
      "open.dfm",
      "object Form1: TForm1\r\n  object M: TFancyMeter\r\n"
      "    Left = 1\r\n"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("List index out of bounds"), std::string::npos);
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(Log(), "[TFancyMeter]: [True]\r\nPropertys: [left]\r\n");
}

TEST_F(MainWindow, AParseErrorAfterRewritingStillShowsTheRewrittenText) {
  AnswerDialogWith(WriteTempFile("parse.dfm", "object Form1: TForm1\r\n  Left = (\r\nend\r\n"));
  PressAltO();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(Source().find("Left = ("), std::string::npos);
}

TEST_F(MainWindow, AReaderErrorShowsNoPreview) {
  AnswerDialogWith(WriteTempFile(
      "reader.dfm",
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

// --- typing into the panes

TEST_F(MainWindow, TypingIntoBothPanesEditsThemAndNeverFiresTheButtons) {
  bool dialogOpened = false;
  TOpenDialog::ExecuteHook = [&](TOpenDialog&) { return dialogOpened = true, false; };
  form->mmo1->SetFocus();
  Type("box\nXO");
  Key(Qt::Key_Up);
  Key(Qt::Key_End);
  Type("x");
  Key(Qt::Key_Home);
  Key(Qt::Key_Right);
  Type("o");
  EXPECT_EQ(Caret(form->mmo1), std::make_pair(0, 2));
  EXPECT_EQ(Source(), "booxx\r\nXO\r\n");
  EXPECT_EQ(FindFocusedControl(), form->mmo1);

  Key(Qt::Key_Tab);  // to the component pane, in tab order
  ASSERT_EQ(FindFocusedControl(), form->mmo2);
  Type("Ox\nxo");
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);
  EXPECT_EQ(Caret(form->mmo2), std::make_pair(1, 0));
  Key(Qt::Key_Up);
  Key(Qt::Key_End);
  EXPECT_EQ(Caret(form->mmo2), std::make_pair(0, 2));
  EXPECT_EQ(Log(), "Ox\r\nxo\r\n");
  EXPECT_EQ(FindFocusedControl(), form->mmo2);

  EXPECT_FALSE(dialogOpened);
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(messages.empty());

  Key(Qt::Key_O, Qt::AltModifier);
  EXPECT_TRUE(dialogOpened);
  Key(Qt::Key_X, Qt::AltModifier);
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainWindow, AMissingNameTypedIntoTheRealDialogChangesNothingAndShowsNothing) {
  form->dlgOpen->SetInitialDir(::testing::TempDir());
  FileDialogRun run;
  ScriptFileDialog(run, "no-such-form");
  PressAltO();
  EXPECT_TRUE(run.dialogShown);
  EXPECT_FALSE(run.openAfterReturn);
  EXPECT_TRUE(run.messages.isEmpty());
  EXPECT_EQ(run.filterLabels, QStringList{QString::fromUtf8("Delphi 窗体文件 (*.dfm)")});
  EXPECT_EQ(Source(), "");
  EXPECT_EQ(Log(), "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, AfterALoadTheComponentPaneShowsItsLastLogLine) {
  form->SetClientSize(580, 200);  // the log of the showcase is longer than the pane
  AnswerDialogWith(ExamplePath("showcase.dfm"));
  InspectPreviewThenClose();
  PressAltO();
  ASSERT_TRUE(previewSeen);
  QPlainTextEdit* log = form->mmo2->Editor();
  ASSERT_GT(log->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(log->textCursor().blockNumber(), form->mmo2->Lines()->Count() - 1);
  EXPECT_GT(log->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(log->viewport()->rect().contains(log->cursorRect()));
}

TEST_F(MainWindow, BothWindowsShowTheApplicationIcon) {
  const QIcon icon = form->Handle()->windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
  QIcon previewIcon;
  AnswerDialogWith(ExamplePath("spin.dfm"));
  QTimer::singleShot(0, &guard, [&] {
    if (!Form2) return;
    previewIcon = Form2->Handle()->windowIcon();
    Form2->Close();
  });
  PressAltO();
  EXPECT_EQ(previewIcon.cacheKey(), icon.cacheKey());
}
