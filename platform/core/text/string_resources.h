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

}  // namespace platform
