#pragma once
// The class library's edit-mask format and its queries. An edit mask is up
// to three fields separated by ";": the mask itself, "0" when the literals
// are not part of the value (any other text, or no field, keeps them), and
// the character that shows an empty position ("_" by default). The value of
// a masked text is what was entered: the blank padding at its end dropped,
// blanks inside it read as spaces, and, when the literals are kept, laid out
// on the mask again with spaces in its empty positions.
//
// Mask characters, each standing for one position of the edited text:
// "L" letter, "l" optional letter, "A" letter or digit, "a" optional letter
// or digit, "C" any character, "c" optional any character, "0" digit, "9"
// optional digit, "#" optional digit, space or sign. The upper-case ones and
// "0" are required (mcMask): the value is complete only when each holds a
// character other than the blank (and, but for "C", other than a space);
// the others are optional (mcMaskOpt). A letter or digit is one of any
// script; any character is any that can be shown (not a control code).
// ":" and "/" are the locale's time and date separators (mcIntlLiteral);
// "!" leaves the optional positions blank at the front of the text rather
// than its end (the text runs right to left), ">" upper-cases and "<"
// lower-cases what is typed at the positions after it, "<>" does neither;
// "\" makes the next character a literal. Directives take no position.
// Every other character is a literal (mcLiteral): its position shows it and
// cannot be edited.
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
