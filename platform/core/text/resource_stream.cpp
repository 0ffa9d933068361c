#include "platform/core/text/resource_stream.h"

#include <string>

#include "platform/core/classes/sysutils.h"

namespace platform {

TResourceStream::TResourceStream(std::string_view Name, std::string_view Type) {
  const auto data = FindResource(Name, Type);
  if (!data) throw EResNotFound("Resource " + std::string(Name) + " not found");
  if (!data->empty()) WriteBuffer(data->data(), static_cast<std::int64_t>(data->size()));
  SetPosition(0);
}

}  // namespace platform
