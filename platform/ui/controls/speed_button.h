#pragma once
// The class library's speed button: a button without a window, painted by
// its parent, with a glyph and a caption. Buttons of one group (the same
// parent and group index) stay down one at a time.

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/button_feedback.h"
#include "platform/ui/controls/controls.h"
#include "platform/ui/controls/graphics.h"

namespace platform {

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  bool Down() const { return down_; }
  // Down in a group lets the others of the group up; a button without a
  // group does not stay down.
  void SetDown(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  // The last button of a group may go up.
  bool AllowAllUp = false;
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  TBitmap& Glyph() { return glyph_; }
  // A button of a group goes down (or, with AllowAllUp, up again) first.
  void Click() override;
  const TActionLinkClass& GetActionLinkClass() const override;
  // The action's check too, as the button's down state.
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool down_ = false;
  ButtonFeedback feedback_{*this};
  bool flat_ = false;
  int groupIndex_ = 0;
  TBitmap glyph_;
};

// The link of a speed button to its action: the check is the button's down
// state, for a button of a group that may go all up.
class TSpeedButtonActionLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 protected:
  TSpeedButton* ButtonClient() const { return dynamic_cast<TSpeedButton*>(Client()); }
};

extern const TActionLinkClass TSpeedButtonActionLinkClass;

}  // namespace platform
