#pragma once
// Window, drawing and Qt calls belong to the user-interface thread. In
// builds with thread checks (every build but release) such a call made from
// another thread stops the program at once with a message naming the call,
// so the mistake shows where it is made instead of as a rare crash.

#include <source_location>

#include "platform/core/window_system/queue.h"

namespace platform {

// Writes "<call> called <what>" and stops the program.
[[noreturn]] void FailThreadCheck(const char* call, const char* what);

inline void RequireUiThread([[maybe_unused]] std::source_location call = std::source_location::current()) {
#ifdef VELTROSA_CHECK_THREADS
  if (!IsUiThread()) FailThreadCheck(call.function_name(), "off the user-interface thread");
#endif
}

}  // namespace platform
