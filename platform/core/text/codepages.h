#pragma once
// The platform's conversions between 8-bit text in a code page and UTF-16,
// in the shape of the classic pair: called with no output buffer (count 0)
// they return the length the result needs; called with a buffer they fill it
// and return the units or bytes written. A source count of -1 means a
// zero-terminated source, terminator included. Failures return 0 and leave
// the reason in GetLastError (platform/core/os/errors.h).
//
// Code page 1252 (and the ANSI pages 0 and 3, which are 1252 here) converts
// through our own table; every other page the C library knows through iconv.
// Bytes without a mapping become U+FFFD; characters a page cannot hold become
// the default character.

#include <cstdint>

namespace platform {

constexpr std::uint32_t CP_ACP = 0;
constexpr std::uint32_t CP_OEMCP = 1;
constexpr std::uint32_t CP_MACCP = 2;
constexpr std::uint32_t CP_THREAD_ACP = 3;
constexpr std::uint32_t CP_UTF7 = 65000;
constexpr std::uint32_t CP_UTF8 = 65001;

// Accepted for compatibility; our code pages keep no separate glyph table
// for control bytes, so it changes nothing.
constexpr std::uint32_t MB_USEGLYPHCHARS = 4;

// The system's ANSI and OEM code pages.
std::uint32_t GetACP();
std::uint32_t GetOEMCP();

bool IsValidCodePage(std::uint32_t CodePage);

int MultiByteToWideChar(std::uint32_t CodePage, std::uint32_t Flags, const char* MultiByteStr, int MultiByteCount,
                        char16_t* WideCharStr, int WideCharCount);

// DefaultChar (one byte) replaces what the page cannot hold ("?" when null);
// UsedDefaultChar reports whether that happened. Both must be null for
// UTF-7 and UTF-8, which can hold everything.
int WideCharToMultiByte(std::uint32_t CodePage, std::uint32_t Flags, const char16_t* WideCharStr, int WideCharCount,
                        char* MultiByteStr, int MultiByteCount, const char* DefaultChar, bool* UsedDefaultChar);

}  // namespace platform
