#pragma once
// The class library keeps every caption, text and hint as 8-bit text in the
// system's ANSI code page. A wide value's "8-bit image" is what the class
// library would hold for it; a character the page cannot hold becomes "?".

#include <string>
#include <string_view>

namespace widetext {

std::string AnsiImage(std::u16string_view Value);
std::u16string WidenAnsi(std::string_view Value);

}  // namespace widetext
