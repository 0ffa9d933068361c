#include "widetext/controls/control_helper.h"

namespace widetext {
namespace {

// Never destroyed: controls may still go while the program's static objects
// are destroyed.
platform::TComponentList& HelperList() {
  static auto* list = new platform::TComponentList;
  return *list;
}

}  // namespace

TWideControlHelper::TWideControlHelper(platform::TControl* AControl, platform::TComponentList* List)
    : TWideComponentHelper(AControl, List) {}

platform::TControl* TWideControlHelper::Control() const { return static_cast<platform::TControl*>(Component()); }

TWideControlHelper* GetWideControlHelper(platform::TControl* Control, bool CreateIfNotFound) {
  if (!Control) return nullptr;
  auto* helper = static_cast<TWideControlHelper*>(FindWideComponentHelper(&HelperList(), Control));
  if (!helper && CreateIfNotFound) helper = new TWideControlHelper(Control, &HelperList());
  return helper;
}

}  // namespace widetext
