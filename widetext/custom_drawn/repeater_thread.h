#pragma once
// The thread behind a button's auto-repeat: after a first delay it fires
// at a fixed period until it is stopped. Each firing is handed to the
// user-interface thread, and the thread waits until it has run there, so
// the handler may touch controls.

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace widetext {

class TRepeaterThread {
 public:
  // Fire runs on the user-interface thread, first after WaitStart + the
  // period, then every period (Interval, at least 10 ms).
  TRepeaterThread(std::function<void()> Fire, std::uint32_t WaitStart, std::uint32_t Interval);
  ~TRepeaterThread();
  TRepeaterThread(const TRepeaterThread&) = delete;
  TRepeaterThread& operator=(const TRepeaterThread&) = delete;

  // On the user-interface thread: asks the thread to stop and waits for its
  // end, running meanwhile the firing it may be waiting on (which then does
  // nothing), so stopping neither deadlocks nor leaves the thread running.
  // Called from inside a firing, it only asks: the thread then ends as
  // soon as that firing returns.
  void Stop();

 private:
  struct State;
  static void Execute(std::shared_ptr<State> SharedState, std::uint32_t WaitStart, std::uint32_t Interval);

  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace widetext
