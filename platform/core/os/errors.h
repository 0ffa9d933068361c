#pragma once
// The platform's last-error value: a per-thread code that a failing platform
// call leaves behind, and the system's text for a code. Codes are the
// platform's own numbers (ERROR_...); calls over POSIX translate errno into
// them, so callers see one code space whatever the call went through.

#include <cstdint>
#include <string>

namespace platform {

constexpr std::uint32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::uint32_t ERROR_WRITE_PROTECT = 19;
constexpr std::uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr std::uint32_t ERROR_HANDLE_DISK_FULL = 39;
constexpr std::uint32_t ERROR_NOT_SUPPORTED = 50;
constexpr std::uint32_t ERROR_FILE_EXISTS = 80;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::uint32_t ERROR_BROKEN_PIPE = 109;
constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr std::uint32_t ERROR_INVALID_NAME = 123;
constexpr std::uint32_t ERROR_NEGATIVE_SEEK = 131;
constexpr std::uint32_t ERROR_DIR_NOT_EMPTY = 145;
constexpr std::uint32_t ERROR_BUSY = 170;
constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;
constexpr std::uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr std::uint32_t ERROR_DIRECTORY = 267;
constexpr std::uint32_t ERROR_INVALID_FLAGS = 1004;
constexpr std::uint32_t ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr std::uint32_t ERROR_IO_DEVICE = 1117;
constexpr std::uint32_t ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr std::uint32_t ERROR_PROC_NOT_FOUND = 127;
constexpr std::uint32_t ERROR_MOD_NOT_FOUND = 126;

std::uint32_t GetLastError();
void SetLastError(std::uint32_t Code);

// The platform code for an errno value (ERROR_IO_DEVICE for ones without a
// closer match).
std::uint32_t ErrorFromErrno(int ErrnoValue);
// Sets the last error from errno; returns the code set.
std::uint32_t SetLastErrorFromErrno();

// The system's text for a code, without a trailing line break; empty when the
// system has none for it.
std::u16string SystemErrorText(std::uint32_t Code);

}  // namespace platform
