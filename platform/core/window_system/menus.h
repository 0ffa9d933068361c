#pragma once
// The window system's menus: menus by handle, their items (a command
// identifier or a sub-menu, type flags, state, text or bitmap, item data),
// a window's menu bar, and the calls that read and change them. Menus are
// data here; the presentation shows a window's menu bar and the popup menus
// a menu loop opens (menu_tracking.h).
//
// Item text is kept as UTF-16. The A calls take and give it in code page
// 1252, so text written through them holds only what that page can.
// A failing call returns false (0) and leaves its reason in the last error.
// Every call belongs to the user-interface thread.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/core/window_system/wintypes.h"

namespace platform {

struct HMENU__;
using HMENU = HMENU__*;
using MENUBITMAP = std::uintptr_t;

constexpr std::uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr std::uint32_t ERROR_INVALID_MENU_HANDLE = 1401;
constexpr std::uint32_t ERROR_POPUP_ALREADY_ACTIVE = 1446;
constexpr std::uint32_t ERROR_MENU_ITEM_NOT_FOUND = 1456;

// Item types (fType) and the MF_ flags of the same meaning.
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_BITMAP = 0x0004;
constexpr UINT MFT_MENUBARBREAK = 0x0020;
constexpr UINT MFT_MENUBREAK = 0x0040;
constexpr UINT MFT_OWNERDRAW = 0x0100;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = 0x0800;
// On a menu's first item: the menu reads and cascades right to left.
constexpr UINT MFT_RIGHTORDER = 0x2000;
constexpr UINT MFT_RIGHTJUSTIFY = 0x4000;
// Item states (fState).
constexpr UINT MFS_ENABLED = 0x0000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = 0x0008;
constexpr UINT MFS_HILITE = 0x0080;
constexpr UINT MFS_DEFAULT = 0x1000;
// Flags of calls that name an item, and of WM_MENUSELECT.
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BITMAP = 0x0004;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_MOUSESELECT = 0x8000;
// What a MENUITEMINFO call reads or writes (fMask). MIIM_TYPE is the type
// and the text together (a bitmap item's bitmap in dwTypeData's place).
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

// NOLINTBEGIN(readability-identifier-naming)
// On reading text, cch gives the buffer's size in characters and returns
// the length copied (without the terminator); with no buffer it returns
// the text's length.
template <class Char>
struct MENUITEMINFOT {
  UINT cbSize = sizeof(MENUITEMINFOT);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  std::uintptr_t dwItemData = 0;
  Char* dwTypeData = nullptr;
  UINT cch = 0;
  MENUBITMAP hbmpItem = 0;
};
// NOLINTEND(readability-identifier-naming)
using MENUITEMINFOA = MENUITEMINFOT<char>;
using MENUITEMINFOW = MENUITEMINFOT<char16_t>;

// A menu bar (for a window) and a popup menu (a menu bar's drop-down, a
// sub-menu, a shortcut menu).
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the sub-menus its items still hold.
bool DestroyMenu(HMENU hMenu);
bool IsMenu(HMENU hMenu);
// -1 for a handle that is not a menu.
int GetMenuItemCount(HMENU hMenu);
// The command of the item at Pos; 0xFFFFFFFF for an item with a sub-menu
// or no item.
UINT GetMenuItemID(HMENU hMenu, int Pos);
HMENU GetSubMenu(HMENU hMenu, int Pos);

// Item names a position (ByPosition, past the end: appended) or a command
// (an item with a sub-menu has one too), which is looked for in the
// sub-menus as well; inserting by command puts the new item before that
// one.
bool InsertMenuItemA(HMENU hMenu, UINT Item, bool ByPosition, const MENUITEMINFOA* Info);
bool InsertMenuItemW(HMENU hMenu, UINT Item, bool ByPosition, const MENUITEMINFOW* Info);
bool GetMenuItemInfoA(HMENU hMenu, UINT Item, bool ByPosition, MENUITEMINFOA* Info);
bool GetMenuItemInfoW(HMENU hMenu, UINT Item, bool ByPosition, MENUITEMINFOW* Info);
bool SetMenuItemInfoA(HMENU hMenu, UINT Item, bool ByPosition, const MENUITEMINFOA* Info);
bool SetMenuItemInfoW(HMENU hMenu, UINT Item, bool ByPosition, const MENUITEMINFOW* Info);
// Flags MF_BYCOMMAND or MF_BYPOSITION. RemoveMenu keeps the item's
// sub-menu; DeleteMenu destroys it.
bool RemoveMenu(HMENU hMenu, UINT Item, UINT Flags);
bool DeleteMenu(HMENU hMenu, UINT Item, UINT Flags);
// Copies at most MaxCount - 1 characters and a terminator; returns the
// count copied, or with no buffer the text's length; 0 when there is no
// such item.
int GetMenuStringA(HMENU hMenu, UINT Item, char* Buffer, int MaxCount, UINT Flags);
int GetMenuStringW(HMENU hMenu, UINT Item, char16_t* Buffer, int MaxCount, UINT Flags);

// The menu bar of a top-level window (null: none). A window with a menu
// bar has it above its client area, which is that much shorter; setting
// or removing it sends the window WM_SIZE with the new client size.
bool SetMenu(HWND hWnd, HMENU hMenu);
HMENU GetMenu(HWND hWnd);
// Shows the window's menu bar again after its items changed.
bool DrawMenuBar(HWND hWnd);
// How often DrawMenuBar was called for the window.
int MenuBarDrawCount(HWND hWnd);

// The height of a menu bar (SM_CYMENU).
constexpr int kMenuBarHeight = 20;

// What the presentation puts behind menu bars: told when a window's menu
// bar is set, removed or redrawn.
using MenuBarPresenter = std::function<void(HWND hWnd)>;
void SetMenuBarPresenter(MenuBarPresenter Presenter);

namespace detail {
// The height of the window's menu bar, 0 without one: the band above its
// client area.
int MenuBarBand(HWND hWnd);
}  // namespace detail

}  // namespace platform
