#pragma once
// The program's string table: texts stored under a 16-bit identifier, as the
// string resources of a program file hold them. Code that owns texts
// registers them once with a StringResource object at namespace scope.

#include <cstdint>
#include <string_view>

#include "platform/core/os/modules.h"

namespace platform {

class StringResource {
 public:
  StringResource(std::uint16_t Id, std::u16string_view Text);
};

// Copies at most BufferMax - 1 units of the text and a terminator and returns
// the units copied; with no buffer or BufferMax < 1 returns the text's
// length. 0 (ERROR_RESOURCE_NAME_NOT_FOUND) for an identifier without text
// or a module other than the program (null also means the program).
int LoadStringW(HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax);

// The string table as resources of the program file, for callers that walk
// it themselves: block n (from 1) of type RT_STRING holds the texts of the
// identifiers (n - 1) * 16 to n * 16 - 1, each as its 16-bit length and
// that many UTF-16 units (length 0 where there is none). Null, with the last
// error set, for a block without text, another type or module.
constexpr std::uint32_t RT_STRING = 6;
using HRSRC = const void*;
using HGLOBAL = const void*;
HRSRC FindResourceA(HMODULE Instance, std::uint32_t Name, std::uint32_t Type);
HGLOBAL LoadResource(HMODULE Instance, HRSRC Resource);
// The block's first 16-bit unit; valid while the program runs and no text
// of the block is registered anew.
const void* LockResource(HGLOBAL Data);

}  // namespace platform
