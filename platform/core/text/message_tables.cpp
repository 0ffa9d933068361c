#include "platform/core/text/message_tables.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/core/text/cp1252.h"

namespace platform {
namespace {

struct Message {
  const MessageTableEntry* Owner;
  HMODULE Module;
  std::uint32_t Id;
  std::u16string Text;
};

struct Tables {
  std::mutex Mutex;
  std::vector<Message> Messages;
};

Tables& MessageTables() {
  static Tables tables;
  return tables;
}

HMODULE ModuleOrProgram(HMODULE Module) { return Module ? Module : GetModuleHandleA(nullptr); }

std::optional<std::u16string> ModuleText(HMODULE Module, std::uint32_t Id) {
  Tables& tables = MessageTables();
  const std::lock_guard lock(tables.Mutex);
  const auto found = std::find_if(tables.Messages.rbegin(), tables.Messages.rend(),
                                  [&](const Message& M) { return M.Module == Module && M.Id == Id; });
  if (found == tables.Messages.rend()) return std::nullopt;
  return found->Text;
}

std::optional<std::u16string> FindText(std::uint32_t Flags, HMODULE Source, std::uint32_t Id) {
  if (Flags & FORMAT_MESSAGE_FROM_HMODULE) {
    if (std::optional<std::u16string> text = ModuleText(ModuleOrProgram(Source), Id)) return text;
  }
  if (Flags & FORMAT_MESSAGE_FROM_SYSTEM) {
    std::u16string text = SystemErrorText(Id);
    if (!text.empty()) return text;
  }
  SetLastError(ERROR_MR_MID_NOT_FOUND);
  return std::nullopt;
}

template <typename Char>
std::uint32_t CopyOut(const std::basic_string<Char>& Text, Char* Buffer, std::uint32_t Size) {
  if (!Buffer || Text.size() >= Size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(Text.begin(), Text.end(), Buffer);
  Buffer[Text.size()] = Char{};
  return static_cast<std::uint32_t>(Text.size());
}

}  // namespace

MessageTableEntry::MessageTableEntry(HMODULE Module, std::uint32_t MessageId, std::u16string_view Text) {
  Tables& tables = MessageTables();
  const std::lock_guard lock(tables.Mutex);
  tables.Messages.push_back({this, ModuleOrProgram(Module), MessageId, std::u16string(Text)});
}

MessageTableEntry::~MessageTableEntry() {
  Tables& tables = MessageTables();
  const std::lock_guard lock(tables.Mutex);
  std::erase_if(tables.Messages, [this](const Message& M) { return M.Owner == this; });
}

std::uint32_t FormatMessageW(std::uint32_t Flags, HMODULE Source, std::uint32_t MessageId, std::uint32_t,
                             char16_t* Buffer, std::uint32_t Size) {
  const std::optional<std::u16string> text = FindText(Flags, Source, MessageId);
  return text ? CopyOut(*text, Buffer, Size) : 0;
}

std::uint32_t FormatMessageA(std::uint32_t Flags, HMODULE Source, std::uint32_t MessageId, std::uint32_t, char* Buffer,
                             std::uint32_t Size) {
  const std::optional<std::u16string> text = FindText(Flags, Source, MessageId);
  return text ? CopyOut(Utf16ToCp1252(*text), Buffer, Size) : 0;
}

}  // namespace platform
