#pragma once
// Actions with a UTF-16 caption and hint. A wide action keeps them in a
// helper component it owns, beside the class library's 8-bit caption and
// hint and under the consistency rule (controls/synced_strings.h). The
// class library tells an action's links about a new 8-bit value before it
// stores it; during a wide change the helper knows both the wide text the
// links' clients show now and the one being set, so that each link can
// compare its client with the first and hand it the second.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/filer.h"
#include "platform/ui/controls/actions.h"
#include "widetext/controls/control_actions.h"

namespace widetext {

class TCustomActionHelper : public platform::TComponent {
 public:
  // One wide text of the action.
  struct TWideText {
    std::u16string Wide;
    // A wide change is under way.
    bool Setting = false;
    // The wide text before the change.
    std::u16string Previous;
    // The 8-bit image being set.
    std::string Ansi;
  };

  // Owned by Action.
  explicit TCustomActionHelper(platform::TCustomAction* Action);
  platform::TCustomAction* Action() const { return action_; }

  TWideText Caption;
  TWideText Hint;

 private:
  platform::TCustomAction* action_;
};

// The action's helper, made on first use.
TCustomActionHelper& GetCustomActionHelper(platform::TCustomAction* Action);

// An action without the wide interface (IWtxAction) gives and takes its
// 8-bit texts. A wide one, while the class library is in the middle of a
// wide change, gives the text from before the change.
std::u16string WtxAction_GetCaption(platform::TCustomAction* Action);
void WtxAction_SetCaption(platform::TCustomAction* Action, std::u16string_view Value);
std::u16string WtxAction_GetHint(platform::TCustomAction* Action);
void WtxAction_SetHint(platform::TCustomAction* Action, std::u16string_view Value);
// What a link hands its client for the new 8-bit AnsiValue: AnsiValue
// widened, or during a wide change the wide text being set.
std::u16string WtxAction_TargetCaption(platform::TCustomAction* Action, const std::string& AnsiValue);
std::u16string WtxAction_TargetHint(platform::TCustomAction* Action, const std::string& AnsiValue);

class TWtxAction : public platform::TAction, public IWtxAction {
 public:
  using platform::TAction::SetCaption;
  using platform::TAction::SetHint;
  using platform::TAction::TAction;

  std::u16string GetCaption() { return WtxAction_GetCaption(this); }
  void SetCaption(std::u16string_view Value) { WtxAction_SetCaption(this, Value); }
  std::u16string GetHint() { return WtxAction_GetHint(this); }
  void SetHint(std::u16string_view Value) { WtxAction_SetHint(this, Value); }

  // The class library's Assign, then the wide caption and hint of a custom
  // action or of a control.
  void Assign(const platform::TPersistent* Source) override;
  // Caption and Hint, wide.
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;
  void DefineProperties(platform::TFiler* Filer) override;

  std::u16string GetWideCaption() override { return GetCaption(); }
  std::u16string GetWideHint() override { return GetHint(); }
  std::u16string TargetCaption(const std::string& AnsiValue) override;
  std::u16string TargetHint(const std::string& AnsiValue) override;
};

// The action that carries a hint to the application, with a wide hint.
class TWtxHintAction : public platform::THintAction, public IWtxAction {
 public:
  using platform::THintAction::SetHint;
  using platform::THintAction::THintAction;

  std::u16string GetHint() { return WtxAction_GetHint(this); }
  void SetHint(std::u16string_view Value) { WtxAction_SetHint(this, Value); }

  // As a wide action's: the wide caption comes along with the wide hint.
  void Assign(const platform::TPersistent* Source) override;
  void GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const override;
  void DefineProperties(platform::TFiler* Filer) override;

  std::u16string GetWideCaption() override { return WtxAction_GetCaption(this); }
  std::u16string GetWideHint() override { return GetHint(); }
  std::u16string TargetCaption(const std::string& AnsiValue) override;
  std::u16string TargetHint(const std::string& AnsiValue) override;
};

}  // namespace widetext
