#pragma once
// How wide controls take their caption and hint from an action. An action
// that keeps a wide caption and hint offers IWtxAction (the wide action
// layer's actions do); any other action gives its 8-bit texts widened.
// Every wide control calls WtxControl_ActionChange before the class
// library's ActionChange, and makes its action link from the class
// WtxControl_GetActionLinkClass chooses.

#include <string>

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/button_control.h"
#include "platform/ui/controls/combo_box_ex.h"
#include "platform/ui/controls/list_view.h"
#include "platform/ui/controls/speed_button.h"
#include "platform/ui/controls/tool_bar.h"

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
// The wide link class for the control's kind, tested in this order: list
// view, extended combo box, speed button, tool button, button control, any
// other windowed control, any other control. InheritedLinkClass must be its
// parent (EWtxInternalError otherwise).
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

class TWtxButtonActionLink : public TWtxActionLinkOf<platform::TButtonActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

class TWtxListViewActionLink : public TWtxActionLinkOf<platform::TListViewActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

class TWtxComboBoxExActionLink : public TWtxActionLinkOf<platform::TComboBoxExActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

class TWtxSpeedButtonActionLink : public TWtxActionLinkOf<platform::TSpeedButtonActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

class TWtxToolButtonActionLink : public TWtxActionLinkOf<platform::TToolButtonActionLink> {
 public:
  using TWtxActionLinkOf::TWtxActionLinkOf;
};

extern const platform::TActionLinkClass TWtxControlActionLinkClass;
extern const platform::TActionLinkClass TWtxWinControlActionLinkClass;
extern const platform::TActionLinkClass TWtxButtonActionLinkClass;
extern const platform::TActionLinkClass TWtxListViewActionLinkClass;
extern const platform::TActionLinkClass TWtxComboBoxExActionLinkClass;
extern const platform::TActionLinkClass TWtxSpeedButtonActionLinkClass;
extern const platform::TActionLinkClass TWtxToolButtonActionLinkClass;

}  // namespace widetext
