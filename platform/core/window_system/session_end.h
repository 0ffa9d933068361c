#pragma once
// The end of the session, as the window system announces it to a program's
// windows: WM_QUERYENDSESSION to each top-level window, then WM_ENDSESSION
// to each, its wParam TRUE when the session ends. The program then closes
// as the user would close it, its settings and files complete.
//
// While a SessionEndWatcher runs, SIGTERM, SIGINT and SIGHUP end the
// session so: the signal is only noted where it arrives (one byte into a
// pipe, which is all a signal handler may safely do), and a thread of the
// watcher's own hands it to the user-interface thread. Such an end is
// critical: no window can refuse it. A second signal, while the program
// closes after the first, ends it at once, by the signal's own action.
// The desktop session's end reaches the windows the same way through the
// presentation (see InitializeUi).

#include <functional>
#include <thread>
#include <vector>

#include "platform/core/window_system/wintypes.h"

namespace platform {

// Announces the end to Windows (by default the calling thread's top-level
// windows, oldest first) and returns whether the session ends: every window
// agreed, or the end is critical (ENDSESSION_CRITICAL in Reason).
bool AnnounceEndSession(LPARAM Reason);
bool AnnounceEndSession(LPARAM Reason, const std::vector<HWND>& Windows);

class SessionEndWatcher {
 public:
  // What the user-interface thread does with a signal's end of the session.
  using Handler = std::function<void(LPARAM Reason)>;
  // One watcher at a time: a second while one runs is a logic error.
  explicit SessionEndWatcher(Handler OnEnd = [](LPARAM Reason) { AnnounceEndSession(Reason); });
  ~SessionEndWatcher();
  SessionEndWatcher(const SessionEndWatcher&) = delete;
  SessionEndWatcher& operator=(const SessionEndWatcher&) = delete;

 private:
  void Run();

  Handler onEnd_;
  int readFd_ = -1;
  int wakeFd_ = -1;
  std::thread thread_;
};

}  // namespace platform
