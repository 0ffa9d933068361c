#include "widetext/controls/control_helper.h"

#include "widetext/controls/wide_layer.h"

namespace widetext {

TWideControlHelper::TWideControlHelper(platform::TControl* AControl, platform::TComponentList* List)
    : TWideComponentHelper(AControl, List) {}

platform::TControl* TWideControlHelper::Control() const { return static_cast<platform::TControl*>(Component()); }

TWideControlHelper* GetWideControlHelper(platform::TControl* Control, bool CreateIfNotFound) {
  if (!Control) return nullptr;
  auto* helper = static_cast<TWideControlHelper*>(FindWideComponentHelper(&WideHelperList(), Control));
  if (!helper && CreateIfNotFound) helper = new TWideControlHelper(Control, &WideHelperList());
  return helper;
}

}  // namespace widetext
