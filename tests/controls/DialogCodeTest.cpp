// Which keys each stock windowed control keeps for itself (WM_GETDLGCODE),
// and what the form does with the keys a control leaves to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "ControlsTestSupport.h"
#include "controls/DialogCodes.h"
#include "stock/StockControls.h"

namespace {

// The key groups a control may keep: arrows, characters, Tab, Return.
struct Wants {
  bool arrows, chars, tab, ret;
};

Wants WantsOf(uint32_t code) {
  return {(code & DLGC_WANTARROWS) != 0, (code & DLGC_WANTCHARS) != 0, (code & DLGC_WANTTAB) != 0,
          (code & DLGC_WANTALLKEYS) != 0};
}

std::string Describe(const Wants& w) {
  std::string s;
  s += w.arrows ? "arrows " : "";
  s += w.chars ? "chars " : "";
  s += w.tab ? "tab " : "";
  s += w.ret ? "return " : "";
  return s.empty() ? "none" : s;
}

struct StockCase {
  const TClassInfo& (*cls)();
  Wants wants;
};

std::string CaseName(const ::testing::TestParamInfo<StockCase>& info) { return info.param.cls().Name(); }

class StockDialogCodes : public ::testing::TestWithParam<StockCase> {};

TEST_P(StockDialogCodes, TheControlKeepsExactlyItsKeys) {
  const TClassInfo& cls = GetParam().cls();
  ASSERT_NE(cls.componentFactory, nullptr);
  std::unique_ptr<TComponent> component(cls.componentFactory(nullptr));
  auto* control = dynamic_cast<TWinControl*>(component.get());
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(Describe(WantsOf(uint32_t(control->Perform(WM_GETDLGCODE)))), Describe(GetParam().wants));
}

constexpr Wants kAll{true, true, false, true};
constexpr Wants kEdit{true, true, false, false};
constexpr Wants kList{true, true, false, false};
constexpr Wants kArrows{true, false, false, false};
constexpr Wants kNone{false, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfWindowedControl, StockDialogCodes,
    ::testing::Values(
        StockCase{&TMemo::StaticClassInfo, kAll}, StockCase{&TDBMemo::StaticClassInfo, kAll},
        StockCase{&TEdit::StaticClassInfo, kEdit}, StockCase{&TMaskEdit::StaticClassInfo, kEdit},
        StockCase{&TListBox::StaticClassInfo, kList}, StockCase{&TCheckListBox::StaticClassInfo, kList},
        StockCase{&TComboBox::StaticClassInfo, kList}, StockCase{&TTreeView::StaticClassInfo, kList},
        StockCase{&TListView::StaticClassInfo, kList}, StockCase{&TStringGrid::StaticClassInfo, kArrows},
        StockCase{&TDrawGrid::StaticClassInfo, kArrows}, StockCase{&TOutline::StaticClassInfo, kList},
        StockCase{&TScrollBar::StaticClassInfo, kArrows}, StockCase{&TTrackBar::StaticClassInfo, kArrows},
        StockCase{&TButton::StaticClassInfo, kNone}, StockCase{&TBitBtn::StaticClassInfo, kNone},
        StockCase{&TCheckBox::StaticClassInfo, kNone}, StockCase{&TRadioButton::StaticClassInfo, kNone},
        StockCase{&TPanel::StaticClassInfo, kNone}),
    CaseName);

TEST(StockDialogCodesByName, GridsWantTheArrowsAndOutlinesTheirKeysToo) {
  EXPECT_EQ(Describe(WantsOf(DialogCodeOfClassName("TCustomGrid"))), "arrows ");
  EXPECT_EQ(Describe(WantsOf(DialogCodeOfClassName("TCustomOutline"))), "arrows chars ");
  EXPECT_EQ(DialogCodeOfClassName("TPanel"), 0u);
}

TEST(MemoDialogCode, WantTabsAddsTabAndWantReturnsFalseGivesReturnToTheForm) {
  TMemo memo(nullptr);
  const TPropInfo* wantTabs = memo.ClassInfo().FindProperty("WantTabs");
  const TPropInfo* wantReturns = memo.ClassInfo().FindProperty("WantReturns");
  ASSERT_TRUE(wantTabs && wantReturns);
  wantTabs->setOrd(&memo, 1);
  EXPECT_EQ(Describe(WantsOf(uint32_t(memo.Perform(WM_GETDLGCODE)))), "arrows chars tab return ");
  wantTabs->setOrd(&memo, 0);
  wantReturns->setOrd(&memo, 0);
  EXPECT_EQ(Describe(WantsOf(uint32_t(memo.Perform(WM_GETDLGCODE)))), "arrows chars ");
}

// A form with a memo, an edit and a button whose caption names x.
struct KeyForm {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TMemo* memo = new TMemo(form.get());
  TEdit* edit = new TEdit(form.get());
  TButton* button = new TButton(form.get());
  int clicks = 0;
  KeyForm() {
    form->SetClientSize(300, 200);
    for (TWinControl* c : std::initializer_list<TWinControl*>{memo, edit, button}) c->SetParent(form.get());
    memo->SetBounds(0, 0, 200, 100);
    edit->SetBounds(0, 110, 100, 21);
    button->SetBounds(0, 140, 75, 25);
    button->SetCaption("E&xit");
    button->OnClick.code = [this](TPersistent*) { ++clicks; };
    form->Show();
  }
  ~KeyForm() { form->Hide(); }
  static void Key(TWinControl* c, int key, const QString& text = {}, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(c->Handle(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(c->Handle(), &release);
  }
};

TEST(DialogKeys, PlainLettersGoIntoMemosAndEditsAndOnlyAltFiresTheAccelerator) {
  KeyForm f;
  f.memo->SetFocus();
  KeyForm::Key(f.memo, Qt::Key_X, "x");
  KeyForm::Key(f.memo, Qt::Key_Return, "\r");
  KeyForm::Key(f.memo, Qt::Key_Left);  // the caret moves, the focus stays
  EXPECT_TRUE(f.memo->Focused());
  f.edit->SetFocus();
  KeyForm::Key(f.edit, Qt::Key_X, "x");
  KeyForm::Key(f.edit, Qt::Key_Left);
  EXPECT_TRUE(f.edit->Focused());
  EXPECT_EQ(f.clicks, 0);
  EXPECT_EQ(f.memo->Lines()->Text(), "x\r\n\r\n");
  EXPECT_EQ(f.edit->Text(), "x");
  KeyForm::Key(f.edit, Qt::Key_X, "x", Qt::AltModifier);
  EXPECT_EQ(f.clicks, 1);
}

TEST(DialogKeys, TabLeavesAMemoUnlessItWantsTabs) {
  KeyForm f;
  f.memo->SetFocus();
  KeyForm::Key(f.memo, Qt::Key_Tab, "\t");
  EXPECT_TRUE(f.edit->Focused());
  f.memo->ClassInfo().FindProperty("WantTabs")->setOrd(f.memo, 1);
  f.memo->SetFocus();
  KeyForm::Key(f.memo, Qt::Key_Tab, "\t");
  EXPECT_TRUE(f.memo->Focused());
  EXPECT_EQ(f.memo->Lines()->Text(), "\t\r\n");
}

}  // namespace
