#pragma once
// The registry file's bytes as the text the store works on (UTF-8), and
// back. The store writes UTF-16 little-endian with a byte-order mark; it
// reads that, UTF-8 with or without a mark, and hand-edited files in the
// ANSI code page. However the bytes came, a line break stays a line break:
// a byte that begins no well-formed UTF-8 sequence is one character of code
// page 1252, never the start of a sequence that takes the bytes after it.

#include <string>
#include <string_view>

namespace platform {

struct TRegistryText {
  std::string Text;
  // False when bytes were left out (the odd last byte of a UTF-16 file).
  bool Whole = true;
};

TRegistryText DecodeRegistryText(std::string_view Bytes);
// UTF-16 little-endian with a byte-order mark. Bytes of Text that are not
// well-formed UTF-8 are taken in code page 1252, as on reading.
std::string EncodeRegistryText(std::string_view Text);
// Text is well-formed UTF-8, which a write and a read give back byte for
// byte.
bool IsUtf8(std::string_view Text);

}  // namespace platform
