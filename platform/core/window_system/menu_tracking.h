#pragma once
// Menu loops: the user moving through a window's menu bar or a popup menu
// and choosing an item or leaving. The owner window hears it as the window
// system tells it: WM_ENTERMENULOOP (wParam true for a popup menu),
// WM_INITMENUPOPUP as each popup menu opens (wParam the menu, lParam the
// position of the item that opened it), WM_MENUSELECT as the selection
// moves (wParam: the command, or for an item with a sub-menu its position,
// and in the high word the item's MF_ flags; lParam the menu holding it),
// WM_MENUSELECT with flags 0xFFFF and menu 0 when the loop closes, then
// WM_EXITMENULOOP, and WM_COMMAND (posted) for the chosen command.
//
// A popup menu runs in a window of its own (class "#32768") that the
// presentation shows. While it runs, the keys of the thread go to that
// window: Up and Down move the selection, Right (or Enter) opens a
// sub-menu, Left closes one, Enter chooses, Escape closes a sub-menu or the
// menu, and a character chooses the item whose hot key it is. The pointer
// reaches it as the presentation's MN_ messages.

#include <functional>
#include <vector>

#include "platform/core/window_system/menus.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"

namespace platform {

constexpr UINT WM_INITMENU = 0x0116;
// The messages of a popup menu's window: lParam names one of the open
// menus, wParam an item's position in it.
// The menu the window shows (no parameters).
constexpr UINT MN_GETHMENU = 0x01E1;
// The item's sub-menu opens.
constexpr UINT MN_OPENHIERARCHY = 0x01E3;
// The pointer is over the item (wParam -1: over none).
constexpr UINT MN_SELECTITEM = 0x01E5;
// The menu closes without a choice.
constexpr UINT MN_CANCELMENUS = 0x01E6;
// The pointer was released over the item: it is chosen.
constexpr UINT MN_BUTTONUP = 0x01EF;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_RETURNCMD = 0x0100;
constexpr UINT TPM_LAYOUTRTL = 0x8000;

// One menu loop.
class MenuTracker {
 public:
  // An open menu and the position of its selected item (-1: none).
  struct Level {
    HMENU Menu = nullptr;
    int Selected = -1;
  };

  // Root is the owner's menu bar, or a popup menu when Popup is set
  // (Flags: how TrackPopupMenu shows it).
  MenuTracker(HWND Owner, HMENU Root, bool Popup, UINT Flags = 0);
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  // WM_ENTERMENULOOP, and for a popup menu its WM_INITMENUPOPUP.
  void Enter();
  // The selection moves to item Index of Menu, an open menu; the menus
  // opened below it close unless it stays where it was.
  void Select(HMENU Menu, int Index, bool ByMouse);
  // Selects the item and opens its sub-menu; the sub-menu, or null.
  HMENU Open(HMENU Menu, int Index);
  // An item with a sub-menu opens it; a separator or disabled item does
  // nothing; any other ends the loop with its command.
  void Choose(HMENU Menu, int Index);
  void Cancel();
  // The innermost open sub-menu closes.
  void CloseInnermost();
  // Navigation keys and hot-key characters; true when the key was one.
  bool Key(UINT VirtualKey);
  bool Char(char16_t Character);
  // Closes the loop (once): the closing WM_MENUSELECT, WM_EXITMENULOOP,
  // and unless ReturnCommand, WM_COMMAND posted for a chosen command.
  void Finish(bool ReturnCommand = false);

  bool Ended() const { return ended_; }
  // The chosen command, 0 when none.
  UINT Command() const { return command_; }
  HMENU Root() const { return levels_.front().Menu; }
  UINT Flags() const { return flags_; }
  const std::vector<Level>& Levels() const { return levels_; }
  // Called after the open menus or the selection changed.
  std::function<void()> OnChange;

 private:
  int LevelOf(HMENU Menu) const;
  void Changed();
  void Move(int Step);
  void End(UINT Command);

  HWND owner_;
  bool popup_;
  UINT flags_;
  std::vector<Level> levels_;
  bool ended_ = false;
  bool finished_ = false;
  UINT command_ = 0;
};

// What the presentation puts behind a popup menu's window offers besides
// being its peer: it is told after the window's menu loop changed its open
// menus or selection.
class MenuWindowListener {
 public:
  virtual void MenuChanged(const MenuTracker& Tracker) = 0;

 protected:
  ~MenuWindowListener() = default;
};

// The class of popup menu windows; the presentation registers it with its
// peer factory, and TrackPopupMenu registers it when nobody has.
void RegisterPopupMenuClass();

// Shows a popup menu at X, Y (on the screen; with TPM_RIGHTALIGN its right
// edge there, with TPM_LAYOUTRTL right to left) for Owner and runs its loop
// until an item is chosen or the menu closes. True when the menu was shown;
// with TPM_RETURNCMD the chosen command instead (0: none), and nothing is
// posted. A quit message ends the loop and is posted again. Fails with
// ERROR_POPUP_ALREADY_ACTIVE while another popup menu runs.
UINT TrackPopupMenu(HMENU hMenu, UINT Flags, int X, int Y, HWND Owner);

// The loop of a popup menu's window, while it runs; null otherwise.
const MenuTracker* PopupMenuTracker(HWND hWnd);

}  // namespace platform
