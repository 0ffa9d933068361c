#pragma once
// Compact keys for sentence, talker, manufacturer and transducer names. Both
// hashes are pure functions of the bytes, so every part of the program that
// hashes the same text gets the same key. They are case-sensitive: callers
// wanting case-insensitive keys upper-case the text first.

#include <cstdint>
#include <string_view>

namespace support {

// The ELF symbol hash; always below 2^28, 0 for an empty text.
std::uint32_t StringHash(std::string_view S);

// StringHash of S followed by the decimal code (0-255) of each of its bytes,
// e.g. "abc" hashes as "abc979899". Never negative.
std::int32_t StringHashEx(std::string_view S);

}  // namespace support
