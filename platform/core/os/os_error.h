#pragma once
// The exception for a failed platform call, carrying the platform's error
// code and its text.

#include <cstdint>

#include "platform/core/classes/sysutils.h"

namespace platform {

class EOSError : public Exception {
 public:
  EOSError(const std::string& Message, std::uint32_t Code) : Exception(Message), ErrorCode(Code) {}
  std::uint32_t ErrorCode;
};

// Raises EOSError for GetLastError(): "System Error.  Code: <code>.\n<text>"
// (UTF-8), or "A call to an OS function failed" when the code is 0.
[[noreturn]] void RaiseLastOSError();

}  // namespace platform
