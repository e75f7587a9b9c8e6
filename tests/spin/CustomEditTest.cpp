// TCustomEdit: text and OnChange, the 8-bit round trip, key filtering,
// clipboard messages, the frame and the formatting rectangle.
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "SpinTestSupport.h"

namespace {

// An edit that counts the clipboard messages and may refuse them, and that
// turns typed 'a' into 'b' and refuses 'z'.
class TProbeEdit : public TCustomEdit {
 public:
  explicit TProbeEdit(TComponent* owner) : TCustomEdit(owner) {}
  bool allowClipboard = true;
  int pastes = 0, cuts = 0;
  using TCustomEdit::Perform;

 protected:
  void KeyPress(char& key) override {
    if (key == 'z') key = 0;
    if (key == 'a') key = 'b';
    TCustomEdit::KeyPress(key);
  }
  void WMPaste(TWMNoParams& msg) override {
    ++pastes;
    if (allowClipboard) TCustomEdit::WMPaste(msg);
  }
  void WMCut(TWMNoParams& msg) override {
    ++cuts;
    if (allowClipboard) TCustomEdit::WMCut(msg);
  }
};

class CustomEditTest : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    edit = new TProbeEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 121, 25);
    edit->OnChange.code = [this](TPersistent*) { ++changes; };
  }
  void Type(int qtKey, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QCoreApplication::sendEvent(edit->LineEdit(), &press);
  }
  TProbeEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(CustomEditTest, EveryChangeOfTheTextFiresOnChangeOnce) {
  edit->SetText("12");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->LineEdit()->text(), QString("12"));
  edit->SetText("12");
  EXPECT_EQ(changes, 1);
  edit->LineEdit()->setCursorPosition(2);
  Type(Qt::Key_3, "3");
  EXPECT_EQ(edit->Text(), "123");
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(edit->Modified());
}

TEST_F(CustomEditTest, EightBitTextShowsDecodedAndKeepsItsBytes) {
  edit->Font()->SetCharset(ANSI_CHARSET);
  const std::string bytes = "caf\xE9 \x01\x7F";
  edit->SetText(bytes);
  EXPECT_EQ(edit->Text(), bytes);
  EXPECT_TRUE(edit->LineEdit()->text().startsWith(QString::fromUtf8("caf\xC3\xA9")));
  edit->SetText("plain ascii ~!");
  edit->LineEdit()->setCursorPosition(14);
  Type(Qt::Key_Period, ".");
  EXPECT_EQ(edit->Text(), "plain ascii ~!.");
  edit->SetText("caf\xE9");
  edit->LineEdit()->setCursorPosition(4);
  Type(Qt::Key_S, "s");
  EXPECT_EQ(edit->Text(), "caf\xE9s");
}

TEST_F(CustomEditTest, KeyPressCanRefuseOrReplaceACharacter) {
  edit->SetText("");
  Type(Qt::Key_Z, "z");
  Type(Qt::Key_A, "a");
  Type(Qt::Key_C, "c");
  EXPECT_EQ(edit->Text(), "bc");
}

TEST_F(CustomEditTest, MaxLengthAndReadOnlyLimitTyping) {
  edit->SetText("");
  edit->SetMaxLength(2);
  Type(Qt::Key_1, "1");
  Type(Qt::Key_2, "2");
  Type(Qt::Key_3, "3");
  EXPECT_EQ(edit->Text(), "12");
  edit->SetReadOnly(true);
  Type(Qt::Key_Backspace, "\b");
  EXPECT_EQ(edit->Text(), "12");
}

TEST_F(CustomEditTest, ClipboardKeysArriveAsMessagesThatCanBeRefused) {
  QApplication::clipboard()->setText("xy");
  edit->SetText("ab");
  edit->allowClipboard = false;
  edit->SelectAll();
  Type(Qt::Key_V, "\x16", Qt::ControlModifier);
  Type(Qt::Key_Insert, "", Qt::ShiftModifier);
  Type(Qt::Key_X, "\x18", Qt::ControlModifier);
  Type(Qt::Key_Delete, "", Qt::ShiftModifier);
  EXPECT_EQ(edit->pastes, 2);
  EXPECT_EQ(edit->cuts, 2);
  EXPECT_EQ(edit->Text(), "ab");
  edit->allowClipboard = true;
  edit->SelectAll();
  edit->CutToClipboard();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(QApplication::clipboard()->text(), QString("ab"));
  edit->PasteFromClipboard();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "abab");
}

TEST_F(CustomEditTest, SelectionReadsAndWritesInCharacters) {
  edit->SetText("hello");
  edit->SelectAll();
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 5);
  edit->SetSelStart(1);
  edit->SetSelLength(3);
  EXPECT_EQ(edit->SelText(), "ell");
  edit->ClearSelection();
  EXPECT_EQ(edit->Text(), "ho");
}

TEST_F(CustomEditTest, TheFrameDecidesTheClientArea) {
  edit->SetAutoSize(false);
  edit->SetCtl3D(true);
  EXPECT_EQ(edit->ClientRect(), Rect(0, 0, 117, 21));
  edit->SetCtl3D(false);
  EXPECT_EQ(edit->ClientRect(), Rect(0, 0, 119, 23));
  edit->SetBorderStyle(ebsNone);
  EXPECT_EQ(edit->ClientRect(), Rect(0, 0, 121, 25));
}

TEST_F(CustomEditTest, TheFormattingRectangleBecomesTextMargins) {
  edit->SetCtl3D(true);
  edit->SetFormatRect(Rect(3, 1, 100, 22));
  const QMargins m = edit->LineEdit()->textMargins();
  EXPECT_EQ(m.left(), 3);
  EXPECT_EQ(m.top(), 1);
  EXPECT_EQ(m.right(), 17);
  EXPECT_EQ(m.bottom(), 0);
  EXPECT_EQ(edit->FormatRect(), Rect(3, 1, 100, 22));
}

TEST_F(CustomEditTest, OnlyAMultiLineWindowWantsReturnAndEscape) {
  const LRESULT code = edit->Perform(WM_GETDLGCODE);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  EXPECT_FALSE(code & DLGC_WANTALLKEYS);
  TSpinEdit spinEdit(form.get());
  spinEdit.SetParent(form.get());
  EXPECT_TRUE(spinEdit.WindowStyle() & ES_MULTILINE);
  EXPECT_TRUE(spinEdit.Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

TEST_F(CustomEditTest, AutoSizeFitsTheHeightToTheFontAndFrame) {
  edit->SetCtl3D(true);
  const int cell = TextMetricHeight(*edit->Font());
  EXPECT_EQ(edit->Height(), cell + 8);
  edit->SetCtl3D(false);
  EXPECT_EQ(edit->Height(), cell + 6);
  edit->Font()->SetHeight(-30);
  EXPECT_EQ(edit->Height(), TextMetricHeight(*edit->Font()) + 6);
  edit->SetAutoSize(false);
  const int kept = edit->Height();
  edit->Font()->SetHeight(-11);
  EXPECT_EQ(edit->Height(), kept);
}

TEST_F(CustomEditTest, EnteringSelectsAllUnlessMultiLine) {
  edit->SetText("abc");
  edit->SetFocus();
  EXPECT_EQ(edit->SelLength(), 3);
}

}  // namespace
