// Feeds arbitrary bytes to the string container reader as a container file:
// it must fail or succeed cleanly, never read out of bounds, and never
// allocate beyond what the input could hold.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/string_container.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("veltrosa-container-fuzz-" + std::to_string(::getpid()))).string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  support::TLangDic dic;
  if (dic.LoadFromFile(ScratchFile())) {
    std::int32_t found = -1;
    dic.FindLanguage(1033, found);
    const auto languages = static_cast<std::int32_t>(dic.Languages().size());
    for (std::int32_t language = 0; language <= languages; ++language) {
      support::TWideStringArray strings;
      std::int32_t index = language;
      if (dic.LoadLanguage(index, strings) && strings.size() != dic.StringCount()) __builtin_trap();
    }
  }
  return 0;
}
