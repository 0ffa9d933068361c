#pragma once
// The keyboard state the window system keeps for the user-interface thread:
// which keys are down, as the presentation reports them.

#include <cstdint>

namespace platform {

// Negative while the key is down.
std::int16_t GetKeyState(int VirtualKey);
void SetKeyDown(int VirtualKey, bool Down);

// The keyboard layout's view of keys: MapVirtualKeyW with type 0 gives a
// virtual key's scan code (keys stand where a US keyboard has them);
// GetKeyNameTextW names the key of a key message's data (scan code in bits
// 16-23, extended flag in bit 24) as the layout in force does: an Italian
// layout names its keys that have words for names in Italian, capitals
// only; every other layout uses the US names.
constexpr unsigned MAPVK_VK_TO_VSC = 0;
unsigned MapVirtualKeyW(unsigned Code, unsigned MapType);
int GetKeyNameTextW(long KeyData, char16_t* Buffer, int Size);

}  // namespace platform
