#pragma once
// Resource strings read as UTF-16: from the program's string table, or from
// an 8-bit text that a record carries in place of a table identifier.

#include <cstdint>
#include <string>

#include "platform/core/os/modules.h"

namespace widetext {

// The program has one module, so a record names no module of its own. When
// Text is set the record stands for that zero-terminated 8-bit text (UTF-8
// when it begins with the byte-order mark EF BB BF); otherwise for entry
// Identifier of the string table.
struct TResStringRec {
  std::uint32_t Identifier = 0;
  const char* Text = nullptr;
};

// True when Value is a 16-bit identifier rather than an address.
constexpr bool IsIntResourceId(std::uintptr_t Value) { return (Value >> 16) == 0; }

// The platform's string loader (LoadStringW).
int WideApiLoadString(platform::HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax);

// Empty for a null record or an identifier without text.
std::u16string WideLoadResString(const TResStringRec* ResStringRec);

}  // namespace widetext
