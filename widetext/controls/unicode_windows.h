#pragma once
// Unicode windows for the class library's controls. Every wide windowed
// control makes its window here (from its CreateWindowHandle): a window of
// the class "<8-bit class name>.UnicodeClass", whose unhandled messages go
// to the platform class being extended (SubClass, e.g. "EDIT") or to the
// default Unicode procedure, with the trap of control_trap.h installed and
// the control's wide caption put in.

#include <string>
#include <string_view>

#include "platform/ui/controls/controls.h"

namespace widetext {

// Raises EOSError when the class cannot be registered or the window made.
// On a platform without Unicode support: the class library's own 8-bit
// window, nothing else.
void CreateUnicodeHandle(platform::TWinControl* Control, const platform::TCreateParams& Params,
                         std::u16string_view SubClass);
// Installs the trap on the control's window and gives it its wide caption
// (the one kept for it, else Caption widened). EWtxInternalError when the
// window is not a Unicode window.
void SubClassUnicodeControl(platform::TWinControl* Control, std::string_view Caption);

// Registers "<8-bit class name>.UnicodeClass" for Params (again when a
// class of that name has another procedure) and returns its name.
std::u16string RegisterUnicodeClass(const platform::TCreateParams& Params);
// While it lives, the window being made is Control's, for WM_NOTIFYFORMAT.
class UnicodeCreationScope {
 public:
  explicit UnicodeCreationScope(platform::TWinControl* Control);
  ~UnicodeCreationScope();
  UnicodeCreationScope(const UnicodeCreationScope&) = delete;
  UnicodeCreationScope& operator=(const UnicodeCreationScope&) = delete;
};

// The window CreateUnicodeHandle is making at the moment; null otherwise.
platform::HWND UnicodeWindowBeingCreated();

}  // namespace widetext
