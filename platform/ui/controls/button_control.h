#pragma once
// The class library's base of the button controls (push buttons, check
// boxes, radio buttons): a check the action link follows.

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/controls.h"

namespace platform {

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  // A push button has no check.
  virtual bool Checked() { return false; }
  virtual void SetChecked(bool) {}
  // While set, a change of the check clicks nothing: an action is setting
  // it.
  bool ClicksDisabled = false;
  void Click() override;
  const TActionLinkClass& GetActionLinkClass() const override;
  // The action's check too (with CheckDefaults, only when unchecked).
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
};

// The link of a button control to its action: the check is linked too.
class TButtonActionLink : public TWinControlActionLink {
 public:
  using TWinControlActionLink::TWinControlActionLink;
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 protected:
  TButtonControl* ButtonClient() const { return dynamic_cast<TButtonControl*>(Client()); }
};

extern const TActionLinkClass TButtonActionLinkClass;

}  // namespace platform
