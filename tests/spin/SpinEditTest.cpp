// TSpinEdit: the value through the text, the bounds rule, steps, the
// character filter, clipboard refusal, layout, focus and streaming.
#include <climits>
#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "Spin/SpinRules.h"
#include "SpinTestSupport.h"
#include "components/Writer.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

class SpinEditTest : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    edit = new TSpinEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 121, 25);
    edit->OnChange.code = [this](TPersistent*) { ++changes; };
  }

  // Another focusable control to move the focus to.
  TSpinEdit* Other() {
    auto* other = new TSpinEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(10, 60, 121, 25);
    return other;
  }

  // Types a key into the edit's widget as the keyboard would.
  void Type(int qtKey, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QCoreApplication::sendEvent(edit->LineEdit(), &press);
  }

  TSpinEdit* edit = nullptr;
  int changes = 0;
};

// --- construction

TEST_F(SpinEditTest, ANewSpinEditShowsZeroWithoutBounds) {
  TSpinEdit fresh(nullptr);
  EXPECT_EQ(fresh.Text(), "0");
  EXPECT_EQ(fresh.Value(), 0);
  EXPECT_EQ(fresh.MinValue(), 0);
  EXPECT_EQ(fresh.MaxValue(), 0);
  EXPECT_EQ(fresh.Increment(), 1);
  EXPECT_TRUE(fresh.EditorEnabled());
  EXPECT_TRUE(fresh.TabStop());
  EXPECT_FALSE(fresh.HasStyle(csSetCaption));
  TSpinButton* button = fresh.Button();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Owner(), &fresh);
  EXPECT_EQ(button->Parent(), &fresh);
  EXPECT_EQ(button->FocusControl(), &fresh);
  EXPECT_FALSE(button->TabStop());
  // Placed only by the edit's first resize.
  EXPECT_EQ(button->BoundsRect(), Bounds(0, 0, 15, 17));
  EXPECT_EQ(button->UpperButton()->BoundsRect(), Bounds(0, 0, 15, 8));
  EXPECT_EQ(button->LowerButton()->BoundsRect(), Bounds(0, 7, 15, 10));
}

// --- value

struct TextCase {
  const char* text;
  int32_t expect;
};

class ValueOfText : public SpinEditTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ValueOfText, ReadsTheNumberUnclampedOrMinValue) {
  edit->SetMinValue(3);
  edit->SetMaxValue(10);
  edit->SetText(GetParam().text);
  EXPECT_EQ(edit->Value(), GetParam().expect) << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueOfText,
    ::testing::Values(
        TextCase{"7", 7}, TextCase{"15", 15}, TextCase{"-7", -7}, TextCase{"2147483647", INT_MAX},
        TextCase{"-2147483648", INT_MIN}, TextCase{"", 3}, TextCase{"-", 3}, TextCase{"+", 3}, TextCase{"1.5", 3},
        TextCase{".", 3}, TextCase{"2147483648", 3}, TextCase{"-2147483649", 3}, TextCase{"abc", 3},
        TextCase{"12a", 3}));

struct WriteCase {
  int32_t minValue, maxValue, value;
  const char* text;
};

class WritingValue : public SpinEditTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WritingValue, StoresTheClampedNumberAsText) {
  const WriteCase& c = GetParam();
  edit->SetMinValue(c.minValue);
  edit->SetMaxValue(c.maxValue);
  edit->SetValue(c.value);
  EXPECT_EQ(edit->Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, WritingValue,
    ::testing::Values(
        WriteCase{0, 10, 15, "10"}, WriteCase{0, 10, -1, "0"}, WriteCase{0, 10, 4, "4"}, WriteCase{5, 5, 3, "3"},
        WriteCase{5, 5, 900, "900"}, WriteCase{0, 0, INT_MIN, "-2147483648"}, WriteCase{10, 5, 3, "10"},
        WriteCase{10, 5, 7, "10"}, WriteCase{10, 5, 20, "5"}));

TEST_F(SpinEditTest, ChangingTheBoundsLeavesTheTextAlone) {
  edit->SetValue(50);
  edit->SetMinValue(0);
  edit->SetMaxValue(10);
  edit->SetIncrement(-4);
  EXPECT_EQ(edit->Text(), "50");
  EXPECT_EQ(edit->Value(), 50);
}

TEST_F(SpinEditTest, WritingValueFiresOnChange) {
  changes = 0;
  edit->SetValue(12);
  EXPECT_EQ(changes, 1);
  edit->SetValue(12);  // same text: no change
  EXPECT_EQ(changes, 1);
}

// --- steps

TEST_F(SpinEditTest, ButtonsAndArrowKeysStepByIncrement) {
  edit->SetIncrement(5);
  edit->Button()->UpperButton()->Click();
  EXPECT_EQ(edit->Text(), "5");
  KeyDownTo(edit, VK_UP);
  EXPECT_EQ(edit->Text(), "10");
  edit->Button()->LowerButton()->Click();
  KeyDownTo(edit, VK_DOWN);
  KeyDownTo(edit, VK_DOWN);
  EXPECT_EQ(edit->Text(), "-5");
}

TEST_F(SpinEditTest, AStepFromATextThatIsNoNumberStartsFromMinValue) {
  edit->SetMaxValue(10);
  for (const char* text : {"", "-"}) {
    edit->SetText(text);
    edit->StepUp(edit);
    EXPECT_EQ(edit->Text(), "1") << "from '" << text << "'";
  }
}

TEST_F(SpinEditTest, AStepAtTheEndOfTheRangeStaysThere) {
  edit->SetValue(INT_MAX);
  edit->StepUp(edit);
  EXPECT_EQ(edit->Text(), "2147483647");
  edit->SetMaxValue(INT_MAX);  // bounds 0 .. 2147483647
  edit->StepUp(edit);
  EXPECT_EQ(edit->Text(), "2147483647");
  edit->SetMinValue(0);
  edit->SetMaxValue(0);
  edit->SetValue(INT_MIN);
  edit->StepDown(edit);
  EXPECT_EQ(edit->Text(), "-2147483648");
  edit->SetIncrement(INT_MIN);
  edit->SetValue(0);
  edit->StepDown(edit);
  EXPECT_EQ(edit->Text(), "2147483647");
}

TEST_F(SpinEditTest, AReadOnlyEditOnlyBeepsOnSteps) {
  edit->SetReadOnly(true);
  edit->SetValue(4);
  edit->Button()->UpperButton()->Click();
  edit->Button()->LowerButton()->Click();
  KeyDownTo(edit, VK_UP);
  KeyDownTo(edit, VK_DOWN);
  EXPECT_EQ(edit->Text(), "4");
  EXPECT_EQ(beeps, std::vector<uint32_t>(4, 0u));
}

TEST_F(SpinEditTest, OnKeyDownSeesTheArrowAfterTheStep) {
  std::vector<std::string> seen;
  edit->OnKeyDownProc = [&](TPersistent*, Word& key, TShiftState) {
    seen.push_back(std::to_string(key) + ":" + edit->Text());
  };
  KeyDownTo(edit, VK_UP);
  KeyDownTo(edit, VK_DELETE);
  EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(VK_UP) + ":1", std::to_string(VK_DELETE) + ":1"}));
}

// --- typing

struct CharCase {
  char key;
  bool editorEnabled;
  bool accepted;
};

class TypedCharacter : public SpinEditTest, public ::testing::WithParamInterface<CharCase> {};

TEST_P(TypedCharacter, RefusedCharactersBeepAndNeverReachOnKeyPress) {
  const CharCase& c = GetParam();
  edit->SetEditorEnabled(c.editorEnabled);
  std::string pressed;
  edit->OnKeyPressProc = [&](TPersistent*, char& key) { pressed += key; };
  CharTo(edit, c.key);
  EXPECT_EQ(pressed, c.accepted ? std::string(1, c.key) : std::string());
  EXPECT_EQ(beeps.size(), c.accepted ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TypedCharacter,
    ::testing::Values(
        CharCase{'7', true, true}, CharCase{'-', true, true}, CharCase{'+', true, true}, CharCase{'.', true, true},
        CharCase{'x', true, false}, CharCase{' ', true, false}, CharCase{'\r', true, false}, CharCase{'\b', true, true},
        CharCase{'\x03', true, true}, CharCase{'7', false, false}, CharCase{'.', false, false},
        CharCase{' ', false, false}, CharCase{'\r', false, false}, CharCase{'\b', false, false},
        CharCase{'\x03', false, true}));

TEST_F(SpinEditTest, TypedKeysReachTheTextOnlyWhenAccepted) {
  edit->SetText("");
  Type(Qt::Key_4, "4");
  Type(Qt::Key_A, "a");
  Type(Qt::Key_Space, " ");
  Type(Qt::Key_2, "2");
  EXPECT_EQ(edit->Text(), "42");
  EXPECT_EQ(beeps.size(), 2u);
  Type(Qt::Key_Up, "");
  EXPECT_EQ(edit->Text(), "43");
}

TEST_F(SpinEditTest, WithTheEditorDisabledOnlyTheButtonsAndArrowsChangeTheText) {
  edit->SetEditorEnabled(false);
  edit->SetText("5");
  edit->LineEdit()->setCursorPosition(1);
  Type(Qt::Key_1, "1");
  Type(Qt::Key_Backspace, "\b");
  EXPECT_EQ(edit->Text(), "5");
  EXPECT_EQ(beeps.size(), 2u);
  KeyDownTo(edit, VK_UP);
  edit->Button()->UpperButton()->Click();
  EXPECT_EQ(edit->Text(), "7");
}

// --- clipboard

TEST_F(SpinEditTest, PasteAndCutWorkOnlyWhenTheEditorIsEnabledAndWritable) {
  QClipboard* clipboard = QApplication::clipboard();
  struct Case {
    bool editorEnabled, readOnly, allowed;
  };
  for (const Case& c :
       {Case{true, false, true}, Case{false, false, false}, Case{true, true, false}, Case{false, true, false}}) {
    edit->SetReadOnly(false);
    edit->SetText("123");
    edit->SetEditorEnabled(c.editorEnabled);
    edit->SetReadOnly(c.readOnly);
    clipboard->setText("98");
    edit->SelectAll();
    edit->Perform(WM_PASTE);
    EXPECT_EQ(edit->Text(), c.allowed ? "98" : "123");
    edit->SelectAll();
    edit->Perform(WM_CUT);
    EXPECT_EQ(edit->Text(), c.allowed ? "" : "123");
    EXPECT_EQ(clipboard->text().toStdString(), c.allowed ? "98" : "98");
  }
  EXPECT_TRUE(beeps.empty());
}

TEST_F(SpinEditTest, KeyboardPasteAndCutAreRefusedLikeTheMessages) {
  QApplication::clipboard()->setText("77");
  edit->SetText("5");
  edit->SetEditorEnabled(false);
  edit->SelectAll();
  Type(Qt::Key_V, "\x16", Qt::ControlModifier);
  Type(Qt::Key_Insert, "", Qt::ShiftModifier);
  Type(Qt::Key_X, "\x18", Qt::ControlModifier);
  Type(Qt::Key_Delete, "", Qt::ShiftModifier);
  EXPECT_EQ(edit->Text(), "5");
  edit->SetEditorEnabled(true);
  edit->SelectAll();
  Type(Qt::Key_V, "\x16", Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "77");
}

// --- layout

TEST_F(SpinEditTest, ThreeDLayoutPutsTheButtonInsideTheFrame) {
  edit->SetCtl3D(true);
  edit->SetBounds(10, 10, 121, 26);
  edit->SetBounds(10, 10, 121, 25);
  TSpinButton* b = edit->Button();
  EXPECT_EQ(b->BoundsRect(), Bounds(101, 0, 15, 20));
  EXPECT_EQ(b->UpperButton()->BoundsRect(), Bounds(0, 0, 15, 10));
  EXPECT_EQ(b->LowerButton()->BoundsRect(), Bounds(0, 9, 15, 11));
  EXPECT_EQ(edit->FormatRect(), Rect(0, 0, edit->ClientWidth() - 17, edit->ClientHeight() + 1));
}

TEST_F(SpinEditTest, FlatLayoutPutsTheButtonFlushRight) {
  edit->SetCtl3D(false);
  edit->SetBounds(10, 10, 121, 26);
  edit->SetBounds(10, 10, 121, 25);
  EXPECT_EQ(edit->Button()->BoundsRect(), Bounds(106, 1, 15, 22));
  EXPECT_EQ(edit->FormatRect(), Rect(0, 0, edit->ClientWidth() - 17, edit->ClientHeight() + 1));
}

TEST_F(SpinEditTest, SwitchingTheFrameAloneMovesTheButton) {
  // A form file sets Ctl3D after the size: the frame change by itself must
  // lay the button out again, in both directions.
  edit->SetCtl3D(true);
  edit->SetBounds(10, 10, 121, 25);
  edit->SetCtl3D(false);
  EXPECT_EQ(edit->Button()->BoundsRect(), spin::EmbeddedButtonBounds(121, edit->Height(), 15, false));
  edit->SetCtl3D(true);
  EXPECT_EQ(edit->Button()->BoundsRect(), spin::EmbeddedButtonBounds(121, edit->Height(), 15, true));
}

TEST_F(SpinEditTest, AnEditLowerThanItsMinimumGrowsBack) {
  const int minimum = spin::MinimumEditHeight(TextMetricHeight(*edit->Font()), kScreenFontHeight, kSystemBorderHeight);
  EXPECT_EQ(edit->MinimumHeight(), minimum);
  edit->SetHeight(5);
  EXPECT_EQ(edit->Height(), minimum);
  EXPECT_EQ(edit->Button()->Height(), minimum - 5);
  edit->SetHeight(minimum + 10);
  EXPECT_EQ(edit->Height(), minimum + 10);
}

TEST_F(SpinEditTest, ABiggerFontRaisesTheMinimum) {
  const int before = edit->MinimumHeight();
  edit->Font()->SetHeight(-40);
  EXPECT_GT(edit->MinimumHeight(), before);
  edit->SetHeight(10);
  EXPECT_EQ(edit->Height(), edit->MinimumHeight());
}

// --- focus

TEST_F(SpinEditTest, LeavingRewritesAnOutOfBoundsTextAfterOnExit) {
  edit->SetMinValue(0);
  edit->SetMaxValue(10);
  edit->SetFocus();
  edit->SetText("15");
  EXPECT_EQ(edit->Value(), 15);
  std::string textAtExit;
  edit->OnExit.code = [&](TPersistent*) { textAtExit = edit->Text(); };
  Other()->SetFocus();
  EXPECT_EQ(textAtExit, "15");
  EXPECT_EQ(edit->Text(), "10");
}

TEST_F(SpinEditTest, LeavingKeepsATextThatIsNoNumber) {
  edit->SetMinValue(0);
  edit->SetMaxValue(10);
  TSpinEdit* other = Other();
  for (const char* text : {"", "-"}) {
    edit->SetFocus();
    edit->SetText(text);
    other->SetFocus();
    EXPECT_EQ(edit->Text(), text);
  }
}

TEST_F(SpinEditTest, EnteringSelectsTheWholeTextWhenAutoSelect) {
  edit->SetText("1234");
  edit->SetFocus();
  EXPECT_EQ(edit->SelLength(), 4);
  Other()->SetFocus();
  edit->SetAutoSelect(false);
  edit->SetSelStart(1);
  edit->SetFocus();
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(SpinEditTest, APressOnTheEmbeddedButtonFocusesTheEditAndSelectsAll) {
  edit->SetText("1234");
  Other()->SetFocus();
  TTimerSpeedButton* up = edit->Button()->UpperButton();
  Press(up, mbLeft);
  EXPECT_EQ(FindFocusedControl(), edit);
  EXPECT_EQ(edit->SelLength(), 4);
  EXPECT_FALSE(up->HasRepeatFlag(rfFocusMark));
  EXPECT_FALSE(edit->Button()->LowerButton()->HasRepeatFlag(rfFocusMark));
  Release(up, mbLeft);
  EXPECT_EQ(edit->Text(), "1235");
}

TEST_F(SpinEditTest, HoldingTheEmbeddedButtonRepeatsTheStep) {
  TTimerSpeedButton* down = edit->Button()->LowerButton();
  Press(down, mbLeft);
  Advance(400 + 100 * 3);
  Release(down, mbLeft);
  EXPECT_EQ(edit->Text(), "-5");
}

// --- streaming

TEST_F(SpinEditTest, TheWriterSeesNoEmbeddedButton) {
  int children = 0;
  edit->GetChildren([&](TComponent*) { ++children; }, form.get());
  EXPECT_EQ(children, 0);

  edit->SetName("SpinEdit1");
  edit->SetValue(7);
  FormOutput out;
  FormTextWriter writer(out);
  WriteComponent(form.get(), writer);
  const std::string text = out.Str();
  EXPECT_EQ(text.find("TSpinButton"), std::string::npos);
  EXPECT_NE(text.find("object SpinEdit1: TSpinEdit"), std::string::npos);
  EXPECT_NE(text.find("Value = 7"), std::string::npos);
  EXPECT_NE(text.find("MaxValue = 0"), std::string::npos);
}

TEST_F(SpinEditTest, AFormValueIsClampedByTheBoundsReadBeforeIt) {
  auto loaded = FormFromText(
      "object Form1: TForm1\n"
      "  Width = 300\n  Height = 200\n"
      "  object Early: TSpinEdit\n"
      "    Left = 8\n    Top = 8\n    Width = 80\n    Height = 24\n"
      "    Value = 50\n    MaxValue = 10\n    MinValue = 0\n"
      "  end\n"
      "  object Late: TSpinEdit\n"
      "    Left = 8\n    Top = 40\n    Width = 80\n    Height = 24\n"
      "    MaxValue = 10\n    MinValue = 1\n    Value = 50\n"
      "  end\n"
      "end\n");
  auto* early = dynamic_cast<TSpinEdit*>(loaded->FindComponent("Early"));
  auto* late = dynamic_cast<TSpinEdit*>(loaded->FindComponent("Late"));
  ASSERT_NE(early, nullptr);
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(early->Text(), "50");
  EXPECT_EQ(late->Text(), "10");
  EXPECT_EQ(late->Button()->BoundsRect().Right, late->Width() - 5);
}

}  // namespace

// A form that stores exactly the size a new edit has sends no size change
// while it is read: loading must still put the button at the right edge.
TEST(SpinEditLoading, AnEditReadAtItsDefaultSizeStillPlacesItsButton) {
  auto form = FormFromText(
      "object Form1: TForm\n  object SpinEdit1: TSpinEdit\n    Left = 8\n    Top = 8\n"
      "    Width = 121\n    Height = 25\n    MaxValue = 0\n    MinValue = 0\n    TabOrder = 0\n"
      "    Value = 0\n  end\nend\n");
  auto* edit = dynamic_cast<TSpinEdit*>(form->FindComponent("SpinEdit1"));
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(edit->Width(), 121);
  EXPECT_EQ(edit->Button()->BoundsRect(),
            spin::EmbeddedButtonBounds(121, edit->Height(), 15, NewStyleControls && edit->Ctl3D()));
}
