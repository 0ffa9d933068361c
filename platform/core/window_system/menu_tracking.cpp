#include "platform/core/window_system/menu_tracking.h"

#include <string>

#include "platform/core/os/errors.h"
#include "platform/core/text/case_mapping.h"
#include "platform/core/window_system/thread_check.h"

namespace platform {
namespace {

constexpr char16_t kPopupMenuClass[] = u"#32768";
constexpr UINT kNotCommand = 0xFFFFFFFFu;

MENUITEMINFOW ItemInfo(HMENU Menu, int Index) {
  MENUITEMINFOW info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  if (!GetMenuItemInfoW(Menu, static_cast<UINT>(Index), true, &info)) info.fType = MFT_SEPARATOR;
  return info;
}

bool Selectable(HMENU Menu, int Index) { return (ItemInfo(Menu, Index).fType & MFT_SEPARATOR) == 0; }

// The character after the last single "&" of the item's text, upper-cased.
char16_t Hotkey(HMENU Menu, int Index) {
  const int length = GetMenuStringW(Menu, static_cast<UINT>(Index), nullptr, 0, MF_BYPOSITION);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  GetMenuStringW(Menu, static_cast<UINT>(Index), text.data(), length + 1, MF_BYPOSITION);
  text.resize(static_cast<std::size_t>(length));
  char16_t key = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') key = CharUpperW(text[i + 1]);
    ++i;
  }
  return key;
}

}  // namespace

MenuTracker::MenuTracker(HWND Owner, HMENU Root, bool Popup, UINT Flags)
    : owner_(Owner), popup_(Popup), flags_(Flags), levels_{Level{Root, -1}} {}

void MenuTracker::Enter() {
  SendMessageW(owner_, WM_ENTERMENULOOP, popup_ ? 1 : 0, 0);
  if (popup_) SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Root()), 0);
}

int MenuTracker::LevelOf(HMENU Menu) const {
  for (std::size_t i = 0; i < levels_.size(); ++i) {
    if (levels_[i].Menu == Menu) return static_cast<int>(i);
  }
  return -1;
}

void MenuTracker::Changed() {
  if (OnChange) OnChange();
}

void MenuTracker::Select(HMENU Menu, int Index, bool ByMouse) {
  const int level = LevelOf(Menu);
  if (ended_ || level < 0 || Index >= GetMenuItemCount(Menu)) return;
  if (levels_[static_cast<std::size_t>(level)].Selected == Index) return;
  levels_.resize(static_cast<std::size_t>(level) + 1);
  levels_.back().Selected = Index;
  if (Index >= 0) {
    const MENUITEMINFOW info = ItemInfo(Menu, Index);
    UINT flags = MF_HILITE | (info.fType & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) |
                 (info.fState & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
    if (info.hSubMenu) flags |= MF_POPUP;
    if (ByMouse) flags |= MF_MOUSESELECT;
    const UINT item = info.hSubMenu ? static_cast<UINT>(Index) : info.wID;
    SendMessageW(owner_, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(item), static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(Menu));
  }
  Changed();
}

HMENU MenuTracker::Open(HMENU Menu, int Index) {
  const int level = LevelOf(Menu);
  if (ended_ || level < 0) return nullptr;
  const HMENU sub = GetSubMenu(Menu, Index);
  if (!sub) return nullptr;
  Select(Menu, Index, false);
  const auto next = static_cast<std::size_t>(level) + 1;
  if (ended_ || LevelOf(Menu) != level || levels_[next - 1].Selected != Index) return nullptr;
  if (levels_.size() > next && levels_[next].Menu == sub) return sub;
  levels_.resize(next);
  levels_.push_back(Level{sub, -1});
  SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(static_cast<WORD>(Index), 0));
  Changed();
  return sub;
}

void MenuTracker::Choose(HMENU Menu, int Index) {
  if (ended_ || LevelOf(Menu) < 0 || Index < 0) return;
  const MENUITEMINFOW info = ItemInfo(Menu, Index);
  if ((info.fType & MFT_SEPARATOR) || (info.fState & MFS_DISABLED)) return;
  if (info.hSubMenu) {
    if (Open(Menu, Index)) Move(+1);
    return;
  }
  Select(Menu, Index, false);
  End(info.wID);
}

void MenuTracker::Cancel() { End(0); }

void MenuTracker::CloseInnermost() {
  if (ended_ || levels_.size() < 2) return;
  levels_.pop_back();
  Changed();
}

void MenuTracker::End(UINT Command) {
  if (ended_) return;
  ended_ = true;
  command_ = Command == kNotCommand ? 0 : Command;
  Changed();
}

// The next selectable item of the innermost menu, round its end.
void MenuTracker::Move(int Step) {
  const Level& level = levels_.back();
  const int count = GetMenuItemCount(level.Menu);
  int at = level.Selected;
  for (int tried = 0; tried < count; ++tried) {
    at = at < 0 ? (Step > 0 ? 0 : count - 1) : (at + Step + count) % count;
    if (Selectable(level.Menu, at)) {
      Select(level.Menu, at, false);
      return;
    }
  }
}

bool MenuTracker::Key(UINT VirtualKey) {
  if (ended_) return false;
  const Level level = levels_.back();
  switch (VirtualKey) {
    case VK_UP:
      Move(-1);
      return true;
    case VK_DOWN:
      Move(+1);
      return true;
    case VK_RIGHT:
      if (level.Selected >= 0 && Open(level.Menu, level.Selected)) Move(+1);
      return true;
    case VK_LEFT:
      CloseInnermost();
      return true;
    case VK_ESCAPE:
      if (levels_.size() > 1) {
        CloseInnermost();
      } else {
        Cancel();
      }
      return true;
    case VK_RETURN:
      if (level.Selected >= 0) Choose(level.Menu, level.Selected);
      return true;
    case VK_MENU:
      Cancel();
      return true;
    default:
      return false;
  }
}

bool MenuTracker::Char(char16_t Character) {
  if (ended_) return false;
  const Level level = levels_.back();
  const char16_t key = CharUpperW(Character);
  const int count = GetMenuItemCount(level.Menu);
  int first = -1, matches = 0, next = -1;
  for (int i = 0; i < count; ++i) {
    if (!Selectable(level.Menu, i) || Hotkey(level.Menu, i) != key) continue;
    ++matches;
    if (first < 0) first = i;
    if (next < 0 && i > level.Selected) next = i;
  }
  if (matches == 0) return false;
  if (matches == 1) {
    Choose(level.Menu, first);
  } else {
    Select(level.Menu, next >= 0 ? next : first, false);
  }
  return true;
}

void MenuTracker::Finish(bool ReturnCommand) {
  if (finished_) return;
  finished_ = true;
  ended_ = true;
  SendMessageW(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageW(owner_, WM_EXITMENULOOP, popup_ ? 1 : 0, 0);
  if (command_ && !ReturnCommand) PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command_), 0), 0);
}

// ------------------------------------------------------ popup menu windows

namespace {

MenuTracker* TrackerOf(HWND hWnd) { return reinterpret_cast<MenuTracker*>(GetWindowLong(hWnd, GWL_USERDATA)); }

LRESULT PopupMenuProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  MenuTracker* tracker = TrackerOf(hWnd);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  switch (Msg) {
    case WM_NCCREATE:
      SetWindowLong(hWnd, GWL_USERDATA,
                    reinterpret_cast<LPARAM>(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams));
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (tracker) tracker->Key(static_cast<UINT>(wParam));
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (tracker) tracker->Char(static_cast<char16_t>(wParam));
      return 0;
    case MN_GETHMENU:
      return tracker ? reinterpret_cast<LRESULT>(tracker->Root()) : 0;
    case MN_SELECTITEM:
      if (tracker) tracker->Select(menu, index, true);
      return 0;
    case MN_OPENHIERARCHY:
      return tracker ? reinterpret_cast<LRESULT>(tracker->Open(menu, index)) : 0;
    case MN_BUTTONUP:
      if (tracker) tracker->Choose(menu, index);
      return 0;
    case MN_CANCELMENUS:
    case WM_CANCELMODE:
      if (tracker) tracker->Cancel();
      return 0;
    default:
      return DefWindowProcW(hWnd, Msg, wParam, lParam);
  }
}

bool IsButtonDown(UINT Msg) {
  return Msg == WM_LBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_MBUTTONDOWN || Msg == WM_LBUTTONDBLCLK ||
         Msg == WM_RBUTTONDBLCLK || Msg == WM_MBUTTONDBLCLK;
}

bool g_tracking = false;

}  // namespace

void RegisterPopupMenuClass() {
  RequireUiThread();
  if (GetClassInfoW(kPopupMenuClass, nullptr)) return;
  WNDCLASS wc;
  wc.lpfnWndProc = MakeWndProc<&PopupMenuProc>(true);
  wc.lpszClassName = kPopupMenuClass;
  RegisterClassW(wc);
}

const MenuTracker* PopupMenuTracker(HWND hWnd) {
  RequireUiThread();
  return GetClassNameW(hWnd) == kPopupMenuClass ? TrackerOf(hWnd) : nullptr;
}

UINT TrackPopupMenu(HMENU hMenu, UINT Flags, int X, int Y, HWND Owner) {
  RequireUiThread();
  if (!IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return 0;
  }
  if (!IsWindow(Owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (g_tracking) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return 0;
  }
  RegisterPopupMenuClass();
  g_tracking = true;
  struct Tracking {
    ~Tracking() { g_tracking = false; }
  } tracking;
  const bool returnCommand = (Flags & TPM_RETURNCMD) != 0;
  MenuTracker tracker(Owner, hMenu, true, Flags);
  tracker.Enter();
  HWND window = nullptr;
  if (GetMenuItemCount(hMenu) > 0 && IsWindow(Owner)) {
    window = CreateWindowExW(0, kPopupMenuClass, u"", WS_POPUP, X, Y, 0, 0, Owner, 0, nullptr, &tracker);
  }
  bool quit = false;
  int quitCode = 0;
  if (window) {
    tracker.OnChange = [window, &tracker] {
      if (auto* listener = dynamic_cast<MenuWindowListener*>(GetWindowPeer(window))) listener->MenuChanged(tracker);
      // The loop may be waiting for a message.
      if (tracker.Ended()) PostMessageW(window, WM_NULL, 0, 0);
    };
    ShowWindow(window, SW_SHOWNA);
    while (!tracker.Ended() && IsWindow(window)) {
      MSG msg;
      if (!GetMessageW(&msg, nullptr, 0, 0)) {
        quit = true;
        quitCode = static_cast<int>(msg.wParam);
        break;
      }
      // The keyboard belongs to the menu while it runs; a click elsewhere
      // closes it.
      if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        msg.hwnd = window;
      } else if (IsButtonDown(msg.message) && msg.hwnd != window) {
        tracker.Cancel();
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    tracker.OnChange = nullptr;
    SetWindowLong(window, GWL_USERDATA, 0);
    DestroyWindow(window);
  }
  tracker.Finish(returnCommand);
  if (quit) PostQuitMessage(quitCode);
  return returnCommand ? tracker.Command() : 1;
}

}  // namespace platform
