#pragma once
// The platform's version report. This platform presents itself as an NT
// family system of version 6.1, with full Unicode support.

#include <cstdint>

namespace platform {

constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
  std::uint32_t MajorVersion = 0;
  std::uint32_t MinorVersion = 0;
  std::uint32_t BuildNumber = 0;
  std::uint32_t PlatformId = 0;
};

OSVERSIONINFO GetVersionEx();

}  // namespace platform
