#include "platform/core/classes/edit_mask.h"

#include <algorithm>

namespace platform {
namespace {

constexpr char kLiteralDirective = '\\';
constexpr char kFieldSeparator = ';';

bool IsEscaped(std::string_view Mask, int Offset) {
  bool escaped = false;
  for (int i = 1; i < Offset; ++i) escaped = !escaped && Mask[static_cast<std::size_t>(i - 1)] == kLiteralDirective;
  return escaped;
}

bool TakesTextPosition(TMaskCharType Type) {
  return Type == mcLiteral || Type == mcIntlLiteral || Type == mcMask || Type == mcMaskOpt;
}

}  // namespace

int MaskGetFldSeparator(std::string_view EditMask) {
  bool escaped = false;
  for (std::size_t i = 0; i < EditMask.size(); ++i) {
    if (!escaped && EditMask[i] == kFieldSeparator) return static_cast<int>(i) + 1;
    escaped = !escaped && EditMask[i] == kLiteralDirective;
  }
  return 0;
}

int MaskLength(std::string_view EditMask) {
  const int separator = MaskGetFldSeparator(EditMask);
  return separator > 0 ? separator - 1 : static_cast<int>(EditMask.size());
}

bool MaskGetMaskSave(std::string_view EditMask) {
  const int separator = MaskGetFldSeparator(EditMask);
  if (separator == 0) return true;
  const std::string_view rest = EditMask.substr(static_cast<std::size_t>(separator));
  return rest.empty() || rest.front() != '0';
}

char MaskGetMaskBlank(std::string_view EditMask) {
  const int separator = MaskGetFldSeparator(EditMask);
  if (separator == 0) return DefaultBlank;
  const std::string_view rest = EditMask.substr(static_cast<std::size_t>(separator));
  const std::size_t second = rest.find(kFieldSeparator);
  if (second == std::string_view::npos || second + 1 >= rest.size()) return DefaultBlank;
  return rest[second + 1];
}

TMaskCharType MaskGetCharType(std::string_view EditMask, int MaskOffset) {
  if (MaskOffset < 1 || MaskOffset > static_cast<int>(EditMask.size())) return mcNone;
  const int length = MaskLength(EditMask);
  if (MaskOffset == length + 1) return mcFieldSeparator;
  if (MaskOffset > length) return mcField;
  if (IsEscaped(EditMask, MaskOffset)) return mcLiteral;
  switch (EditMask[static_cast<std::size_t>(MaskOffset - 1)]) {
    case '!':
    case '>':
    case '<':
    case kLiteralDirective:
      return mcDirective;
    case 'L':
    case 'A':
    case 'C':
    case '0':
      return mcMask;
    case 'l':
    case 'a':
    case 'c':
    case '9':
    case '#':
      return mcMaskOpt;
    case ':':
    case '/':
      return mcIntlLiteral;
    default:
      return mcLiteral;
  }
}

TMaskDirectives MaskGetCurrentDirectives(std::string_view EditMask, int MaskOffset) {
  TMaskDirectives directives = 0;
  const int last = std::min(MaskOffset, MaskLength(EditMask));
  for (int i = 1; i <= last; ++i) {
    if (MaskGetCharType(EditMask, i) != mcDirective) continue;
    switch (EditMask[static_cast<std::size_t>(i - 1)]) {
      case '!':
        directives |= mdReverseDir;
        break;
      case '>':
        directives = static_cast<TMaskDirectives>((directives & ~mdLowerCase) | mdUpperCase);
        break;
      case '<':
        // "<>" switches both cases off.
        if (i < MaskLength(EditMask) && EditMask[static_cast<std::size_t>(i)] == '>') {
          directives = static_cast<TMaskDirectives>(directives & ~(mdUpperCase | mdLowerCase));
          ++i;
        } else {
          directives = static_cast<TMaskDirectives>((directives & ~mdUpperCase) | mdLowerCase);
        }
        break;
      default:
        break;
    }
  }
  if (MaskOffset >= 1 && MaskOffset <= MaskLength(EditMask) && IsEscaped(EditMask, MaskOffset)) {
    directives |= mdLiteralChar;
  }
  return directives;
}

int MaskOffsetToOffset(std::string_view EditMask, int MaskOffset) {
  int offset = 0;
  const int last = std::min(MaskOffset, MaskLength(EditMask));
  for (int i = 1; i <= last; ++i) {
    if (TakesTextPosition(MaskGetCharType(EditMask, i))) ++offset;
  }
  return offset;
}

bool IsLiteralChar(std::string_view EditMask, int Offset) {
  int offset = 0;
  const int length = MaskLength(EditMask);
  for (int i = 1; i <= length; ++i) {
    const TMaskCharType type = MaskGetCharType(EditMask, i);
    if (!TakesTextPosition(type)) continue;
    if (++offset == Offset) return type == mcLiteral || type == mcIntlLiteral;
  }
  return false;
}

}  // namespace platform
