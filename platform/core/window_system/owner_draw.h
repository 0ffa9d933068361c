#pragma once
// Items that the owner of a list or combo box draws: the styles that ask
// for it, the records WM_MEASUREITEM and WM_DRAWITEM carry to the owner
// (the control's parent window), and what an item's state and the wanted
// drawing are. The control answers for the item's place and state; the
// owner paints into the record's device context within rcItem.

#include <cstdint>

#include "platform/core/window_system/wintypes.h"

namespace platform {

struct HDC__;
using HDC = HDC__*;

constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;

// The height of every item (owner-drawn fixed lists: wParam 0) or of one
// (variable lists: wParam its index).
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;

// The kinds of control.
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;

// What to draw.
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;

// The item's state.
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
// The closed combo box's face, not an item of its open list.
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

// NOLINTBEGIN(readability-identifier-naming)
struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  std::uintptr_t itemData = 0;
};

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  // The item's index; -1 (as an unsigned value) for an empty list.
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  RECT rcItem;
  std::uintptr_t itemData = 0;
};
// NOLINTEND(readability-identifier-naming)

}  // namespace platform
