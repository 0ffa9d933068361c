#include "tools/dictionary-writer/dictionary_source.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <vector>

#include "support/hashing.h"

namespace dictionary_writer {
namespace {

struct TEntry {
  std::uint32_t Code = 0;
  std::vector<std::u16string> Texts;
  int Line = 0;
};

struct TGroup {
  TEntry Marker;
  std::vector<TEntry> Items;
};

std::vector<std::string_view> SplitTabs(std::string_view Line) {
  std::vector<std::string_view> columns;
  for (;;) {
    const auto tab = Line.find('\t');
    columns.push_back(Line.substr(0, tab));
    if (tab == std::string_view::npos) break;
    Line.remove_prefix(tab + 1);
  }
  return columns;
}

std::u16string Utf8ToUtf16(std::string_view Text, int Line) {
  std::u16string out;
  for (std::size_t i = 0; i < Text.size();) {
    const auto lead = static_cast<unsigned char>(Text[i]);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0 || i + length > Text.size()) throw TSourceError(Line, "invalid UTF-8");
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(Text[i + k]);
      if ((next & 0xC0) != 0x80) throw TSourceError(Line, "invalid UTF-8");
      code = code << 6 | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      throw TSourceError(Line, "invalid UTF-8");
    }
    if (code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

// Texts for every language from the columns after the key; "=" and missing
// trailing columns repeat the previous language's text.
std::vector<std::u16string> Texts(const std::vector<std::string_view>& Columns, std::size_t Languages, int Line) {
  if (Columns.size() < 2) throw TSourceError(Line, "no text");
  if (Columns.size() - 1 > Languages) throw TSourceError(Line, "more texts than languages");
  std::vector<std::u16string> texts;
  for (std::size_t l = 0; l < Languages; ++l) {
    const bool repeat = l + 1 >= Columns.size() || Columns[l + 1] == "=";
    if (repeat && l == 0) throw TSourceError(Line, "the first text cannot repeat another");
    if (repeat) {
      texts.push_back(texts.back());
      continue;
    }
    if (Columns[l + 1].empty()) throw TSourceError(Line, "empty text");
    texts.push_back(Utf8ToUtf16(Columns[l + 1], Line));
  }
  return texts;
}

int Number(std::string_view Text, int Line, int Lowest, int Highest) {
  int value = 0;
  const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  if (error != std::errc{} || end != Text.data() + Text.size() || value < Lowest || value > Highest) {
    throw TSourceError(Line, "\"" + std::string(Text) + "\" is not a number from " + std::to_string(Lowest) + " to " +
                                 std::to_string(Highest));
  }
  return value;
}

}  // namespace

TContainerContent ParseDictionarySource(std::string_view Source) {
  TContainerContent content;
  std::vector<TGroup> groups;
  std::map<int, int> groupLines;
  int lineNumber = 0;
  while (!Source.empty()) {
    ++lineNumber;
    const auto end = Source.find('\n');
    std::string_view line = Source.substr(0, end);
    Source.remove_prefix(end == std::string_view::npos ? Source.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const auto columns = SplitTabs(line);
    if (columns[0] == "language") {
      if (!groups.empty()) throw TSourceError(lineNumber, "languages must come before the first group");
      if (columns.size() != 3 || columns[2].empty()) throw TSourceError(lineNumber, "expected: language <id> <name>");
      const auto id = static_cast<std::uint16_t>(Number(columns[1], lineNumber, 1, 0xFFFF));
      for (const auto& known : content.Languages) {
        if (known.LangId == id) throw TSourceError(lineNumber, "language " + std::string(columns[1]) + " repeated");
      }
      content.Languages.push_back({id, Utf8ToUtf16(columns[2], lineNumber), {}});
    } else if (columns[0] == "group") {
      if (content.Languages.empty()) throw TSourceError(lineNumber, "no language declared");
      if (columns.size() < 3) throw TSourceError(lineNumber, "expected: group <code> <texts>");
      // Group 0's marker would be the marker base itself, which the
      // dictionary takes for no marker: its items would join the group
      // before it and spoil that group's order.
      if (columns[1] == "0") throw TSourceError(lineNumber, "group 0 cannot be looked up: groups start at 1");
      const int code = Number(columns[1], lineNumber, 1, 0x7FFFFFFF - kGroupMarkerBase);
      if (const auto [at, added] = groupLines.try_emplace(code, lineNumber); !added) {
        throw TSourceError(lineNumber,
                           "group " + std::string(columns[1]) + " repeated from line " + std::to_string(at->second));
      }
      const std::vector<std::string_view> texts(columns.begin() + 1, columns.end());
      groups.push_back({{static_cast<std::uint32_t>(kGroupMarkerBase + code),
                         Texts(texts, content.Languages.size(), lineNumber), lineNumber},
                        {}});
    } else {
      if (groups.empty()) throw TSourceError(lineNumber, "an item before the first group");
      if (columns[0].empty()) throw TSourceError(lineNumber, "empty key");
      const auto code = static_cast<std::uint32_t>(support::StringHashEx(columns[0]));
      groups.back().Items.push_back({code, Texts(columns, content.Languages.size(), lineNumber), lineNumber});
    }
  }

  std::vector<std::uint32_t> codes;
  const auto append = [&](const TEntry& Entry) {
    codes.push_back(Entry.Code);
    for (std::size_t l = 0; l < content.Languages.size(); ++l) content.Languages[l].Strings.push_back(Entry.Texts[l]);
  };
  for (auto& group : groups) {
    std::sort(group.Items.begin(), group.Items.end(), [](const TEntry& A, const TEntry& B) { return A.Code < B.Code; });
    const auto same = std::adjacent_find(group.Items.begin(), group.Items.end(),
                                         [](const TEntry& A, const TEntry& B) { return A.Code == B.Code; });
    if (same != group.Items.end()) {
      throw TSourceError(std::next(same)->Line, "the key's code " + std::to_string(same->Code) + " is taken by line " +
                                                    std::to_string(same->Line));
    }
    append(group.Marker);
    for (const auto& item : group.Items) append(item);
  }
  content.Tables.push_back({std::u16string(kCodeTableName), std::move(codes)});
  return content;
}

}  // namespace dictionary_writer
