#include "widetext/component_helper.h"

#include <functional>

#include "widetext/exceptions.h"

namespace widetext {
namespace {

const platform::TComponent* ServedBy(const platform::TComponentList* List, int Index) {
  return static_cast<const TWideComponentHelper*>(List->Items(Index))->Component();
}

// Binary search by the address of the served component: true when found;
// Index is the match or the insertion point.
bool FindIndex(const platform::TComponentList* List, const platform::TComponent* Component, int& Index) {
  const std::less<const platform::TComponent*> before;
  int low = 0;
  int high = List->Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const platform::TComponent* served = ServedBy(List, middle);
    if (served == Component) {
      Index = middle;
      return true;
    }
    if (before(served, Component)) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  Index = low;
  return false;
}

}  // namespace

TWideComponentHelper::TWideComponentHelper(platform::TComponent* AOwner) : platform::TComponent(AOwner) {
  throw EWtxInternalError("WTX Internal Error: TWideComponentHelper.Create should never be encountered.");
}

TWideComponentHelper::TWideComponentHelper(platform::TComponent* AComponent,
                                           platform::TComponentList* ComponentHelperList)
    : platform::TComponent(nullptr), component_(AComponent) {
  component_->FreeNotification(this);
  int index = 0;
  FindIndex(ComponentHelperList, component_, index);
  ComponentHelperList->Insert(index, this);
}

void TWideComponentHelper::Notification(platform::TComponent* AComponent, platform::TOperation Operation) {
  platform::TComponent::Notification(AComponent, Operation);
  if (Operation == platform::opRemove && AComponent == component_) {
    component_ = nullptr;
    delete this;
  }
}

TWideComponentHelper* FindWideComponentHelper(const platform::TComponentList* List,
                                              const platform::TComponent* Component) {
  int index = 0;
  if (!FindIndex(List, Component, index)) return nullptr;
  return static_cast<TWideComponentHelper*>(List->Items(index));
}

}  // namespace widetext
