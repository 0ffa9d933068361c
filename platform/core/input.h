#pragma once
// The keyboard state the window system keeps for the user-interface thread:
// which keys are down, as the presentation reports them.

#include <cstdint>

namespace platform {

// Negative while the key is down.
std::int16_t GetKeyState(int virtualKey);
void SetKeyDown(int virtualKey, bool down);

}  // namespace platform
