// TTimer: a non-visual component that fires OnTimer every Interval
// milliseconds on the UI thread.
//
// A timer runs only while Enabled, Interval > 0 and OnTimer is assigned.
//
// Tests drive timers without waiting on the wall clock: in manual-clock
// mode (TTimer::SetManualClock(true)) no Qt timer runs; AdvanceManualClock
// moves a shared fake clock forward and fires every running timer as many
// times as its interval fits, in the order their ticks fall due.
#pragma once

#include <cstdint>
#include <memory>

#include "components/Component.h"

class QTimer;

class TTimer : public TComponent {
  TESSALY_CLASS(TTimer)

 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  // Assign OnTimer through SetOnTimer (or call UpdateTimer after assigning
  // the field) so the timer starts.
  TMethod OnTimer;
  void SetOnTimer(TMethod handler);
  // Starts or stops the underlying timer to match the properties.
  void UpdateTimer();
  // Whether the timer is running (the three conditions hold).
  bool Active() const { return active_; }

  void Loaded() override;

  // --- test seams
  static void SetManualClock(bool manual);
  static bool ManualClock();
  // Moves the fake clock forward by ms and fires the ticks that fall due.
  static void AdvanceManualClock(int64_t ms);
  static int64_t ManualClockNow();
  // Fires this timer once now, as a tick would (whatever the clock).
  void FireForTest() { Timer(); }

 protected:
  // One tick: calls OnTimer.
  virtual void Timer();

 private:
  void Start();
  void Stop();

  bool enabled_ = true;
  int interval_ = 1000;
  bool active_ = false;
  int64_t nextDue_ = 0;  // manual clock: when the next tick falls due
  std::unique_ptr<QTimer> timer_;
};
