#pragma once
// The edit-mask routines of the class library (platform/core/classes/edit_mask.h) in
// wide form: an 8-bit edit mask applied to UTF-16 text.

#include <string>
#include <string_view>

namespace widetext {

// "/" becomes the locale's date separator and ":" its time separator.
char16_t WideMaskIntlLiteralToChar(char16_t C);

// Value laid out on the mask: the literals put in, Blank for positions
// Value does not reach (at the front when the mask runs right to left).
std::u16string WideMaskDoFormatText(std::string_view EditMask, std::u16string_view Value, char16_t Blank);

// The field StartFld..StopFld-1 of Value made Len characters long, padded
// with Blank or cut at its end (at its start when the mask runs right to
// left).
std::u16string WideMaskPadSubField(std::string_view EditMask, std::u16string_view Value, int StartFld, int StopFld,
                                   int Len, char16_t Blank);

// Value with each field padded or cut to its mask length between the
// literals it holds (missing literals are added), and every space at an
// editable position turned into Blank.
std::u16string WidePadInputLiterals(std::string_view EditMask, std::u16string_view Value, char16_t Blank);

}  // namespace widetext
