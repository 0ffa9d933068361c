#pragma once
// The program's resources: named blocks of bytes compiled into the program
// (pictures, string containers, layouts) that code finds by name and type,
// as it finds the resources of the program file. Names compare without
// regard to case.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/core/streams.h"

namespace platform {

enum class ResourceType { RCData, Bitmap, String };

// Registers bytes that live as long as the program (a static array).
// A second registration of the same name and type replaces the first.
void RegisterResource(std::string_view name, ResourceType type, std::span<const std::uint8_t> bytes);
// Empty when there is no such resource.
std::span<const std::uint8_t> FindResourceData(std::string_view name, ResourceType type);

// A read-only stream over a resource; EResNotFound when it does not exist.
class TResourceStream : public TMemoryStream {
 public:
  TResourceStream(std::string_view name, ResourceType type);
};

}  // namespace platform
