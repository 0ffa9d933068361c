#include "platform/core/text/string_resources.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/os/errors.h"

namespace platform {
namespace {

constexpr std::uint32_t kTextsPerBlock = 16;

struct Table {
  std::mutex Mutex;
  std::map<std::uint16_t, std::u16string> Texts;
  // Blocks handed out, made again in place when one of their texts changes.
  std::map<std::uint32_t, std::unique_ptr<std::vector<std::uint16_t>>> Blocks;
};

void FillBlock(const Table& T, std::uint32_t Block, std::vector<std::uint16_t>& Units) {
  Units.clear();
  for (std::uint32_t id = (Block - 1) * kTextsPerBlock; id < Block * kTextsPerBlock; ++id) {
    const auto it = T.Texts.find(static_cast<std::uint16_t>(id));
    const std::u16string_view text = it == T.Texts.end() ? std::u16string_view() : it->second;
    Units.push_back(static_cast<std::uint16_t>(text.size()));
    Units.insert(Units.end(), text.begin(), text.end());
  }
}

Table& StringTable() {
  static Table table;
  return table;
}

}  // namespace

StringResource::StringResource(std::uint16_t Id, std::u16string_view Text) {
  Table& table = StringTable();
  std::lock_guard lock(table.Mutex);
  table.Texts[Id] = std::u16string(Text);
  const std::uint32_t block = Id / kTextsPerBlock + 1u;
  if (const auto it = table.Blocks.find(block); it != table.Blocks.end()) FillBlock(table, block, *it->second);
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

HRSRC FindResourceA(HMODULE Instance, std::uint32_t Name, std::uint32_t Type) {
  const std::uint32_t block = Name;
  if ((Instance && Instance != GetModuleHandleA(nullptr)) || Type != RT_STRING || block < 1 ||
      block > 0x10000 / kTextsPerBlock) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  Table& table = StringTable();
  std::lock_guard lock(table.Mutex);
  const auto first = table.Texts.lower_bound(static_cast<std::uint16_t>((block - 1) * kTextsPerBlock));
  if (first == table.Texts.end() || first->first >= block * kTextsPerBlock) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto& units = table.Blocks[block];
  if (!units) {
    units = std::make_unique<std::vector<std::uint16_t>>();
    FillBlock(table, block, *units);
  }
  return units.get();
}

HGLOBAL LoadResource(HMODULE, HRSRC Resource) { return Resource; }

const void* LockResource(HGLOBAL Data) {
  return Data ? static_cast<const std::vector<std::uint16_t>*>(Data)->data() : nullptr;
}

}  // namespace platform
