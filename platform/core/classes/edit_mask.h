#pragma once
// The class library's edit-mask format and its queries. An edit mask is up
// to three fields separated by ";": the mask itself, "0" when the literals
// are not part of the value (any other text, or no field, keeps them), and
// the character that shows an empty position ("_" by default).
//
// Mask characters: "L" letter, "l" optional letter, "A" letter or digit, "a"
// optional letter or digit, "C" any character, "c" optional any character,
// "0" digit, "9" optional digit, "#" optional digit or sign; ":" and "/" are
// the locale's time and date separators; "!" fills optional positions from
// the start (the text runs right to left), ">" upper case and "<" lower case
// for what follows, "<>" neither; "\" makes the next character a literal.
// Every other character is a literal.
//
// Offsets are 1-based: mask offsets count characters of the mask, text
// offsets count positions of the edited text, which directives do not take.

#include <cstdint>
#include <string_view>

namespace platform {

enum TMaskCharType {
  mcNone,
  mcLiteral,
  mcIntlLiteral,
  mcDirective,
  mcMask,
  mcMaskOpt,
  mcFieldSeparator,
  mcField,
};

using TMaskDirectives = std::uint8_t;
constexpr TMaskDirectives mdReverseDir = 1;
constexpr TMaskDirectives mdUpperCase = 2;
constexpr TMaskDirectives mdLowerCase = 4;
constexpr TMaskDirectives mdLiteralChar = 8;

constexpr char DefaultBlank = '_';

// The offset of the ";" that ends the mask, 0 when there is none.
int MaskGetFldSeparator(std::string_view EditMask);
// The length of the mask field.
int MaskLength(std::string_view EditMask);
bool MaskGetMaskSave(std::string_view EditMask);
char MaskGetMaskBlank(std::string_view EditMask);

// mcNone outside the edit mask.
TMaskCharType MaskGetCharType(std::string_view EditMask, int MaskOffset);
// The directives in force at MaskOffset; mdLiteralChar when the character
// there is escaped.
TMaskDirectives MaskGetCurrentDirectives(std::string_view EditMask, int MaskOffset);
// The text offset of MaskOffset: the text positions among mask offsets
// 1..MaskOffset.
int MaskOffsetToOffset(std::string_view EditMask, int MaskOffset);
// Whether text offset Offset is a literal position.
bool IsLiteralChar(std::string_view EditMask, int Offset);

}  // namespace platform
