#include "platform/core/text/string_resources.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/core/os/errors.h"

namespace platform {
namespace {

struct Table {
  std::mutex Mutex;
  std::map<std::uint16_t, std::u16string> Texts;
};

Table& StringTable() {
  static Table table;
  return table;
}

}  // namespace

StringResource::StringResource(std::uint16_t Id, std::u16string_view Text) {
  Table& table = StringTable();
  std::lock_guard lock(table.Mutex);
  table.Texts[Id] = std::u16string(Text);
}

int LoadStringW(HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax) {
  if (Instance && Instance != GetModuleHandleA(nullptr)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  Table& table = StringTable();
  std::lock_guard lock(table.Mutex);
  const auto it = Id <= 0xFFFF ? table.Texts.find(static_cast<std::uint16_t>(Id)) : table.Texts.end();
  if (it == table.Texts.end() || it->second.empty()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const auto length = static_cast<int>(it->second.size());
  if (!Buffer || BufferMax < 1) return length;
  const int copied = std::min(BufferMax - 1, length);
  std::copy_n(it->second.data(), copied, Buffer);
  Buffer[copied] = u'\0';
  return copied;
}

}  // namespace platform
