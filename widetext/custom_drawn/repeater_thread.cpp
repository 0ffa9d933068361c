#include "widetext/custom_drawn/repeater_thread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "platform/core/window_system/queue.h"

namespace widetext {

// Shared with the thread, which may outlive its object when a firing
// stops it: the thread then touches only this.
struct TRepeaterThread::State {
  std::function<void()> fire;
  std::mutex m;
  std::condition_variable wake;
  bool stop = false;
  std::atomic<bool> finished{false};
  // User-interface thread only.
  bool firing = false;

  bool StopRequested() {
    std::lock_guard lock(m);
    return stop;
  }
};

TRepeaterThread::TRepeaterThread(std::function<void()> Fire, std::uint32_t WaitStart, std::uint32_t Interval)
    : state_(std::make_shared<State>()) {
  state_->fire = std::move(Fire);
  thread_ = std::thread(&TRepeaterThread::Execute, state_, WaitStart, std::max<std::uint32_t>(Interval, 10));
}

TRepeaterThread::~TRepeaterThread() { Stop(); }

void TRepeaterThread::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(state_->m);
    state_->stop = true;
  }
  state_->wake.notify_all();
  if (state_->firing) {
    // The thread waits for the firing this call runs in; it cannot be
    // joined from here, and ends by itself once the firing returns.
    thread_.detach();
    return;
  }
  while (!state_->finished) platform::CheckSynchronize(20);
  thread_.join();
}

void TRepeaterThread::Execute(std::shared_ptr<State> state, std::uint32_t waitStart, std::uint32_t interval) {
  std::unique_lock lock(state->m);
  const auto stopping = [&state] { return state->stop; };
  bool stopped = state->wake.wait_for(lock, std::chrono::milliseconds(waitStart), stopping);
  while (!stopped) {
    if (state->wake.wait_for(lock, std::chrono::milliseconds(interval), stopping)) break;
    lock.unlock();
    platform::RunOnUiThreadAndWait([state] {
      if (state->StopRequested()) return;
      const struct Firing {
        State& s;
        explicit Firing(State& firing) : s(firing) { s.firing = true; }
        ~Firing() { s.firing = false; }
      } firing(*state);
      const std::function<void()> fire = state->fire;
      fire();
    });
    lock.lock();
    stopped = state->stop;
  }
  state->finished = true;
}

}  // namespace widetext
