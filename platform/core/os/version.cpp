#include "platform/core/os/version.h"

namespace platform {

OSVERSIONINFO GetVersionEx() { return OSVERSIONINFO{6, 1, 7601, VER_PLATFORM_WIN32_NT}; }

}  // namespace platform
