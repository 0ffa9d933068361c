#pragma once
// What a button painted by its parent shows of the mouse: pressed from a
// left-button press on it until that button is let go, and hot while the
// mouse is over it. A change the button shows repaints it.

#include "platform/ui/controls/controls.h"

namespace platform {

class ButtonFeedback {
 public:
  explicit ButtonFeedback(TControl& Button) : button_(Button) {}
  bool Pressed() const { return pressed_; }
  bool Hot() const { return hot_; }
  // A press counts on an enabled button that takes presses.
  void MouseDown(TMouseButton Button, bool TakesPresses);
  void MouseUp(TMouseButton Button);
  // Follows the mouse coming and going, and repaints for a new caption or
  // enabled state; the message goes on to the button's base class.
  // ShowsHot: the button looks different under the mouse.
  void Follow(const TMessage& Message, bool ShowsHot);

 private:
  TControl& button_;
  bool pressed_ = false;
  bool hot_ = false;
};

}  // namespace platform
