#pragma once
// Code pages of the wide-text layer: which 8-bit code page stands for the
// user's text, conversions between UTF-16 and 8-bit text in any code page
// (65000 selects UTF-7 and 65001 UTF-8), and the keyboard's characters.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/os/locale.h"

namespace widetext {

constexpr std::uint32_t CP_UTF7 = 65000;
constexpr std::uint32_t CP_UTF8 = 65001;

// The code page in which 8-bit text of the user interface is read and
// written: the thread's ANSI code page (3) on platforms of the NT family
// from version 5 on, else the page of the thread's locale. The value it
// starts with is kept.
extern std::uint32_t DefaultSystemCodePage;

// The program's end: DefaultSystemCodePage gets back the value it started
// with, whatever was made of it meanwhile.
void FinishCodePages();

// A conversion the platform cannot make gives an empty result.
std::u16string StringToWideStringEx(std::string_view S, std::uint32_t CodePage);
// Characters the code page cannot hold become the page's default character.
std::string WideStringToStringEx(std::u16string_view WS, std::uint32_t CodePage);

// The ANSI code page of a locale; the system's ANSI page when the locale is
// unknown.
std::uint32_t LCIDToCodePage(platform::LCID Locale);
std::uint32_t KeyboardCodePage();
// A character below 256 is a byte of the keyboard's code page; others are
// already UTF-16.
char16_t KeyUnicode(char16_t C);

// Swaps the bytes of every unit up to the terminating zero unit, in place.
void StrSwapByteOrder(char16_t* P);

}  // namespace widetext
