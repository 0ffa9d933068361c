#include "platform/ui/controls/window_items.h"

namespace platform {

std::string ReadItemText(const std::function<std::size_t(char* Buffer, std::size_t Size)>& Read) {
  for (std::size_t size = 256;; size *= 2) {
    std::string text(size, '\0');
    const std::size_t got = Read(text.data(), size);
    if (got + 1 < size) {
      text.resize(got);
      return text;
    }
  }
}

}  // namespace platform
