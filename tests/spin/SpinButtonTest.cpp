// TSpinButton and its TTimerSpeedButton halves: construction, layout, the
// key button and focus mark, the keyboard, the focus hand-off, auto-repeat
// and the removal of the focus control.
#include <stdexcept>

#include "Spin/SpinRules.h"
#include "SpinTestSupport.h"

namespace {

class SpinButtonTest : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    spin = new TSpinButton(form.get());
    spin->SetParent(form.get());
    spin->SetBounds(10, 10, 20, 25);
    spin->OnUpClick.code = [this](TPersistent* sender) {
      ++ups;
      lastSender = sender;
    };
    spin->OnDownClick.code = [this](TPersistent* sender) {
      ++downs;
      lastSender = sender;
    };
  }

  // A focusable control that can take the focus from the spin button.
  TSpinEdit* Sibling() {
    auto* other = new TSpinEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(100, 10, 80, 25);
    return other;
  }

  bool Marked(TTimerSpeedButton* b) const { return b->HasRepeatFlag(rfFocusMark); }

  TSpinButton* spin = nullptr;
  int ups = 0, downs = 0;
  TPersistent* lastSender = nullptr;
};

// --- construction and layout

TEST_F(SpinButtonTest, ANewSpinButtonIsTwentyByTwentyFiveWithTheUpperButtonAsKey) {
  TSpinButton fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 20);
  EXPECT_EQ(fresh.Height(), 25);
  EXPECT_EQ(fresh.UpperButton()->BoundsRect(), Bounds(0, 0, 20, 12));
  EXPECT_EQ(fresh.LowerButton()->BoundsRect(), Bounds(0, 11, 20, 14));
  EXPECT_EQ(fresh.KeyButton(), fresh.UpperButton());
  EXPECT_FALSE(fresh.TabStop());
  EXPECT_EQ(fresh.FocusControl(), nullptr);
  for (TTimerSpeedButton* b : {fresh.UpperButton(), fresh.LowerButton()}) {
    EXPECT_EQ(b->Parent(), &fresh);
    EXPECT_EQ(b->Owner(), &fresh);
    EXPECT_EQ(b->RepeatFlags(), RepeatFlag(rfAutoRepeat));
    EXPECT_EQ(b->AutoRepeatTimer(), nullptr);
  }
}

TEST_F(SpinButtonTest, ControlStyleIsFramedAndOpaqueWithoutChildrenOrCaption) {
  EXPECT_TRUE(spin->HasStyle(csFramed));
  EXPECT_TRUE(spin->HasStyle(csOpaque));
  EXPECT_FALSE(spin->HasStyle(csAcceptsControls));
  EXPECT_FALSE(spin->HasStyle(csSetCaption));
}

struct HeightCase {
  int height;
  int upperTop, upperHeight, lowerTop, lowerHeight;
};

class SpinButtonHeights : public SpinButtonTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(SpinButtonHeights, SplitsTheHeightWithAOnePixelOverlap) {
  const HeightCase& c = GetParam();
  spin->SetHeight(c.height);
  EXPECT_EQ(spin->Height(), c.height);
  EXPECT_EQ(spin->UpperButton()->Top(), c.upperTop);
  EXPECT_EQ(spin->UpperButton()->Height(), c.upperHeight);
  EXPECT_EQ(spin->LowerButton()->Top(), c.lowerTop);
  EXPECT_EQ(spin->LowerButton()->Height(), c.lowerHeight);
  EXPECT_EQ(spin->UpperButton()->Width(), spin->Width());
  EXPECT_EQ(spin->LowerButton()->Width(), spin->Width());
}

INSTANTIATE_TEST_SUITE_P(
    Heights, SpinButtonHeights,
    ::testing::Values(HeightCase{25, 0, 12, 11, 14}, HeightCase{17, 0, 8, 7, 10}, HeightCase{1, 0, 0, -1, 2},
                      HeightCase{0, 0, 0, -1, 1}));

TEST_F(SpinButtonTest, ANarrowWidthBecomesFifteenAndTheHeightStays) {
  spin->SetWidth(10);
  EXPECT_EQ(spin->Width(), 15);
  EXPECT_EQ(spin->Height(), 25);
  EXPECT_EQ(spin->UpperButton()->Width(), 15);
  EXPECT_EQ(spin->LowerButton()->Width(), 15);
  spin->SetBounds(1, 2, 3, 4);
  EXPECT_EQ(spin->BoundsRect(), Bounds(1, 2, 15, 4));
}

TEST_F(SpinButtonTest, NothingIsLaidOutWhileLoadingAndLoadedCatchesUp) {
  spin->IncludeState(csLoading);
  spin->SetBounds(10, 10, 10, 17);
  EXPECT_EQ(spin->Width(), 10);
  EXPECT_EQ(spin->UpperButton()->Height(), 12);  // still the old layout
  spin->Loaded();
  EXPECT_EQ(spin->Width(), 15);
  EXPECT_EQ(spin->UpperButton()->BoundsRect(), Bounds(0, 0, 15, 8));
  EXPECT_EQ(spin->LowerButton()->BoundsRect(), Bounds(0, 7, 15, 10));
}

TEST_F(SpinButtonTest, AFormThatLoadsANarrowSpinButtonWidensItAfterLoading) {
  auto loaded = FormFromText(
      "object Form1: TForm1\n"
      "  Left = 0\n  Top = 0\n  Width = 200\n  Height = 100\n"
      "  object SpinButton1: TSpinButton\n"
      "    Left = 8\n    Top = 8\n    Width = 10\n    Height = 17\n"
      "    DownNumGlyphs = 2\n"
      "  end\n"
      "end\n");
  auto* s = dynamic_cast<TSpinButton*>(loaded->FindComponent("SpinButton1"));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->BoundsRect(), Bounds(8, 8, 15, 17));
  EXPECT_EQ(s->UpperButton()->BoundsRect(), Bounds(0, 0, 15, 8));
  EXPECT_EQ(s->LowerButton()->BoundsRect(), Bounds(0, 7, 15, 10));
  EXPECT_EQ(s->DownNumGlyphs(), 2);
}

// --- clicks and keyboard

TEST_F(SpinButtonTest, ClicksReachTheEventsWithTheSpinButtonAsSender) {
  spin->UpperButton()->Click();
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(lastSender, spin);
  spin->LowerButton()->Click();
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(lastSender, spin);
}

TEST_F(SpinButtonTest, UnassignedEventsMakeClicksDoNothing) {
  spin->OnUpClick = TMethod{};
  spin->OnDownClick = TMethod{};
  EXPECT_NO_THROW(spin->UpperButton()->Click());
  EXPECT_NO_THROW(KeyDownTo(spin, VK_DOWN));
}

TEST_F(SpinButtonTest, AskingForDialogCodesGetsArrowKeysOnly) {
  EXPECT_EQ(spin->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
}

TEST_F(SpinButtonTest, KeysClickButtonsButNeverFireOnKeyDown) {
  int keyDowns = 0;
  spin->OnKeyDownProc = [&](TPersistent*, Word&, TShiftState) { ++keyDowns; };
  KeyDownTo(spin, VK_UP);
  KeyDownTo(spin, VK_DOWN);
  KeyDownTo(spin, VK_DOWN);
  KeyDownTo(spin, VK_LEFT);
  KeyDownTo(spin, 'A');
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(keyDowns, 0);
}

TEST_F(SpinButtonTest, SpaceClicksTheKeyButton) {
  spin->SetTabStop(true);
  spin->SetFocus();
  KeyDownTo(spin, VK_SPACE);
  EXPECT_EQ(ups, 1);
  KeyDownTo(spin, VK_DOWN);
  KeyDownTo(spin, VK_SPACE);
  EXPECT_EQ(downs, 2);
}

// --- key button and focus mark

TEST_F(SpinButtonTest, WithoutTabStopTheKeyButtonNeverMoves) {
  spin->SetFocus();  // focus by other means
  EXPECT_TRUE(Marked(spin->UpperButton()));
  KeyDownTo(spin, VK_DOWN);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(spin->KeyButton(), spin->UpperButton());
  EXPECT_TRUE(Marked(spin->UpperButton()));
  EXPECT_FALSE(Marked(spin->LowerButton()));
  Press(spin->LowerButton(), mbLeft);
  Release(spin->LowerButton(), mbLeft);
  EXPECT_EQ(spin->KeyButton(), spin->UpperButton());
}

TEST_F(SpinButtonTest, TheMarkFollowsTheFocusAndTheKeyButton) {
  spin->SetTabStop(true);
  EXPECT_FALSE(Marked(spin->UpperButton()));
  spin->SetFocus();
  EXPECT_TRUE(Marked(spin->UpperButton()));
  KeyDownTo(spin, VK_DOWN);
  EXPECT_EQ(spin->KeyButton(), spin->LowerButton());
  EXPECT_FALSE(Marked(spin->UpperButton()));
  EXPECT_TRUE(Marked(spin->LowerButton()));
  Sibling()->SetFocus();
  EXPECT_FALSE(Marked(spin->LowerButton()));
  EXPECT_FALSE(Marked(spin->UpperButton()));
  spin->SetFocus();
  EXPECT_TRUE(Marked(spin->LowerButton()));
}

TEST_F(SpinButtonTest, AKeyButtonChosenWithoutFocusCarriesNoMark) {
  spin->SetTabStop(true);
  KeyDownTo(spin, VK_DOWN);
  EXPECT_EQ(spin->KeyButton(), spin->LowerButton());
  EXPECT_FALSE(Marked(spin->LowerButton()));
}

TEST_F(SpinButtonTest, TheMarkIsADottedFrameInsetByThree) {
  spin->SetTabStop(true);
  QImage plain, marked;
  spin->PaintTo(plain);
  spin->SetFocus();
  spin->PaintTo(marked);
  const TRect mark = ::spin::FocusMarkRect(20, 12, false);  // on the upper button
  int changed = 0;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) == marked.pixel(x, y)) continue;
      ++changed;
      const bool onEdge = x == mark.Left || x == mark.Right - 1 || y == mark.Top || y == mark.Bottom - 1;
      EXPECT_TRUE(mark.Contains({x, y}) && onEdge) << "pixel " << x << "," << y;
    }
  EXPECT_GT(changed, 0);
}

// --- mouse and the focus hand-off

TEST_F(SpinButtonTest, ALeftPressHandsTheFocusToTheFocusControl) {
  TSpinEdit* target = Sibling();
  spin->SetTabStop(true);
  spin->SetFocusControl(target);
  Press(spin->LowerButton(), mbLeft);
  EXPECT_EQ(FindFocusedControl(), target);
  EXPECT_EQ(spin->KeyButton(), spin->LowerButton());
  Release(spin->LowerButton(), mbLeft);
  EXPECT_EQ(downs, 1);
}

TEST_F(SpinButtonTest, WhenTheFocusControlHasTheFocusATabStopSpinButtonTakesIt) {
  TSpinEdit* target = Sibling();
  spin->SetTabStop(true);
  spin->SetFocusControl(target);
  target->SetFocus();
  Press(spin->UpperButton(), mbLeft);
  EXPECT_EQ(FindFocusedControl(), spin);
  Release(spin->UpperButton(), mbLeft);
}

TEST_F(SpinButtonTest, AFocusControlThatIsNoTabStopIsPassedOver) {
  TSpinEdit* target = Sibling();
  target->SetTabStop(false);
  spin->SetTabStop(true);
  spin->SetFocusControl(target);
  Press(spin->UpperButton(), mbLeft);
  EXPECT_EQ(FindFocusedControl(), spin);
  Release(spin->UpperButton(), mbLeft);
}

TEST_F(SpinButtonTest, ARightPressChangesNeitherKeyButtonNorFocus) {
  TSpinEdit* target = Sibling();
  spin->SetTabStop(true);
  spin->SetFocusControl(target);
  TWinControl* focusedBefore = FindFocusedControl();
  Press(spin->LowerButton(), mbRight);
  EXPECT_EQ(spin->KeyButton(), spin->UpperButton());
  EXPECT_EQ(FindFocusedControl(), focusedBefore);
  Release(spin->LowerButton(), mbRight);
  EXPECT_EQ(downs, 0);
}

// --- auto-repeat

TEST_F(SpinButtonTest, HoldingRepeatsAfterFourHundredThenEveryHundredMilliseconds) {
  TTimerSpeedButton* up = spin->UpperButton();
  Press(up, mbLeft);
  ASSERT_NE(up->AutoRepeatTimer(), nullptr);
  EXPECT_EQ(up->AutoRepeatTimer()->Interval(), FirstRepeatDelay);
  EXPECT_TRUE(up->AutoRepeatTimer()->Enabled());
  Advance(399);
  EXPECT_EQ(ups, 0);
  Advance(1);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(up->AutoRepeatTimer()->Interval(), RepeatInterval);
  Advance(300);
  EXPECT_EQ(ups, 4);
  Release(up, mbLeft);  // over the button: the ordinary click
  EXPECT_EQ(ups, 5);
  EXPECT_FALSE(up->AutoRepeatTimer()->Enabled());
  Advance(1000);
  EXPECT_EQ(ups, 5);
}

TEST_F(SpinButtonTest, AQuickPressGivesTheOrdinaryClickAlone) {
  Press(spin->LowerButton(), mbLeft);
  Advance(399);
  Release(spin->LowerButton(), mbLeft);
  Advance(1000);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 0);
}

TEST_F(SpinButtonTest, TicksClickOnlyWhileThePointerIsOverTheHeldButton) {
  TTimerSpeedButton* up = spin->UpperButton();
  Press(up, mbLeft);
  Advance(400);
  EXPECT_EQ(ups, 1);
  MoveMouse(up, 50, 50);  // off the button, still held and captured
  EXPECT_EQ(up->State(), bsUp);
  Advance(300);
  EXPECT_EQ(ups, 1);
  MoveMouse(up, 3, 3);
  EXPECT_EQ(up->State(), bsDown);
  Advance(200);
  EXPECT_EQ(ups, 3);
  Release(up, mbLeft, 50, 50);  // released elsewhere: no ordinary click
  EXPECT_EQ(ups, 3);
}

TEST_F(SpinButtonTest, ARightPressArmsTheTimerButTicksNeverClick) {
  TTimerSpeedButton* down = spin->LowerButton();
  Press(down, mbRight);
  ASSERT_NE(down->AutoRepeatTimer(), nullptr);
  EXPECT_TRUE(down->AutoRepeatTimer()->Active());
  EXPECT_EQ(down->State(), bsUp);
  Advance(1000);
  EXPECT_EQ(downs, 0);
  EXPECT_TRUE(down->AutoRepeatTimer()->Active());  // ticking, not clicking
  Release(down, mbRight);
  EXPECT_FALSE(down->AutoRepeatTimer()->Active());
  EXPECT_EQ(downs, 0);
}

TEST_F(SpinButtonTest, EachButtonOwnsItsOwnTimer) {
  Press(spin->UpperButton(), mbLeft);
  Release(spin->UpperButton(), mbLeft);
  Press(spin->LowerButton(), mbLeft);
  Release(spin->LowerButton(), mbLeft);
  ASSERT_NE(spin->UpperButton()->AutoRepeatTimer(), nullptr);
  EXPECT_NE(spin->UpperButton()->AutoRepeatTimer(), spin->LowerButton()->AutoRepeatTimer());
  EXPECT_EQ(spin->UpperButton()->AutoRepeatTimer()->Owner(), spin->UpperButton());
}

TEST_F(SpinButtonTest, ARepeatedClickThatRaisesStopsTheTimerAndPropagates) {
  spin->OnUpClick.code = [](TPersistent*) { throw EInvalidOperation("refused"); };
  TTimerSpeedButton* up = spin->UpperButton();
  Press(up, mbLeft);
  EXPECT_THROW(Advance(400), EInvalidOperation);
  EXPECT_FALSE(up->AutoRepeatTimer()->Enabled());
  Advance(1000);  // nothing more
  spin->OnUpClick = TMethod{};
  Release(up, mbLeft);
}

TEST_F(SpinButtonTest, AReleaseClickThatRaisesStillStopsTheTimer) {
  spin->OnDownClick.code = [](TPersistent*) { throw EInvalidOperation("refused"); };
  TTimerSpeedButton* down = spin->LowerButton();
  Press(down, mbLeft);
  EXPECT_THROW(Release(down, mbLeft), EInvalidOperation);
  EXPECT_FALSE(down->AutoRepeatTimer()->Active());
}

TEST_F(SpinButtonTest, WithoutTheAutoRepeatFlagNoTimerIsMade) {
  TTimerSpeedButton* up = spin->UpperButton();
  up->SetRepeatFlags(0);
  Press(up, mbLeft);
  Advance(1000);
  Release(up, mbLeft);
  EXPECT_EQ(up->AutoRepeatTimer(), nullptr);
  EXPECT_EQ(ups, 1);
}

// --- focus control removal

TEST_F(SpinButtonTest, DestroyingTheFocusControlOfTheSameOwnerClearsIt) {
  TSpinEdit* target = Sibling();
  spin->SetFocusControl(target);
  delete target;
  EXPECT_EQ(spin->FocusControl(), nullptr);
}

}  // namespace
