#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>

#include "tests/nmea/channel_log_fixture.h"

namespace nmea {
namespace {

// Files of this process cannot grow beyond Bytes while it lives, as on a
// full disk; writing beyond fails instead of raising a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t Bytes) : previousSignal_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    const rlimit limit{Bytes, previous_.rlim_max};
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousSignal_)(int);
  bool active_ = false;
};

using ChannelLogBatching = testing::ChannelLogTest;
using testing::ReadFile;

// Received text waits for 250 ms of the tick counter before it joins the
// log's buffer, and the counter's wrap to 0 neither holds it back nor lets
// it through early.
TEST_F(ChannelLogBatching, BatchesKeepTheirPaceAcrossTheTickCountersWrap) {
  SetExternalTick(0xFFFFFF00u);
  link.StartLog(path, kLogText, false, "START LOG\r\n");
  Receive(0xFFFFFF10u, "$GPZDA,1\r\n");
  EXPECT_EQ(link.PendingLogText, "$GPZDA,1\r\n");
  Receive(0x00000005u, "$GPZDA,2\r\n");  // 261 ms after the header
  EXPECT_EQ(link.PendingLogText, "");
  EXPECT_EQ(link.LastLogWriteTick, 5u);
  Receive(0x00000010u, "$GPZDA,3\r\n");
  EXPECT_EQ(link.PendingLogText, "$GPZDA,3\r\n");
  Receive(0x00000005u + 250, "$GPZDA,4\r\n");
  EXPECT_EQ(link.PendingLogText, "");
  link.StopLog();
  EXPECT_EQ(ReadFile(path), "START LOG\r\n$GPZDA,1\r\n$GPZDA,2\r\n$GPZDA,3\r\n$GPZDA,4\r\n");
}

// A flush the disk refuses drops its batch rather than keeping it for a
// retry that would pile up memory; the recording goes on, and what comes
// once there is room again is written.
TEST_F(ChannelLogBatching, AFailedFlushDropsItsBatchAndTheRecordingGoesOn) {
  link.StartLog(path, kLogText, false, "START LOG\r\n");
  link.FlushLog();
  ASSERT_EQ(ReadFile(path), "START LOG\r\n");
  {
    FileSizeLimit full(11);
    ASSERT_TRUE(full.Active());
    Receive(2000, "$GPZDA,1\r\n");
    link.FlushLog();
    EXPECT_TRUE(link.IsLogging());
  }
  EXPECT_EQ(ReadFile(path), "START LOG\r\n");
  Receive(3000, "$GPZDA,2\r\n");
  link.StopLog();
  EXPECT_EQ(ReadFile(path), "START LOG\r\n$GPZDA,2\r\n");
}

}  // namespace
}  // namespace nmea
