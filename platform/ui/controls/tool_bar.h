#pragma once
// The class library's tool bar and tool buttons: a bar across the top of
// its parent, as tall as its buttons, that lines them up from the left, each showing a
// picture of the bar's image list and, where the bar shows captions, its
// caption under it. A check button stays down until clicked again; the
// grouped check buttons next to each other stay down one at a time.

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/button_feedback.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/controls.h"

namespace platform {

class TToolButton;

class TToolBar : public TCustomControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool Value);
  // The pictures the buttons name; the bar does not own them.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value);
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;

 protected:
  void Paint() override;
  // The buttons stand in a row from the left, in the order they came.
  void AlignControls(TControl* AControl) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void Arrange();
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool showCaptions_ = false;
  TImageList* images_ = nullptr;
};

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

class TToolButton : public TGraphicControl {
 public:
  explicit TToolButton(TComponent* AOwner);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle Value);
  bool Down() const { return down_; }
  void SetDown(bool Value);
  // With its grouped neighbours, down one at a time.
  bool Grouped = false;
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TToolBar* ToolBar() const;
  // A check button goes down, or up again, first.
  void Click() override;
  const TActionLinkClass& GetActionLinkClass() const override;
  // The action's check and picture too.
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // The grouped check buttons next to this one, this one included.
  std::vector<TToolButton*> Group() const;
  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  ButtonFeedback feedback_{*this};
  int imageIndex_ = -1;
};

// The link of a tool button to its action: the check is the button's down
// state, and the picture follows the action's.
class TToolButtonActionLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;
  bool IsCheckedLinked() override;
  bool IsImageIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;

 protected:
  TToolButton* ButtonClient() const { return dynamic_cast<TToolButton*>(Client()); }
};

extern const TActionLinkClass TToolButtonActionLinkClass;

}  // namespace platform
