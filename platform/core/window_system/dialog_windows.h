#pragma once
// Dialog windows: windows of the dialog class ("#32770") made from a
// template, a frame with its controls. The class's procedure (DefDlgProc)
// hands every message to the dialog's own procedure first; a procedure that
// handled a message answers nonzero and leaves the message's result in
// DWL_MSGRESULT. Templates are kept by name per module, as the program's
// resources keep them; positions and sizes are in pixels.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window_system/window.h"

namespace platform {

constexpr int DWL_MSGRESULT = 0;
constexpr int DWL_USER = 16;

constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_CONTROL = 0x0400;

// A dialog procedure: nonzero when it handled the message (WM_INITDIALOG:
// nonzero to let the dialog give the focus to its first control).
using DLGPROC = WNDPROC;

// NOLINTBEGIN(readability-identifier-naming)
struct DLGITEMTEMPLATEW {
  DWORD style = 0;
  DWORD dwExtendedStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  int id = 0;
  std::u16string windowClass;
  std::u16string title;
};

struct DLGTEMPLATEW {
  DWORD style = 0;
  DWORD dwExtendedStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::u16string title;
  std::vector<DLGITEMTEMPLATEW> items;
};
// NOLINTEND(readability-identifier-naming)

// Keeps a template under its name for the module; false for an empty name.
bool RegisterDialogTemplate(void* hInstance, std::u16string_view Name, DLGTEMPLATEW Template);
bool UnregisterDialogTemplate(void* hInstance, std::u16string_view Name);
// Null when the module has no template of that name (any case).
const DLGTEMPLATEW* FindDialogTemplate(void* hInstance, std::u16string_view Name);

// Makes the dialog and its controls, then sends WM_INITDIALOG (wParam the
// first control that takes the focus, lParam InitParam) to DialogFunc. A
// child dialog (WS_CHILD) goes inside Parent, any other is owned by it.
HWND CreateDialogIndirectParamW(void* hInstance, const DLGTEMPLATEW& Template, HWND Parent, DLGPROC DialogFunc,
                                LPARAM InitParam);
// The dialog class's procedure.
LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform
