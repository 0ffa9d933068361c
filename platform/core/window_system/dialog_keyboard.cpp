#include "platform/core/window_system/window.h"

#include <algorithm>
#include <vector>

#include "platform/core/window_system/input.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::W;
using detail::Window;

namespace {

bool IsTabStop(HWND hWnd) {
  const Window* w = W(hWnd);
  return w && (w->Style & WS_TABSTOP) && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED);
}

void CollectTabStops(HWND hWnd, std::vector<HWND>& Out) {
  const Window* w = W(hWnd);
  if (!w) return;
  for (HWND c : w->Children) {
    if (IsTabStop(c)) Out.push_back(c);
    const Window* cw = W(c);
    if (cw && (cw->Style & WS_VISIBLE) && !(cw->Style & WS_DISABLED)) CollectTabStops(c, Out);
  }
}

HWND NextTabStop(HWND hDlg, HWND From, bool Backward) {
  std::vector<HWND> stops;
  CollectTabStops(hDlg, stops);
  if (stops.empty()) return nullptr;
  auto it = std::find_if(stops.begin(), stops.end(), [&](HWND S) { return S == From || IsChild(S, From); });
  if (it == stops.end()) return Backward ? stops.back() : stops.front();
  const auto i = static_cast<std::size_t>(it - stops.begin());
  const std::size_t n = stops.size();
  return stops[Backward ? (i + n - 1) % n : (i + 1) % n];
}

HWND FindDefaultButton(HWND hDlg) {
  const Window* w = W(hDlg);
  if (!w) return nullptr;
  for (HWND c : w->Children) {
    if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
    if (HWND found = FindDefaultButton(c)) return found;
  }
  return nullptr;
}

int Dialog(HWND hDlg, MSG* Msg, bool Unicode) {
  if (!Msg || !W(hDlg) || (Msg->hwnd != hDlg && !IsChild(hDlg, Msg->hwnd))) return 0;
  const bool key = Msg->message == WM_KEYDOWN || Msg->message == WM_CHAR;
  if (key) {
    const UINT code =
        static_cast<UINT>(SendMessageW(Msg->hwnd, WM_GETDLGCODE, Msg->wParam, reinterpret_cast<LPARAM>(Msg)));
    const bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
    if (Msg->message == WM_KEYDOWN && !wantsAll) {
      if (Msg->wParam == VK_TAB && !(code & DLGC_WANTTAB)) {
        const bool backward = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = NextTabStop(hDlg, Msg->hwnd, backward)) SetFocus(next);
        return 1;
      }
      if (Msg->wParam == VK_RETURN) {
        HWND button = FindDefaultButton(hDlg);
        const int id = button ? GetDlgCtrlID(button) : IDOK;
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 1;
      }
      if (Msg->wParam == VK_ESCAPE) {
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 1;
      }
    }
    if (Msg->message == WM_CHAR && !wantsAll && (Msg->wParam == '\t' || Msg->wParam == '\r' || Msg->wParam == 27) &&
        !(code & DLGC_WANTCHARS)) {
      // The key-down already did its work.
      return 1;
    }
  }
  if (!Unicode) {
    DispatchMessageA(Msg);
  } else {
    DispatchMessageW(Msg);
  }
  return 1;
}

}  // namespace

bool IsDialogMessageA(HWND hDlg, MSG* Msg) {
  RequireUiThread();
  return Dialog(hDlg, Msg, false) != 0;
}

bool IsDialogMessageW(HWND hDlg, MSG* Msg) {
  RequireUiThread();
  return Dialog(hDlg, Msg, true) != 0;
}

}  // namespace platform
