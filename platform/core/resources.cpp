#include "platform/core/resources.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "platform/core/sysutils.h"

namespace platform {
namespace {

struct Registry {
  std::mutex m;
  std::map<std::pair<std::string, ResourceType>, std::span<const std::uint8_t>> items;
};

Registry& R() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterResource(std::string_view name, ResourceType type, std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(R().m);
  R().items[{AnsiUpperCase(name), type}] = bytes;
}

std::span<const std::uint8_t> FindResourceData(std::string_view name, ResourceType type) {
  std::lock_guard lock(R().m);
  auto it = R().items.find({AnsiUpperCase(name), type});
  return it == R().items.end() ? std::span<const std::uint8_t>() : it->second;
}

TResourceStream::TResourceStream(std::string_view name, ResourceType type) {
  const auto data = FindResourceData(name, type);
  if (data.empty()) throw EResNotFound("Resource " + std::string(name) + " not found");
  WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  SetPosition(0);
}

}  // namespace platform
