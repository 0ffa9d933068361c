// Signals end the session through the watcher: noted where they arrive,
// handed by the watcher's thread to the user-interface thread, with the
// program's own handling of the signals put back when the watcher goes.

#include <gtest/gtest.h>
#include <signal.h>

#include <optional>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/session_end.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/pump_helpers.h"

namespace {

using namespace platform;

using fixture::PumpUntil;

void (*HandlerOf(int Signal))(int) {
  struct sigaction current {};
  ::sigaction(Signal, nullptr, &current);
  return current.sa_handler;
}

class SessionEndWatcherTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
};

TEST_F(SessionEndWatcherTest, ASignalEndsTheSessionOnTheUserInterfaceThread) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    void (*const before)(int) = HandlerOf(signal);
    std::optional<LPARAM> reason;
    bool onUiThread = false;
    {
      const SessionEndWatcher watcher([&](LPARAM Reason) {
        reason = Reason;
        onUiThread = IsUiThread();
      });
      EXPECT_NE(HandlerOf(signal), before);
      ::raise(signal);
      ASSERT_TRUE(PumpUntil([&] { return reason.has_value(); })) << signal;
    }
    EXPECT_TRUE(onUiThread);
    EXPECT_NE(*reason & ENDSESSION_CRITICAL, 0);
    EXPECT_EQ(*reason & ENDSESSION_LOGOFF, signal == SIGHUP ? ENDSESSION_LOGOFF : 0);
    EXPECT_EQ(HandlerOf(signal), before);
  }
}

}  // namespace
