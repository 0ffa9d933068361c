#include "widetext/menus/wide_actions.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/property_filing.h"

namespace widetext {
namespace {

using TextOf = TCustomActionHelper::TWideText TCustomActionHelper::*;

// The 8-bit side of one of an action's two texts.
struct AnsiText {
  TextOf Text;
  const std::string& (platform::TCustomAction::*Get)() const;
  void (platform::TCustomAction::*Set)(const std::string&);
};

constexpr AnsiText kCaption{&TCustomActionHelper::Caption, &platform::TCustomAction::Caption,
                            &platform::TCustomAction::SetCaption};
constexpr AnsiText kHint{&TCustomActionHelper::Hint, &platform::TCustomAction::Hint, &platform::TCustomAction::SetHint};

bool IsWide(platform::TCustomAction* Action) { return dynamic_cast<IWtxAction*>(Action) != nullptr; }

// The class library is telling the links about a wide change.
bool InWideChange(platform::TCustomAction* Action, const TCustomActionHelper::TWideText& Text, const AnsiText& Side) {
  return Text.Setting && (Action->*Side.Get)() != Text.Ansi;
}

std::u16string Get(platform::TCustomAction* Action, const AnsiText& Side) {
  if (!IsWide(Action)) return WidenAnsi((Action->*Side.Get)());
  TCustomActionHelper::TWideText& text = GetCustomActionHelper(Action).*Side.Text;
  if (InWideChange(Action, text, Side)) return text.Previous;
  return GetSyncedWideString(text.Wide, (Action->*Side.Get)());
}

void Set(platform::TCustomAction* Action, std::u16string_view Value, const AnsiText& side) {
  if (!IsWide(Action)) {
    (Action->*side.Set)(AnsiImage(Value));
    return;
  }
  const std::u16string newValue(Value);
  TCustomActionHelper::TWideText& text = GetCustomActionHelper(Action).*side.Text;
  text.Previous = Get(Action, side);
  text.Ansi = AnsiImage(newValue);
  const struct Setting {
    bool& Flag;
    explicit Setting(bool& Target) : Flag(Target) { Flag = true; }
    ~Setting() { Flag = false; }
  } setting(text.Setting);
  SetSyncedWideString(newValue, text.Wide, (Action->*side.Get)(), [&](const std::string& Ansi) {
    (Action->*side.Set)(Ansi);
    // After the empty step of a change between two texts with the same
    // image the clients show nothing: that is what they are compared with.
    if (Ansi.empty() && !text.Ansi.empty()) text.Previous.clear();
  });
}

std::u16string Target(platform::TCustomAction* Action, const std::string& AnsiValue, const AnsiText& Side) {
  if (IsWide(Action)) {
    const TCustomActionHelper::TWideText& text = GetCustomActionHelper(Action).*Side.Text;
    if (InWideChange(Action, text, Side)) return text.Wide;
  }
  return WidenAnsi(AnsiValue);
}

platform::TPropInfo WideProperty(const char* Name, std::function<std::u16string()> Get,
                                 std::function<void(const std::u16string&)> Set) {
  platform::TPropInfo prop{.Name = Name, .Kind = platform::TTypeKind::tkWString};
  prop.GetWideStr = std::move(Get);
  prop.SetWideStr = std::move(Set);
  return prop;
}

void AddWideActionProperties(platform::TCustomAction* Action, bool WithCaption,
                             std::vector<platform::TPropInfo>& Props) {
  if (WithCaption) {
    Props.push_back(WideProperty(
        "Caption", [Action] { return WtxAction_GetCaption(Action); },
        [Action](const std::u16string& V) { WtxAction_SetCaption(Action, V); }));
  }
  Props.push_back(WideProperty(
      "Hint", [Action] { return WtxAction_GetHint(Action); },
      [Action](const std::u16string& V) { WtxAction_SetHint(Action, V); }));
}

void AssignWideActionTexts(platform::TCustomAction* Action, const platform::TPersistent* Source) {
  if (const auto* action = dynamic_cast<const platform::TCustomAction*>(Source)) {
    auto* source = const_cast<platform::TCustomAction*>(action);
    WtxAction_SetCaption(Action, WtxAction_GetCaption(source));
    WtxAction_SetHint(Action, WtxAction_GetHint(source));
  } else if (const auto* control = dynamic_cast<const platform::TControl*>(Source)) {
    // Reading a control's wide text asks its window, which is not a const act.
    auto* source = const_cast<platform::TControl*>(control);
    WtxAction_SetCaption(Action, WideGetWindowText(source));
    WtxAction_SetHint(Action, WideGetHint(source));
  }
}

}  // namespace

TCustomActionHelper::TCustomActionHelper(platform::TCustomAction* Action)
    : platform::TComponent(Action), action_(Action) {}

TCustomActionHelper& GetCustomActionHelper(platform::TCustomAction* Action) {
  for (int i = 0; i < Action->ComponentCount(); ++i) {
    if (auto* helper = dynamic_cast<TCustomActionHelper*>(Action->Components(i))) return *helper;
  }
  return *new TCustomActionHelper(Action);
}

std::u16string WtxAction_GetCaption(platform::TCustomAction* Action) { return Get(Action, kCaption); }
void WtxAction_SetCaption(platform::TCustomAction* Action, std::u16string_view Value) { Set(Action, Value, kCaption); }
std::u16string WtxAction_GetHint(platform::TCustomAction* Action) { return Get(Action, kHint); }
void WtxAction_SetHint(platform::TCustomAction* Action, std::u16string_view Value) { Set(Action, Value, kHint); }

std::u16string WtxAction_TargetCaption(platform::TCustomAction* Action, const std::string& AnsiValue) {
  return Target(Action, AnsiValue, kCaption);
}

std::u16string WtxAction_TargetHint(platform::TCustomAction* Action, const std::string& AnsiValue) {
  return Target(Action, AnsiValue, kHint);
}

// --------------------------------------------------------------- TWtxAction

void TWtxAction::Assign(const platform::TPersistent* Source) {
  platform::TAction::Assign(Source);
  AssignWideActionTexts(this, Source);
}

void TWtxAction::GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const {
  platform::TAction::GetPublishedProperties(Props);
  AddWideActionProperties(const_cast<TWtxAction*>(this), true, Props);
}

void TWtxAction::DefineProperties(platform::TFiler* Filer) {
  platform::TAction::DefineProperties(Filer);
  DefineWideProperties(Filer, this);
}

std::u16string TWtxAction::TargetCaption(const std::string& AnsiValue) {
  return WtxAction_TargetCaption(this, AnsiValue);
}

std::u16string TWtxAction::TargetHint(const std::string& AnsiValue) { return WtxAction_TargetHint(this, AnsiValue); }

// ----------------------------------------------------------- TWtxHintAction

void TWtxHintAction::Assign(const platform::TPersistent* Source) {
  platform::THintAction::Assign(Source);
  AssignWideActionTexts(this, Source);
}

void TWtxHintAction::GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const {
  platform::THintAction::GetPublishedProperties(Props);
  AddWideActionProperties(const_cast<TWtxHintAction*>(this), false, Props);
}

void TWtxHintAction::DefineProperties(platform::TFiler* Filer) {
  platform::THintAction::DefineProperties(Filer);
  DefineWideProperties(Filer, this);
}

std::u16string TWtxHintAction::TargetCaption(const std::string& AnsiValue) {
  return WtxAction_TargetCaption(this, AnsiValue);
}

std::u16string TWtxHintAction::TargetHint(const std::string& AnsiValue) {
  return WtxAction_TargetHint(this, AnsiValue);
}

}  // namespace widetext
