// Feeds arbitrary bytes to the string container reader as a container file:
// it must fail or succeed cleanly, never read out of bounds, and never
// allocate beyond what the input could hold.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/string_container.h"

namespace {

// The input as a file that lives in memory only, so that nothing is left
// behind however the run ends; the reader opens it by its /proc path.
class TMemoryFile {
 public:
  TMemoryFile() : fd_(::memfd_create("container-fuzz", 0)) {
    if (fd_ < 0) std::abort();
  }
  ~TMemoryFile() { ::close(fd_); }
  void Write(const std::uint8_t* Data, std::size_t Size) {
    if (::ftruncate(fd_, 0) != 0) std::abort();
    for (std::size_t done = 0; done < Size;) {
      const ssize_t n = ::pwrite(fd_, Data + done, Size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
  }
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TMemoryFile file;
  file.Write(Data, Size);
  support::TLangDic dic;
  if (dic.LoadFromFile(file.Path())) {
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
