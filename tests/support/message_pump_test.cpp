#include "support/message_pump.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/apphooks.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"

namespace support {
namespace {

using namespace platform;

constexpr UINT kThrow = WM_USER + 99;
std::vector<UINT> g_handled;

LRESULT RecordingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg >= WM_USER || msg == WM_PAINT || msg == WM_CHAR || msg == WM_KEYDOWN || msg == WM_COMMAND ||
      msg == WM_LBUTTONDOWN) {
    g_handled.push_back(msg);
  }
  if (msg == kThrow) throw std::runtime_error("handler failed");
  return DefWindowProcA(h, msg, w, l);
}

// A tick source that moves on by Step at every reading.
ClockSources Ticks(std::uint32_t first, std::uint32_t step) {
  auto now = std::make_shared<std::uint32_t>(first);
  return {.Tick = [now, step] {
    const std::uint32_t t = *now;
    *now += step;
    return t;
  }};
}

class MessagePumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindUiThread();
    Drain();
    g_handled.clear();
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&RecordingProc>(false);
    wc.lpszClassName = u"PumpTestWindow";
    RegisterClassA(wc);
    window_ = CreateWindowExA(0, "PumpTestWindow", "", 0, 0, 0, 10, 10, nullptr, 0, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    UnregisterClassA("PumpTestWindow");
    AppHooks() = {};
    Drain();
  }
  static void Drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void Post(UINT msg) { PostMessageA(window_, msg, 0, 0); }
  static std::size_t Queued() {
    std::size_t n = 0;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ++n;
    return n;
  }

  HWND window_ = nullptr;
};

TEST_F(MessagePumpTest, StopsWhenTheQueueIsEmptyOrTheTimeIsUp) {
  {
    // The clock stands still: nothing ends the pass but an empty queue.
    ScopedClockOverride clock(Ticks(1000, 0));
    ProcessPendingMessages(0xFFFFFFFFu);
    for (int i = 0; i < 3; ++i) Post(WM_USER + i);
    ProcessPendingMessages(0);
    EXPECT_EQ(g_handled, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
  }
  // 10 ms per reading: 10, 20 and 30 ms after the start are read after the
  // first three messages, and 30 exceeds 25, also when the count wraps.
  for (const std::uint32_t start : {5000u, 0xFFFFFFF0u}) {
    ScopedClockOverride clock(Ticks(start, 10));
    g_handled.clear();
    for (int i = 0; i < 6; ++i) Post(WM_USER + i);
    ProcessPendingMessages(25);
    EXPECT_EQ(g_handled.size(), 3u) << start;
    EXPECT_EQ(Queued(), 3u);
  }
}

TEST_F(MessagePumpTest, AQuitRequestIsPostedAgainAndEndsThePass) {
  Post(WM_USER);
  PostQuitMessage(7);
  ProcessPendingMessages(0xFFFFFFFFu);
  EXPECT_EQ(g_handled, std::vector<UINT>{WM_USER});
  MSG m;
  EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(MessagePumpTest, UserInputIsDroppedWhileOtherMessagesAreHandled) {
  std::vector<UINT> hooked;
  int hintsCancelled = 0;
  AppHooks().OnMessage = [&](MSG& m) {
    hooked.push_back(m.message);
    return m.message == WM_USER + 2;
  };
  AppHooks().CancelHint = [&] { ++hintsCancelled; };
  bool taskRan = false;

  Post(WM_LBUTTONDOWN);
  Post(0x00A1);  // mouse button down on the frame
  PostKeyDown(window_, WM_KEYDOWN, 'A', 0, u"a");
  Post(WM_COMMAND);
  Post(0xB016);  // the toolkit's application key-down
  Post(WM_PAINT);
  Post(WM_USER + 1);
  Post(WM_USER + 2);  // the application's hook handles this one
  RunOnUiThread([&] { taskRan = true; });
  ProcessPendingMessages(0xFFFFFFFFu);

  EXPECT_EQ(g_handled, (std::vector<UINT>{WM_PAINT, WM_USER + 1}));
  EXPECT_TRUE(taskRan);
  EXPECT_EQ(hintsCancelled, 3);
  ASSERT_GE(hooked.size(), 6u);
  EXPECT_EQ(std::vector<UINT>(hooked.begin(), hooked.begin() + 6),
            (std::vector<UINT>{WM_KEYDOWN, WM_COMMAND, 0xB016, WM_PAINT, WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(Queued(), 0u);
}

TEST_F(MessagePumpTest, AFailingHandlerEndsThePassSilently) {
  Post(kThrow);
  Post(WM_USER + 1);
  EXPECT_NO_THROW(ProcessPendingMessages(0xFFFFFFFFu));
  EXPECT_EQ(g_handled, std::vector<UINT>{kThrow});
  EXPECT_EQ(Queued(), 1u);
}

}  // namespace
}  // namespace support
