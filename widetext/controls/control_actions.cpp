#include "widetext/controls/control_actions.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/exceptions.h"

namespace widetext {
namespace {

std::u16string ActionCaption(platform::TBasicAction* Action) {
  if (auto* wide = dynamic_cast<IWtxAction*>(Action)) return wide->GetWideCaption();
  auto* custom = dynamic_cast<platform::TCustomAction*>(Action);
  return custom ? WidenAnsi(custom->Caption()) : std::u16string();
}

std::u16string ActionHint(platform::TBasicAction* Action) {
  if (auto* wide = dynamic_cast<IWtxAction*>(Action)) return wide->GetWideHint();
  auto* custom = dynamic_cast<platform::TCustomAction*>(Action);
  return custom ? WidenAnsi(custom->Hint()) : std::u16string();
}

std::u16string TargetCaption(platform::TBasicAction* Action, const std::string& Value) {
  auto* wide = dynamic_cast<IWtxAction*>(Action);
  return wide ? wide->TargetCaption(Value) : WidenAnsi(Value);
}

std::u16string TargetHint(platform::TBasicAction* Action, const std::string& Value) {
  auto* wide = dynamic_cast<IWtxAction*>(Action);
  return wide ? wide->TargetHint(Value) : WidenAnsi(Value);
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
  return Base::IsCaptionLinked() && client && WideGetWindowText(client) == ActionCaption(this->Action());
}

template <class Base>
bool TWtxActionLinkOf<Base>::IsHintLinked() {
  platform::TControl* client = this->Client();
  return Base::IsHintLinked() && client && WideGetHint(client) == ActionHint(this->Action());
}

template <class Base>
void TWtxActionLinkOf<Base>::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) WideSetWindowText(this->Client(), TargetCaption(this->Action(), Value));
}

template <class Base>
void TWtxActionLinkOf<Base>::SetHint(const std::string& Value) {
  if (IsHintLinked()) WideSetHint(this->Client(), TargetHint(this->Action(), Value));
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
