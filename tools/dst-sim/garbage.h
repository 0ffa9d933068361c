#pragma once
// Lines a faulty instrument or a noisy line puts on a port, for the faults
// a test asks for.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dstsim {

enum class GarbageKind {
  BadChecksum,    // a sentence whose checksum is wrong
  LowerChecksum,  // a right checksum in lower-case hex
  Binary,         // bytes no text line holds
  Overlong,       // a sentence longer than any receiver's buffer
  Foreign,        // a proprietary sentence of another maker
  EmptyField,     // a sentence with its first field empty
};

std::optional<GarbageKind> GarbageByName(std::string_view name);

// The bytes of one piece of garbage, made from models: sentence bodies the
// line really sends (the first one serves, or the first that suits).
std::string MakeGarbage(GarbageKind kind, const std::vector<std::string>& models);

}  // namespace dstsim
