#include "tests/platform/pump_helpers.h"

#include <chrono>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/forms.h"

namespace fixture {

bool PumpUntil(const std::function<bool()>& Want) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Want()) {
    if (std::chrono::steady_clock::now() > until) return false;
    platform::WaitMessage(50);
    platform::Application->ProcessMessages();
  }
  return true;
}

}  // namespace fixture
