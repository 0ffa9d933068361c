// Window, drawing and Qt calls belong to the user-interface thread: made
// from another thread they stop the program with a message naming the
// call. What other threads may do (look a window up, post and send to it,
// make and free drawing objects) is safe while the user-interface thread
// works.

#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/gdi.h"
#include "platform/ui/window_classes/presentation.h"

namespace {

using namespace platform;

template <class CallFn>
void OnAnotherThread(CallFn Call) {
  std::thread other(Call);
  other.join();
}

class ThreadChecks : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef VELTROSA_CHECK_THREADS
    GTEST_SKIP() << "thread checks are off in this build";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(ThreadChecks, WindowDrawingAndQtCallsFromAnotherThreadStopTheProgramNamingTheCall) {
  EXPECT_DEATH(
      {
        ui::InitializeUi();
        OnAnotherThread([] { CreateWindowExW(0, u"STATIC", u"", 0, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr); });
      },
      "CreateWindowExW.*off the user-interface thread");
  EXPECT_DEATH(
      {
        ui::InitializeUi();
        const HWND h = CreateWindowExW(0, u"STATIC", u"", 0, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr);
        OnAnotherThread([h] { ShowWindow(h, SW_SHOW); });
      },
      "ShowWindow.*off the user-interface thread");
  EXPECT_DEATH(
      {
        ui::InitializeUi();
        OnAnotherThread([] { ReleaseDC(nullptr, GetDC(nullptr)); });
      },
      "GetDC.*off the user-interface thread");
  EXPECT_DEATH(
      {
        ui::InitializeUi();
        OnAnotherThread([] { MessageBoxW(nullptr, u"text", u"caption", MB_OK); });
      },
      "MessageBoxW.*off the user-interface thread");
}

// The Qt application is made by the start of the user interface, on its
// thread; a drawing call before that start does not make one lazily.
TEST_F(ThreadChecks, TheQtApplicationIsMadeAtTheStartOnTheUserInterfaceThread) {
  EXPECT_DEATH(
      {
        BindUiThread();
        ReleaseDC(nullptr, GetDC(nullptr));
      },
      "GetDC.*before the user interface was started");
  ui::InitializeUi();
  ASSERT_NE(QCoreApplication::instance(), nullptr);
  EXPECT_EQ(QCoreApplication::instance()->thread(), QThread::currentThread());
}

// Reader threads look windows up, post and send to them and make and free
// drawing objects while the user-interface thread makes, draws and
// destroys windows. ThreadSanitizer watches this test.
TEST(ThreadSafety, ReaderThreadsLookUpWindowsAndMakeDrawingObjectsWhileTheUiThreadWorks) {
  ui::InitializeUi();
  std::atomic<HWND> current{nullptr};
  std::atomic<bool> stop{false};
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      while (!stop) {
        const HWND h = current.load();
        if (IsWindow(h)) PostMessageW(h, WM_NULL, 0, 0);
        const HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
        const HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
        DeleteObject(brush);
        DeleteObject(pen);
      }
    });
  }
  for (int i = 0; i < 200; ++i) {
    const HWND h = CreateWindowExW(0, u"STATIC", u"x", 0, 0, 0, 40, 20, nullptr, 0, nullptr, nullptr);
    current = h;
    HDC dc = GetDC(h);
    const HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(dc, RECT{0, 0, 10, 10}, brush);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(200, 0, 0));
    DeleteObject(brush);
    ReleaseDC(h, dc);
    current = nullptr;
    DestroyWindow(h);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  }
  stop = true;
  for (auto& reader : readers) reader.join();
}

}  // namespace
