#include "Timers.h"

#include <algorithm>
#include <vector>

#include <QTimer>

#include "controls/Forms.h"

namespace {
bool g_manual = false;
int64_t g_now = 0;
std::vector<TTimer*>& LiveTimers() {
  static std::vector<TTimer*> timers;
  return timers;
}
}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTimer>("TTimer", &TComponent::StaticClassInfo())
          .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
          .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
          .Event("OnTimer", &TTimer::OnTimer)
          .Build();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { LiveTimers().push_back(this); }

TTimer::~TTimer() {
  auto& l = LiveTimers();
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  Stop();
}

void TTimer::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(int ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  // A new interval restarts the count, as re-creating the system timer does.
  Stop();
  UpdateTimer();
}

void TTimer::SetOnTimer(TMethod handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  const bool want = enabled_ && interval_ > 0 && static_cast<bool>(OnTimer) && !HasState(csLoading);
  if (want && !active_)
    Start();
  else if (!want && active_)
    Stop();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Start() {
  active_ = true;
  nextDue_ = g_now + interval_;
  if (g_manual) return;
  if (!timer_) {
    timer_ = std::make_unique<QTimer>();
    // Coarse timers may fire up to 5% early; ticks never come before their time.
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
      // A tick's exception goes to the application's handler, never through
      // Qt's event loop.
      try {
        Timer();
      } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
      }
    });
  }
  timer_->start(interval_);
}

void TTimer::Stop() {
  active_ = false;
  if (timer_) timer_->stop();
}

void TTimer::Timer() {
  if (OnTimer) OnTimer.code(this);
}

void TTimer::SetManualClock(bool manual) {
  if (g_manual == manual) return;
  g_manual = manual;
  for (TTimer* t : LiveTimers()) {
    if (!t->active_) continue;
    t->Stop();
    t->Start();
  }
}

bool TTimer::ManualClock() { return g_manual; }
int64_t TTimer::ManualClockNow() { return g_now; }

void TTimer::AdvanceManualClock(int64_t ms) {
  const int64_t end = g_now + std::max<int64_t>(0, ms);
  for (;;) {
    // The running timer whose tick falls due first (creation order on ties).
    TTimer* next = nullptr;
    for (TTimer* t : LiveTimers())
      if (t->active_ && t->nextDue_ <= end && (!next || t->nextDue_ < next->nextDue_)) next = t;
    if (!next) break;
    g_now = next->nextDue_;
    next->nextDue_ += next->interval_;
    next->Timer();  // may stop, restart or destroy timers
  }
  g_now = end;
}
