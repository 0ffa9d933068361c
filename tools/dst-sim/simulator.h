#pragma once
// The simulator's run: the module and the receiver on their serial lines,
// rounds of their sentences, the module's answers to what the program
// sends (through the reply faults), timed actions and the control channel,
// all on one thread.

#include <signal.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "control_server.h"
#include "dst_module.h"
#include "event_log.h"
#include "faults.h"
#include "garbage.h"
#include "gps_receiver.h"
#include "options.h"
#include "sentence.h"
#include "serial_line.h"

namespace dstsim {

class Simulator {
 public:
  using Clock = std::chrono::steady_clock;

  Simulator(const Options& options, EventLog& log);

  // Publishes the ports and opens the control socket. Throws
  // std::system_error.
  void Start();
  // Runs until stop is set, a client asks to quit or, with the lifeline,
  // standard input closes.
  void Run(const volatile sig_atomic_t& stop);

  // What the control channel works on.
  DstModule& Module() { return module_; }
  GpsReceiver& Receiver() { return receiver_; }
  ReplyFaults& Faults() { return faults_; }
  // dst or gps; nothing when the simulator has no such line.
  SerialLine* Line(std::string_view source);
  // The line a fault names when it names none: the module's, else the
  // receiver's.
  SerialLine& DefaultLine();
  const std::string& ControlPath() const { return controlPath_; }
  // Plugs the line in again after replugAfter (never when negative).
  void HangUp(SerialLine& line, std::chrono::milliseconds replugAfter);
  // Throws std::system_error when the port cannot be published.
  void Replug(SerialLine& line);
  // Garbage made from the sentence with this id (one the line sends, even
  // while switched off), or from the line's first sentence when id is
  // empty; false when the line sends no such sentence.
  bool InjectGarbage(SerialLine& line, GarbageKind kind, const std::string& id);
  // Switches a data sentence (by its three-letter id) on or off; false for
  // an id neither line sends.
  bool SetSentence(const std::string& id, bool on);
  void Quit() { quit_ = true; }
  // key=value pairs of the lines' rates and the module's stored values.
  std::string Status() const;

 private:
  struct Port {
    std::unique_ptr<SerialLine> Line;
    LineCollector Collector;
    Clock::duration Period{};
    Clock::time_point NextRound{};
    Clock::time_point LastRound{};
  };

  std::vector<std::string> RoundBodies(Port& port, double elapsedSeconds);
  void SendRoundIfDue(Port& port, Clock::time_point now);
  void Receive(Port& port);
  void HandleCommand(const std::string& line);
  void SendReplies(const Answer& answer);
  void At(Clock::time_point when, std::function<void()> action);
  void RunTimers(Clock::time_point now);
  std::string Control(const std::string& line);

  const Options& options_;
  EventLog& log_;
  DstModule module_;
  GpsReceiver receiver_;
  ReplyFaults faults_;
  Port dst_;
  Port gps_;
  std::set<std::string> disabled_;
  std::multimap<Clock::time_point, std::function<void()>> timers_;
  std::string controlPath_;
  std::unique_ptr<ControlServer> control_;
  bool quit_ = false;
};

}  // namespace dstsim
