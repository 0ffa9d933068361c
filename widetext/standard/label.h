#pragma once
// A label without a window whose caption is drawn as UTF-16; an empty
// caption (or a lone "&" marking nothing) still measures one line, and a
// disabled label is drawn embossed.

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

class TWtxCustomLabel : public TWideControl<platform::TCustomLabel> {
 public:
  using TWideControl::TWideControl;
  void WndProc(platform::TMessage& Message) override;

 protected:
  void DoDrawText(platform::TRect& Rect, platform::UINT Flags) override;
};

class TWtxLabel : public TWtxCustomLabel {
 public:
  using TWtxCustomLabel::TWtxCustomLabel;
};

// The accelerator of a wide caption for a label or static text: the
// control's FocusControl takes the focus (result 1).
void WideCaptionDialogChar(platform::TControl* Control, platform::TWinControl* FocusControl, bool ShowAccelChar,
                           platform::TMessage& Message);

}  // namespace widetext
