#pragma once
// How wide controls take their caption and hint from an action. An action
// that keeps a wide caption and hint offers IWtxAction (the wide action
// layer's actions do); any other action gives its 8-bit texts widened.
// Every wide control calls WtxControl_ActionChange before the class
// library's ActionChange, and makes its action link from the class
// WtxControl_GetActionLinkClass chooses.

#include <string>

#include "platform/ui/controls/actions.h"

namespace widetext {

class IWtxAction {
 public:
  // The wide caption and hint as they stand.
  virtual std::u16string GetWideCaption() = 0;
  virtual std::u16string GetWideHint() = 0;
  // What a linked client shows when the class library hands it the new
  // 8-bit caption (hint): the wide value that is being set, when the
  // change is a wide one.
  virtual std::u16string TargetCaption(const std::string& AnsiValue) = 0;
  virtual std::u16string TargetHint(const std::string& AnsiValue) = 0;

 protected:
  ~IWtxAction() = default;
};

// From a wide action, the control takes its wide caption unless
// CheckDefaults is set and the control has a caption of its own (one that
// is not its name), and its wide hint unless CheckDefaults is set and it
// has one.
void WtxControl_ActionChange(platform::TControl* Control, platform::TObject* Sender, bool CheckDefaults);
// The wide link class for the control's kind; InheritedLinkClass must be
// its parent (EWtxInternalError otherwise).
const platform::TActionLinkClass& WtxControl_GetActionLinkClass(platform::TControl* Control,
                                                                const platform::TActionLinkClass& InheritedLinkClass);

// A link whose caption and hint are linked while the client's wide text
// equals the action's, and which hands the client the action's wide text.
template <class Base>
class TWtxActionLinkOf : public Base {
 public:
  using Base::Base;
  bool IsCaptionLinked() override;
  bool IsHintLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
};

class TWtxControlActionLink : public TWtxActionLinkOf<platform::TControlActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

class TWtxWinControlActionLink : public TWtxActionLinkOf<platform::TWinControlActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

extern const platform::TActionLinkClass TWtxControlActionLinkClass;
extern const platform::TActionLinkClass TWtxWinControlActionLinkClass;

}  // namespace widetext
