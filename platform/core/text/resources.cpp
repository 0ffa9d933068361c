#include "platform/core/text/resources.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace platform {
namespace {

using TResourceKey = std::pair<std::string, std::string>;

struct TRegistry {
  std::mutex Lock;
  std::map<TResourceKey, std::span<const std::uint8_t>> Entries;
};

// Built on first use, so generated sources may register from their static
// initialisers in any order.
TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

std::string Upper(std::string_view Text) {
  std::string out(Text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

bool RegisterResource(std::string_view Name, std::string_view Type, std::span<const std::uint8_t> Bytes) {
  TRegistry& registry = Registry();
  const std::lock_guard lock(registry.Lock);
  return registry.Entries.try_emplace({Upper(Name), Upper(Type)}, Bytes).second;
}

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view Name, std::string_view Type) {
  TRegistry& registry = Registry();
  const std::lock_guard lock(registry.Lock);
  const auto found = registry.Entries.find({Upper(Name), Upper(Type)});
  if (found == registry.Entries.end()) return std::nullopt;
  return found->second;
}

}  // namespace platform
