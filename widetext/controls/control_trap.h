#pragma once
// The trap on a wide control's Unicode window. The class library goes on
// thinking in 8 bits while the window is Unicode: the trap asks the window
// itself for every text the class library reads or writes through its own
// message path (so the window converts), carries characters above 255
// through the 8-bit key handling and back, turns input-method characters
// into WM_CHAR, and keeps the wide text when the window goes so that the
// next window of the same control gets it. A trap serves one control for
// its whole life and frees itself when the control goes (or, when that
// happens inside one of its own calls, as that call returns).

#include <cstdint>

#include "platform/core/classes/component.h"
#include "platform/ui/controls/controls.h"

namespace widetext {

class TWinControlTrap : public platform::TComponent {
 public:
  // The control's trap: the one it already has, else a new one.
  static TWinControlTrap* For(platform::TWinControl* Control);
  ~TWinControlTrap() override;

  // The control's own window procedure as a Unicode window procedure.
  platform::WNDPROC ControlMainProc() const;
  // Installs the trap on the control's current window.
  void SubClass();
  bool Installed() const { return installed_; }

 protected:
  void Notification(platform::TComponent* AComponent, platform::TOperation Operation) override;

 private:
  explicit TWinControlTrap(platform::TWinControl* Control);
  platform::LRESULT WindowProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                               platform::LPARAM lParam);
  void ControlWindowProc(platform::TMessage& Message);
  platform::LRESULT DefWindowProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);
  platform::TWndMethod Handler();
  bool WindowProcLeadsHere();
  void Remove();

  platform::TWinControl* control_;
  platform::HWND handle_ = nullptr;
  platform::WNDPROC windowProc_;
  platform::WNDPROC prevDefWndProc_;
  platform::TWndMethod prevWindowProc_;
  platform::UINT lastWin32Msg_ = 0;
  int nesting_ = 0;
  bool installed_ = false;
  bool destroyTrap_ = false;
  bool testingWindowProc_ = false;
  bool testWindowProcSeen_ = false;
};

// The registered message "WtxUnicodeUI.DestroyWindow": a wide control that
// receives it takes its trap off the window.
platform::UINT WtxDestroyWindowMessage();

}  // namespace widetext
