#include "widetext/controls/wide_application.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

#include "platform/core/os/clock.h"
#include "platform/core/os/os_error.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/popup_list.h"
#include "widetext/menus/wide_actions.h"
#include "widetext/platform_flags.h"

namespace widetext {
namespace {

TWtxApplication*& Instance() {
  static TWtxApplication* application = nullptr;
  return application;
}

}  // namespace

TWtxApplication::TWtxApplication(platform::TApplication* App) : platform::TComponent(nullptr), app_(App) {
  // Only a platform with Unicode windows has UTF-16 characters to take.
  if (Win32PlatformIsUnicode) {
    hook_ = platform::SetWindowsHookExW(
        platform::WH_GETMESSAGE,
        [this](int Code, platform::WPARAM wParam, platform::LPARAM lParam) {
          auto* msg = reinterpret_cast<platform::MSG*>(lParam);
          if (Code >= 0 && wParam == platform::PM_REMOVE && msg) HookMessage(*msg);
          return platform::CallNextHookEx(hook_, Code, wParam, lParam);
        },
        platform::GetCurrentThreadId());
    if (!hook_) platform::RaiseLastOSError();
  }
  appHook_ = app_->HookMainWindow([this](platform::TMessage& Message) { return AppWindowHook(Message); });
  WtxStartPopupList();
}

TWtxApplication::~TWtxApplication() {
  WtxFinishPopupList();
  app_->UnhookMainWindow(appHook_);
  if (hook_) platform::UnhookWindowsHookEx(hook_);
  if (idleControl_) platform::Free(idleControl_);
}

std::u16string TWtxApplication::GetTitle() {
  if (!app_->HandleAllocated() || !Win32PlatformIsUnicode) return GetSyncedWideString(title_, app_->Title());
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
  // A copy: Value may view the kept title, which changes below.
  const std::u16string text(Value);
  if (!app_->HandleAllocated() || !Win32PlatformIsUnicode) {
    SetSyncedWideString(text, title_, app_->Title(), [this](const std::string& Title) { app_->SetTitle(Title); });
    return;
  }
  if (GetTitle() == text && title_.empty()) return;
  platform::DefWindowProcW(app_->Handle(), platform::WM_SETTEXT, 0, reinterpret_cast<platform::LPARAM>(text.c_str()));
  title_.clear();
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
  if (!idleControl_ && !dynamic_cast<TWtxForm*>(mainForm)) idleControl_ = new TWtxAppIdleEventControl(mainForm, *this);
}

void TWtxApplication::HookMessage(platform::MSG& Msg) {
  if (!app_->HandleAllocated()) return;
  CheckMainForm();
  if (Msg.message != platform::WM_CHAR || platform::LOWORD(Msg.wParam) < 256 || !platform::IsWindowUnicode(Msg.hwnd) ||
      !platform::IsWindowUnicode(app_->Handle())) {
    return;
  }
  bool handled = false;
  if (app_->OnMessage) app_->OnMessage(Msg, handled);
  app_->IsHintMsg(Msg);
  if (!handled && !IsDialogMessage(Msg)) platform::DispatchMessageW(&Msg);
  // The 8-bit loop that retrieved it ignores it now.
  Msg.message = platform::WM_NULL;
}

bool TWtxApplication::AppWindowHook(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_SETTINGCHANGE:
      settingChange_ = platform::GetTickCount();
      app_->SettingChangeTime = settingChange_;
      return false;
    case platform::WM_CREATE:
      if (!title_.empty()) {
        const std::u16string title = title_;
        SetTitle(title);
        title_.clear();
      }
      return false;
    case platform::CM_ACTIONEXECUTE:
      return ExecuteWideHint(Message);
    default:
      return false;
  }
}

// A hint action of the class library itself (not of a class derived from
// it) that carries the image of the wide hint.
bool TWtxApplication::ExecuteWideHint(platform::TMessage& Message) {
  auto* action = reinterpret_cast<platform::TBasicAction*>(Message.LParam);
  if (!action || typeid(*action) != typeid(platform::THintAction)) return false;
  const std::u16string wide = GetHint();
  if (static_cast<platform::THintAction*>(action)->Hint() != AnsiImage(wide)) return false;
  Message.Result = 1;
  TWtxHintAction wideAction(nullptr);
  wideAction.SetHint(wide);
  wideAction.Execute();
  return true;
}

void TWtxApplication::Notification(platform::TComponent* AComponent, platform::TOperation Operation) {
  platform::TComponent::Notification(AComponent, Operation);
  if (Operation == platform::opRemove && AComponent == checkedMainForm_) checkedMainForm_ = nullptr;
}

TWtxAppIdleEventControl::TWtxAppIdleEventControl(platform::TComponent* AOwner, TWtxApplication& Application)
    : platform::TControl(AOwner), application_(Application) {
  FVisible = false;
}

TWtxAppIdleEventControl::~TWtxAppIdleEventControl() { application_.idleControl_ = nullptr; }

void TWtxAppIdleEventControl::InitiateAction() {
  platform::TControl::InitiateAction();
  application_.UpdateHint();
}

TWtxApplication* WtxApplication() {
  TWtxApplication*& application = Instance();
  if (!application && platform::Application) application = new TWtxApplication(platform::Application);
  return application;
}

void FreeWtxApplication() { delete std::exchange(Instance(), nullptr); }

}  // namespace widetext
