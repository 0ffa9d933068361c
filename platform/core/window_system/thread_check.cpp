#include "platform/core/window_system/thread_check.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void FailThreadCheck(const char* Call, const char* What) {
  std::fprintf(stderr, "%s called %s\n", Call, What);
  std::abort();
}

}  // namespace platform
