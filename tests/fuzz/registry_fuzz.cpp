// Feeds arbitrary bytes to the settings store as its file: a value is
// written into it, the file saved and read again, and every key and value
// read before must stand as it was, beside the new one; a file not read
// whole must be kept beside the new one as it was. The input's first bytes
// are tried as a value name too: a name the store accepts must come back as
// it was, one it refuses must change nothing.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "tests/platform/registry_inspector.h"
#include "tests/support/scratch_folder.h"

namespace {

// The store syncs every file it writes: on a disk that allows a few hundred
// inputs a run, in memory many thousands.
std::filesystem::path RamBackedFolder() {
  const std::filesystem::path shm = "/dev/shm";
  std::error_code ec;
  if (std::filesystem::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0) return shm;
  return std::filesystem::temp_directory_path();
}

const support::testing::TScratchFolder& Folder() {
  static const support::testing::TScratchFolder folder(RamBackedFolder());
  return folder;
}

// Stops the run on a broken promise. The fuzzer keeps the input that broke
// it; the folder, which an abort would leave behind, goes first.
void Check(const std::string& Broken) {
  if (Broken.empty()) return;
  std::fprintf(stderr, "%s\n", Broken.c_str());
  std::error_code ec;
  std::filesystem::remove_all(Folder().Path(), ec);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::string file = (Folder() / "registry.reg").string();
  constexpr char kKey[] = "\\SOFTWARE\\Morvane\\Veltrosa";
  const std::string bytes(reinterpret_cast<const char*>(Data), Size);
  const auto number = static_cast<std::int32_t>(Size);
  Check(platform::testing::SaveAndReadAgain(file, bytes, kKey, "GPSComPort", number));
  const std::string name = bytes.substr(0, Size % 32);
  Check(platform::testing::SaveAndReadAgain(file, bytes, kKey, name, number));
  return 0;
}
