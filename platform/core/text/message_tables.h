#pragma once
// Message tables: the texts a module keeps for its own error codes under
// 32-bit message identifiers, as the message-table resources of a program
// file or library hold them, and FormatMessage, which finds the text for a
// code in a module's table or among the system's texts. Code that speaks
// for a module registers its messages with MessageTableEntry objects and
// holds them as long as the module has them.

#include <cstdint>
#include <string_view>

#include "platform/core/os/modules.h"

namespace platform {

constexpr std::uint32_t FORMAT_MESSAGE_IGNORE_INSERTS = 0x0200;
constexpr std::uint32_t FORMAT_MESSAGE_FROM_HMODULE = 0x0800;
constexpr std::uint32_t FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
constexpr std::uint32_t FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x2000;
constexpr std::uint32_t ERROR_MR_MID_NOT_FOUND = 317;

// One message of Module's table (null: the program) while the object
// lives; of two for the same module and identifier the later one stands.
class MessageTableEntry {
 public:
  MessageTableEntry(HMODULE Module, std::uint32_t MessageId, std::u16string_view Text);
  ~MessageTableEntry();
  MessageTableEntry(const MessageTableEntry&) = delete;
  MessageTableEntry& operator=(const MessageTableEntry&) = delete;
};

// The text of MessageId: from the table of the module Source (null: the
// program) with FORMAT_MESSAGE_FROM_HMODULE, else, or when that table has
// none, the system's text with FORMAT_MESSAGE_FROM_SYSTEM. Inserts ("%1")
// stay as they stand: nothing here passes arguments. Copies the text and a
// terminator and returns the units (bytes) copied; 0 with the last error
// ERROR_MR_MID_NOT_FOUND when there is no text, ERROR_INSUFFICIENT_BUFFER
// when it does not fit. The 8-bit form writes the ANSI code page. The
// language is the one of the tables and the system.
std::uint32_t FormatMessageW(std::uint32_t Flags, HMODULE Source, std::uint32_t MessageId, std::uint32_t LanguageId,
                             char16_t* Buffer, std::uint32_t Size);
std::uint32_t FormatMessageA(std::uint32_t Flags, HMODULE Source, std::uint32_t MessageId, std::uint32_t LanguageId,
                             char* Buffer, std::uint32_t Size);

}  // namespace platform
