#pragma once
// The wide layer's common dialog: a component that takes a dialog's window
// over with a Unicode procedure of its own, so that the window's messages
// carry UTF-16; what it does not handle goes on to the window's own
// procedure, and it tells OnShow and OnClose.

#include "platform/ui/controls/common_dialog.h"

namespace widetext {

class TWtxCommonDialog : public platform::TCommonDialog {
 public:
  explicit TWtxCommonDialog(platform::TComponent* AOwner) : platform::TCommonDialog(AOwner) {
    UnicodeWindowProc = true;
  }
};

}  // namespace widetext
