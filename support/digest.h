#pragma once
// The 128-bit digest that turns the string container's pass phrase into its
// cipher key. It follows RFC 1321 throughout, its step constants included,
// so its digests are those of that algorithm.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace support {

using THashDigest = std::array<std::uint8_t, 16>;

// Owned by the caller; HashFinal wipes it.
struct THashContext {
  std::array<std::uint32_t, 4> State{};
  std::array<std::uint32_t, 2> Count{};  // bits absorbed, low word first
  std::array<std::uint8_t, 64> Buffer{};
};

void HashInit(THashContext& Context);
void HashUpdate(THashContext& Context, std::span<const std::uint8_t> Data);
THashDigest HashFinal(THashContext& Context);

THashDigest HashOfBuffer(std::span<const std::uint8_t> Data);
// The digest of the text with the characters below code 33 trimmed from both
// ends; a text that trims to nothing gives 16 zero bytes.
THashDigest HashOfString(std::string_view S);

}  // namespace support
