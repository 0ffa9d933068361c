#include "support/disk_space.h"

#include <sys/statvfs.h>

#include <filesystem>
#include <system_error>

namespace support {
namespace fs = std::filesystem;
namespace {

template <typename Char>
std::basic_string_view<Char> Trim(std::basic_string_view<Char> S) {
  while (!S.empty() && static_cast<std::uint32_t>(S.front()) < 33) S.remove_prefix(1);
  while (!S.empty() && static_cast<std::uint32_t>(S.back()) < 33) S.remove_suffix(1);
  return S;
}

fs::path FolderOf(const fs::path& File) {
  std::error_code ec;
  fs::path absolute = fs::absolute(File, ec);
  if (ec) return {};
  absolute = absolute.lexically_normal();
  // A path naming a folder ("/var/log/") is its own folder.
  if (!absolute.has_filename()) return absolute;
  return absolute.parent_path() / "";
}

}  // namespace

std::u16string ExtractDriveLetter(std::u16string_view Path) {
  const std::u16string_view trimmed = Trim(Path);
  if (trimmed.empty()) return {};
  try {
    return FolderOf(fs::path(std::u16string(trimmed))).u16string();
  } catch (...) {
    return {};
  }
}

std::string ExtractDriveLetter(std::string_view Path) {
  const std::string_view trimmed = Trim(Path);
  if (trimmed.empty()) return {};
  try {
    return FolderOf(fs::path(trimmed)).string();
  } catch (...) {
    return {};
  }
}

std::int64_t DriveFreeSpace(std::string_view Letter) {
  if (Letter.empty()) return 0;
  try {
    std::error_code ec;
    fs::path dir = fs::absolute(fs::path(Letter), ec);
    if (ec) return -1;
    while (!fs::exists(dir, ec) && dir.has_relative_path()) dir = dir.parent_path();
    struct statvfs st {};
    if (::statvfs(dir.c_str(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
  } catch (...) {
    return -1;
  }
}

}  // namespace support
