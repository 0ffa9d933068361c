#pragma once
// Helpers that carry per-component values of the wide layer (the control
// core keeps a control's wide caption and hint on one). The helpers of one
// kind live in a list sorted by the address of the component they serve; a
// helper frees itself, and so leaves its list, when its component goes.

#include "platform/core/classes/component.h"

namespace widetext {

class TWideComponentHelper : public platform::TComponent {
 public:
  // Never to be used: raises EWtxInternalError. Helpers are made by the
  // helper-making constructor below.
  explicit TWideComponentHelper(platform::TComponent* AOwner);

  platform::TComponent* Component() const { return component_; }

 protected:
  // Makes a helper without an owner for AComponent and inserts it into
  // ComponentHelperList at its sorted place.
  TWideComponentHelper(platform::TComponent* AComponent, platform::TComponentList* ComponentHelperList);

  void Notification(platform::TComponent* AComponent, platform::TOperation Operation) override;

 private:
  platform::TComponent* component_ = nullptr;
};

// The helper of Component in List, or null.
TWideComponentHelper* FindWideComponentHelper(const platform::TComponentList* List,
                                              const platform::TComponent* Component);

}  // namespace widetext
