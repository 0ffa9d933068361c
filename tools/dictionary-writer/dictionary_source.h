#pragma once
// The text source of the code-to-text dictionary, turned into container
// content. The source is UTF-8, one entry per line, columns separated by
// tabs; blank lines and lines starting with '#' are skipped:
//
//   language <TAB> 1033 <TAB> English (United States)
//   group <TAB> 1 <TAB> Talkers <TAB> = <TAB> Parlatori
//   GP <TAB> Global Positioning System <TAB> = <TAB> Sistema di posizionamento globale
//
// "language" lines come first and fix the order of the text columns. A
// "group" line opens group N (N >= 1): its string carries the marker code
// 1,000,000,000 + N and its texts name the group. Every other line is an
// item of the open group, keyed by the hash of its first column (the
// dictionary's item codes). A text "=", or a missing last column, repeats
// the text of the language before it. Items are sorted by code within their
// group, as the dictionary's search needs.

#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/dictionary-writer/container_writer.h"

namespace dictionary_writer {

// The one table of codes, parallel to the strings.
inline constexpr std::u16string_view kCodeTableName = u"Codes";
inline constexpr std::int32_t kGroupMarkerBase = 1'000'000'000;

class TSourceError : public std::runtime_error {
 public:
  TSourceError(int Line, const std::string& Message)
      : std::runtime_error("line " + std::to_string(Line) + ": " + Message), line_(Line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// Throws TSourceError for malformed lines, invalid UTF-8, repeated
// languages, groups or item codes (a hash collision included).
TContainerContent ParseDictionarySource(std::string_view Source);

}  // namespace dictionary_writer
