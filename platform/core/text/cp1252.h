#pragma once
// Code page 1252, the 8-bit side of every window and of every 8-bit text the
// program shows. Conversions are total: every byte has a UTF-16 meaning (the
// five unassigned bytes map to the C1 controls of the same value, as the
// platform does) and a UTF-16 unit without a byte becomes the default char.

#include <string>
#include <string_view>

namespace platform {

char16_t Cp1252ToUnicode(unsigned char C);
std::u16string Cp1252ToUtf16(std::string_view Text);

// Returns false when there is no byte for the unit.
bool UnicodeToCp1252(char16_t Unit, char& Out);
std::string Utf16ToCp1252(std::u16string_view Text, char DefaultChar = '?', bool* UsedDefault = nullptr);

}  // namespace platform
