#pragma once
// The list view class (SysListView32): a list of items, each a text and a
// value, of which one may be selected. Its messages take an LVITEM of
// their kind (A: code page 1252, W: UTF-16); the user's selection is
// announced to the parent with LVN_ITEMCHANGED.

#include "platform/core/window_system/messages.h"

namespace platform {

constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_INSERTITEMA = 0x1007;
constexpr UINT LVM_DELETEITEM = 0x1008;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
// wParam the item to start after (-1: from the start), lParam LVNI_.
constexpr UINT LVM_GETNEXTITEM = 0x100C;
// wParam the item (-1: every item), lParam an LVITEM's state and mask.
constexpr UINT LVM_SETITEMSTATE = 0x102B;
constexpr UINT LVM_GETITEMTEXTA = 0x102D;
constexpr UINT LVM_SETITEMTEXTA = 0x102E;
constexpr UINT LVM_INSERTITEMW = 0x104D;
constexpr UINT LVM_GETITEMTEXTW = 0x1073;
constexpr UINT LVM_SETITEMTEXTW = 0x1074;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr LPARAM LVNI_ALL = 0x0000;
constexpr LPARAM LVNI_SELECTED = 0x0002;
constexpr int LVN_ITEMCHANGED = -101;

// NOLINTBEGIN(readability-identifier-naming)
template <class Char>
struct LVITEMT {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  Char* pszText = nullptr;
  int cchTextMax = 0;
  LPARAM lParam = 0;
};
using LVITEMA = LVITEMT<char>;
using LVITEMW = LVITEMT<char16_t>;

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
};
// NOLINTEND(readability-identifier-naming)

}  // namespace platform
