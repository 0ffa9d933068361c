#pragma once
// UTF-16 text on a device context or canvas: measuring, drawing and
// breaking into lines that fit a width.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/controls/graphics.h"
#include "platform/ui/window_classes/gdi.h"
#include "support/arrays.h"

namespace support {

// The extent of S in the context's font; the height comes first.
void GetTextExtentW(platform::HDC DC, std::u16string_view S, std::int32_t& Height, std::int32_t& Width);
void TextOutWide(platform::HDC DC, std::int32_t X, std::int32_t Y, std::u16string_view S);
void CanvasTextExtentW(platform::TCanvas& Canvas, std::u16string_view S, platform::SIZE& Size);

// Space, CR and LF.
bool IsBlankCharW(char16_t C);
// The blanks S starts with and the first run of other characters.
std::u16string GetFirstWordW(std::u16string_view S);

// Breaks Text into lines no wider than Width pixels (on entry); a CR
// starts a new line, blanks between lines go, a word too long for a line
// is cut with a hyphen. On return Width is that of the widest line. A text
// of blanks only gives no line; a limit too narrow for a character and the
// hyphen still puts one character on each line.
void WrapTextLines(platform::TCanvas& Canvas, std::u16string_view Text, std::int32_t& Width, TWideStringArray& Lines);

}  // namespace support
