#include "platform/core/window_system/menus.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window.h"

namespace platform {
namespace {

struct Item {
  UINT Type = MFT_STRING;
  UINT State = MFS_ENABLED;
  UINT Id = 0;
  HMENU SubMenu = nullptr;
  std::uintptr_t Data = 0;
  std::u16string Text;
  MENUBITMAP Bitmap = 0;
};

struct Menu {
  bool Popup = false;
  std::vector<Item> Items;
};

struct WindowMenu {
  HMENU Menu = nullptr;
  int Draws = 0;
};

struct State {
  std::unordered_map<std::uintptr_t, std::unique_ptr<Menu>> Menus;
  std::uintptr_t NextId = 0x20000;
  // Entries of windows that are gone are dropped as they are met.
  std::map<HWND, WindowMenu> Windows;
  MenuBarPresenter Presenter;
};

State& S() {
  static State* state = new State;
  return *state;
}

Menu* M(HMENU hMenu) {
  auto it = S().Menus.find(reinterpret_cast<std::uintptr_t>(hMenu));
  return it == S().Menus.end() ? nullptr : it->second.get();
}

Menu* MenuOrFail(HMENU hMenu) {
  Menu* m = M(hMenu);
  if (!m) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return m;
}

HMENU Make(bool Popup) {
  RequireUiThread();
  auto menu = std::make_unique<Menu>();
  menu->Popup = Popup;
  const std::uintptr_t id = S().NextId++;
  S().Menus.emplace(id, std::move(menu));
  return reinterpret_cast<HMENU>(id);
}

// Where an item is: its menu and position.
struct Place {
  Menu* Owner = nullptr;
  std::size_t Index = 0;
  Item& Get() const { return Owner->Items[Index]; }
};

bool FindByCommand(Menu& In, UINT Command, Place& Found) {
  for (std::size_t i = 0; i < In.Items.size(); ++i) {
    const Item& item = In.Items[i];
    if (item.Id == Command) {
      Found = Place{&In, i};
      return true;
    }
  }
  for (const Item& item : In.Items) {
    if (Menu* sub = M(item.SubMenu); sub && sub != &In && FindByCommand(*sub, Command, Found)) return true;
  }
  return false;
}

// Sets the last error and returns false when the menu or item is missing.
bool Locate(HMENU hMenu, UINT ItemRef, bool ByPosition, Place& Found) {
  Menu* menu = MenuOrFail(hMenu);
  if (!menu) return false;
  if (ByPosition) {
    if (ItemRef < menu->Items.size()) {
      Found = Place{menu, ItemRef};
      return true;
    }
  } else if (FindByCommand(*menu, ItemRef, Found)) {
    return true;
  }
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

std::u16string TextOf(const char16_t* Text) { return Text ? std::u16string(Text) : std::u16string(); }
std::u16string TextOf(const char* Text) { return Text ? Cp1252ToUtf16(Text) : std::u16string(); }

template <class Char>
std::basic_string<Char> Convert(const std::u16string& Text) {
  if constexpr (std::is_same_v<Char, char>) {
    return Utf16ToCp1252(Text);
  } else {
    return Text;
  }
}

template <class Char>
bool Valid(const MENUITEMINFOT<Char>* Info) {
  if (Info && Info->cbSize == sizeof(MENUITEMINFOT<Char>)) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

// A bitmap item's bitmap travels in dwTypeData under MIIM_TYPE.
template <class Char>
void Write(Item& Target, const MENUITEMINFOT<Char>& Info) {
  if (Info.fMask & MIIM_TYPE) {
    Target.Type = Info.fType;
    Target.Text.clear();
    if (Info.fType & MFT_BITMAP) {
      Target.Bitmap = reinterpret_cast<MENUBITMAP>(Info.dwTypeData);
    } else if (!(Info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
      Target.Text = TextOf(Info.dwTypeData);
    }
  }
  if (Info.fMask & MIIM_FTYPE) Target.Type = Info.fType;
  if (Info.fMask & MIIM_STRING) Target.Text = TextOf(Info.dwTypeData);
  if (Info.fMask & MIIM_BITMAP) Target.Bitmap = Info.hbmpItem;
  if (Info.fMask & MIIM_STATE) Target.State = Info.fState;
  if (Info.fMask & MIIM_ID) Target.Id = Info.wID;
  if (Info.fMask & MIIM_SUBMENU) Target.SubMenu = Info.hSubMenu;
  if (Info.fMask & MIIM_DATA) Target.Data = Info.dwItemData;
}

template <class Char>
void CopyText(const std::u16string& Text, Char* Buffer, UINT& Count) {
  const std::basic_string<Char> text = Convert<Char>(Text);
  if (!Buffer) {
    Count = static_cast<UINT>(text.size());
    return;
  }
  if (Count == 0) return;
  const std::size_t n = std::min<std::size_t>(text.size(), Count - 1);
  std::copy_n(text.data(), n, Buffer);
  Buffer[n] = Char{};
  Count = static_cast<UINT>(n);
}

template <class Char>
void Read(const Item& Source, MENUITEMINFOT<Char>& Info) {
  if (Info.fMask & (MIIM_TYPE | MIIM_FTYPE)) Info.fType = Source.Type;
  if (Info.fMask & MIIM_TYPE) {
    if (Source.Type & MFT_BITMAP) {
      Info.dwTypeData = reinterpret_cast<Char*>(Source.Bitmap);
    } else if (!(Source.Type & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
      CopyText(Source.Text, Info.dwTypeData, Info.cch);
    }
  }
  if (Info.fMask & MIIM_STRING) CopyText(Source.Text, Info.dwTypeData, Info.cch);
  if (Info.fMask & MIIM_BITMAP) Info.hbmpItem = Source.Bitmap;
  if (Info.fMask & MIIM_STATE) Info.fState = Source.State;
  if (Info.fMask & MIIM_ID) Info.wID = Source.Id;
  if (Info.fMask & MIIM_SUBMENU) Info.hSubMenu = Source.SubMenu;
  if (Info.fMask & MIIM_DATA) Info.dwItemData = Source.Data;
}

template <class Char>
bool Insert(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOT<Char>* Info) {
  RequireUiThread();
  if (!Valid(Info)) return false;
  Menu* menu = MenuOrFail(hMenu);
  if (!menu) return false;
  Item item;
  Write(item, *Info);
  if (ByPosition) {
    const std::size_t at = std::min<std::size_t>(ItemRef, menu->Items.size());
    menu->Items.insert(menu->Items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
  }
  Place place;
  if (!Locate(hMenu, ItemRef, false, place)) return false;
  place.Owner->Items.insert(place.Owner->Items.begin() + static_cast<std::ptrdiff_t>(place.Index), std::move(item));
  return true;
}

template <class Char>
bool GetInfo(HMENU hMenu, UINT ItemRef, bool ByPosition, MENUITEMINFOT<Char>* Info) {
  RequireUiThread();
  if (!Valid(Info)) return false;
  Place place;
  if (!Locate(hMenu, ItemRef, ByPosition, place)) return false;
  Read(place.Get(), *Info);
  return true;
}

template <class Char>
bool SetInfo(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOT<Char>* Info) {
  RequireUiThread();
  if (!Valid(Info)) return false;
  Place place;
  if (!Locate(hMenu, ItemRef, ByPosition, place)) return false;
  Write(place.Get(), *Info);
  return true;
}

template <class Char>
int GetString(HMENU hMenu, UINT ItemRef, Char* Buffer, int MaxCount, UINT Flags) {
  RequireUiThread();
  Place place;
  if (!Locate(hMenu, ItemRef, (Flags & MF_BYPOSITION) != 0, place)) return 0;
  UINT count = Buffer ? static_cast<UINT>(std::max(MaxCount, 0)) : 0;
  CopyText(place.Get().Text, Buffer, count);
  return static_cast<int>(count);
}

bool Take(HMENU hMenu, UINT ItemRef, UINT Flags, bool DestroySubMenu) {
  RequireUiThread();
  Place place;
  if (!Locate(hMenu, ItemRef, (Flags & MF_BYPOSITION) != 0, place)) return false;
  const HMENU sub = place.Get().SubMenu;
  place.Owner->Items.erase(place.Owner->Items.begin() + static_cast<std::ptrdiff_t>(place.Index));
  if (DestroySubMenu && sub) DestroyMenu(sub);
  return true;
}

WindowMenu* Attached(HWND hWnd) {
  auto& windows = S().Windows;
  std::erase_if(windows, [](const auto& Entry) { return !IsWindow(Entry.first); });
  auto it = windows.find(hWnd);
  return it == windows.end() ? nullptr : &it->second;
}

void Present(HWND hWnd) {
  if (S().Presenter) S().Presenter(hWnd);
}

}  // namespace

HMENU CreateMenu() { return Make(false); }
HMENU CreatePopupMenu() { return Make(true); }

bool DestroyMenu(HMENU hMenu) {
  RequireUiThread();
  auto it = S().Menus.find(reinterpret_cast<std::uintptr_t>(hMenu));
  if (it == S().Menus.end()) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
  }
  const std::unique_ptr<Menu> gone = std::move(it->second);
  S().Menus.erase(it);
  for (const Item& item : gone->Items) {
    if (item.SubMenu) DestroyMenu(item.SubMenu);
  }
  return true;
}

bool IsMenu(HMENU hMenu) {
  RequireUiThread();
  return M(hMenu) != nullptr;
}

int GetMenuItemCount(HMENU hMenu) {
  RequireUiThread();
  const Menu* m = MenuOrFail(hMenu);
  return m ? static_cast<int>(m->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int Pos) {
  RequireUiThread();
  const Menu* m = M(hMenu);
  if (!m || Pos < 0 || static_cast<std::size_t>(Pos) >= m->Items.size()) return 0xFFFFFFFFu;
  const Item& item = m->Items[static_cast<std::size_t>(Pos)];
  return item.SubMenu ? 0xFFFFFFFFu : item.Id;
}

HMENU GetSubMenu(HMENU hMenu, int Pos) {
  RequireUiThread();
  const Menu* m = M(hMenu);
  if (!m || Pos < 0 || static_cast<std::size_t>(Pos) >= m->Items.size()) return nullptr;
  return m->Items[static_cast<std::size_t>(Pos)].SubMenu;
}

bool InsertMenuItemA(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOA* Info) {
  return Insert(hMenu, ItemRef, ByPosition, Info);
}
bool InsertMenuItemW(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOW* Info) {
  return Insert(hMenu, ItemRef, ByPosition, Info);
}
bool GetMenuItemInfoA(HMENU hMenu, UINT ItemRef, bool ByPosition, MENUITEMINFOA* Info) {
  return GetInfo(hMenu, ItemRef, ByPosition, Info);
}
bool GetMenuItemInfoW(HMENU hMenu, UINT ItemRef, bool ByPosition, MENUITEMINFOW* Info) {
  return GetInfo(hMenu, ItemRef, ByPosition, Info);
}
bool SetMenuItemInfoA(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOA* Info) {
  return SetInfo(hMenu, ItemRef, ByPosition, Info);
}
bool SetMenuItemInfoW(HMENU hMenu, UINT ItemRef, bool ByPosition, const MENUITEMINFOW* Info) {
  return SetInfo(hMenu, ItemRef, ByPosition, Info);
}

bool RemoveMenu(HMENU hMenu, UINT ItemRef, UINT Flags) { return Take(hMenu, ItemRef, Flags, false); }
bool DeleteMenu(HMENU hMenu, UINT ItemRef, UINT Flags) { return Take(hMenu, ItemRef, Flags, true); }

int GetMenuStringA(HMENU hMenu, UINT ItemRef, char* Buffer, int MaxCount, UINT Flags) {
  return GetString(hMenu, ItemRef, Buffer, MaxCount, Flags);
}
int GetMenuStringW(HMENU hMenu, UINT ItemRef, char16_t* Buffer, int MaxCount, UINT Flags) {
  return GetString(hMenu, ItemRef, Buffer, MaxCount, Flags);
}

bool SetMenu(HWND hWnd, HMENU hMenu) {
  RequireUiThread();
  if (!IsWindow(hWnd) || (GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  const Menu* menu = hMenu ? MenuOrFail(hMenu) : nullptr;
  if (hMenu && (!menu || menu->Popup)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
  }
  const bool had = detail::MenuBarBand(hWnd) != 0;
  if (hMenu) {
    S().Windows[hWnd].Menu = hMenu;
  } else if (WindowMenu* attached = Attached(hWnd)) {
    attached->Menu = nullptr;
  }
  Present(hWnd);
  if (had != (hMenu != nullptr)) {
    RECT client;
    GetClientRect(hWnd, &client);
    SendMessageW(hWnd, WM_SIZE, 0, MAKELPARAM(static_cast<WORD>(client.Width()), static_cast<WORD>(client.Height())));
  }
  return true;
}

HMENU GetMenu(HWND hWnd) {
  RequireUiThread();
  const WindowMenu* attached = Attached(hWnd);
  return attached && M(attached->Menu) ? attached->Menu : nullptr;
}

bool DrawMenuBar(HWND hWnd) {
  RequireUiThread();
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  ++S().Windows[hWnd].Draws;
  Present(hWnd);
  return true;
}

int MenuBarDrawCount(HWND hWnd) {
  RequireUiThread();
  const WindowMenu* attached = Attached(hWnd);
  return attached ? attached->Draws : 0;
}

void SetMenuBarPresenter(MenuBarPresenter Presenter) {
  RequireUiThread();
  S().Presenter = std::move(Presenter);
}

namespace detail {

int MenuBarBand(HWND hWnd) { return GetMenu(hWnd) ? kMenuBarHeight : 0; }

}  // namespace detail

}  // namespace platform
