#include "nmea/serial/thread_timer.h"

#include <chrono>
#include <utility>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/queue.h"

namespace nmea {

// One tick on its way through the user-interface thread. It outlives the
// timer when the timer is destroyed first; the user-interface side then
// finds it cancelled and touches nothing else.
struct TThreadTimer::Tick {
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  bool cancelled = false;
};

TThreadTimer::TThreadTimer(std::string Name) : name_(std::move(Name)) {}

TThreadTimer::~TThreadTimer() {
  enabled_ = false;
  OnTimer = nullptr;
  OnTimerElapsed = nullptr;
  std::shared_ptr<Tick> pending;
  {
    std::lock_guard lock(m_);
    stop_ = true;
    pending = pending_;
  }
  cv_.notify_all();
  if (pending) {
    {
      std::lock_guard lock(pending->m);
      pending->cancelled = true;
    }
    pending->cv.notify_all();
  }
  if (worker_.joinable()) worker_.join();
}

void TThreadTimer::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  std::lock_guard lock(m_);
  if (!Value) {
    paused_ = true;
    return;
  }
  if (interval_ == 0 && !AllowZeroInterval) {
    paused_ = true;
    return;
  }
  wake_ = true;
  paused_ = false;
  cv_.notify_all();
  if (!started_) {
    started_ = true;
    worker_ = std::thread(&TThreadTimer::Run, this, Mode);
  }
}

std::uint32_t TThreadTimer::Interval() const {
  std::lock_guard lock(m_);
  return interval_;
}

void TThreadTimer::SetInterval(std::uint32_t Value) {
  {
    std::lock_guard lock(m_);
    if (Value == interval_) return;
  }
  const bool was = enabled_;
  SetEnabled(false);
  {
    std::lock_guard lock(m_);
    interval_ = Value;
  }
  SetEnabled(was);
}

void TThreadTimer::DoTimer() {
  if (!enabled_ || !OnTimer) return;
  // A copy: the handler may destroy the timer, and with it OnTimer.
  const platform::TNotifyEvent handler = OnTimer;
  try {
    handler(this);
  } catch (...) {
    // A failing tick must not stop the timer.
  }
}

void TThreadTimer::DoTimerElapsed() {
  if (!enabled_ || !OnTimerElapsed) return;
  const TTimerElapsedEvent handler = OnTimerElapsed;
  try {
    handler(this, elapsed_);
  } catch (...) {
    // A failing tick must not stop the timer.
  }
}

void TThreadTimer::Run(std::uint8_t mode) {
  std::uint32_t last = 0;
  if (mode == tmElapsed) {
    elapsed_ = 0;
    last = platform::GetTickCount();
  }
  if (mode == tmImmediatePeriodic && !Fire(false)) return;
  for (;;) {
    const Waited waited = Wait();
    if (waited == Waited::Stop) return;
    if (waited == Waited::Woken) continue;
    if (mode == tmElapsed) {
      const std::uint32_t now = platform::GetTickCount();
      elapsed_ += static_cast<std::uint32_t>(now - last);
      last = now;
    }
    if (!Fire(mode == tmElapsed) || mode == tmOneShot) return;
  }
}

TThreadTimer::Waited TThreadTimer::Wait() {
  std::unique_lock lock(m_);
  // Disabled: the worker stays here, as if suspended, until enabled again.
  cv_.wait(lock, [&] { return !paused_ || stop_; });
  if (stop_) return Waited::Stop;
  const auto signalled = [&] { return wake_ || stop_; };
  bool woken;
  if (interval_ == kInfinite) {
    cv_.wait(lock, signalled);
    woken = true;
  } else {
    woken = cv_.wait_for(lock, std::chrono::milliseconds(interval_), signalled);
  }
  if (stop_) return Waited::Stop;
  if (woken) {
    wake_ = false;
    return Waited::Woken;
  }
  // Disabled during the wait: no tick; enabling wakes a fresh wait.
  return paused_ ? Waited::Woken : Waited::Fire;
}

bool TThreadTimer::Fire(bool elapsedMode) {
  auto tick = std::make_shared<Tick>();
  {
    std::lock_guard lock(m_);
    if (stop_) return false;
    pending_ = tick;
  }
  const bool posted = platform::RunOnUiThread([this, tick, elapsedMode] {
    {
      std::lock_guard lock(tick->m);
      if (tick->cancelled) return;
    }
    if (elapsedMode) {
      DoTimerElapsed();
    } else {
      DoTimer();
    }
    {
      std::lock_guard lock(tick->m);
      tick->done = true;
    }
    tick->cv.notify_all();
  });
  bool cancelled = false;
  if (posted) {
    std::unique_lock lock(tick->m);
    tick->cv.wait(lock, [&] { return tick->done || tick->cancelled; });
    cancelled = tick->cancelled;
  }
  std::lock_guard lock(m_);
  pending_.reset();
  return !cancelled && !stop_;
}

}  // namespace nmea
