#pragma once
// Writes multi-language string containers, the files that the program's
// dictionary reads: a header ("TOLVEK", version, language count, string
// count) and a payload with the language directory, the strings of every
// language and, for the extended versions, tables of codes parallel to the
// strings. Versions 2 and 3 encipher the payload. The program itself only
// reads containers; this is the one writer, used at build time and by tests.

#include <cstdint>
#include <string>
#include <vector>

namespace dictionary_writer {

struct TContainerLanguage {
  std::uint16_t LangId = 0;
  std::u16string Name;
  std::vector<std::u16string> Strings;
};

struct TContainerTable {
  std::u16string Name;
  std::vector<std::uint32_t> Codes;
};

struct TContainerContent {
  std::vector<TContainerLanguage> Languages;
  std::vector<TContainerTable> Tables;
};

// Version 1 basic plain, 2 basic enciphered, 3 extended enciphered, 4
// extended plain; the basic versions hold no tables. Throws
// std::invalid_argument when the content does not fit the format: languages
// or tables of unequal length, a text longer than a counted string holds,
// tables in a basic version, too many languages or tables.
std::vector<std::uint8_t> WriteContainer(const TContainerContent& Content, std::uint16_t Version);

}  // namespace dictionary_writer
