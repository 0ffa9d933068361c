#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/forms.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

// The message loop waits inside Qt's event processing; work handed over
// from another thread must wake it.
TEST(PresentationThreads, WorkFromAnotherThreadWakesTheLoopWaitingInQt) {
  InitializeApplication();
  std::atomic<int> ran{0};
  bool done = false;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) {
      std::this_thread::sleep_for(20ms);
      RunOnUiThread([&] { ++ran; });
    }
    RunOnUiThreadAndWait([&] { done = true; });
  });
  const auto start = std::chrono::steady_clock::now();
  while (!done && std::chrono::steady_clock::now() - start < 10s) Application->HandleMessage();
  worker.join();
  EXPECT_TRUE(done);
  // Waiting work runs ahead of posted work; the posted work follows.
  Application->ProcessMessages();
  EXPECT_EQ(ran.load(), 3);
}

}  // namespace
