#pragma once
// Where the running program lives and which version it is. Paths use the
// Linux separator "/" where the names below speak of a backslash.

#include <string>
#include <string_view>

namespace support {

// The folder of the running program, with a trailing "/"; empty on error.
std::u16string GetAppDir();

// S up to and including its last "/" (empty when there is none).
std::u16string ExtractFilePathW(std::u16string_view S);
// Trimmed S with "/" appended unless it is empty or already ends in "/".
std::u16string IncludeTrailingBackslashW(std::u16string_view S);

// The dotted version text of a program file: this program's own version for
// its own file, empty for any other file (Linux programs carry no version
// resource).
std::u16string GetFileVersionString(std::u16string_view FileName);

}  // namespace support
