// dictionary-writer: turns the dictionary's text source into its container.
//   dictionary-writer [--version N] SOURCE OUTPUT
// Version 3 (extended, enciphered) unless another is asked for; the basic
// versions 1 and 2 have no room for the code table and leave it out.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/dictionary-writer/container_writer.h"
#include "tools/dictionary-writer/dictionary_source.h"

namespace {

int Usage() {
  std::cerr << "usage: dictionary-writer [--version 1-4] SOURCE OUTPUT\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint16_t version = 3;
  int arg = 1;
  if (arg + 1 < argc && std::string(argv[arg]) == "--version") {
    const std::string value = argv[arg + 1];
    if (value.size() != 1 || value[0] < '1' || value[0] > '4') return Usage();
    version = static_cast<std::uint16_t>(value[0] - '0');
    arg += 2;
  }
  if (argc - arg != 2) return Usage();
  const std::filesystem::path sourcePath = argv[arg];
  const std::filesystem::path outputPath = argv[arg + 1];

  std::ifstream in(sourcePath, std::ios::binary);
  if (!in) {
    std::cerr << sourcePath.string() << ": cannot be read\n";
    return 1;
  }
  const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    auto content = dictionary_writer::ParseDictionarySource(source);
    if (version < 3) content.Tables.clear();
    const auto bytes = dictionary_writer::WriteContainer(content, version);
    // Written beside the target and renamed, so a failed run never leaves a
    // half-written container for the build to embed.
    const std::filesystem::path temporary = outputPath.string() + ".tmp";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out.flush()) {
        std::cerr << temporary.string() << ": cannot be written\n";
        return 1;
      }
    }
    std::filesystem::rename(temporary, outputPath);
  } catch (const dictionary_writer::TSourceError& error) {
    std::cerr << sourcePath.string() << ":" << error.what() << "\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << sourcePath.string() << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}
