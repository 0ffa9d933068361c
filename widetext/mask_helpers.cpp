#include "widetext/mask_helpers.h"

#include <algorithm>

#include "platform/core/classes/edit_mask.h"
#include "platform/core/os/locale.h"
#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

char16_t LocaleSeparator(std::uint32_t Type, char16_t Fallback) {
  char value[8] = {};
  if (platform::GetLocaleInfoA(platform::GetUserDefaultLCID(), Type, value, sizeof value) < 2) return Fallback;
  const std::u16string wide = StringToWideStringEx(std::string_view(value, 1), platform::CP_ACP);
  return wide.empty() ? Fallback : wide.front();
}

// The character a literal mask position puts into the text.
char16_t LiteralAt(std::string_view EditMask, int MaskOffset) {
  const std::u16string wide = StringToWideStringEx(EditMask.substr(MaskOffset - 1, 1), platform::CP_ACP);
  const char16_t literal = wide.empty() ? u'?' : wide.front();
  return platform::MaskGetCharType(EditMask, MaskOffset) == platform::mcIntlLiteral ? WideMaskIntlLiteralToChar(literal)
                                                                                    : literal;
}

bool IsLiteral(platform::TMaskCharType Type) { return Type == platform::mcLiteral || Type == platform::mcIntlLiteral; }

bool IsMask(platform::TMaskCharType Type) { return Type == platform::mcMask || Type == platform::mcMaskOpt; }

bool RunsRightToLeft(std::string_view EditMask) {
  return (platform::MaskGetCurrentDirectives(EditMask, 1) & platform::mdReverseDir) != 0;
}

}  // namespace

char16_t WideMaskIntlLiteralToChar(char16_t C) {
  if (C == u'/') return LocaleSeparator(platform::LOCALE_SDATE, C);
  if (C == u':') return LocaleSeparator(platform::LOCALE_STIME, C);
  return C;
}

std::u16string WideMaskDoFormatText(std::string_view EditMask, std::u16string_view Value, char16_t Blank) {
  std::u16string result(Value);
  const int length = platform::MaskLength(EditMask);
  if (RunsRightToLeft(EditMask)) {
    int offset = static_cast<int>(result.size());
    for (int i = length; i >= 1; --i) {
      const platform::TMaskCharType type = platform::MaskGetCharType(EditMask, i);
      if (IsLiteral(type)) {
        result.insert(static_cast<std::size_t>(offset), 1, LiteralAt(EditMask, i));
      } else if (IsMask(type)) {
        if (offset < 1) {
          result.insert(0, 1, Blank);
        } else {
          --offset;
        }
      }
    }
  } else {
    int offset = 1;
    for (int i = 1; i <= length; ++i) {
      const platform::TMaskCharType type = platform::MaskGetCharType(EditMask, i);
      if (IsLiteral(type)) {
        result.insert(static_cast<std::size_t>(offset - 1), 1, LiteralAt(EditMask, i));
        ++offset;
      } else if (IsMask(type)) {
        if (offset > static_cast<int>(result.size())) result.push_back(Blank);
        ++offset;
      }
    }
  }
  return result;
}

std::u16string WideMaskPadSubField(std::string_view EditMask, std::u16string_view Value, int StartFld, int StopFld,
                                   int Len, char16_t Blank) {
  const int fieldLength = StopFld - StartFld;
  const bool reverse = RunsRightToLeft(EditMask);
  std::u16string result(Value);
  const auto at = [&result](int Position) {
    return static_cast<std::size_t>(std::clamp(Position, 0, static_cast<int>(result.size())));
  };
  if (fieldLength < Len) {
    const auto blanks = static_cast<std::size_t>(Len - fieldLength);
    result.insert(at(reverse ? StartFld - 1 : StopFld - 1), blanks, Blank);
  } else if (fieldLength > Len) {
    // The surplus is the field's first characters (right to left) or its
    // last ones.
    const int keepLeading = reverse ? StartFld - 1 : StartFld + Len - 1;
    const int resumeAt = reverse ? StopFld - Len : StopFld;
    result = result.substr(0, at(keepLeading)) + result.substr(at(resumeAt - 1));
  }
  return result;
}

std::u16string WidePadInputLiterals(std::string_view EditMask, std::u16string_view Value, char16_t Blank) {
  std::u16string result(Value);
  const int length = platform::MaskLength(EditMask);
  int previousLiteral = 0;
  for (int i = 1; i <= length; ++i) {
    if (!IsLiteral(platform::MaskGetCharType(EditMask, i))) continue;
    const int textOffset = platform::MaskOffsetToOffset(EditMask, i);
    const char16_t literal = LiteralAt(EditMask, i);
    int found = WidePosEx(std::u16string_view(&literal, 1), result, previousLiteral);
    if (found == 0) {
      result.push_back(literal);
      found = static_cast<int>(result.size());
    }
    result =
        WideMaskPadSubField(EditMask, result, previousLiteral + 1, found, textOffset - (previousLiteral + 1), Blank);
    previousLiteral = textOffset;
  }
  const int lastOffset = platform::MaskOffsetToOffset(EditMask, length);
  if (lastOffset != static_cast<int>(result.size())) {
    result = WideMaskPadSubField(EditMask, result, previousLiteral + 1, static_cast<int>(result.size()) + 1,
                                 lastOffset - previousLiteral, Blank);
  }
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (result[i] == u' ' && !platform::IsLiteralChar(EditMask, static_cast<int>(i) + 1)) result[i] = Blank;
  }
  return result;
}

}  // namespace widetext
