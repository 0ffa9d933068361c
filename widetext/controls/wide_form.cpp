#include "widetext/controls/wide_form.h"

#include "platform/core/os/modules.h"
#include "platform/core/os/os_error.h"
#include "platform/core/window_system/mdi.h"
#include "widetext/codepage.h"
#include "widetext/controls/control_trap.h"
#include "widetext/controls/form_menus.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_application.h"
#include "widetext/menus/hotkeys.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

const bool g_emptyLayout = [] {
  platform::RegisterFormLayout("TWtxForm", [](platform::TCustomForm&) {});
  return true;
}();

}  // namespace

TWtxForm::TWtxForm(platform::TComponent* AOwner) : TWideControl(AOwner) {}

TWtxForm::TWtxForm(platform::TComponent* AOwner, TCreateNew) : TWideControl(AOwner, CreateNew) {}

void TWtxForm::UpdateActions() {
  TWideControl::UpdateActions();
  if (TWtxApplication* application = WtxApplication()) application->UpdateHint();
}

void TWtxForm::WndProc(platform::TMessage& Message) {
  TWideControl::WndProc(Message);
  WideFormMenuMessage(*this, Message);
}

void TWtxForm::CreateWindowHandle(const platform::TCreateParams& Params) {
  if (!Win32PlatformIsUnicode) {
    TWideControl::CreateWindowHandle(Params);
    return;
  }
  if (FormStyle() == platform::fsMDIChild) {
    CreateMdiChildHandle(Params);
  } else {
    platform::TCreateParams params = Params;
    params.ExStyle &= ~platform::WS_EX_LAYERED;
    CreateUnicodeHandle(this, params, u"");
    FormState &= ~static_cast<unsigned>(platform::fsCreatedMDIChild);
  }
  // Switched off and on, the layered attributes reach the new window.
  if (AlphaBlend()) {
    SetAlphaBlend(false);
    SetAlphaBlend(true);
  } else if (TransparentColor()) {
    SetTransparentColor(false);
    SetTransparentColor(true);
  }
}

void TWtxForm::CreateMdiChildHandle(const platform::TCreateParams& Params) {
  platform::TCustomForm* main = platform::Application ? platform::Application->MainForm() : nullptr;
  const platform::HWND client = main && main != this ? main->ClientHandle() : nullptr;
  if (!client) throw platform::EInvalidOperation("Cannot create form. No MDI forms are currently active");
  WtxApplication();
  const std::u16string className = RegisterUnicodeClass(Params);
  DefWndProc = platform::MakeWndProc<&platform::DefMDIChildProcW>(true);
  platform::HWND h = nullptr;
  {
    const UnicodeCreationScope creating(this);
    h = platform::CreateMDIWindowW(className, u"", Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                                   client, platform::GetModuleHandleA(nullptr),
                                   reinterpret_cast<platform::LPARAM>(Params.Param));
  }
  if (!h) platform::RaiseLastOSError();
  SetWindowHandle(h);
  SubClassUnicodeControl(this, Params.Caption);
  FormState |= platform::fsCreatedMDIChild;
}

void TWtxForm::DefaultHandler(platform::TMessage& Message) {
  const platform::HWND client = ClientHandle();
  if (!client || !Win32PlatformIsUnicode || !HandleAllocated()) {
    TWideControl::DefaultHandler(Message);
    return;
  }
  const platform::HWND h = WindowHandle();
  if (Message.Msg == platform::WM_SIZE) {
    Message.Result = platform::DefWindowProcW(h, Message.Msg, Message.WParam, Message.LParam);
  } else {
    Message.Result = platform::DefFrameProcW(h, client, Message.Msg, Message.WParam, Message.LParam);
  }
  // The frame procedure passed the trap's default handling by: the trap
  // leaves as the window goes.
  if (Message.Msg == platform::WM_DESTROY) Perform(WtxDestroyWindowMessage(), 0, 0);
}

std::unique_ptr<platform::TDockManager> TWtxForm::CreateDockManager() {
  if (!DockManager() && DockSite() && UseDockManager()) HandleNeeded();
  return TWideControl::CreateDockManager();
}

bool IsWideCharAccel(platform::WPARAM CharCode, std::u16string_view Caption) {
  const std::u16string hotkey = WideGetHotkey(Caption);
  if (hotkey.empty()) return false;
  const char16_t key = KeyUnicode(static_cast<char16_t>(CharCode & 0xFFFF));
  return WideCompareText(std::u16string_view(&key, 1), hotkey) == 0;
}

}  // namespace widetext
