#include "platform/ui/controls/button_control.h"

namespace platform {
namespace {

// Sets the check without the click a change of it makes.
void SetCheckedQuietly(TButtonControl& Control, bool Value) {
  const bool was = Control.ClicksDisabled;
  Control.ClicksDisabled = true;
  try {
    Control.SetChecked(Value);
  } catch (...) {
    Control.ClicksDisabled = was;
    throw;
  }
  Control.ClicksDisabled = was;
}

}  // namespace

// The button's window clicks the control itself (BN_CLICKED, reflected as
// CN_COMMAND) for the mouse, the space bar and BM_CLICK alike; a click the
// class library made of the mouse messages on top would click it twice.
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle &= ~static_cast<unsigned>(csClickEvents);
}

void TButtonControl::Click() {
  if (!ClicksDisabled) TWinControl::Click();
}

const TActionLinkClass& TButtonControl::GetActionLinkClass() const { return TButtonActionLinkClass; }

void TButtonControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  TWinControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (action && (!CheckDefaults || !Checked())) SetCheckedQuietly(*this, action->Checked());
}

bool TButtonActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TButtonControl* client = ButtonClient();
  return action && client && client->Checked() == action->Checked();
}

void TButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) SetCheckedQuietly(*ButtonClient(), Value);
}

const TActionLinkClass TButtonActionLinkClass{
    "TButtonActionLink", &TWinControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TButtonActionLink>(Client); }};

}  // namespace platform
