#pragma once
// One simulated serial line: a pseudo-terminal published as a virtual port.
// What the simulator queues goes out at the rate the port is set to, in
// the small pieces a receiving driver hands over, and the rate follows
// whatever the program on the port sets. The line can be hung up (the port
// disappears) and plugged in again, or kept open but silent.

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "event_log.h"
#include "line_pacer.h"
#include "platform/core/os/pseudo_terminal.h"

namespace dstsim {

// The rates a line can run at: 1200 to 230400 baud.
bool SupportedBaud(int baud);

class SerialLine {
 public:
  using Clock = std::chrono::steady_clock;

  // source names the line in the log (dst, gps); portName is the port's
  // name in the virtual port folder.
  SerialLine(std::string source, std::string portName, int baud, EventLog& log);
  ~SerialLine();
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;

  // Makes a new pseudo-terminal at the line's rate and publishes it under
  // the port's name. Throws std::system_error.
  void Plug();
  // Hangs up: the program sees the end of the line, the port disappears and
  // what was queued is lost.
  void Unplug();
  bool Plugged() const { return pty_ != nullptr; }
  // While silent nothing goes out; what is queued is dropped.
  void SetSilent(bool silent);
  bool Silent() const { return silent_; }

  const std::string& Source() const { return source_; }
  const std::string& PortName() const { return portName_; }
  // The published link; empty while unplugged.
  const std::string& LinkPath() const { return linkPath_; }
  // The pseudo-terminal's controlling side; -1 while unplugged.
  int Fd() const;
  int Baud() const { return pacer_.Baud(); }

  // One sentence or piece of garbage, logged as tx when its first byte
  // goes out, at least gap after the one before it started. Dropped while
  // unplugged or silent.
  void Queue(std::string bytes, Clock::duration gap = {});
  bool Idle() const { return queue_.empty(); }
  // What the program wrote since the last call.
  std::string Receive();
  // Follows the port's rate and hands over what the line has carried by
  // now; returns when it needs to run again, nothing while idle.
  std::optional<Clock::time_point> Pump(Clock::time_point now);

 private:
  struct Item {
    std::string Bytes;
    std::string Shown;
    Clock::duration Gap{};
  };

  // When the front item may start, if it has to wait for its gap.
  std::optional<Clock::time_point> HeldUntil(Clock::time_point now) const;
  void FollowBaud(Clock::time_point now);
  void DropUnread();
  void Write(const std::string& piece);

  std::string source_;
  std::string portName_;
  EventLog& log_;
  LinePacer pacer_;
  std::unique_ptr<platform::PseudoTerminal> pty_;
  // The device side, held by the simulator to look at what nobody read.
  int device_ = -1;
  std::string linkPath_;
  std::deque<Item> queue_;
  std::size_t offset_ = 0;   // bytes of the front item already out
  std::size_t pending_ = 0;  // bytes queued and not yet out
  Clock::time_point lastStart_{};
  bool holding_ = false;
  bool silent_ = false;
};

}  // namespace dstsim
