#pragma once
// Free space where a file is written. Linux has no drive letters: the
// "drive" of a path is its absolute folder, and the free space is that of
// the file system holding it, so a log file's guard measures the volume the
// log really goes to.

#include <cstdint>
#include <string>
#include <string_view>

namespace support {

// The absolute folder of the trimmed Path, with a trailing "/"; empty for
// an empty Path.
std::u16string ExtractDriveLetter(std::u16string_view Path);
std::string ExtractDriveLetter(std::string_view Path);

// Bytes available to this user on the file system holding Letter (or its
// nearest existing parent folder); 0 for an empty Letter, -1 when it cannot
// be measured.
std::int64_t DriveFreeSpace(std::string_view Letter);

}  // namespace support
