#pragma once
// The wide side of the class library's application object: a wide title
// and hint, wide hint actions, and UTF-16 keyboard input. Characters above
// 255 typed into a Unicode window are taken from the queue as UTF-16 and
// dispatched before the class library's 8-bit message loop could narrow
// them (on a platform with Unicode support only).
//
// Its hook on the application window notes when the desktop's settings
// change, gives the window a wide title set before the window existed as
// the window is made, and answers a hint action of the class library whose
// hint is the 8-bit image of the wide application hint by carrying the
// wide hint to the application window in a wide hint action instead.

#include <string>
#include <string_view>

#include "platform/ui/controls/forms.h"

namespace widetext {

class TWtxAppIdleEventControl;

class TWtxApplication : public platform::TComponent {
 public:
  // Over App; installs the keyboard hook on the calling (user-interface)
  // thread.
  explicit TWtxApplication(platform::TApplication* App);
  ~TWtxApplication() override;

  // The application window's text as UTF-16; before the window exists,
  // the wide title kept for it.
  std::u16string GetTitle();
  // Sets nothing when the title is already Value. Without a window (or
  // Unicode support) the title is kept beside the 8-bit one under the
  // consistency rule; the window takes it when it is made.
  void SetTitle(std::u16string_view Value);
  // Under the consistency rule against the 8-bit application hint.
  std::u16string GetHint();
  void SetHint(std::u16string_view Value);
  // Takes the wide long hint of the control under the mouse when the 8-bit
  // application hint is its image.
  void UpdateHint();
  // The dialog handling of the application's dialog window, if it has one.
  bool IsDialogMessage(platform::MSG& Msg);
  // When the application window last heard of changed settings (a tick
  // count; 0 before).
  platform::DWORD SettingChangeTime() const { return settingChange_; }

 protected:
  void Notification(platform::TComponent* AComponent, platform::TOperation Operation) override;

 private:
  void HookMessage(platform::MSG& Msg);
  bool AppWindowHook(platform::TMessage& Message);
  bool ExecuteWideHint(platform::TMessage& Message);
  // A main form that is not a wide form gets a control that keeps the
  // wide hint up to date while the program is idle; each main form is
  // looked at once.
  void CheckMainForm();
  std::u16string MouseControlHint() const;

  platform::TApplication* app_;
  platform::TCustomForm* checkedMainForm_ = nullptr;
  std::u16string hint_;
  std::u16string title_;
  platform::DWORD settingChange_ = 0;
  platform::HHOOK hook_ = nullptr;
  int appHook_ = 0;
  // Owned by the main form; clears this when it goes.
  TWtxAppIdleEventControl* idleControl_ = nullptr;
  friend class TWtxAppIdleEventControl;
};

// A hidden control, owned by a main form that is not a wide form: the
// class library brings it up to date when idle, and it brings the wide
// application hint up to date.
class TWtxAppIdleEventControl : public platform::TControl {
 public:
  TWtxAppIdleEventControl(platform::TComponent* AOwner, TWtxApplication& Application);
  ~TWtxAppIdleEventControl() override;
  void InitiateAction() override;

 private:
  TWtxApplication& application_;
};

// The process's wide application object over platform::Application; made
// on the first call on the user-interface thread, null while there is no
// application object.
TWtxApplication* WtxApplication();
// Frees it (the wide layer's end); the next WtxApplication makes another.
void FreeWtxApplication();

}  // namespace widetext
