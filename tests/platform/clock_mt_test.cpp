#include "platform/core/os/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// The tick counter is read from reader threads while the user-interface
// thread reads it too; it must be safe to call from anywhere.
TEST(ClockThreads, TickCounterIsReadableFromManyThreads) {
  std::atomic<std::uint32_t> sink{0};
  std::thread a([&] {
    for (int i = 0; i < 1000; ++i) sink += platform::GetTickCount() & 1u;
  });
  std::thread b([&] {
    for (int i = 0; i < 1000; ++i) sink += platform::TimeGetTime() & 1u;
  });
  a.join();
  b.join();
  SUCCEED();
}

}  // namespace
