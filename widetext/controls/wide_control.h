#pragma once
// What every wide control adds to the class library's control it extends:
// a wide Caption and Hint kept by the control core, action changes and
// action links that carry wide texts, wide hints for controls without a
// window, and the wide companion properties in form streams.

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/core/classes/filer.h"
#include "platform/ui/controls/controls.h"
#include "widetext/controls/control_actions.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/hint_window.h"
#include "widetext/property_filing.h"

namespace widetext {

template <class Base>
class TWideControl : public Base {
 public:
  using Base::Base;

  std::u16string GetCaption() { return WideGetWindowText(this); }
  void SetCaption(std::u16string_view Value) { WideSetWindowText(this, Value); }
  std::u16string GetHint() { return WideGetHint(this); }
  void SetHint(std::u16string_view Value) { WideSetHint(this, Value); }

  void ActionChange(platform::TObject* Sender, bool CheckDefaults) override {
    WtxControl_ActionChange(this, Sender, CheckDefaults);
    Base::ActionChange(Sender, CheckDefaults);
  }
  const platform::TActionLinkClass& GetActionLinkClass() const override {
    auto* self = const_cast<TWideControl*>(this);
    return WtxControl_GetActionLinkClass(self, Base::GetActionLinkClass());
  }

  // Caption and Hint, stored unless an action supplies them.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override {
    Base::GetPublishedProperties(Props);
    auto* self = const_cast<TWideControl*>(this);
    platform::TPropInfo caption{.Name = "Caption", .Kind = platform::TTypeKind::tkWString};
    caption.IsStored = [self] { return IsCaptionStored(self); };
    caption.GetWideStr = [self] { return self->GetCaption(); };
    caption.SetWideStr = [self](const std::u16string& V) { self->SetCaption(V); };
    Props.push_back(std::move(caption));
    platform::TPropInfo hint{.Name = "Hint", .Kind = platform::TTypeKind::tkWString};
    hint.IsStored = [self] { return IsHintStored(self); };
    hint.GetWideStr = [self] { return self->GetHint(); };
    hint.SetWideStr = [self](const std::u16string& V) { self->SetHint(V); };
    Props.push_back(std::move(hint));
  }
  void DefineProperties(platform::TFiler* Filer) override {
    Base::DefineProperties(Filer);
    DefineWideProperties(Filer, this);
  }

  void WndProc(platform::TMessage& Message) override {
    // A windowed control's trap prepares its hint.
    if constexpr (!std::is_base_of_v<platform::TWinControl, Base>) {
      if (Message.Msg == platform::CM_HINTSHOW) PrepareWideHintShow(Message);
    }
    Base::WndProc(Message);
  }
};

}  // namespace widetext
