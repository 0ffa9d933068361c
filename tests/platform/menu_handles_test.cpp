#include "platform/core/window_system/menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/menu_test_helpers.h"

namespace {

using namespace platform;
using menutest::MenuString;

class MenuHandles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void TearDown() override {
    for (HMENU m : Made) DestroyMenu(m);
  }
  HMENU Popup() { return Made.emplace_back(CreatePopupMenu()); }

  static bool Insert(HMENU Menu, UINT Position, UINT Id, std::u16string Text, HMENU Sub = nullptr) {
    MENUITEMINFOW info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    info.wID = Id;
    info.dwTypeData = Text.data();
    info.hSubMenu = Sub;
    return InsertMenuItemW(Menu, Position, true, &info);
  }

  std::vector<HMENU> Made;
};

TEST_F(MenuHandles, ItemsKeepUtf16TextThatTheEightBitCallsSeeInCodePage1252) {
  HMENU menu = Popup();
  ASSERT_TRUE(Insert(menu, 0, 10, u"Ωμέγα"));
  MENUITEMINFOA ansi;
  ansi.fMask = MIIM_STRING;
  std::string caf = "Caf\xE9";
  ansi.dwTypeData = caf.data();
  ASSERT_TRUE(InsertMenuItemA(menu, 1, true, &ansi));
  EXPECT_EQ(MenuString(menu, 10, MF_BYCOMMAND), u"Ωμέγα");
  EXPECT_EQ(MenuString(menu, 1, MF_BYPOSITION), u"Café");
  char buffer[16] = {};
  EXPECT_EQ(GetMenuStringA(menu, 0, buffer, sizeof buffer, MF_BYPOSITION), 5);
  EXPECT_STREQ(buffer, "?????");
  // A short buffer takes what fits and a terminator.
  char16_t shortBuffer[3] = {};
  EXPECT_EQ(GetMenuStringW(menu, 10, shortBuffer, 3, MF_BYCOMMAND), 2);
  EXPECT_EQ(std::u16string(shortBuffer), u"Ωμ");

  // The type flags say what an item holds: a bitmap item's bitmap comes
  // back in place of text, a separator holds none.
  MENUITEMINFOW bitmap;
  bitmap.fMask = MIIM_TYPE;
  bitmap.fType = MFT_BITMAP;
  bitmap.dwTypeData = reinterpret_cast<char16_t*>(std::uintptr_t{0x1234});
  ASSERT_TRUE(SetMenuItemInfoW(menu, 1, true, &bitmap));
  MENUITEMINFOW read;
  read.fMask = MIIM_TYPE;
  ASSERT_TRUE(GetMenuItemInfoW(menu, 1, true, &read));
  EXPECT_EQ(read.fType, MFT_BITMAP);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(read.dwTypeData), 0x1234u);
  EXPECT_EQ(MenuString(menu, 1, MF_BYPOSITION), u"");
}

TEST_F(MenuHandles, CommandsAreFoundInSubMenusAndSubMenusGoWithTheirMenu) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  ASSERT_TRUE(Insert(recent, 0, 31, u"one"));
  ASSERT_TRUE(Insert(file, 0, 20, u"Open"));
  ASSERT_TRUE(Insert(file, 1, 0, u"Recent", recent));
  ASSERT_TRUE(Insert(bar, 0, 0, u"File", file));
  EXPECT_EQ(MenuString(bar, 31, MF_BYCOMMAND), u"one");
  EXPECT_EQ(GetSubMenu(bar, 0), file);
  EXPECT_EQ(GetMenuItemID(file, 1), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuItemID(file, 0), 20u);
  // Inserting by command puts the new item before that one, where it is.
  MENUITEMINFOW before;
  before.fMask = MIIM_ID | MIIM_STRING;
  before.wID = 30;
  std::u16string zero = u"zero";
  before.dwTypeData = zero.data();
  ASSERT_TRUE(InsertMenuItemW(bar, 31, false, &before));
  EXPECT_EQ(GetMenuItemID(recent, 0), 30u);

  // RemoveMenu leaves the sub-menu to its holder, DestroyMenu takes the
  // sub-menus the menu still holds.
  ASSERT_TRUE(RemoveMenu(file, 1, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(recent));
  ASSERT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(file));
  EXPECT_TRUE(IsMenu(recent));
  EXPECT_TRUE(DestroyMenu(recent));
}

TEST_F(MenuHandles, FailuresReturnFalseWithTheirReason) {
  HMENU menu = Popup();
  ASSERT_TRUE(Insert(menu, 0, 7, u"Seven"));
  MENUITEMINFOW info;
  info.fMask = MIIM_STRING;
  std::u16string text = u"x";
  info.dwTypeData = text.data();
  SetLastError(0);
  EXPECT_FALSE(SetMenuItemInfoW(menu, 8, false, &info));
  EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
  EXPECT_EQ(GetMenuStringW(menu, 3, nullptr, 0, MF_BYPOSITION), 0);
  info.cbSize = 4;
  EXPECT_FALSE(SetMenuItemInfoW(menu, 7, false, &info));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  info.cbSize = sizeof info;
  EXPECT_FALSE(SetMenuItemInfoW(gone, 0, true, &info));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
  EXPECT_FALSE(DestroyMenu(gone));
  EXPECT_EQ(GetMenuItemCount(gone), -1);
}

// Records what the window hears of its menu bar and size.
std::vector<std::string> g_heard;
LRESULT HearingProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_SIZE) g_heard.push_back("size " + std::to_string(HIWORD(static_cast<WPARAM>(lParam))));
  if (Msg == WM_WINDOWPOSCHANGING) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    g_heard.push_back("changing " + std::to_string(pos->x));
    // The window keeps itself at least 100 pixels in from the left.
    pos->x = std::max(pos->x, 100);
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

TEST_F(MenuHandles, AWindowsMenuBarStandsAboveItsClientArea) {
  WNDCLASS wc;
  wc.lpfnWndProc = MakeWndProc<&HearingProc>(true);
  wc.lpszClassName = u"MenuBarHost";
  RegisterClassW(wc);
  g_heard.clear();
  HWND window = CreateWindowExW(0, u"MenuBarHost", u"", WS_OVERLAPPED, 120, 80, 300, 200, nullptr, 0, nullptr, nullptr);
  ASSERT_TRUE(window);
  HWND child = CreateWindowExW(0, u"MenuBarHost", u"", WS_CHILD, 0, 0, 10, 10, window, 5, nullptr, nullptr);
  HMENU bar = CreateMenu();
  ASSERT_TRUE(Insert(bar, 0, 1, u"File"));

  EXPECT_FALSE(SetMenu(child, bar));
  EXPECT_FALSE(SetMenu(window, Popup()));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
  ASSERT_TRUE(SetMenu(window, bar));
  EXPECT_EQ(GetMenu(window), bar);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.Height(), 200 - kMenuBarHeight);
  POINT origin{0, 0};
  ClientToScreen(child, &origin);
  EXPECT_EQ(origin.y, 80 + kMenuBarHeight);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer, (RECT{120, 80, 420, 280}));
  EXPECT_EQ(g_heard, (std::vector<std::string>{"size " + std::to_string(200 - kMenuBarHeight)}));

  const int draws = MenuBarDrawCount(window);
  EXPECT_TRUE(DrawMenuBar(window));
  EXPECT_EQ(MenuBarDrawCount(window), draws + 1);

  // Moving asks the window first, which may change the move.
  g_heard.clear();
  SetWindowPos(window, nullptr, 20, 80, 300, 180, SWP_NOZORDER);
  EXPECT_EQ(GetWindowBounds(window).left, 100);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"changing 20", "size " + std::to_string(180 - kMenuBarHeight)}));

  ASSERT_TRUE(SetMenu(window, nullptr));
  GetClientRect(window, &client);
  EXPECT_EQ(client.Height(), 180);
  ASSERT_TRUE(SetMenu(window, bar));
  DestroyWindow(window);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_FALSE(DrawMenuBar(window));
  EXPECT_TRUE(DestroyMenu(bar));
  UnregisterClassW(u"MenuBarHost");
}

}  // namespace
