#include "platform/core/window_system/thread_check.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void FailThreadCheck(const char* call, const char* what) {
  std::fprintf(stderr, "%s called %s\n", call, what);
  std::abort();
}

}  // namespace platform
