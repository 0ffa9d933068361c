#pragma once
// The platform's version report. This platform presents itself as an NT
// family system of version 6.1, with full Unicode support. Tests may have it
// report another version, to run the paths that older or 8-bit platforms
// take; the program never does.

#include <cstdint>

namespace platform {

constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
  std::uint32_t MajorVersion = 0;
  std::uint32_t MinorVersion = 0;
  std::uint32_t BuildNumber = 0;
  std::uint32_t PlatformId = 0;
};

OSVERSIONINFO GetVersionEx();

// The version GetVersionEx reports from now on; ResetVersionEx returns to
// this platform's own.
void SetVersionEx(const OSVERSIONINFO& Version);
void ResetVersionEx();

}  // namespace platform
