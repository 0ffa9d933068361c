#include "support/program_info.h"

#include "platform/core/os/modules.h"

#include <filesystem>
#include <system_error>

namespace support {
namespace fs = std::filesystem;
namespace {

std::u16string_view TrimW(std::u16string_view S) {
  while (!S.empty() && S.front() < 33) S.remove_prefix(1);
  while (!S.empty() && S.back() < 33) S.remove_suffix(1);
  return S;
}

fs::path ProgramFile() { return fs::path(platform::ProgramFileName()); }

}  // namespace

std::u16string GetAppDir() {
  try {
    const fs::path exe = ProgramFile();
    if (exe.empty()) return {};
    return IncludeTrailingBackslashW(ExtractFilePathW(exe.u16string()));
  } catch (...) {
    return {};
  }
}

std::u16string ExtractFilePathW(std::u16string_view S) {
  const auto pos = S.find_last_of(u'/');
  return pos == std::u16string_view::npos ? std::u16string() : std::u16string(S.substr(0, pos + 1));
}

std::u16string IncludeTrailingBackslashW(std::u16string_view S) {
  std::u16string result(TrimW(S));
  if (!result.empty() && result.back() != u'/') result += u'/';
  return result;
}

std::u16string GetFileVersionString(std::u16string_view FileName) {
  try {
    std::error_code ec;
    const fs::path own = ProgramFile();
    if (own.empty() || FileName.empty()) return {};
    if (!fs::equivalent(fs::path(std::u16string(FileName)), own, ec) || ec) return {};
    return fs::path(VELTROSA_VERSION).u16string();
  } catch (...) {
    return {};
  }
}

}  // namespace support
