// What the custom-drawn button and check box write to a form stream: their
// published properties in declaration order, each left out while it holds
// its declared default.

#include "platform/core/classes/published.h"
#include "platform/ui/controls/control_properties.h"
#include "platform/ui/controls/graphics_filing.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/custom_drawn/xp_check_box.h"

namespace widetext {
namespace {

using platform::BooleanProperty;
using platform::ColorProperty;
using platform::EventProperty;
using platform::IntegerProperty;
using platform::TColor;
using platform::TPropInfo;

TPropInfo CaptionProperty(std::function<std::u16string()> Get, std::function<void(const std::u16string&)> Set) {
  TPropInfo p{.Name = "Caption", .Kind = platform::TTypeKind::tkWString};
  p.GetWideStr = std::move(Get);
  p.SetWideStr = std::move(Set);
  return p;
}

// What every control of the two publishes before its own.
void ControlProperties(platform::TWinControl* Control, TPropInfo Font, std::vector<TPropInfo>& Props) {
  Props.push_back(std::move(Font));
  Props.push_back(platform::EnabledProperty(Control));
  Props.push_back(platform::ParentFontProperty(Control));
  Props.push_back(platform::HintProperty(Control));
  Props.push_back(platform::ShowHintProperty(Control));
  Props.push_back(platform::TabOrderProperty(Control));
  Props.push_back(platform::TabStopProperty(Control));
  Props.push_back(platform::VisibleProperty(Control));
  Props.push_back(platform::AnchorsProperty(Control));
}

}  // namespace

void TxpButton::GetPublishedProperties(std::vector<TPropInfo>& Props) const {
  platform::TCustomControl::GetPublishedProperties(Props);
  auto* self = const_cast<TxpButton*>(this);
  Props.push_back(
      CaptionProperty([self] { return self->Caption(); }, [self](const std::u16string& V) { self->SetCaption(V); }));
  ControlProperties(self, platform::FontProperty(self), Props);
  TPropInfo picture =
      platform::ClassProperty("Picture", [self]() -> platform::TPersistent* { return self->picture_.get(); });
  picture.NewObject = [self]() -> platform::TPersistent* {
    self->picture_ = std::make_unique<platform::TBitmap>();
    self->caption_.clear();
    return self->picture_.get();
  };
  Props.push_back(std::move(picture));
  Props.push_back(IntegerProperty(
      "TimerWaitStart", [self]() -> std::int64_t { return self->TimerWaitStart; },
      [self](std::int64_t V) { self->TimerWaitStart = static_cast<std::uint32_t>(V); }, 1000));
  Props.push_back(IntegerProperty(
      "TimerInterval", [self]() -> std::int64_t { return self->TimerInterval; },
      [self](std::int64_t V) { self->TimerInterval = static_cast<std::uint32_t>(V); }, 200));
  Props.push_back(BooleanProperty(
      "MonoColor", [self] { return self->MonoColor; }, [self](bool V) { self->MonoColor = V; }, 0));
  Props.push_back(BooleanProperty(
      "Cancel", [self] { return self->Cancel; }, [self](bool V) { self->Cancel = V; }, 0));
  Props.push_back(BooleanProperty(
      "CustomColor", [self] { return self->CustomColor(); }, [self](bool V) { self->SetCustomColor(V); }, 0));
  Props.push_back(ColorProperty(
      "BackColor", [self] { return self->BackColor(); }, [self](TColor V) { self->SetBackColor(V); },
      platform::clBtnFace));
  Props.push_back(ColorProperty(
      "GradientTopColor", [self] { return self->GradientTopColor(); },
      [self](TColor V) { self->SetGradientTopColor(V); }, platform::clBtnHighlight));
  Props.push_back(ColorProperty(
      "GradientBottColor", [self] { return self->GradientBottColor(); },
      [self](TColor V) { self->SetGradientBottColor(V); }, platform::clBtnFace));
  Props.push_back(BooleanProperty(
      "Default", [self] { return self->Default; }, [self](bool V) { self->Default = V; }, 0));
  Props.push_back(IntegerProperty(
      "ModalResult", [self]() -> std::int64_t { return self->ModalResult(); },
      [self](std::int64_t V) { self->SetModalResult(static_cast<platform::TModalResult>(V)); }, 0));
  Props.push_back(EventProperty("OnClick", self->OnClick));
  Props.push_back(EventProperty("OnEnter", self->OnEnter));
  Props.push_back(EventProperty("OnExit", self->OnExit));
  Props.push_back(EventProperty("OnKeyDown", self->OnKeyDown));
  Props.push_back(EventProperty("OnKeyUp", self->OnKeyUp));
  Props.push_back(EventProperty("OnMouseDown", self->OnMouseDown));
  Props.push_back(EventProperty("OnMouseUp", self->OnMouseUp));
  Props.push_back(EventProperty("OnTimerEvent", self->OnTimerEvent));
}

void TxpCheckBox::GetPublishedProperties(std::vector<TPropInfo>& Props) const {
  platform::TCustomControl::GetPublishedProperties(Props);
  auto* self = const_cast<TxpCheckBox*>(this);
  Props.push_back(
      CaptionProperty([self] { return self->Caption(); }, [self](const std::u16string& V) { self->SetCaption(V); }));
  ControlProperties(self,
                    platform::ClassProperty(
                        "Font", [self]() -> platform::TPersistent* { return &self->drawFont_; },
                        [self] { return !self->ParentFont(); }),
                    Props);
  Props.push_back(ColorProperty(
      "Color", [self] { return self->Color(); }, [self](TColor V) { self->SetColor(V); }));
  Props.push_back(ColorProperty(
      "MarkColor", [self] { return self->MarkColor(); }, [self](TColor V) { self->SetMarkColor(V); },
      platform::clWindowText));
  Props.push_back(ColorProperty(
      "SquareColor", [self] { return self->SquareColor(); }, [self](TColor V) { self->SetSquareColor(V); },
      platform::clWindow));
  Props.push_back(BooleanProperty(
      "Checked", [self] { return self->Checked(); }, [self](bool V) { self->SetChecked(V); }, 0));
  Props.push_back(platform::EnumProperty(
      "Alignment", {"cbaLeft", "cbaRight"}, [self]() -> std::int64_t { return self->Alignment(); },
      [self](std::int64_t V) { self->SetAlignment(V == cbaLeft ? cbaLeft : cbaRight); }));
  Props.push_back(EventProperty("OnClick", self->OnClick));
  Props.push_back(EventProperty("OnEnter", self->OnEnter));
  Props.push_back(EventProperty("OnExit", self->OnExit));
  Props.push_back(EventProperty("OnMouseEnter", self->OnMouseEnter));
  Props.push_back(EventProperty("OnMouseLeave", self->OnMouseLeave));
  Props.push_back(BooleanProperty(
      "Autosize", [self] { return self->Autosize(); }, [self](bool V) { self->SetAutosize(V); }, 1));
  Props.push_back(BooleanProperty(
      "CustomColor", [self] { return self->CustomColor(); }, [self](bool V) { self->SetCustomColor(V); }, 0));
}

}  // namespace widetext
