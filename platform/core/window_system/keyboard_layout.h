#pragma once
// The keyboard layout follows the input language the desktop reports (the
// presentation feeds it; tests switch it here). When it changes, every
// top-level window of the user-interface thread gets WM_INPUTLANGCHANGE
// (wParam the character set of the layout's code page, lParam the layout),
// and each window's default handling passes it on to its children. The
// keys' names follow the layout (input.h).

#include "platform/core/os/locale.h"
#include "platform/core/window_system/wintypes.h"

namespace platform {

// The layout of a language: the language in both halves.
constexpr HKL KeyboardLayoutOf(std::uint16_t Language) { return (HKL{Language} << 16) | Language; }

// The character set of the code page of the layout's language
// (DEFAULT_CHARSET for a language without an 8-bit page).
BYTE KeyboardLayoutCharset(HKL Layout);

// User-interface thread. Nothing is sent when Layout is already in force.
// Returns the previous layout.
HKL SwitchKeyboardLayout(HKL Layout);

}  // namespace platform
