#include "platform/ui/controls/button_feedback.h"

namespace platform {

void ButtonFeedback::MouseDown(TMouseButton Button, bool TakesPresses) {
  if (Button == mbLeft && button_.Enabled() && TakesPresses) {
    pressed_ = true;
    button_.Invalidate();
  }
}

void ButtonFeedback::MouseUp(TMouseButton Button) {
  if (Button == mbLeft && pressed_) {
    pressed_ = false;
    button_.Invalidate();
  }
}

void ButtonFeedback::Follow(const TMessage& Message, bool ShowsHot) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      hot_ = Message.Msg == CM_MOUSEENTER;
      if (ShowsHot) button_.Invalidate();
      break;
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
      button_.Invalidate();
      break;
    default:
      break;
  }
}

}  // namespace platform
