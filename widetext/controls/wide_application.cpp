#include "widetext/controls/wide_application.h"

#include <algorithm>

#include "platform/core/os/os_error.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/popup_list.h"

namespace widetext {

TWtxApplication::TWtxApplication(platform::TApplication* App) : platform::TComponent(nullptr), app_(App) {
  app_->Handle();
  hook_ = platform::SetWindowsHookExW(
      platform::WH_GETMESSAGE,
      [this](int Code, platform::WPARAM wParam, platform::LPARAM lParam) {
        auto* msg = reinterpret_cast<platform::MSG*>(lParam);
        if (Code >= 0 && wParam == platform::PM_REMOVE && msg) HookMessage(*msg);
        return platform::CallNextHookEx(hook_, Code, wParam, lParam);
      },
      platform::GetCurrentThreadId());
  if (!hook_) platform::RaiseLastOSError();
  WtxStartPopupList();
}

TWtxApplication::~TWtxApplication() {
  WtxFinishPopupList();
  platform::UnhookWindowsHookEx(hook_);
}

std::u16string TWtxApplication::GetTitle() {
  const platform::HWND h = app_->Handle();
  const auto length = static_cast<int>(platform::DefWindowProcW(h, platform::WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return {};
  std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
  const auto got = static_cast<int>(platform::DefWindowProcW(h, platform::WM_GETTEXT, buffer.size(),
                                                             reinterpret_cast<platform::LPARAM>(buffer.data())));
  buffer.resize(static_cast<std::size_t>(std::clamp(got, 0, length)));
  return buffer;
}

void TWtxApplication::SetTitle(std::u16string_view Value) {
  if (GetTitle() == Value) return;
  const std::u16string text(Value);
  platform::DefWindowProcW(app_->Handle(), platform::WM_SETTEXT, 0, reinterpret_cast<platform::LPARAM>(text.c_str()));
}

std::u16string TWtxApplication::MouseControlHint() const {
  platform::TControl* control = app_->MouseControl();
  return control ? WideGetLongHint(WideGetParentHint(control)) : std::u16string();
}

std::u16string TWtxApplication::GetHint() {
  std::u16string mouseHint = MouseControlHint();
  if (AnsiImage(mouseHint) == app_->Hint()) hint_ = std::move(mouseHint);
  return GetSyncedWideString(hint_, app_->Hint());
}

void TWtxApplication::SetHint(std::u16string_view Value) {
  SetSyncedWideString(Value, hint_, app_->Hint(), [this](const std::string& Hint) { app_->SetHint(Hint); });
}

void TWtxApplication::UpdateHint() {
  const std::u16string mouseHint = MouseControlHint();
  if (AnsiImage(mouseHint) == app_->Hint()) SetHint(mouseHint);
}

bool TWtxApplication::IsDialogMessage(platform::MSG& Msg) {
  const platform::HWND dialog = app_->DialogHandle;
  if (!dialog) return false;
  return platform::IsWindowUnicode(dialog) ? platform::IsDialogMessageW(dialog, &Msg)
                                           : platform::IsDialogMessageA(dialog, &Msg);
}

void TWtxApplication::CheckMainForm() {
  platform::TCustomForm* mainForm = app_->MainForm();
  if (!mainForm || mainForm == checkedMainForm_) return;
  checkedMainForm_ = mainForm;
  mainForm->FreeNotification(this);
  if (!dynamic_cast<TWtxForm*>(mainForm)) new TWtxAppIdleEventControl(mainForm, *this);
}

void TWtxApplication::HookMessage(platform::MSG& Msg) {
  CheckMainForm();
  if (Msg.message != platform::WM_CHAR || platform::LOWORD(Msg.wParam) < 256 || !platform::IsWindowUnicode(Msg.hwnd)) {
    return;
  }
  bool handled = false;
  if (app_->OnMessage) app_->OnMessage(Msg, handled);
  if (!handled && !IsDialogMessage(Msg)) platform::DispatchMessageW(&Msg);
  // The 8-bit loop that retrieved it ignores it now.
  Msg.message = platform::WM_NULL;
}

void TWtxApplication::Notification(platform::TComponent* AComponent, platform::TOperation Operation) {
  platform::TComponent::Notification(AComponent, Operation);
  if (Operation == platform::opRemove && AComponent == checkedMainForm_) checkedMainForm_ = nullptr;
}

TWtxAppIdleEventControl::TWtxAppIdleEventControl(platform::TComponent* AOwner, TWtxApplication& Application)
    : platform::TControl(AOwner), application_(Application) {
  FVisible = false;
}

void TWtxAppIdleEventControl::InitiateAction() {
  platform::TControl::InitiateAction();
  application_.UpdateHint();
}

TWtxApplication* WtxApplication() {
  static TWtxApplication* application = nullptr;
  if (!application && platform::Application) application = new TWtxApplication(platform::Application);
  return application;
}

}  // namespace widetext
