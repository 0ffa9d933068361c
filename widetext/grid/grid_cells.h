#pragma once
// A wide grid cell is kept UTF-8 encoded in the class library's 8-bit cell
// of the same place, so the class library's own cell store, moves and
// events go on working. A cell another part of the program wrote in 8 bits
// is read in the system's ANSI code page when it is not UTF-8, so that no
// cell is lost or garbled.

#include <string>
#include <string_view>

namespace widetext {

std::string EncodeCell(std::u16string_view Value);
std::u16string DecodeCell(std::string_view Cell);

}  // namespace widetext
