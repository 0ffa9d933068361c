// Feeds arbitrary bytes to the settings store as its file: a value is
// written into it, the file saved and read again, and every key and value
// read before must stand as it was, beside the new one; a file not read
// whole must be kept beside the new one as it was.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/platform/registry_inspector.h"
#include "tests/support/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const support::testing::TScratchFolder folder;
  static const std::string file = (folder / "registry.reg").string();
  const std::string bytes(reinterpret_cast<const char*>(Data), Size);
  const std::string broken = platform::testing::SaveAndReadAgain(file, bytes, "\\SOFTWARE\\Morvane\\Veltrosa",
                                                                 "GPSComPort", static_cast<std::int32_t>(Size));
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
