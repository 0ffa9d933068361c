#pragma once
// The class library's common dialogs: a component that shows one of the
// platform's dialogs and takes its window over while it shows. The dialog
// calls the component's hook as it makes its window; from then on the
// window's messages reach the component's WndProc first, and what it does
// not handle goes on to the window's own procedure.

#include <functional>
#include <string>

#include "platform/core/classes/component.h"
#include "platform/ui/controls/controls.h"
#include "platform/ui/window_classes/commdlg.h"

namespace platform {

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

  // True when the user confirmed.
  virtual bool Execute() = 0;
  // The dialog window the component has taken over while the dialog
  // shows; null otherwise.
  HWND Handle() const { return handle_; }
  // The name of a dialog template of the program's module that the dialog
  // adds below its own part; empty for none.
  std::string Template;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  virtual void WndProc(TMessage& Message);
  // The window's own procedure.
  virtual void DefaultHandler(TMessage& Message);

 protected:
  virtual void DoShow();
  virtual void DoClose();
  // Runs Show (a call of the platform's dialog that carries Hook()) so that
  // the dialog's window becomes this component's.
  bool TaskModalDialog(const std::function<bool()>& Show);
  // The hook the dialog's record carries.
  static LPOFNHOOKPROC Hook();
  // The window is taken over with a Unicode procedure of the component's.
  bool UnicodeWindowProc = false;
  // The procedure the window had before the component took it over.
  WNDPROC DefWndProc;

 private:
  static LRESULT DialogHook(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  LRESULT MainWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

  // The component whose dialog is being made.
  static TCommonDialog* creating_;
  HWND handle_ = nullptr;
};

}  // namespace platform
