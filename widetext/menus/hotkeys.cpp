#include "widetext/menus/hotkeys.h"

#include "platform/ui/window_classes/gdi.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/exceptions.h"
#include "widetext/utf8.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

constexpr std::size_t kGroupLength = 4;

// The 0-based start of a trailing "(&X)" group, or npos.
std::size_t TrailingGroup(std::u16string_view Caption) {
  const std::size_t n = Caption.size();
  if (n < kGroupLength) return std::u16string_view::npos;
  const std::size_t at = n - kGroupLength;
  if (Caption[at] == u'(' && Caption[at + 1] == u'&' && Caption[at + 2] != u'&' && Caption[n - 1] == u')') return at;
  return std::u16string_view::npos;
}

// The 8-bit image as message text.
std::string Shown(std::u16string_view S) { return UTF8Encode(WidenAnsi(AnsiImage(S))); }

}  // namespace

bool FarEastHotkeys() { return platform::GetSystemMetrics(platform::SM_DBCSENABLED) != 0; }

int WideGetHotkeyPos(std::u16string_view Caption, bool FarEast) {
  if (FarEast) {
    if (const std::size_t group = TrailingGroup(Caption); group != std::u16string_view::npos) {
      return static_cast<int>(group) + 3;
    }
  }
  int position = 0;
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] != u'&') position = static_cast<int>(i) + 2;
    ++i;
  }
  return position;
}

std::u16string WideGetHotkey(std::u16string_view Caption, bool FarEast) {
  const int position = WideGetHotkeyPos(Caption, FarEast);
  return position == 0 ? std::u16string() : std::u16string(1, Caption[static_cast<std::size_t>(position) - 1]);
}

std::u16string WideStripHotkey(std::u16string_view Caption, bool FarEast) {
  if (FarEast) {
    if (const std::size_t group = TrailingGroup(Caption); group != std::u16string_view::npos) {
      Caption = Caption.substr(0, group);
    }
  }
  std::u16string result;
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    // An "&" marks the character after it, or makes a second "&" literal.
    if (Caption[i] == u'&' && ++i == Caption.size()) break;
    result += Caption[i];
  }
  return result;
}

bool WideSameCaption(std::u16string_view A, std::u16string_view B, bool FarEast) {
  return WideCompareText(WideStripHotkey(A, FarEast), WideStripHotkey(B, FarEast)) == 0;
}

void SyncHotKeyPosition(std::u16string_view Source, std::u16string& Dest, bool FarEast) {
  if (AnsiImage(Source) == AnsiImage(Dest)) return;
  const std::u16string stripped = WideStripHotkey(Dest, FarEast);
  if (AnsiImage(WideStripHotkey(Source, FarEast)) == AnsiImage(stripped)) {
    std::u16string_view source = Source;
    std::u16string_view group;
    if (FarEast) {
      if (const std::size_t at = TrailingGroup(Source); at != std::u16string_view::npos) {
        group = Source.substr(at);
        source = Source.substr(0, at);
      }
    }
    std::u16string result;
    std::size_t next = 0;  // the next character of stripped
    for (std::size_t i = 0; i < source.size(); ++i) {
      if (source[i] != u'&') {
        if (next < stripped.size()) result += stripped[next++];
        continue;
      }
      result += u'&';
      if (i + 1 < source.size() && source[i + 1] == u'&') {
        // A literal "&" keeps its doubled form.
        result += u'&';
        ++i;
        ++next;
      }
    }
    result += group;
    Dest = result;
  }
  if (AnsiImage(Source) != AnsiImage(Dest)) {
    throw EWtxInternalError("Internal Error: SyncHotKeyPosition Failed (\"" + Shown(Source) + "\" <> \"" + Shown(Dest) +
                            "\").");
  }
}

}  // namespace widetext
