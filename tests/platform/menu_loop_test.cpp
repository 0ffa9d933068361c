#include "platform/core/window_system/menu_tracking.h"

#include <gtest/gtest.h>

#include <QMenu>

#include <string>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace {

using namespace platform;

// What the owner of a menu hears, in words: "select 12", "select 2 popup"
// (an item that opens a sub-menu, by position), "select closed".
std::vector<std::string> g_heard;
HMENU g_root = nullptr;

std::string MenuName(HMENU Menu) { return Menu == g_root ? "root" : "sub"; }

LRESULT OwnerProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_ENTERMENULOOP:
      g_heard.push_back("enter " + std::to_string(wParam));
      break;
    case WM_EXITMENULOOP:
      g_heard.push_back("exit " + std::to_string(wParam));
      break;
    case WM_INITMENUPOPUP:
      g_heard.push_back("init " + MenuName(reinterpret_cast<HMENU>(wParam)) + " " + std::to_string(LOWORD(lParam)));
      break;
    case WM_MENUSELECT:
      if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        g_heard.push_back("select closed");
      } else {
        g_heard.push_back("select " + std::to_string(LOWORD(wParam)) + ((HIWORD(wParam) & MF_POPUP) ? " popup" : "") +
                          " in " + MenuName(reinterpret_cast<HMENU>(lParam)));
      }
      break;
    case WM_COMMAND:
      g_heard.push_back("command " + std::to_string(LOWORD(wParam)));
      break;
    default:
      break;
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

void Add(HMENU Menu, UINT Id, std::u16string Text, UINT Type = MFT_STRING, UINT State = 0, HMENU Sub = nullptr) {
  MENUITEMINFOW info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_SUBMENU;
  info.wID = Id;
  info.fType = Type;
  info.fState = State;
  info.hSubMenu = Sub;
  info.dwTypeData = Text.data();
  InsertMenuItemW(Menu, GetMenuItemCount(Menu), true, &info);
}

HWND FindMenuWindow() {
  for (HWND h : GetThreadWindows()) {
    if (GetClassNameW(h) == u"#32768") return h;
  }
  return nullptr;
}

// A popup menu: Open, a line, Recent (one, two), a disabled item, Exit.
class MenuLoop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override {
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&OwnerProc>(true);
    wc.lpszClassName = u"MenuOwner";
    RegisterClassW(wc);
    Owner = CreateWindowExW(0, u"MenuOwner", u"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, 0, nullptr, nullptr);
    g_root = CreatePopupMenu();
    Sub = CreatePopupMenu();
    Add(Sub, 11, u"one");
    Add(Sub, 12, u"two");
    Add(g_root, 1, u"&Open\tCtrl+O");
    Add(g_root, 0, u"", MFT_SEPARATOR);
    Add(g_root, 2, u"&Recent", MFT_STRING, 0, Sub);
    Add(g_root, 3, u"Disabled", MFT_STRING, MFS_DISABLED);
    Add(g_root, 4, u"E&xit");
    g_heard.clear();
  }
  void TearDown() override {
    DestroyMenu(g_root);
    DestroyWindow(Owner);
    UnregisterClassW(u"MenuOwner");
    Application->ProcessMessages();
  }
  void Keys(std::initializer_list<UINT> Keys) {
    for (UINT k : Keys) PostMessageW(Owner, WM_KEYDOWN, k, 0);
  }
  // Runs the menu; the messages posted meanwhile are handled after.
  UINT Track(UINT Flags = 0) {
    const UINT result = TrackPopupMenu(g_root, Flags, 30, 40, Owner);
    Application->ProcessMessages();
    return result;
  }

  HWND Owner = nullptr;
  HMENU Sub = nullptr;
};

TEST_F(MenuLoop, KeysMoveThroughTheMenuAndChooseAnItem) {
  // Down past the line to Recent, into it, down to two, chosen.
  Keys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  EXPECT_EQ(Track(), 1u);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"enter 1", "init root 0", "select 1 in root", "select 2 popup in root",
                                               "init sub 2", "select 11 in sub", "select 12 in sub", "select closed",
                                               "exit 1", "command 12"}));
}

TEST_F(MenuLoop, EscapeLeavesASubMenuThenTheMenuAndDisabledItemsAreNotChosen) {
  Keys({VK_UP, VK_UP, VK_RETURN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_ESCAPE});
  Track();
  EXPECT_EQ(g_heard, (std::vector<std::string>{"enter 1", "init root 0", "select 4 in root", "select 3 in root",
                                               "select 4 in root", "select closed", "exit 1"}));
  // A hot key chooses its item; a command can be returned instead of sent.
  g_heard.clear();
  PostMessageW(Owner, WM_CHAR, u'x', 0);
  EXPECT_EQ(Track(TPM_RETURNCMD), 4u);
  EXPECT_EQ(g_heard.back(), "exit 1");
}

TEST_F(MenuLoop, ThePointerReachesTheLoopAsTheMenuWindowsMessages) {
  QStringList shown;
  bool open = false;
  RunOnUiThread([&] {
    HWND menuWindow = FindMenuWindow();
    ASSERT_TRUE(menuWindow);
    auto* qmenu = qobject_cast<QMenu*>(ui::WidgetOf(menuWindow));
    if (!qmenu) {
      // The loop would wait for a choice no one makes.
      ADD_FAILURE() << "the menu window shows no Qt menu";
      SendMessageW(menuWindow, MN_CANCELMENUS, 0, 0);
      return;
    }
    open = qmenu->isVisible();
    SendMessageW(menuWindow, MN_SELECTITEM, 4, reinterpret_cast<LPARAM>(g_root));
    shown.push_back(qmenu->activeAction() ? qmenu->activeAction()->text() : QString());
    for (QAction* a : qmenu->actions()) shown.push_back(a->isSeparator() ? "-" : a->text());
    // The picture is kept for a person to look at.
    EXPECT_TRUE(ui::SaveWindowImage(menuWindow, "popup_menu.png"));
    SendMessageW(menuWindow, MN_OPENHIERARCHY, 2, reinterpret_cast<LPARAM>(g_root));
    SendMessageW(menuWindow, MN_BUTTONUP, 0, reinterpret_cast<LPARAM>(Sub));
  });
  Track();
  EXPECT_TRUE(open);
  EXPECT_EQ(shown, (QStringList{"E&xit", "&Open\tCtrl+O", "-", "&Recent", "Disabled", "E&xit"}));
  EXPECT_EQ(g_heard,
            (std::vector<std::string>{"enter 1", "init root 0", "select 4 in root", "select 2 popup in root",
                                      "init sub 2", "select 11 in sub", "select closed", "exit 1", "command 11"}));
}

TEST_F(MenuLoop, OneMenuRunsAtATimeAndAQuitEndsIt) {
  UINT nested = 1;
  std::uint32_t error = 0;
  RunOnUiThread([&] {
    nested = TrackPopupMenu(g_root, 0, 0, 0, Owner);
    error = GetLastError();
    PostQuitMessage(3);
  });
  TrackPopupMenu(g_root, 0, 30, 40, Owner);
  EXPECT_EQ(nested, 0u);
  EXPECT_EQ(error, ERROR_POPUP_ALREADY_ACTIVE);
  EXPECT_EQ(g_heard.back(), "exit 1");
  // The quit is there again for the loop that waits for it.
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(FindMenuWindow(), nullptr);
}

TEST(PopupMenus, AChosenItemIsClickedAndTheApplicationHintFollowsTheSelection) {
  InitializeApplication();
  TPopupMenu menu(nullptr);
  auto* open = new TMenuItem(&menu);
  open->SetCaption("&Open");
  open->Hint = "Open|Opens a file";
  auto* more = new TMenuItem(&menu);
  more->SetCaption("&More");
  more->Hint = "More|Further choices";
  auto* extra = new TMenuItem(&menu);
  extra->SetCaption("Extra");
  menu.Items()->Add(open);
  menu.Items()->Add(more);
  more->Add(extra);
  std::vector<std::string> seen;
  int openedMore = 0;
  more->OnClick = [&](TObject*) { ++openedMore; };
  extra->OnClick = [&](TObject*) { seen.push_back("extra clicked"); };
  const int hook = Application->HookMainWindow([&](TMessage& M) {
    if (M.Msg == CM_ACTIONEXECUTE) seen.push_back("hint " + Application->Hint());
    return false;
  });
  Application->SetHint("before");
  seen.clear();
  PostMessageW(nullptr, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(nullptr, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(nullptr, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(nullptr, WM_KEYDOWN, VK_RETURN, 0);
  menu.Popup(10, 10);
  Application->ProcessMessages();
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(openedMore, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"hint Opens a file", "hint Further choices", "hint ", "extra clicked"}));
}

}  // namespace
