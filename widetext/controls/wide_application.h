#pragma once
// The wide side of the class library's application object: a wide title
// and hint, and UTF-16 keyboard input. Characters above 255 typed into a
// Unicode window are taken from the queue as UTF-16 and dispatched before
// the class library's 8-bit message loop could narrow them.

#include <string>
#include <string_view>

#include "platform/ui/controls/forms.h"

namespace widetext {

class TWtxApplication : public platform::TComponent {
 public:
  // Over App, whose window it makes when there is none yet; installs the
  // keyboard hook on the calling (user-interface) thread.
  explicit TWtxApplication(platform::TApplication* App);
  ~TWtxApplication() override;

  // The application window's text as UTF-16.
  std::u16string GetTitle();
  // Sets nothing when the title is already Value.
  void SetTitle(std::u16string_view Value);
  // Under the consistency rule against the 8-bit application hint.
  std::u16string GetHint();
  void SetHint(std::u16string_view Value);
  // Takes the wide long hint of the control under the mouse when the 8-bit
  // application hint is its image.
  void UpdateHint();
  // The dialog handling of the application's dialog window, if it has one.
  bool IsDialogMessage(platform::MSG& Msg);

 protected:
  void Notification(platform::TComponent* AComponent, platform::TOperation Operation) override;

 private:
  void HookMessage(platform::MSG& Msg);
  // A main form that is not a wide form gets a control that keeps the
  // wide hint up to date while the program is idle; each main form is
  // looked at once.
  void CheckMainForm();
  std::u16string MouseControlHint() const;

  platform::TApplication* app_;
  platform::TCustomForm* checkedMainForm_ = nullptr;
  std::u16string hint_;
  platform::HHOOK hook_ = nullptr;
};

// A hidden control, owned by a main form that is not a wide form: the
// class library brings it up to date when idle, and it brings the wide
// application hint up to date.
class TWtxAppIdleEventControl : public platform::TControl {
 public:
  TWtxAppIdleEventControl(platform::TComponent* AOwner, TWtxApplication& Application);
  void InitiateAction() override;

 private:
  TWtxApplication& application_;
};

// The process's wide application object over platform::Application; made
// on the first call on the user-interface thread, null while there is no
// application object.
TWtxApplication* WtxApplication();

}  // namespace widetext
