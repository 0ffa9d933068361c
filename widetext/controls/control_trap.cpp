#include "widetext/controls/control_trap.h"

#include "widetext/controls/control_helper.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/hint_window.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_layer.h"
#include "widetext/controls/wm_char.h"
#include "widetext/platform_flags.h"

namespace widetext {
namespace {

bool IsTextMessage(platform::UINT Msg) {
  return Msg == platform::WM_SETTEXT || Msg == platform::WM_GETTEXT || Msg == platform::WM_GETTEXTLENGTH;
}

const platform::UINT g_destroyWindowMessage = WtxDestroyWindowMessage();

}  // namespace

platform::UINT WtxDestroyWindowMessage() {
  static const platform::UINT message = platform::RegisterWindowMessageA("WtxUnicodeUI.DestroyWindow");
  return message;
}

TWinControlTrap* TWinControlTrap::For(platform::TWinControl* Control) {
  platform::TComponentList& traps = WideTrapList();
  for (int i = 0; i < traps.Count(); ++i) {
    auto* trap = static_cast<TWinControlTrap*>(traps.Items(i));
    if (trap->control_ == Control) return trap;
  }
  auto* trap = new TWinControlTrap(Control);
  traps.Add(trap);
  return trap;
}

TWinControlTrap::TWinControlTrap(platform::TWinControl* Control) : platform::TComponent(nullptr), control_(Control) {
  control_->FreeNotification(this);
}

TWinControlTrap::~TWinControlTrap() = default;

platform::WNDPROC TWinControlTrap::ControlMainProc() const {
  platform::WNDPROC main = control_->MainWndProcPtr();
  main.Unicode = true;
  return main;
}

platform::TWndMethod TWinControlTrap::Handler() {
  return platform::MakeWndMethod<&TWinControlTrap::ControlWindowProc>(this);
}

void TWinControlTrap::SubClass() {
  const platform::HWND h = control_->WindowHandle();
  if (installed_ && h == handle_) return;
  if (installed_) Remove();
  handle_ = h;
  windowProc_ = platform::SetWindowProcW(h, platform::MakeWndProc<&TWinControlTrap::WindowProc>(this, true));
  prevDefWndProc_ = control_->DefWndProc;
  // Called as it is by the class library's default handling: the messages
  // it passes on came in through the Unicode window and stay as they are.
  control_->DefWndProc = platform::MakeWndProc<&TWinControlTrap::DefWindowProc>(this, false);
  installed_ = true;
  if (!WindowProcLeadsHere()) {
    prevWindowProc_ = control_->WindowProc;
    control_->WindowProc = Handler();
  }
}

// Whether the control's WindowProc reaches this trap: its own WndProc does
// not; another handler (a subclass's) is asked with a test message.
bool TWinControlTrap::WindowProcLeadsHere() {
  const auto own = platform::MakeWndMethod<&platform::TControl::WndProc>(static_cast<platform::TControl*>(control_));
  if (control_->WindowProc == own) return false;
  if (control_->WindowProc == Handler()) return true;
  testingWindowProc_ = true;
  testWindowProcSeen_ = false;
  control_->Perform(platform::WM_NULL, 0, 0);
  testingWindowProc_ = false;
  return testWindowProcSeen_;
}

platform::LRESULT TWinControlTrap::WindowProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                                              platform::LPARAM lParam) {
  // The control may be freed inside the call; the trap then goes when the
  // call returns, not before.
  struct Nesting {
    TWinControlTrap* Trap;
    ~Nesting() {
      if (--Trap->nesting_ == 0 && Trap->destroyTrap_) delete Trap;
    }
  };
  ++nesting_;
  const Nesting nesting{this};
  if (WideLayerFinished()) {
    if (control_ && (Msg == platform::WM_DESTROY || Msg == g_destroyWindowMessage)) control_->SetWindowHandle(nullptr);
    return 0;
  }
  lastWin32Msg_ = Msg;
  return platform::CallWindowProcW(windowProc_, hWnd, Msg, wParam, lParam);
}

void TWinControlTrap::ControlWindowProc(platform::TMessage& Message) {
  if (testingWindowProc_ && Message.Msg == platform::WM_NULL) {
    testWindowProcSeen_ = true;
    return;
  }
  if (!control_->HandleAllocated()) {
    control_->WndProc(Message);
    return;
  }
  const bool fromWindow = lastWin32Msg_ != 0;
  lastWin32Msg_ = 0;
  if (Message.Msg == platform::CM_HINTSHOW) PrepareWideHintShow(Message);
  if (!fromWindow && IsTextMessage(Message.Msg)) {
    // The class library's own text request: the Unicode window converts.
    Message.Result = platform::SendMessageA(control_->WindowHandle(), Message.Msg, Message.WParam, Message.LParam);
  } else {
    if (Message.Msg == platform::WM_CHAR) MakeWMCharMsgSafeForAnsi(Message);
    if (prevWindowProc_) {
      prevWindowProc_(Message);
    } else {
      control_->WndProc(Message);
    }
  }
  if (Message.Msg == g_destroyWindowMessage) Remove();
}

platform::LRESULT TWinControlTrap::DefWindowProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                                                 platform::LPARAM lParam) {
  switch (Msg) {
    case platform::WM_NOTIFYFORMAT: {
      if (!Win32PlatformIsUnicode) return platform::NFR_ANSI;
      const auto asking = reinterpret_cast<platform::HWND>(wParam);
      const bool unicode = platform::IsWindowUnicode(asking) || asking == UnicodeWindowBeingCreated();
      return unicode ? platform::NFR_UNICODE : platform::NFR_ANSI;
    }
    case platform::WM_CHAR: {
      platform::TMessage m{Msg, wParam, lParam, 0};
      RestoreWMCharMsg(m);
      wParam = m.WParam;
      break;
    }
    case platform::WM_IME_CHAR:
      return platform::SendMessageW(hWnd, platform::WM_CHAR, wParam, lParam);
    case platform::WM_DESTROY:
      Remove();
      break;
    default:
      break;
  }
  return platform::CallWindowProcW(prevDefWndProc_, hWnd, Msg, wParam, lParam);
}

void TWinControlTrap::Remove() {
  if (!installed_) return;
  if (!control_->HasState(platform::csDestroying)) {
    GetWideControlHelper(control_, true)->WideCaption = WideGetWindowText(control_);
  }
  installed_ = false;
  if (control_->WindowProc == Handler()) control_->WindowProc = prevWindowProc_;
  // Without its trap the window serves the 8-bit class library alone: its
  // procedure becomes an 8-bit one again, and the class library reaches its
  // default procedure through the window system's 8-bit view of it, which
  // converts.
  control_->DefWndProc = prevDefWndProc_;
  control_->DefWndProc.Converting = prevDefWndProc_.Unicode;
  if (platform::IsWindow(handle_)) platform::SetWindowProcA(handle_, windowProc_);
  handle_ = nullptr;
}

void TWinControlTrap::Notification(platform::TComponent* AComponent, platform::TOperation Operation) {
  platform::TComponent::Notification(AComponent, Operation);
  if (Operation != platform::opRemove || AComponent != control_) return;
  control_ = nullptr;
  if (nesting_ > 0) {
    destroyTrap_ = true;
  } else {
    delete this;
  }
}

}  // namespace widetext
