#include "platform/core/input.h"

#include <array>
#include <atomic>

namespace platform {
namespace {

std::array<std::atomic<bool>, 256>& Keys() {
  static std::array<std::atomic<bool>, 256> keys{};
  return keys;
}

}  // namespace

std::int16_t GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return Keys()[static_cast<std::size_t>(virtualKey)].load() ? static_cast<std::int16_t>(-128) : 0;
}

void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey < 0 || virtualKey > 255) return;
  Keys()[static_cast<std::size_t>(virtualKey)].store(down);
}

}  // namespace platform
