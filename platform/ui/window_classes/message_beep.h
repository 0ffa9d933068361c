#pragma once
// The system's warning sound, for input a control refuses. The window
// system counts the beeps it has made, so that a refusal can be seen where
// it cannot be heard.

#include <cstdint>

#include "platform/core/window_system/wintypes.h"

namespace platform {

bool MessageBeep(UINT Type);
std::uint32_t MessageBeepCount();

}  // namespace platform
