// Layered forms: a top-level form's opacity and transparent colour.

#include "platform/core/window_system/layered_windows.h"
#include "platform/ui/controls/forms.h"

namespace platform {

void TCustomForm::SetAlphaBlend(bool Value) {
  if (Value == alphaBlend_) return;
  alphaBlend_ = Value;
  ApplyLayeredAttributes();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
  if (Value == alphaBlendValue_) return;
  alphaBlendValue_ = Value;
  if (alphaBlend_) ApplyLayeredAttributes();
}

void TCustomForm::SetTransparentColor(bool Value) {
  if (Value == transparentColor_) return;
  transparentColor_ = Value;
  ApplyLayeredAttributes();
}

void TCustomForm::SetTransparentColorValue(TColor Value) {
  if (Value == transparentColorValue_) return;
  transparentColorValue_ = Value;
  if (transparentColor_) ApplyLayeredAttributes();
}

// Only a top-level window can be layered. Switching both off takes the
// style away, which drops the attributes.
void TCustomForm::ApplyLayeredAttributes() {
  if (!HandleAllocated()) return;
  const HWND h = WindowHandle();
  if (GetWindowLong(h, GWL_STYLE) & WS_CHILD) return;
  const auto ex = static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE));
  if (!alphaBlend_ && !transparentColor_) {
    if (ex & WS_EX_LAYERED) SetWindowLong(h, GWL_EXSTYLE, static_cast<LPARAM>(ex & ~WS_EX_LAYERED));
    return;
  }
  if (!(ex & WS_EX_LAYERED)) SetWindowLong(h, GWL_EXSTYLE, static_cast<LPARAM>(ex | WS_EX_LAYERED));
  const DWORD flags = (alphaBlend_ ? LWA_ALPHA : 0) | (transparentColor_ ? LWA_COLORKEY : 0);
  SetLayeredWindowAttributes(h, ColorToRGB(transparentColorValue_), alphaBlendValue_, flags);
}

}  // namespace platform
