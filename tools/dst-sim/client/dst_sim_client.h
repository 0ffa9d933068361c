#pragma once
// dst-sim for a test: starts the simulator as a process of its own with its
// ports in a private folder, waits until both ports are published and its
// control socket answers, sends control commands, reads and waits on its
// event log, and stops it cleanly, leaving nothing behind.
//
//   dstsim::DstSimProcess sim({.Arguments = {"--firmware", "3041"}});
//   nmea::TNMEA2KDecoder link;
//   link.Open(sim.DstPort(), 4800, nmea::kStreamText, true);
//   sim.Command("fault delay 1200");
//   link.SendLine("$PARLRHI,01", true);
//   auto line = sim.WaitForLog("dst", "rx", "$PARLRHI,01");
//   EXPECT_EQ(line->Verdict(), "accepted");
//
// While the process object lives, this process's XDG_RUNTIME_DIR points at
// the private folder, so the virtual port numbers (DstPort, GpsPort) open
// the simulator's ports; the previous value comes back when it ends. One
// object at a time; create it before threads that open ports, and close
// links on its ports before it ends. Not for use from several threads.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dstsim {

// One line of the simulator's event log: "<ms> <source> <event> <text>".
struct LogLine {
  std::size_t Index = 0;  // position in the log, from 0
  long long Ms = 0;       // milliseconds since the simulator started
  std::string Source;     // dst, gps, control, sim
  std::string Event;      // rx, tx, state
  std::string Text;

  // For rx lines: what was received, and the verdict after " -> "
  // ("accepted", "refused: <why>", "ignored: <why>", or a control answer).
  std::string Received() const;
  std::string Verdict() const;
};

std::optional<LogLine> ParseLogLine(std::string_view line);

class DstSimProcess {
 public:
  struct Options {
    // More dst-sim options, e.g. {"--firmware", "3041", "--dst-rate", "4"}.
    std::vector<std::string> Arguments;
    std::string DstName = "dst-sim";
    std::string GpsName = "gps-sim";
    // The longest that starting, one command, one log wait or stopping may
    // take.
    std::chrono::milliseconds Deadline{10000};
  };

  // Throws std::runtime_error, with what the simulator said, when it does
  // not start.
  explicit DstSimProcess(Options options);
  DstSimProcess() : DstSimProcess(Options{}) {}
  ~DstSimProcess();
  DstSimProcess(const DstSimProcess&) = delete;
  DstSimProcess& operator=(const DstSimProcess&) = delete;

  // Port numbers of the virtual ports, for TNMEA2KDecoder::Open.
  int DstPort() const;
  int GpsPort() const;
  // The private folder holding the ports, the control socket and the log.
  const std::filesystem::path& Folder() const { return folder_; }
  std::filesystem::path LogFile() const { return folder_ / "dst-sim.log"; }
  // What the simulator wrote to its standard error; shown on this
  // process's standard error when it stops.
  std::filesystem::path ErrorFile() const { return folder_ / "dst-sim.err"; }

  // The answer to one control command ("ok ..." or "error ..."). Throws
  // std::runtime_error when no answer comes.
  std::string Reply(const std::string& command);
  // The text after "ok"; throws std::runtime_error on an error answer.
  std::string Command(const std::string& command);

  // The log's complete lines so far.
  std::vector<LogLine> Log() const;
  // The first line at or after index `from` that match accepts, once it is
  // there; nothing when the deadline passes first.
  std::optional<LogLine> WaitForLog(const std::function<bool(const LogLine&)>& match, std::size_t from = 0) const;
  // The same for a line of this source and event whose text contains
  // `contains`.
  std::optional<LogLine> WaitForLog(std::string_view source, std::string_view event, std::string_view contains,
                                    std::size_t from = 0) const;

  // Asks the simulator to quit and waits for it (killing it at the
  // deadline); its exit status (0 when all went well), or -1 when it had to
  // be killed. Later calls return the same.
  int Stop();

 private:
  void Spawn(const std::string& program, const Options& options);
  void AwaitReady(std::chrono::steady_clock::time_point deadline);
  void Connect();
  void ReadLog() const;
  std::string ReadErrors() const;
  bool WaitForExit(std::chrono::milliseconds deadline);
  void Cleanup();

  Options options_;
  std::filesystem::path folder_;
  std::optional<std::string> previousRuntimeDir_;
  pid_t pid_ = -1;
  int lifeline_ = -1;  // the simulator's standard input
  int output_ = -1;    // its standard output
  int control_ = -1;
  std::string controlPath_;
  std::string startOutput_;
  std::string replyBuffer_;
  int exitStatus_ = -1;
  bool stopped_ = false;
  mutable std::vector<LogLine> log_;
  mutable std::string logTail_;
  mutable std::streamoff logRead_ = 0;
};

}  // namespace dstsim
