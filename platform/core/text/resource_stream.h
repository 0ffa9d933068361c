#pragma once
// A read-only stream over one of the program's resources.

#include <string_view>

#include "platform/core/classes/streams.h"
#include "platform/core/text/resources.h"

namespace platform {

// The type of bitmap resources.
inline constexpr std::string_view RT_BITMAP = "BITMAP";

class TResourceStream : public TMemoryStream {
 public:
  // EResNotFound when there is no such resource.
  TResourceStream(std::string_view Name, std::string_view Type);
};

}  // namespace platform
