#pragma once
// Containers for the reader and dictionary tests, written with the build's
// own container writer.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/dictionary-writer/container_writer.h"

namespace support::testing {

// Two languages, 1033 and 1040, of three strings each, and two code tables.
dictionary_writer::TContainerContent SmallContent();

// Languages with the given ids; string k of language l is "<id>:<k>".
// Table 0 holds Codes.
dictionary_writer::TContainerContent DictionaryContent(const std::vector<std::uint16_t>& LangIds,
                                                       const std::vector<std::uint32_t>& Codes);

// Registers Bytes as an RCDATA resource under Name for the rest of the run;
// the same bytes again under the same name are taken as registered.
void RegisterTestResource(const std::string& Name, std::vector<std::uint8_t> Bytes);

void WriteFile(const std::filesystem::path& Path, const std::vector<std::uint8_t>& Bytes);

}  // namespace support::testing
