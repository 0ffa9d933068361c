#include "support/ui/text_helpers.h"

#include <algorithm>

namespace support {
namespace {

std::u16string Trimmed(std::u16string_view S) {
  std::size_t first = 0, last = S.size();
  while (first < last && S[first] < 33) ++first;
  while (last > first && S[last - 1] < 33) --last;
  return std::u16string(S.substr(first, last - first));
}

std::int32_t WidthOf(platform::TCanvas& Canvas, std::u16string_view S) {
  std::int32_t h = 0, w = 0;
  GetTextExtentW(Canvas.Handle(), S, h, w);
  return w;
}

}  // namespace

void GetTextExtentW(platform::HDC DC, std::u16string_view S, std::int32_t& Height, std::int32_t& Width) {
  platform::SIZE size;
  platform::GetTextExtentPoint32W(DC, S.data(), static_cast<int>(S.size()), &size);
  Height = size.cy;
  Width = size.cx;
}

void TextOutWide(platform::HDC DC, std::int32_t X, std::int32_t Y, std::u16string_view S) {
  platform::TextOutW(DC, X, Y, S.data(), static_cast<int>(S.size()));
}

void CanvasTextExtentW(platform::TCanvas& Canvas, std::u16string_view S, platform::SIZE& Size) {
  Size = platform::SIZE{};
  platform::GetTextExtentPoint32W(Canvas.Handle(), S.data(), static_cast<int>(S.size()), &Size);
}

bool IsBlankCharW(char16_t C) { return C == u' ' || C == 13 || C == 10; }

std::u16string GetFirstWordW(std::u16string_view S) {
  std::size_t i = 0;
  while (i < S.size() && IsBlankCharW(S[i])) ++i;
  while (i < S.size() && !IsBlankCharW(S[i])) ++i;
  return std::u16string(S.substr(0, i));
}

void WrapTextLines(platform::TCanvas& Canvas, std::u16string_view Text, std::int32_t& Width, TWideStringArray& Lines) {
  const std::int32_t limit = Width;
  Lines.clear();
  std::int32_t widest = 0;
  std::u16string rest(Text);
  while (!rest.empty()) {
    rest = Trimmed(rest);
    if (rest.empty()) break;
    std::u16string line;
    std::u16string word;
    for (;;) {
      line += word;
      rest.erase(0, word.size());
      word = GetFirstWordW(rest);
      // A CR among the blanks before the next word ends the line.
      bool newLine = false;
      for (std::size_t i = 0; i + 1 < rest.size() && IsBlankCharW(rest[i]); ++i) {
        if (rest[i] == 13) newLine = true;
      }
      if (newLine) break;
      if (WidthOf(Canvas, line + word) > limit) break;
      if (word.empty()) break;
    }
    if (line.empty()) {
      // The first word alone is too wide: cut it with a hyphen.
      const std::int32_t room = limit - WidthOf(Canvas, u"-");
      std::size_t take = 0;
      while (take < rest.size() && WidthOf(Canvas, Trimmed(rest.substr(0, take + 1))) < room) ++take;
      if (take == 0) take = 1;
      line = rest.substr(0, take) + u"-";
      rest.erase(0, take);
    }
    widest = std::max(widest, WidthOf(Canvas, line));
    Lines.push_back(line);
  }
  Width = widest;
}

}  // namespace support
