// Right-to-left modes of controls: they count only on a system with
// middle-east language support.

#include "platform/ui/controls/controls.h"

namespace platform {
namespace {

bool MiddleEast() { return GetSystemMetrics(SM_MIDEASTENABLED) != 0; }

}  // namespace

bool TControl::UseRightToLeftReading() const { return MiddleEast() && BiDiMode != bdLeftToRight; }

bool TControl::UseRightToLeftAlignment() const { return MiddleEast() && BiDiMode == bdRightToLeft; }

UINT TControl::DrawTextBiDiModeFlags(UINT Flags) const {
  return UseRightToLeftReading() ? Flags | DT_RTLREADING : Flags;
}

}  // namespace platform
