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
  std::function<void()> Fire;
  std::mutex M;
  std::condition_variable Wake;
  bool Stop = false;
  std::atomic<bool> Finished{false};
  // User-interface thread only.
  bool Firing = false;

  bool StopRequested() {
    std::lock_guard lock(M);
    return Stop;
  }
};

TRepeaterThread::TRepeaterThread(std::function<void()> Fire, std::uint32_t WaitStart, std::uint32_t Interval)
    : state_(std::make_shared<State>()) {
  state_->Fire = std::move(Fire);
  thread_ = std::thread(&TRepeaterThread::Execute, state_, WaitStart, std::max<std::uint32_t>(Interval, 10));
}

TRepeaterThread::~TRepeaterThread() { Stop(); }

void TRepeaterThread::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(state_->M);
    state_->Stop = true;
  }
  state_->Wake.notify_all();
  if (state_->Firing) {
    // The thread waits for the firing this call runs in; it cannot be
    // joined from here, and ends by itself once the firing returns.
    thread_.detach();
    return;
  }
  while (!state_->Finished) platform::CheckSynchronize(20);
  thread_.join();
}

void TRepeaterThread::Execute(std::shared_ptr<State> SharedState, std::uint32_t WaitStart, std::uint32_t Interval) {
  std::unique_lock lock(SharedState->M);
  const auto stopping = [&SharedState] { return SharedState->Stop; };
  bool stopped = SharedState->Wake.wait_for(lock, std::chrono::milliseconds(WaitStart), stopping);
  while (!stopped) {
    if (SharedState->Wake.wait_for(lock, std::chrono::milliseconds(Interval), stopping)) break;
    lock.unlock();
    platform::RunOnUiThreadAndWait([SharedState] {
      if (SharedState->StopRequested()) return;
      const struct Firing {
        State& S;
        explicit Firing(State& Target) : S(Target) { S.Firing = true; }
        ~Firing() { S.Firing = false; }
      } firing(*SharedState);
      const std::function<void()> fire = SharedState->Fire;
      fire();
    });
    lock.lock();
    stopped = SharedState->Stop;
  }
  SharedState->Finished = true;
}

}  // namespace widetext
