#pragma once
// Named resources built into the program: byte blocks found by name and
// type, as the program file's resources are. The build turns each resource
// file into a generated source that registers its bytes at start-up (see
// veltrosa_resources in cmake/Veltrosa.cmake). Names and types compare
// without regard to ASCII case.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

// The type of raw data resources.
inline constexpr std::string_view RT_RCDATA = "RCDATA";

// Bytes must stay valid for the whole run. A name already registered for the
// type keeps its first bytes and gives false.
bool RegisterResource(std::string_view Name, std::string_view Type, std::span<const std::uint8_t> Bytes);

std::optional<std::span<const std::uint8_t>> FindResource(std::string_view Name, std::string_view Type);

}  // namespace platform
