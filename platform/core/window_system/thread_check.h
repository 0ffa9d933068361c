#pragma once
// Window, drawing and Qt calls belong to the user-interface thread. In
// builds with thread checks (every build but release) such a call made from
// another thread stops the program at once with a message naming the call,
// so the mistake shows where it is made instead of as a rare crash.

#include "platform/core/window_system/queue.h"

namespace platform {

// Writes "<call> called <what>" and stops the program.
[[noreturn]] void FailThreadCheck(const char* Call, const char* What);

inline void RequireUiThread([[maybe_unused]] const char* Call = __builtin_FUNCTION()) {
#ifdef VELTROSA_CHECK_THREADS
  if (!IsUiThread()) FailThreadCheck(Call, "off the user-interface thread");
#endif
}

}  // namespace platform
