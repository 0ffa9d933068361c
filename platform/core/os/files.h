#pragma once
// The platform's file handles: create and open a file by a UTF-16 name with
// access and sharing modes, close it, and the full path of a name. A handle
// is a POSIX descriptor, so THandleStream (platform/core/classes/streams.h) reads and
// writes it. Names reach the file system as UTF-8; "/" is the separator and
// paths have no length limit.
//
// Sharing is kept with the same advisory locks as TFileStream: a handle that
// shares both reading and writing takes no lock, one that shares reading
// only (deny write) a shared lock, any other an exclusive lock. An open whose
// lock is refused fails with ERROR_SHARING_VIOLATION and leaves the file as it
// was.

#include <cstdint>

namespace platform {

// The same handle type as the window system's (platform/core/window_system/window.h).
using HANDLE = std::uintptr_t;
constexpr HANDLE INVALID_HANDLE_VALUE = static_cast<HANDLE>(-1);

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

// INVALID_HANDLE_VALUE on failure, with the last error set.
HANDLE CreateFileW(const char16_t* FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes);
// The 8-bit form: the name is text of code page 1252.
HANDLE CreateFileA(const char* FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes);
bool CloseHandle(HANDLE Handle);

// The absolute, normalised form of FileName ("." and ".." resolved by text,
// without touching the file system), relative names taken from the current
// directory. Returns the length written without the terminator, or, when
// BufferLength is too small, the length needed including the terminator.
// FilePart, when given, points at the last component in Buffer (null when
// the path ends in "/"). Returns 0 with the last error set on failure.
std::uint32_t GetFullPathNameW(const char16_t* FileName, std::uint32_t BufferLength, char16_t* Buffer,
                               char16_t** FilePart);
// The 8-bit form, in code page 1252; a character of the path that the code
// page lacks becomes "?", as the 8-bit calls give it.
std::uint32_t GetFullPathNameA(const char* FileName, std::uint32_t BufferLength, char* Buffer, char** FilePart);

}  // namespace platform
