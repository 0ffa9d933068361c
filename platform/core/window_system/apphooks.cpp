#include "platform/core/window_system/apphooks.h"

namespace platform {

ApplicationHooks& AppHooks() {
  static ApplicationHooks hooks;
  return hooks;
}

}  // namespace platform
