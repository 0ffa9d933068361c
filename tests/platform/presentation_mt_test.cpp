#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

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

// A modal Qt loop (a message box here) does not stop the hand-offs of other
// threads: work they wait for and work they post runs while it is open.
TEST(PresentationThreads, WorkFromAnotherThreadRunsWhileAModalQtLoopIsOpen) {
  InitializeApplication();
  QMessageBox box;
  box.setText(QStringLiteral("Busy"));
  std::atomic<bool> waitedRan{false};
  std::atomic<bool> postedRan{false};
  std::thread worker([&] {
    waitedRan = RunOnUiThreadAndWait([&] { EXPECT_TRUE(box.isVisible()); });
    RunOnUiThread([&] {
      postedRan = true;
      box.done(QMessageBox::Ok);
    });
  });
  QTimer::singleShot(10000, &box, [&box] { box.done(QMessageBox::Cancel); });
  EXPECT_EQ(box.exec(), QMessageBox::Ok);
  worker.join();
  EXPECT_TRUE(waitedRan);
  EXPECT_TRUE(postedRan);
}

}  // namespace
