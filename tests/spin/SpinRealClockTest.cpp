// The spin button's auto-repeat against the real clock. The bounds are
// generous on the late side (a busy machine may wake a timer late) and
// exact on the early side: a repeat must never come before its time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "SpinTestSupport.h"

namespace {

class SpinRealClock : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(TTimer::ManualClock());
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    spin = new TSpinButton(form.get());
    spin->SetParent(form.get());
    spin->OnUpClick.code = [this](TPersistent*) { clicks.push_back(clock.elapsed()); };
    form->Show();
  }

  // Runs the event loop for about ms milliseconds.
  static void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
  }

  std::unique_ptr<TForm> form;
  TSpinButton* spin = nullptr;
  QElapsedTimer clock;
  std::vector<qint64> clicks;  // when each click came, in ms after the press
};

TEST_F(SpinRealClock, APressReleasedAtThreeHundredMillisecondsGivesOneClick) {
  TTimerSpeedButton* up = spin->UpperButton();
  clock.start();
  Press(up, mbLeft);
  Wait(300);
  const qint64 releasedAt = clock.elapsed();
  Release(up, mbLeft);
  Wait(500);
  if (releasedAt >= FirstRepeatDelay) GTEST_SKIP() << "the machine woke the test too late: " << releasedAt << " ms";
  EXPECT_EQ(clicks.size(), 1u);  // the release's ordinary click alone
}

TEST_F(SpinRealClock, AHeldPressRepeatsNoEarlierThanFourHundredMilliseconds) {
  TTimerSpeedButton* up = spin->UpperButton();
  clock.start();
  Press(up, mbLeft);
  Wait(1000);
  Release(up, mbLeft);
  // Repeats at 400, 500 ... 1000 ms at the most, and the release's click.
  ASSERT_GE(clicks.size(), 2u);
  EXPECT_LE(clicks.size(), 8u);
  EXPECT_GE(clicks.front(), FirstRepeatDelay);
  EXPECT_LT(clicks.front(), 5000);
}

}  // namespace
