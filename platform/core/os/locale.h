#pragma once
// The platform's locale queries: the user's locale, the keyboard layout and
// the few locale values the program reads. The user's locale here is
// English (United States); the keyboard layout is a US one until the
// desktop reports another input language (window_system/keyboard_layout.h).

#include <cstdint>

namespace platform {

using LCID = std::uint32_t;
using HKL = std::uintptr_t;

constexpr std::uint32_t LOCALE_SDATE = 0x1D;
constexpr std::uint32_t LOCALE_STIME = 0x1E;
constexpr std::uint32_t LOCALE_IDEFAULTANSICODEPAGE = 0x1004;

LCID GetThreadLocale();
LCID GetUserDefaultLCID();

// The low 16 bits are the language of the layout, as the platform has it.
// One layout serves every thread of the process.
HKL GetKeyboardLayout(std::uint32_t ThreadId);
// Only the layout's value: SwitchKeyboardLayout also tells the windows.
// Returns the previous layout.
HKL SetKeyboardLayoutValue(HKL Layout);

// Writes the value, zero-terminated, and returns its length including the
// terminator; with Count 0 returns the length needed. Returns 0 with the last
// error set for an unknown locale or type or a buffer that is too small.
// LOCALE_IDEFAULTANSICODEPAGE gives "0" for locales that have no 8-bit page.
int GetLocaleInfoA(LCID Locale, std::uint32_t Type, char* Data, int Count);

}  // namespace platform
