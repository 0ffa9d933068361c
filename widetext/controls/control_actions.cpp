#include "widetext/controls/control_actions.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/exceptions.h"

namespace widetext {
namespace {

// A text of the action (its caption or hint): the wide action's own, the
// 8-bit text of another action widened.
std::u16string ActionText(platform::TBasicAction* Action, std::u16string (IWtxAction::*Wide)(),
                          const std::string& (platform::TCustomAction::*Ansi)() const) {
  if (auto* wide = dynamic_cast<IWtxAction*>(Action)) return (wide->*Wide)();
  auto* custom = dynamic_cast<platform::TCustomAction*>(Action);
  return custom ? WidenAnsi((custom->*Ansi)()) : std::u16string();
}

// What an 8-bit text the action sets stands for in the control.
std::u16string TargetText(platform::TBasicAction* Action, const std::string& Value,
                          std::u16string (IWtxAction::*Target)(const std::string&)) {
  auto* wide = dynamic_cast<IWtxAction*>(Action);
  return wide ? (wide->*Target)(Value) : WidenAnsi(Value);
}

}  // namespace

void WtxControl_ActionChange(platform::TControl* Control, platform::TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<platform::TCustomAction*>(Sender);
  auto* wide = dynamic_cast<IWtxAction*>(Sender);
  if (!action || !wide) return;
  const std::u16string caption = WideGetWindowText(Control);
  if (!CheckDefaults || caption.empty() || caption == WidenAnsi(Control->Name())) {
    WideSetWindowText(Control, wide->GetWideCaption());
  }
  if (!CheckDefaults || WideGetHint(Control).empty()) WideSetHint(Control, wide->GetWideHint());
}

const platform::TActionLinkClass& WtxControl_GetActionLinkClass(platform::TControl* Control,
                                                                const platform::TActionLinkClass& InheritedLinkClass) {
  const platform::TActionLinkClass& chosen =
      dynamic_cast<platform::TCustomListView*>(Control)     ? TWtxListViewActionLinkClass
      : dynamic_cast<platform::TCustomComboBoxEx*>(Control) ? TWtxComboBoxExActionLinkClass
      : dynamic_cast<platform::TSpeedButton*>(Control)      ? TWtxSpeedButtonActionLinkClass
      : dynamic_cast<platform::TToolButton*>(Control)       ? TWtxToolButtonActionLinkClass
      : dynamic_cast<platform::TButtonControl*>(Control)    ? TWtxButtonActionLinkClass
      : dynamic_cast<platform::TWinControl*>(Control)       ? TWtxWinControlActionLinkClass
                                                            : TWtxControlActionLinkClass;
  if (chosen.Parent != &InheritedLinkClass) {
    throw EWtxInternalError(std::string("Internal Error: ") + chosen.Name + " does not extend " +
                            InheritedLinkClass.Name + ".");
  }
  return chosen;
}

template <class Base>
bool TWtxActionLinkOf<Base>::IsCaptionLinked() {
  platform::TControl* client = this->Client();
  return Base::IsCaptionLinked() && client &&
         WideGetWindowText(client) ==
             ActionText(this->Action(), &IWtxAction::GetWideCaption, &platform::TCustomAction::Caption);
}

template <class Base>
bool TWtxActionLinkOf<Base>::IsHintLinked() {
  platform::TControl* client = this->Client();
  return Base::IsHintLinked() && client &&
         WideGetHint(client) == ActionText(this->Action(), &IWtxAction::GetWideHint, &platform::TCustomAction::Hint);
}

template <class Base>
void TWtxActionLinkOf<Base>::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) {
    WideSetWindowText(this->Client(), TargetText(this->Action(), Value, &IWtxAction::TargetCaption));
  }
}

template <class Base>
void TWtxActionLinkOf<Base>::SetHint(const std::string& Value) {
  if (IsHintLinked()) WideSetHint(this->Client(), TargetText(this->Action(), Value, &IWtxAction::TargetHint));
}

template class TWtxActionLinkOf<platform::TControlActionLink>;
template class TWtxActionLinkOf<platform::TWinControlActionLink>;
template class TWtxActionLinkOf<platform::TButtonActionLink>;
template class TWtxActionLinkOf<platform::TListViewActionLink>;
template class TWtxActionLinkOf<platform::TComboBoxExActionLink>;
template class TWtxActionLinkOf<platform::TSpeedButtonActionLink>;
template class TWtxActionLinkOf<platform::TToolButtonActionLink>;

namespace {

template <class Link>
platform::TActionLinkClass LinkClass(const char* Name, const platform::TActionLinkClass& Parent) {
  return platform::TActionLinkClass{Name, &Parent,
                                    [](platform::TObject* Client) -> std::unique_ptr<platform::TActionLink> {
                                      return std::make_unique<Link>(Client);
                                    }};
}

}  // namespace

const platform::TActionLinkClass TWtxControlActionLinkClass =
    LinkClass<TWtxControlActionLink>("TWtxControlActionLink", platform::TControlActionLinkClass);
const platform::TActionLinkClass TWtxWinControlActionLinkClass =
    LinkClass<TWtxWinControlActionLink>("TWtxWinControlActionLink", platform::TWinControlActionLinkClass);
const platform::TActionLinkClass TWtxButtonActionLinkClass =
    LinkClass<TWtxButtonActionLink>("TWtxButtonActionLink", platform::TButtonActionLinkClass);
const platform::TActionLinkClass TWtxListViewActionLinkClass =
    LinkClass<TWtxListViewActionLink>("TWtxListViewActionLink", platform::TListViewActionLinkClass);
const platform::TActionLinkClass TWtxComboBoxExActionLinkClass =
    LinkClass<TWtxComboBoxExActionLink>("TWtxComboBoxExActionLink", platform::TComboBoxExActionLinkClass);
const platform::TActionLinkClass TWtxSpeedButtonActionLinkClass =
    LinkClass<TWtxSpeedButtonActionLink>("TWtxSpeedButtonActionLink", platform::TSpeedButtonActionLinkClass);
const platform::TActionLinkClass TWtxToolButtonActionLinkClass =
    LinkClass<TWtxToolButtonActionLink>("TWtxToolButtonActionLink", platform::TToolButtonActionLinkClass);

}  // namespace widetext
