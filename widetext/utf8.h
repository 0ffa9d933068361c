#pragma once
// UTF-8 over UTF-16 text. A surrogate pair becomes one four-byte sequence; a
// lone surrogate becomes the three-byte form of its own value and decodes
// back to it, so every UTF-16 text survives the round trip. Decoding
// malformed input gives U+FFFD for each maximal ill-formed part and never
// drops the rest.

#include <string>
#include <string_view>

namespace widetext {

std::string UTF8Encode(std::u16string_view WS);
std::u16string UTF8Decode(std::string_view S);

}  // namespace widetext
