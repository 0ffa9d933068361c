#include "platform/ui/controls/common_dialog.h"

#include <utility>

#include "platform/ui/controls/forms.h"

namespace platform {

TCommonDialog* TCommonDialog::creating_ = nullptr;

LPOFNHOOKPROC TCommonDialog::Hook() { return MakeWndProc<&TCommonDialog::DialogHook>(true); }

// The dialog's first message to its hook: the window becomes the
// component's, which then gets that first message too.
LRESULT TCommonDialog::DialogHook(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg != WM_INITDIALOG || !creating_) return 0;
  TCommonDialog* dialog = std::exchange(creating_, nullptr);
  dialog->handle_ = hWnd;
  const WNDPROC own = MakeWndProc<&TCommonDialog::MainWndProc>(dialog, dialog->UnicodeWindowProc);
  dialog->DefWndProc = dialog->UnicodeWindowProc ? SetWindowProcW(hWnd, own) : SetWindowProcA(hWnd, own);
  return SendMessageW(hWnd, WM_INITDIALOG, wParam, lParam);
}

LRESULT TCommonDialog::MainWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{Msg, wParam, lParam, 0};
  try {
    WndProc(m);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
  if (Msg == WM_NCDESTROY && handle_ == hWnd) handle_ = nullptr;
  return m.Result;
}

void TCommonDialog::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_INITDIALOG:
      DefaultHandler(Message);
      DoShow();
      return;
    case WM_DESTROY:
      DoClose();
      break;
    default:
      break;
  }
  DefaultHandler(Message);
}

void TCommonDialog::DefaultHandler(TMessage& Message) {
  if (!handle_ || !DefWndProc) return;
  Message.Result = UnicodeWindowProc
                       ? CallWindowProcW(DefWndProc, handle_, Message.Msg, Message.WParam, Message.LParam)
                       : CallWindowProcA(DefWndProc, handle_, Message.Msg, Message.WParam, Message.LParam);
}

void TCommonDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
  if (OnClose) OnClose(this);
}

bool TCommonDialog::TaskModalDialog(const std::function<bool()>& Show) {
  creating_ = this;
  bool result = false;
  try {
    result = Show();
  } catch (...) {
    creating_ = nullptr;
    handle_ = nullptr;
    throw;
  }
  creating_ = nullptr;
  handle_ = nullptr;
  return result;
}

}  // namespace platform
