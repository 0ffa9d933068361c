#include "widetext/controls/unicode_windows.h"

#include "platform/core/os/modules.h"
#include "platform/core/os/os_error.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_helper.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/control_trap.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/controls/wide_application.h"
#include "widetext/exceptions.h"
#include "widetext/platform_flags.h"

namespace widetext {
namespace {

platform::TWinControl* g_creating = nullptr;

// The first message of a new ".UnicodeClass" window: the window becomes the
// control's (the class library has named the control being made) and its
// messages go to the control from now on.
platform::LRESULT InitialWindowProc(platform::HWND hWnd, platform::UINT Msg, platform::WPARAM wParam,
                                    platform::LPARAM lParam) {
  platform::TWinControl* control = platform::TWinControl::CreationControl;
  if (!control) return platform::DefWindowProcW(hWnd, Msg, wParam, lParam);
  control->SetWindowHandle(hWnd);
  const platform::WNDPROC main = TWinControlTrap::For(control)->ControlMainProc();
  platform::SetWindowProcW(hWnd, main);
  if ((platform::GetWindowLong(hWnd, platform::GWL_STYLE) & platform::WS_CHILD) &&
      platform::GetWindowLong(hWnd, platform::GWL_ID) == 0) {
    platform::SetWindowLong(hWnd, platform::GWL_ID, static_cast<platform::LPARAM>(platform::IdFromHandle(hWnd)));
  }
  const auto value = reinterpret_cast<platform::HANDLE>(control);
  platform::SetPropAtom(hWnd, platform::WindowAtom(), value);
  platform::SetPropAtom(hWnd, platform::ControlAtom(), value);
  platform::TWinControl::CreationControl = nullptr;
  return platform::CallWindowProcW(main, hWnd, Msg, wParam, lParam);
}

platform::WNDPROC InitialProc() { return platform::MakeWndProc<&InitialWindowProc>(true); }

}  // namespace

std::u16string RegisterUnicodeClass(const platform::TCreateParams& Params) {
  std::u16string className = WidenAnsi(Params.WinClassName) + u".UnicodeClass";
  platform::WNDCLASS existing;
  if (platform::GetClassInfoW(className, &existing)) {
    if (existing.lpfnWndProc == InitialProc()) return className;
    platform::UnregisterClassW(className);
  }
  platform::WNDCLASS wc = Params.WindowClass;
  wc.hInstance = platform::GetModuleHandleA(nullptr);
  wc.lpfnWndProc = InitialProc();
  wc.lpszClassName = className;
  if (!platform::RegisterClassW(wc)) platform::RaiseLastOSError();
  return className;
}

// Clears the reference to the control being made, also when making fails.
UnicodeCreationScope::UnicodeCreationScope(platform::TWinControl* Control) { g_creating = Control; }
UnicodeCreationScope::~UnicodeCreationScope() { g_creating = nullptr; }

void CreateUnicodeHandle(platform::TWinControl* Control, const platform::TCreateParams& Params,
                         std::u16string_view SubClass) {
  if (!Win32PlatformIsUnicode) {
    // The class library's own window, of the class it registered.
    const platform::HWND h = platform::CreateWindowExA(Params.ExStyle, Params.WinClassName, Params.Caption,
                                                       Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                                                       Params.WndParent, 0, Params.WindowClass.hInstance, Params.Param);
    Control->SetWindowHandle(h);
    return;
  }
  // Typed characters reach the new window as UTF-16.
  WtxApplication();
  platform::WNDCLASS platformClass;
  if (!SubClass.empty() && platform::GetClassInfoW(SubClass, &platformClass)) {
    Control->DefWndProc = platformClass.lpfnWndProc;
  } else {
    Control->DefWndProc = platform::MakeWndProc<&platform::DefWindowProcW>(true);
  }
  const std::u16string className = RegisterUnicodeClass(Params);
  platform::HWND h = nullptr;
  {
    const UnicodeCreationScope creating(Control);
    h = platform::CreateWindowExW(Params.ExStyle, className, u"", Params.Style, Params.X, Params.Y, Params.Width,
                                  Params.Height, Params.WndParent, 0, platform::GetModuleHandleA(nullptr),
                                  Params.Param);
  }
  if (!h) platform::RaiseLastOSError();
  Control->SetWindowHandle(h);
  SubClassUnicodeControl(Control, Params.Caption);
}

void SubClassUnicodeControl(platform::TWinControl* Control, std::string_view Caption) {
  if (!platform::IsWindowUnicode(Control->WindowHandle())) {
    throw EWtxInternalError("Internal Error: SubClassUnicodeControl.Control is not Unicode.");
  }
  TWinControlTrap::For(Control)->SubClass();
  TWideControlHelper* helper = GetWideControlHelper(Control, false);
  const std::u16string text = helper ? GetSyncedWideString(helper->WideCaption, Caption) : WidenAnsi(Caption);
  WideSetWindowText(Control, text);
}

platform::HWND UnicodeWindowBeingCreated() { return g_creating ? g_creating->WindowHandle() : nullptr; }

}  // namespace widetext
