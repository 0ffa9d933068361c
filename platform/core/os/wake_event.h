#pragma once
// A wake-up signal that poll() can wait on beside a device (an eventfd):
// one thread signals, another sees its descriptor readable until cleared.

namespace platform {

class WakeEvent {
 public:
  WakeEvent();
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  void Signal();
  void Clear();
  // Waits up to timeoutMs (negative: without limit); true when signalled.
  bool Wait(int TimeoutMs) const;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace platform
