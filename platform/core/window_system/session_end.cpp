#include "platform/core/window_system/session_end.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iterator>
#include <stdexcept>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// What the handler may touch: lock-free atomics only.
std::atomic<int> g_writeFd{-1};
std::atomic<int> g_received{0};
std::atomic<bool> g_watching{false};
struct sigaction g_previous[std::size(kSignals)];

// The signal's own action, at once.
void TakeDefaultAction(int Signal) {
  ::signal(Signal, SIG_DFL);
  ::raise(Signal);
}

void OnSignal(int Signal) {
  const int savedErrno = errno;
  const int fd = g_writeFd.load();
  if (g_received.fetch_add(1) > 0 || fd < 0) {
    // Blocked while its handler runs, the raised signal acts as soon as
    // the handler returns.
    TakeDefaultAction(Signal);
  } else {
    const auto byte = static_cast<unsigned char>(Signal);
    if (::write(fd, &byte, 1) != 1) TakeDefaultAction(Signal);
  }
  errno = savedErrno;
}

LPARAM ReasonOf(int Signal) {
  return ENDSESSION_CRITICAL | (Signal == SIGHUP ? ENDSESSION_LOGOFF : ENDSESSION_CLOSEAPP);
}

}  // namespace

bool AnnounceEndSession(LPARAM Reason) { return AnnounceEndSession(Reason, GetThreadWindows()); }

bool AnnounceEndSession(LPARAM Reason, const std::vector<HWND>& Windows) {
  bool agreed = true;
  for (HWND h : Windows) {
    if (IsWindow(h) && SendMessageW(h, WM_QUERYENDSESSION, 0, Reason) == 0) agreed = false;
  }
  const bool ends = agreed || (Reason & ENDSESSION_CRITICAL) != 0;
  for (HWND h : Windows) {
    if (IsWindow(h)) SendMessageW(h, WM_ENDSESSION, ends ? 1 : 0, Reason);
  }
  return ends;
}

SessionEndWatcher::SessionEndWatcher(Handler OnEnd) : onEnd_(std::move(OnEnd)) {
  if (g_watching.exchange(true)) throw std::logic_error("a session end watcher runs already");
  // Without its wake-up the watcher's thread could never be stopped.
  int fds[2];
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
    if (wakeFd_ >= 0) ::close(wakeFd_);
    g_watching = false;
    throw std::runtime_error("cannot watch for the end of the session");
  }
  readFd_ = fds[0];
  g_received = 0;
  g_writeFd = fds[1];
  thread_ = std::thread([this] { Run(); });
  struct sigaction action {};
  action.sa_handler = &OnSignal;
  ::sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &action, &g_previous[i]);
}

SessionEndWatcher::~SessionEndWatcher() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  const int writeFd = g_writeFd.exchange(-1);
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
  thread_.join();
  ::close(writeFd);
  ::close(readFd_);
  ::close(wakeFd_);
  g_watching = false;
}

void SessionEndWatcher::Run() {
  pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {readFd_, POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;
    unsigned char signal = 0;
    if (::read(readFd_, &signal, 1) != 1) continue;
    const Handler handler = onEnd_;
    const LPARAM reason = ReasonOf(signal);
    // Without a user-interface thread to close the program, the signal
    // takes its own action.
    if (!RunOnUiThread([handler, reason] { handler(reason); })) TakeDefaultAction(signal);
  }
}

}  // namespace platform
