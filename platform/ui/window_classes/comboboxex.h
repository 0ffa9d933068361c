#pragma once
// The extended combo box class (ComboBoxEx32): a drop-down list whose items
// carry a picture from the control's image list besides their text. Its
// item messages take a COMBOBOXEXITEM of their kind (A: code page 1252, W:
// UTF-16); the list's own messages (CB_GETCOUNT, CB_GETCURSEL,
// CB_SETCURSEL, CB_DELETESTRING, CB_RESETCONTENT) work as on a combo box,
// and the user's choice sends CBN_SELCHANGE.

#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/ui/window_classes/gdi.h"

namespace platform {

constexpr UINT CBEM_INSERTITEMA = WM_USER + 1;
constexpr UINT CBEM_GETITEMA = WM_USER + 4;
constexpr UINT CBEM_SETITEMA = WM_USER + 5;
constexpr UINT CBEM_INSERTITEMW = WM_USER + 11;
constexpr UINT CBEM_SETITEMW = WM_USER + 12;
constexpr UINT CBEM_GETITEMW = WM_USER + 13;

constexpr UINT CBEIF_TEXT = 0x0001;
constexpr UINT CBEIF_IMAGE = 0x0002;
constexpr UINT CBEIF_LPARAM = 0x0020;

// NOLINTBEGIN(readability-identifier-naming)
template <class Char>
struct COMBOBOXEXITEMT {
  UINT mask = 0;
  std::intptr_t iItem = 0;
  Char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};
// NOLINTEND(readability-identifier-naming)
using COMBOBOXEXITEMA = COMBOBOXEXITEMT<char>;
using COMBOBOXEXITEMW = COMBOBOXEXITEMT<char16_t>;

// The pictures items name by index; pixels of the transparent colour do
// not draw.
void ComboBoxExSetImageList(HWND hWnd, const std::vector<HBITMAP>& Images, COLORREF Transparent);

}  // namespace platform
