#include "widetext/wide_strings.h"

#include "platform/core/os/locale.h"
#include "platform/core/text/case_mapping.h"
#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"
#include "widetext/wide_api.h"

namespace widetext {
namespace {

constexpr char16_t kCR = 13;
constexpr char16_t kLF = 10;
constexpr char16_t kLineSeparator = 0x2028;

int Compare(std::u16string_view S1, std::u16string_view S2, std::uint32_t Flags) {
  return platform::CompareStringW(platform::GetUserDefaultLCID(), Flags, S1, S2) - platform::CSTR_EQUAL;
}

}  // namespace

void WideDelete(std::u16string& S, int Index, int Count) {
  if (S.empty() || Index < 1 || static_cast<std::size_t>(Index) > S.size() || Count < 1) return;
  S.erase(static_cast<std::size_t>(Index - 1), static_cast<std::size_t>(Count));
}

int WidePosEx(std::u16string_view Substr, std::u16string_view S, int Offset) {
  if (Offset < 0) Offset = 0;
  if (Substr.empty() || static_cast<std::size_t>(Offset) >= S.size()) return 0;
  const std::size_t found = S.find(Substr, static_cast<std::size_t>(Offset));
  return found == std::u16string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int WideTextPos(std::u16string_view Substr, std::u16string_view S) { return WideTextPosEx(Substr, S, 0); }

int WideTextPosEx(std::u16string_view Substr, std::u16string_view S, int Offset) {
  return WidePosEx(WideUpperCase(Substr), WideUpperCase(S), Offset);
}

std::u16string WideUpperCase(std::u16string_view S) {
  std::u16string result(S);
  WideApiCharUpperBuff(result.data(), static_cast<std::uint32_t>(result.size()));
  return result;
}

std::u16string WideLowerCase(std::u16string_view S) {
  std::u16string result(S);
  WideApiCharLowerBuff(result.data(), static_cast<std::uint32_t>(result.size()));
  return result;
}

int WideCompareText(std::u16string_view S1, std::u16string_view S2) {
  return Compare(S1, S2, platform::NORM_IGNORECASE);
}

int WideCompareStr(std::u16string_view S1, std::u16string_view S2) { return Compare(S1, S2, 0); }

bool WideIsDelimiter(std::u16string_view Delimiters, std::u16string_view S, int Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) return false;
  return Delimiters.find(S[static_cast<std::size_t>(Index - 1)]) != std::u16string_view::npos;
}

int WideLastDelimiter(std::u16string_view Delimiters, std::u16string_view S) {
  const std::size_t found = S.find_last_of(Delimiters);
  return found == std::u16string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::u16string WideExtractNextToken(const char16_t*& P, char16_t Separator) {
  const char16_t* start = P;
  while (*P && *P != Separator) ++P;
  std::u16string token(start, P);
  if (*P) ++P;
  return token;
}

std::vector<std::u16string> WideSplitString(std::u16string_view S, char16_t Separator) {
  const std::u16string text(S.substr(0, S.find(u'\0')));
  std::vector<std::u16string> result;
  const char16_t* p = text.c_str();
  while (*p) result.push_back(WideExtractNextToken(p, Separator));
  return result;
}

std::u16string WtxAdjustLineBreaks(std::u16string_view S, TWtxTextLineBreakStyle Style) {
  const std::u16string_view lineBreak = Style == tlbsCRLF ? u"\r\n" : Style == tlbsCR ? u"\r" : u"\n";
  std::u16string result;
  result.reserve(S.size() * lineBreak.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const char16_t c = S[i];
    if (c == kCR || c == kLF || c == kLineSeparator) {
      if (c == kCR && i + 1 < S.size() && S[i + 1] == kLF) ++i;
      result.append(lineBreak);
    } else {
      result.push_back(c);
    }
  }
  return result;
}

bool IsWideCharMappableToAnsi(char16_t C) {
  // A page that cannot report defaults (UTF-7, UTF-8) holds every character.
  bool usedDefault = false;
  platform::WideCharToMultiByte(DefaultSystemCodePage, 0, &C, 1, nullptr, 0, nullptr, &usedDefault);
  return !usedDefault;
}

}  // namespace widetext
