#pragma once
// The system's text for an error code, as the layer puts it into its
// exception messages.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/os/modules.h"
#include "platform/core/window_system/wintypes.h"

namespace widetext {

// The message for ErrorCode from Module (when given) or the system, trimmed;
// "Unspecified error (<code>) from <ModuleName>." when there is none.
std::u16string WideLibraryErrorMessage(std::u16string_view ModuleName, platform::HMODULE Module,
                                       std::int32_t ErrorCode);
std::u16string WideSysErrorMessage(std::int32_t ErrorCode);

// Value, unless it is 0 (a failed atom call): then EOSError for the last
// error.
platform::ATOM Win32CheckAtom(platform::ATOM Value);

}  // namespace widetext
