#pragma once
// A form with a Unicode window and a wide Caption and Hint; the program's
// message dialog is one. A form class is built from the layout registered
// for its class name (TWtxForm itself has an empty one).

#include <string_view>

#include "platform/ui/controls/forms.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

class TWtxForm : public TWideControl<platform::TForm> {
 public:
  explicit TWtxForm(platform::TComponent* AOwner);
  TWtxForm(platform::TComponent* AOwner, TCreateNew);
  // Also brings the wide application hint up to date.
  void UpdateActions() override;
  // The form's menus after the class library's handling (form_menus.h).
  void WndProc(platform::TMessage& Message) override;

 protected:
  // The window is never layered: layered windows are not shown here.
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
};

// Whether CharCode (a key's character, bytes taken in the keyboard's code
// page) is the hot key of Caption, in either case.
bool IsWideCharAccel(platform::WPARAM CharCode, std::u16string_view Caption);

}  // namespace widetext
