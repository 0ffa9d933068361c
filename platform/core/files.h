#pragma once
// The platform's file handles over POSIX descriptors: create and open with
// access and sharing modes, read, write, seek, close, and the full path of a
// name. File names are UTF-16 and reach the file system as UTF-8; "/" is the
// separator and paths have no length limit.
//
// Sharing is enforced between the handles of this process, as the platform
// does between all handles of the system: an open that asks for access that
// an existing handle does not share (or that does not share the access an
// existing handle has) fails with ERROR_SHARING_VIOLATION. Other processes
// are not bound by it.

#include <cstdint>

namespace platform {

using HANDLE = std::intptr_t;
constexpr HANDLE INVALID_HANDLE_VALUE = -1;

constexpr std::uint32_t GENERIC_READ = 0x80000000;
constexpr std::uint32_t GENERIC_WRITE = 0x40000000;

constexpr std::uint32_t FILE_SHARE_READ = 1;
constexpr std::uint32_t FILE_SHARE_WRITE = 2;

constexpr std::uint32_t CREATE_NEW = 1;
constexpr std::uint32_t CREATE_ALWAYS = 2;
constexpr std::uint32_t OPEN_EXISTING = 3;
constexpr std::uint32_t OPEN_ALWAYS = 4;
constexpr std::uint32_t TRUNCATE_EXISTING = 5;

constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 128;

constexpr std::uint32_t FILE_BEGIN = 0;
constexpr std::uint32_t FILE_CURRENT = 1;
constexpr std::uint32_t FILE_END = 2;

// INVALID_HANDLE_VALUE on failure, with the last error set.
HANDLE CreateFileW(const char16_t* FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes);
bool CloseHandle(HANDLE Handle);

bool ReadFile(HANDLE Handle, void* Buffer, std::uint32_t BytesToRead, std::uint32_t* BytesRead);
bool WriteFile(HANDLE Handle, const void* Buffer, std::uint32_t BytesToWrite, std::uint32_t* BytesWritten);
bool SetFilePointerEx(HANDLE Handle, std::int64_t DistanceToMove, std::int64_t* NewFilePointer,
                      std::uint32_t MoveMethod);
// Cuts or extends the file to the current position.
bool SetEndOfFile(HANDLE Handle);

// The absolute, normalised form of FileName ("." and ".." resolved by text,
// without touching the file system), relative names taken from the current
// directory. Returns the length written without the terminator, or, when
// BufferLength is too small, the length needed including the terminator.
// FilePart, when given, points at the last component in Buffer (null when
// the path ends in "/"). Returns 0 with the last error set on failure.
std::uint32_t GetFullPathNameW(const char16_t* FileName, std::uint32_t BufferLength, char16_t* Buffer,
                               char16_t** FilePart);

}  // namespace platform
