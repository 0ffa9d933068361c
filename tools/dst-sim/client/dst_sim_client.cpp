#include "client/dst_sim_client.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "platform/core/os/serial_ports.h"

extern char** environ;

namespace dstsim {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How often a wait on the log looks at the file again.
constexpr auto kLogPollInterval = 5ms;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<long long>(left, 0));
}

// Waits for fd to become readable; false at the deadline.
bool WaitReadable(int fd, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    const int r = ::poll(&p, 1, RemainingMs(deadline));
    if (r > 0) return true;
    if (r == 0) return false;
    if (errno != EINTR) return false;
  }
}

std::filesystem::path MakeFolder() {
  static std::atomic<int> serial{0};
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("veltrosa-dst-sim-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  return folder;
}

}  // namespace

std::string LogLine::Received() const {
  const auto arrow = Text.rfind(" -> ");
  return arrow == std::string::npos ? Text : Text.substr(0, arrow);
}

std::string LogLine::Verdict() const {
  const auto arrow = Text.rfind(" -> ");
  return arrow == std::string::npos ? std::string() : Text.substr(arrow + 4);
}

std::optional<LogLine> ParseLogLine(std::string_view line) {
  LogLine parsed;
  std::size_t pos = 0;
  const auto word = [&]() -> std::optional<std::string_view> {
    const auto space = line.find(' ', pos);
    if (space == std::string_view::npos) return std::nullopt;
    const std::string_view w = line.substr(pos, space - pos);
    pos = space + 1;
    return w;
  };
  const auto ms = word();
  const auto source = word();
  const auto event = word();
  if (!ms || !source || !event || ms->empty()) return std::nullopt;
  for (const char c : *ms) {
    if (c < '0' || c > '9') return std::nullopt;
    parsed.Ms = parsed.Ms * 10 + (c - '0');
  }
  parsed.Source = *source;
  parsed.Event = *event;
  parsed.Text = line.substr(pos);
  return parsed;
}

DstSimProcess::DstSimProcess(Options options) : options_(std::move(options)) {
  const auto deadline = Clock::now() + options_.Deadline;
  folder_ = MakeFolder();
  if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) previousRuntimeDir_ = previous;
  ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
  try {
    Spawn(DST_SIM_PROGRAM, options_);
    AwaitReady(deadline);
    Connect();
  } catch (...) {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    stopped_ = true;
    Cleanup();
    throw;
  }
}

DstSimProcess::~DstSimProcess() {
  Stop();
  Cleanup();
}

void DstSimProcess::Spawn(const std::string& program, const Options& options) {
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("dst-sim: no pipe");
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    throw std::runtime_error("dst-sim: no pipe");
  }
  std::vector<std::string> args = {program,      "--stdin-lifeline", "--log",      LogFile().string(),
                                   "--dst-name", options.DstName,    "--gps-name", options.GpsName};
  args.insert(args.end(), options.Arguments.begin(), options.Arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 clears close-on-exec on the copies the simulator keeps.
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, ErrorFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  lifeline_ = in[1];
  output_ = out[0];
  if (err != 0) {
    pid_ = -1;
    throw std::runtime_error("dst-sim: cannot start " + program + ": " + std::strerror(err));
  }
}

void DstSimProcess::AwaitReady(Clock::time_point deadline) {
  for (;;) {
    std::size_t nl;
    while ((nl = startOutput_.find('\n')) != std::string::npos) {
      const std::string line = startOutput_.substr(0, nl);
      startOutput_.erase(0, nl + 1);
      if (line.rfind("Control: ", 0) == 0) controlPath_ = line.substr(9);
      if (line == "ready") {
        // Its later output is not needed; writes to a closed pipe fail
        // harmlessly in the simulator.
        ::close(output_);
        output_ = -1;
        return;
      }
    }
    if (!WaitReadable(output_, deadline)) break;
    char buf[512];
    const ssize_t n = ::read(output_, buf, sizeof buf);
    if (n <= 0) break;
    startOutput_.append(buf, static_cast<std::size_t>(n));
  }
  throw std::runtime_error("dst-sim did not get ready; it said: " + startOutput_ + ReadErrors());
}

std::string DstSimProcess::ReadErrors() const {
  std::ifstream in(ErrorFile(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void DstSimProcess::Connect() {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (controlPath_.empty() || controlPath_.size() >= sizeof addr.sun_path) {
    throw std::runtime_error("dst-sim: no usable control socket path");
  }
  std::memcpy(addr.sun_path, controlPath_.c_str(), controlPath_.size() + 1);
  control_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (control_ < 0 || ::connect(control_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    throw std::runtime_error("dst-sim: cannot connect to " + controlPath_ + ": " + std::strerror(errno));
  }
}

int DstSimProcess::DstPort() const { return platform::SerialPortNumber(options_.DstName, true); }

int DstSimProcess::GpsPort() const { return platform::SerialPortNumber(options_.GpsName, true); }

std::string DstSimProcess::Reply(const std::string& command) {
  if (control_ < 0) throw std::runtime_error("dst-sim: not connected");
  const auto deadline = Clock::now() + options_.Deadline;
  const std::string line = command + "\n";
  for (std::size_t done = 0; done < line.size();) {
    const ssize_t n = ::send(control_, line.data() + done, line.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("dst-sim: control socket closed");
    done += static_cast<std::size_t>(n);
  }
  for (;;) {
    if (const auto nl = replyBuffer_.find('\n'); nl != std::string::npos) {
      std::string reply = replyBuffer_.substr(0, nl);
      replyBuffer_.erase(0, nl + 1);
      return reply;
    }
    if (!WaitReadable(control_, deadline)) throw std::runtime_error("dst-sim: no answer to " + command);
    char buf[512];
    const ssize_t n = ::recv(control_, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error("dst-sim: control socket closed during " + command);
    replyBuffer_.append(buf, static_cast<std::size_t>(n));
  }
}

std::string DstSimProcess::Command(const std::string& command) {
  const std::string reply = Reply(command);
  if (reply == "ok") return {};
  if (reply.rfind("ok ", 0) == 0) return reply.substr(3);
  throw std::runtime_error("dst-sim: " + command + ": " + reply);
}

void DstSimProcess::ReadLog() const {
  std::ifstream in(LogFile(), std::ios::binary);
  if (!in) return;
  in.seekg(logRead_);
  std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  logRead_ += static_cast<std::streamoff>(chunk.size());
  logTail_ += chunk;
  // Only whole lines: the simulator may be writing the next one.
  std::size_t nl;
  while ((nl = logTail_.find('\n')) != std::string::npos) {
    if (auto line = ParseLogLine(std::string_view(logTail_).substr(0, nl))) {
      line->Index = log_.size();
      log_.push_back(std::move(*line));
    }
    logTail_.erase(0, nl + 1);
  }
}

std::vector<LogLine> DstSimProcess::Log() const {
  ReadLog();
  return log_;
}

std::optional<LogLine> DstSimProcess::WaitForLog(const std::function<bool(const LogLine&)>& match,
                                                 std::size_t from) const {
  const auto deadline = Clock::now() + options_.Deadline;
  for (;;) {
    ReadLog();
    for (std::size_t i = from; i < log_.size(); ++i) {
      if (match(log_[i])) return log_[i];
    }
    from = std::max(from, log_.size());
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kLogPollInterval);
  }
}

std::optional<LogLine> DstSimProcess::WaitForLog(std::string_view source, std::string_view event,
                                                 std::string_view contains, std::size_t from) const {
  return WaitForLog(
      [&](const LogLine& l) {
        return l.Source == source && l.Event == event && l.Text.find(contains) != std::string::npos;
      },
      from);
}

bool DstSimProcess::WaitForExit(std::chrono::milliseconds deadline) {
  // A process descriptor becomes readable when the process ends.
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  if (pidfd >= 0) {
    WaitReadable(pidfd, Clock::now() + deadline);
    ::close(pidfd);
  }
  int status = 0;
  if (::waitpid(pid_, &status, pidfd >= 0 ? WNOHANG : 0) != pid_) return false;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return true;
}

int DstSimProcess::Stop() {
  if (stopped_) return exitStatus_;
  stopped_ = true;
  if (control_ >= 0) {
    try {
      Reply("quit");
    } catch (const std::runtime_error&) {
      // It has gone already, or hangs: the wait below settles it.
    }
  }
  // Closing its standard input ends it too, should the command not arrive.
  if (lifeline_ >= 0) {
    ::close(lifeline_);
    lifeline_ = -1;
  }
  if (!WaitForExit(options_.Deadline)) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    exitStatus_ = -1;
  }
  pid_ = -1;
  // Complaints (a sanitizer's among them) reach the test's own output.
  if (const std::string errors = ReadErrors(); !errors.empty()) std::fprintf(stderr, "dst-sim: %s", errors.c_str());
  return exitStatus_;
}

void DstSimProcess::Cleanup() {
  for (int* fd : {&lifeline_, &output_, &control_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  if (previousRuntimeDir_) {
    ::setenv("XDG_RUNTIME_DIR", previousRuntimeDir_->c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

}  // namespace dstsim
