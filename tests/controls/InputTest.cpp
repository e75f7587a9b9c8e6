// Focus, keyboard and mouse input through real Qt events.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ControlsTestSupport.h"

namespace {

struct Fixture {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  std::vector<std::string> log;
  Fixture() { form->SetClientSize(300, 200); }
  ~Fixture() { form->Hide(); }
  TTestPanel* Panel(const std::string& name, TWinControl* parent, int l, int t, bool tabStop = true) {
    auto* p = new TTestPanel(form.get());
    p->SetName(name);
    p->SetBounds(l, t, 40, 40);
    p->SetParent(parent);
    p->SetTabStop(tabStop);
    p->log = &log;
    return p;
  }
};

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QCoreApplication::sendEvent(w, &release);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

TEST(Focus, ExitOfTheOldControlComesBeforeEnterOfTheNew) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  TTestPanel* b = f.Panel("B", f.form.get(), 50, 0);
  f.form->Show();
  a->SetFocus();
  f.log.clear();
  b->SetFocus();
  EXPECT_EQ(f.log, (std::vector<std::string>{"A:WM_KILLFOCUS", "B:WM_SETFOCUS", "A:CM_EXIT", "B:CM_ENTER"}));
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
  EXPECT_EQ(FindFocusedControl(), b);
  EXPECT_EQ(f.form->ActiveControl(), b);
}

TEST(Focus, ContainersAreExitedAndEnteredAroundTheirChildren) {
  Fixture f;
  TTestPanel* p1 = f.Panel("P1", f.form.get(), 0, 0, false);
  TTestPanel* p2 = f.Panel("P2", f.form.get(), 100, 0, false);
  TTestPanel* a = f.Panel("A", p1, 0, 0);
  TTestPanel* b = f.Panel("B", p2, 0, 0);
  f.form->Show();
  a->SetFocus();
  f.log.clear();
  b->SetFocus();
  EXPECT_EQ(f.log, (std::vector<std::string>{
                       "A:WM_KILLFOCUS", "B:WM_SETFOCUS", "A:CM_EXIT", "P1:CM_EXIT", "P2:CM_ENTER", "B:CM_ENTER"}));
}

TEST(Focus, OnEnterAndOnExitFireAndDisabledControlsCannotBeFocused) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  TTestPanel* b = f.Panel("B", f.form.get(), 50, 0);
  std::string events;
  a->OnExit.code = [&](TPersistent*) { events += "exitA "; };
  b->OnEnter.code = [&](TPersistent*) { events += "enterB "; };
  f.form->Show();
  a->SetFocus();
  b->SetFocus();
  EXPECT_EQ(events, "exitA enterB ");
  a->SetEnabled(false);
  EXPECT_FALSE(a->CanFocus());
  EXPECT_THROW(a->SetFocus(), EInvalidOperation);
}

TEST(Focus, ShowingAFormFocusesItsFirstTabStop) {
  Fixture f;
  f.Panel("A", f.form.get(), 0, 0, false);
  TTestPanel* b = f.Panel("B", f.form.get(), 50, 0);
  TTestPanel* c = f.Panel("C", f.form.get(), 100, 0);
  c->SetTabOrder(0);
  f.form->Show();
  EXPECT_TRUE(c->Focused());
  (void)b;
}

TEST(KeyboardNavigation, TabAndShiftTabFollowTabOrderAmongTabStops) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  TTestPanel* b = f.Panel("B", f.form.get(), 50, 0);
  TTestPanel* skipped = f.Panel("S", f.form.get(), 100, 0, false);
  TTestPanel* c = f.Panel("C", f.form.get(), 150, 0);
  c->SetTabOrder(0);  // C, A, B, S
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  f.form->Show();
  c->SetFocus();
  SendKey(c->Handle(), Qt::Key_Tab);
  EXPECT_TRUE(a->Focused());
  SendKey(a->Handle(), Qt::Key_Tab);
  EXPECT_TRUE(b->Focused());
  SendKey(b->Handle(), Qt::Key_Tab);  // S has no tab stop: wraps to C
  EXPECT_TRUE(c->Focused());
  SendKey(c->Handle(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(b->Focused());
  // Tab never reaches the control's own key handler.
  EXPECT_TRUE(a->keysDown.empty());
  (void)skipped;
}

TEST(KeyboardNavigation, ArrowsMoveFocusUnlessTheControlAsksForThem) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  TTestPanel* b = f.Panel("B", f.form.get(), 50, 0);
  f.form->Show();
  a->SetFocus();
  SendKey(a->Handle(), Qt::Key_Right);
  EXPECT_TRUE(b->Focused());
  EXPECT_GT(a->dlgCodeQueries, 0);
  EXPECT_TRUE(a->keysDown.empty());

  b->dlgCode = DLGC_WANTARROWS;
  SendKey(b->Handle(), Qt::Key_Up);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(b->keysDown, std::vector<Word>{VK_UP});
  EXPECT_EQ(b->keysUp, std::vector<Word>{VK_UP});
}

TEST(KeyCodes, QtKeysArriveAsVirtualKeysThenTheCharacter) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  a->dlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  f.form->Show();
  a->SetFocus();
  QWidget* w = a->Handle();
  SendKey(w, Qt::Key_A, Qt::NoModifier, "a");
  SendKey(w, Qt::Key_5, Qt::NoModifier, "5");
  SendKey(w, Qt::Key_Down);
  SendKey(w, Qt::Key_PageUp);
  SendKey(w, Qt::Key_Home);
  SendKey(w, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
  SendKey(w, Qt::Key_F1);
  SendKey(w, Qt::Key_Return, Qt::NoModifier, "\r");
  SendKey(w, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  SendKey(w, Qt::Key_Backspace, Qt::NoModifier, "\b");
  SendKey(w, Qt::Key_7, Qt::KeypadModifier, "7");
  EXPECT_EQ(
      a->keysDown,
      (std::vector<Word>{
          'A', '5', VK_DOWN, VK_PRIOR, VK_HOME, VK_DELETE, VK_F1, VK_RETURN, VK_ESCAPE, VK_BACK, VK_NUMPAD0 + 7}));
  EXPECT_EQ(a->keysUp, a->keysDown);
  EXPECT_EQ(a->chars, std::string("a5\r\x1b\b7"));
}

TEST(KeyCodes, AHandlerThatZeroesTheKeyStopsTheCharacter) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  a->dlgCode = DLGC_WANTCHARS;
  f.form->Show();
  a->SetFocus();
  a->OnKeyDownProc = [](TPersistent*, Word& key, TShiftState) {
    if (key == 'X') key = 0;
  };
  SendKey(a->Handle(), Qt::Key_X, Qt::NoModifier, "x");
  SendKey(a->Handle(), Qt::Key_Y, Qt::NoModifier, "y");
  EXPECT_EQ(a->chars, "y");
}

TEST(KeyCodes, KeyPreviewLetsTheFormSeeKeysFirst) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  f.form->SetKeyPreview(true);
  std::vector<Word> formKeys;
  TShiftState seenShift = 0;
  f.form->OnKeyDownProc = [&](TPersistent*, Word& key, TShiftState shift) {
    formKeys.push_back(key);
    seenShift = shift;
    if (key == VK_F2) key = 0;
  };
  f.form->Show();
  a->SetFocus();
  SendKey(a->Handle(), Qt::Key_F2, Qt::ShiftModifier);
  SendKey(a->Handle(), Qt::Key_F3);
  EXPECT_EQ(formKeys, (std::vector<Word>{VK_F2, VK_F3}));
  EXPECT_EQ(a->keysDown, std::vector<Word>{VK_F3});
  EXPECT_EQ(seenShift, 0);
}

TEST(Mouse, APressCapturesTheMouseUntilTheReleaseWhichClicks) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  f.form->Show();
  QWidget* w = a->Handle();
  SendMouse(w, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, {8, 8}, Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(a->MouseCapture());
  EXPECT_EQ(GetCaptureControl(), a);
  SendMouse(w, QEvent::MouseButtonRelease, {8, 8}, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(a->MouseCapture());
  EXPECT_EQ(a->captureAtMove, (std::vector<bool>{false, true}));
  EXPECT_EQ(a->clicks, 1);

  // Released outside the control: no click.
  SendMouse(w, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, {90, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(a->clicks, 1);
}

TEST(Mouse, MouseEventsCarryButtonShiftAndPosition) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  f.form->Show();
  TMouseButton seenButton = mbLeft;
  TShiftState seenShift = 0;
  int sx = -1, sy = -1;
  a->OnMouseDownProc = [&](TPersistent*, TMouseButton b, TShiftState s, int x, int y) {
    seenButton = b;
    seenShift = s;
    sx = x;
    sy = y;
  };
  QMouseEvent e(
      QEvent::MouseButtonPress, QPointF(7, 9), QPointF(7, 9), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
  QCoreApplication::sendEvent(a->Handle(), &e);
  EXPECT_EQ(seenButton, mbRight);
  EXPECT_EQ(seenShift, ShiftOf(ssCtrl) | ShiftOf(ssRight));
  EXPECT_EQ(sx, 7);
  EXPECT_EQ(sy, 9);
}

TEST(Mouse, GraphicControlsGetTheMouseInTheirOwnCoordinates) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  auto* shape = new TTestShape(f.form.get());
  shape->SetBounds(10, 10, 20, 20);
  shape->SetParent(a);
  f.form->Show();
  QWidget* w = a->Handle();
  SendMouse(w, QEvent::MouseButtonPress, {15, 17}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(shape->MouseCapture());
  // Moving off the shape while pressed still goes to it.
  SendMouse(w, QEvent::MouseMove, {35, 35}, Qt::NoButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, {16, 16}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(shape->clicks, 1);
  EXPECT_EQ(a->clicks, 0);
  ASSERT_EQ(shape->downs.size(), 1u);
  EXPECT_EQ(shape->downs[0], std::make_pair(5, 7));
  // Outside the shape the panel gets it.
  SendMouse(w, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, {2, 2}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(a->clicks, 1);
}

TEST(Accelerators, AmpersandMarksTheAcceleratorCharacter) {
  EXPECT_TRUE(IsAccel('O', "&Ok"));
  EXPECT_TRUE(IsAccel('K', "O&k"));
  EXPECT_FALSE(IsAccel('O', "&&Ok"));
  EXPECT_FALSE(IsAccel('X', "&Ok"));
  EXPECT_EQ(StripAccelText("Save && &Exit", TFont()), QString("Save & Exit"));
}

// A control that clicks when its accelerator arrives.
class TAccelPanel : public TTestPanel {
 public:
  using TTestPanel::TTestPanel;

 protected:
  void CMDialogChar(TCMDialogChar& msg) override {
    if (IsAccel(msg.CharCode, Caption())) {
      Click();
      msg.Result = 1;
      return;
    }
    TTestPanel::CMDialogChar(msg);
  }
};

TEST(Accelerators, AltLetterReachesTheControlWhoseCaptionNamesIt) {
  Fixture f;
  TTestPanel* a = f.Panel("A", f.form.get(), 0, 0);
  auto* button = new TAccelPanel(f.form.get());
  button->SetParent(f.form.get());
  button->SetCaption("&Go");
  f.form->Show();
  a->SetFocus();
  SendKey(a->Handle(), Qt::Key_G, Qt::AltModifier, "g");
  EXPECT_EQ(button->clicks, 1);
  // A plain letter too, when the focused control does not want characters.
  SendKey(a->Handle(), Qt::Key_G, Qt::NoModifier, "g");
  EXPECT_EQ(button->clicks, 2);
  a->dlgCode = DLGC_WANTCHARS;
  SendKey(a->Handle(), Qt::Key_G, Qt::NoModifier, "g");
  EXPECT_EQ(button->clicks, 2);
  EXPECT_EQ(a->chars, "g");
}

TEST(MessageBeep, CountsEveryBeepAndCallsTheHook) {
  std::vector<uint32_t> beeps;
  SetMessageBeepHook([&](uint32_t type) { beeps.push_back(type); });
  const int before = MessageBeepCount();
  MessageBeep();
  MessageBeep(MB_ICONEXCLAMATION);
  SetMessageBeepHook(nullptr);
  EXPECT_EQ(MessageBeepCount() - before, 2);
  EXPECT_EQ(beeps, (std::vector<uint32_t>{MB_OK, MB_ICONEXCLAMATION}));
}

}  // namespace
