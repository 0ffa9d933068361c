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
  TextOf text;
  const std::string& (platform::TCustomAction::*get)() const;
  void (platform::TCustomAction::*set)(const std::string&);
};

constexpr AnsiText kCaption{&TCustomActionHelper::Caption, &platform::TCustomAction::Caption,
                            &platform::TCustomAction::SetCaption};
constexpr AnsiText kHint{&TCustomActionHelper::Hint, &platform::TCustomAction::Hint, &platform::TCustomAction::SetHint};

bool IsWide(platform::TCustomAction* action) { return dynamic_cast<IWtxAction*>(action) != nullptr; }

// The class library is telling the links about a wide change.
bool InWideChange(platform::TCustomAction* action, const TCustomActionHelper::TWideText& text, const AnsiText& side) {
  return text.Setting && (action->*side.get)() != text.Ansi;
}

std::u16string Get(platform::TCustomAction* action, const AnsiText& side) {
  if (!IsWide(action)) return WidenAnsi((action->*side.get)());
  TCustomActionHelper::TWideText& text = GetCustomActionHelper(action).*side.text;
  if (InWideChange(action, text, side)) return text.Previous;
  return GetSyncedWideString(text.Wide, (action->*side.get)());
}

void Set(platform::TCustomAction* action, std::u16string_view value, const AnsiText& side) {
  if (!IsWide(action)) {
    (action->*side.set)(AnsiImage(value));
    return;
  }
  const std::u16string newValue(value);
  TCustomActionHelper::TWideText& text = GetCustomActionHelper(action).*side.text;
  text.Previous = Get(action, side);
  text.Ansi = AnsiImage(newValue);
  const struct Setting {
    bool& flag;
    explicit Setting(bool& setting) : flag(setting) { flag = true; }
    ~Setting() { flag = false; }
  } setting(text.Setting);
  SetSyncedWideString(newValue, text.Wide, (action->*side.get)(), [&](const std::string& ansi) {
    (action->*side.set)(ansi);
    // After the empty step of a change between two texts with the same
    // image the clients show nothing: that is what they are compared with.
    if (ansi.empty() && !text.Ansi.empty()) text.Previous.clear();
  });
}

std::u16string Target(platform::TCustomAction* action, const std::string& ansiValue, const AnsiText& side) {
  if (IsWide(action)) {
    const TCustomActionHelper::TWideText& text = GetCustomActionHelper(action).*side.text;
    if (InWideChange(action, text, side)) return text.Wide;
  }
  return WidenAnsi(ansiValue);
}

platform::TPropInfo WideProperty(const char* name, std::function<std::u16string()> get,
                                 std::function<void(const std::u16string&)> set) {
  platform::TPropInfo prop{.Name = name, .Kind = platform::TTypeKind::tkWString};
  prop.GetWideStr = std::move(get);
  prop.SetWideStr = std::move(set);
  return prop;
}

void AddWideActionProperties(platform::TCustomAction* Action, bool WithCaption,
                             std::vector<platform::TPropInfo>& Props) {
  if (WithCaption) {
    Props.push_back(WideProperty(
        "Caption", [Action] { return WtxAction_GetCaption(Action); },
        [Action](const std::u16string& v) { WtxAction_SetCaption(Action, v); }));
  }
  Props.push_back(WideProperty(
      "Hint", [Action] { return WtxAction_GetHint(Action); },
      [Action](const std::u16string& v) { WtxAction_SetHint(Action, v); }));
}

void AssignWideActionTexts(platform::TCustomAction* Action, const platform::TPersistent* Source, bool WithCaption) {
  if (const auto* action = dynamic_cast<const platform::TCustomAction*>(Source)) {
    auto* source = const_cast<platform::TCustomAction*>(action);
    if (WithCaption) WtxAction_SetCaption(Action, WtxAction_GetCaption(source));
    WtxAction_SetHint(Action, WtxAction_GetHint(source));
  } else if (const auto* control = dynamic_cast<const platform::TControl*>(Source)) {
    // Reading a control's wide text asks its window, which is not a const act.
    auto* source = const_cast<platform::TControl*>(control);
    if (WithCaption) WtxAction_SetCaption(Action, WideGetWindowText(source));
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
  AssignWideActionTexts(this, Source, true);
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
  AssignWideActionTexts(this, Source, false);
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
