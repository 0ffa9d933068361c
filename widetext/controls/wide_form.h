#pragma once
// A form with a Unicode window and a wide Caption and Hint; the program's
// message dialog is one. A form class is built from the layout registered
// for its class name (TWtxForm itself has an empty one).
//
// Its window is made as the class library would make it, but Unicode: an
// MDI child's in the main form's MDI client window (its default procedure
// the MDI child one), any other without the layered style, which the
// form's AlphaBlend or TransparentColor then gives it again with its
// attributes. An MDI frame's unhandled messages go to the Unicode frame
// procedure. A dock site that uses a dock manager has its window before
// its manager, so that the manager watches the form's messages in front of
// the window's trap. On a platform without Unicode support the form is
// the class library's.

#include <memory>
#include <string_view>

#include "platform/ui/controls/docking.h"
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
  void DefaultHandler(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  std::unique_ptr<platform::TDockManager> CreateDockManager() override;

 private:
  void CreateMdiChildHandle(const platform::TCreateParams& Params);
};

// Whether CharCode (a key's character, bytes taken in the keyboard's code
// page) is the hot key of Caption, in either case.
bool IsWideCharAccel(platform::WPARAM CharCode, std::u16string_view Caption);

}  // namespace widetext
