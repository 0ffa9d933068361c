#pragma once
// A folder of its own for the files of one test, removed with all it holds
// when the test is done with it.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

namespace support::testing {

class TScratchFolder {
 public:
  TScratchFolder() : TScratchFolder(std::filesystem::temp_directory_path()) {}
  // In Base rather than in the temporary folder.
  explicit TScratchFolder(const std::filesystem::path& Base) {
    static std::atomic<int> serial{0};
    path_ = Base / ("veltrosa-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& Name) const { return path_ / Name; }

 private:
  std::filesystem::path path_;
};

}  // namespace support::testing
