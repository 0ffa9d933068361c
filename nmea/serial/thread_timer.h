#pragma once
// A timer whose waiting is done by a worker thread and whose handlers run
// on the user-interface thread. The worker waits for the interval, hands
// the tick to the user-interface thread and waits until the handler has
// returned, so ticks never overlap and a slow handler delays the next one.
//
// Create, configure, enable and destroy it on the user-interface thread.
// Destroying it while a tick waits for that thread neither deadlocks nor
// runs the handler afterwards.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/core/classes/object.h"

namespace nmea {

enum TTimerMode : std::uint8_t {
  tmOneShot = 0,
  tmPeriodic = 1,
  tmImmediatePeriodic = 2,
  tmElapsed = 3,
};

using TTimerElapsedEvent = std::function<void(platform::TObject* Sender, std::int64_t Elapsed)>;

class TThreadTimer : public platform::TObject {
 public:
  // The system's infinite time-out: a timer with this interval never fires.
  static constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

  explicit TThreadTimer(std::string Name);
  ~TThreadTimer() override;
  TThreadTimer(const TThreadTimer&) = delete;
  TThreadTimer& operator=(const TThreadTimer&) = delete;

  // Fired in modes tmOneShot to tmImmediatePeriodic.
  platform::TNotifyEvent OnTimer;
  // Fired in mode tmElapsed with the milliseconds counted since it started.
  TTimerElapsedEvent OnTimerElapsed;
  bool AllowZeroInterval = false;
  // Read by the worker when it first starts: set it before enabling.
  std::uint8_t Mode = tmPeriodic;

  bool Enabled() const { return enabled_; }
  // Enabling restarts the wait with the full interval; an interval of 0
  // without AllowZeroInterval leaves the timer enabled but idle.
  void SetEnabled(bool Value);
  std::uint32_t Interval() const;
  void SetInterval(std::uint32_t Value);
  std::int64_t Elapsed() const { return elapsed_; }
  const std::string& Name() const { return name_; }

  // The user-interface side of a tick; handler exceptions are swallowed.
  void DoTimer();
  void DoTimerElapsed();

 private:
  struct Tick;
  enum class Waited { Fire, Woken, Stop };

  void Run(std::uint8_t mode);
  Waited Wait();
  // Hands one tick to the user-interface thread and waits for it; false
  // when the timer is being destroyed.
  bool Fire(bool elapsedMode);

  const std::string name_;
  std::atomic<bool> enabled_{false};
  std::atomic<std::int64_t> elapsed_{0};

  mutable std::mutex m_;
  std::condition_variable cv_;
  std::uint32_t interval_ = 1000;
  bool paused_ = true;
  bool wake_ = false;
  bool stop_ = false;
  bool started_ = false;
  std::shared_ptr<Tick> pending_;
  std::thread worker_;
};

}  // namespace nmea
