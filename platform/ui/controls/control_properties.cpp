#include "platform/ui/controls/control_properties.h"

#include "platform/core/classes/published.h"

namespace platform {

TPropInfo FontProperty(TControl* Control) {
  return ClassProperty(
      "Font", [Control]() -> TPersistent* { return &Control->Font(); }, [Control] { return !Control->ParentFont(); });
}

TPropInfo EnabledProperty(TControl* Control) {
  return BooleanProperty(
      "Enabled", [Control] { return Control->Enabled(); }, [Control](bool V) { Control->SetEnabled(V); }, 1);
}

TPropInfo ParentFontProperty(TControl* Control) {
  return BooleanProperty(
      "ParentFont", [Control] { return Control->ParentFont(); }, [Control](bool V) { Control->SetParentFont(V); }, 1);
}

TPropInfo HintProperty(TControl* Control) {
  TPropInfo p{.Name = "Hint", .Kind = TTypeKind::tkString};
  p.GetStr = [Control] { return Control->Hint; };
  p.SetStr = [Control](const std::string& V) { Control->Hint = V; };
  return p;
}

TPropInfo ShowHintProperty(TControl* Control) {
  TPropInfo p = BooleanProperty(
      "ShowHint", [Control] { return Control->ShowHint(); }, [Control](bool V) { Control->SetShowHint(V); });
  p.IsStored = [Control] { return !Control->ParentShowHint(); };
  return p;
}

TPropInfo VisibleProperty(TControl* Control) {
  return BooleanProperty(
      "Visible", [Control] { return Control->Visible(); }, [Control](bool V) { Control->SetVisible(V); }, 1);
}

TPropInfo AnchorsProperty(TControl* Control) {
  return SetProperty(
      "Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, [Control]() -> std::int64_t { return Control->Anchors(); },
      [Control](std::int64_t V) { Control->SetAnchors(static_cast<TAnchors>(V)); }, kDefaultAnchors);
}

TPropInfo TabOrderProperty(TWinControl* Control) {
  return IntegerProperty(
      "TabOrder", [Control]() -> std::int64_t { return Control->TabOrder(); },
      [Control](std::int64_t V) { Control->SetTabOrder(static_cast<int>(V)); }, -1);
}

TPropInfo TabStopProperty(TWinControl* Control) {
  return BooleanProperty(
      "TabStop", [Control] { return Control->TabStop(); }, [Control](bool V) { Control->SetTabStop(V); }, 0);
}

}  // namespace platform
