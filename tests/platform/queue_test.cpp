#include "platform/core/window_system/queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/core/os/clock.h"
#include "platform/core/window_system/window.h"

namespace {

using namespace platform;

void Drain() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindUiThread();
    Drain();
  }
  void TearDown() override { Drain(); }
};

TEST_F(QueueTest, RetrievalKeepsOrderAndHonoursFilters) {
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 1, 1, 0);
  PostMessage(nullptr, WM_TIMER, 2, 0);
  PostMessage(nullptr, WM_USER + 3, 3, 0);

  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 1u);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&m, HandleFromId(~std::uintptr_t{0}), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, QuitComesAfterPostedMessagesWhateverTheFilter) {
  PostQuitMessage(7);
  PostMessage(nullptr, WM_USER, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_QUIT);
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, CharacterMessagesChangeFormBetweenEightBitAndUnicode) {
  PostMessageW(nullptr, WM_CHAR, 0x20AC, 0);  // euro sign, 0x80 in 1252
  PostMessageW(nullptr, WM_CHAR, 0x4E2D, 0);  // no byte for it
  PostMessageA(nullptr, WM_CHAR, 0xE9, 0);
  PostMessageW(nullptr, WM_KEYDOWN, 0x4E2D, 0);  // not a character message
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0x80u);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 0x4E2Du);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('?'));
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0xE9u);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0x4E2Du);
}

TEST_F(QueueTest, TranslateMessagePostsTheKeyCharactersAheadOfOthers) {
  PostKeyDown(nullptr, WM_KEYDOWN, 'A', 0x1E0001, u"a");
  PostMessage(nullptr, WM_USER, 0, 0);
  PostKeyDown(nullptr, WM_KEYDOWN, VK_LEFT, 0, u"");
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_TRUE(TranslateMessage(&m));
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_CHAR);
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(m.lParam, 0x1E0001);
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_FALSE(TranslateMessage(&m));

  // A character outside the basic plane arrives as its two units, in order.
  PostKeyDown(nullptr, WM_KEYDOWN, 0, 0, u"\U0001F600");
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  TranslateMessage(&m);
  ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 0xD83Du);
  ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 0xDE00u);
}

TEST_F(QueueTest, MessageHooksSeeTheirOwnFormAndMayRewrite) {
  std::vector<std::string> seen;
  HHOOK inner = SetWindowsHookExA(
      WH_GETMESSAGE,
      [&](int, WPARAM, LPARAM lParam) -> LRESULT {
        seen.push_back("A " + std::to_string(reinterpret_cast<MSG*>(lParam)->wParam));
        return 0;
      },
      0);
  HHOOK outer = nullptr;
  outer = SetWindowsHookExW(
      WH_GETMESSAGE,
      [&](int Code, WPARAM Remove, LPARAM lParam) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        seen.push_back("W " + std::to_string(msg->wParam) + (Remove == PM_REMOVE ? " remove" : " keep"));
        if (msg->message == WM_CHAR && msg->wParam >= 256 && Remove == PM_REMOVE) {
          msg->message = WM_NULL;
          return 0;
        }
        return CallNextHookEx(outer, Code, Remove, lParam);
      },
      0);
  PostMessageW(nullptr, WM_CHAR, 0xE9, 0);
  PostMessageW(nullptr, WM_CHAR, 0x4E2D, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 0xE9u);
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_NULL);
  EXPECT_EQ(seen, (std::vector<std::string>{"W 233 keep", "A 233", "W 233 remove", "A 233", "W 20013 remove"}));

  EXPECT_TRUE(UnhookWindowsHookEx(outer));
  EXPECT_TRUE(UnhookWindowsHookEx(inner));
  EXPECT_FALSE(UnhookWindowsHookEx(inner));
}

std::atomic<int> g_timerCalls{0};
void CountTimer(HWND, UINT, std::uintptr_t, DWORD) { ++g_timerCalls; }

TEST_F(QueueTest, TimersFireWhenDueAndRestartOnRetrieval) {
  std::uint32_t now = 1000;
  ScopedClockOverride clock({.Tick = [&] { return now; }});
  g_timerCalls = 0;
  const auto id = SetTimer(nullptr, 0, 100, &CountTimer);
  ASSERT_NE(id, 0u);
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  now += 100;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, id);
  DispatchMessage(&m);
  EXPECT_EQ(g_timerCalls.load(), 1);
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  now += 100;
  EXPECT_TRUE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_TRUE(KillTimer(nullptr, id));
  now += 1000;
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, UiTasksRunWhenDispatchedInOrderWithMessages) {
  std::vector<int> order;
  PostMessage(nullptr, WM_USER, 1, 0);
  ASSERT_TRUE(RunOnUiThread([&] { order.push_back(2); }));
  // On the user-interface thread the waiting form runs at once.
  EXPECT_TRUE(RunOnUiThreadAndWait([&] { order.push_back(0); }));
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_USER) order.push_back(static_cast<int>(m.wParam));
    DispatchMessage(&m);
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

}  // namespace
