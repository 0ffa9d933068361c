#pragma once
// Makes the platform report another version for the life of a test, with the
// wide layer's flags read again, and puts this platform's own back after.

#include "platform/core/os/version.h"
#include "widetext/platform_flags.h"

namespace widetext::testing {

class ScopedPlatformVersion {
 public:
  explicit ScopedPlatformVersion(const platform::OSVERSIONINFO& Version) {
    platform::SetVersionEx(Version);
    ReadPlatformFlags();
  }
  ~ScopedPlatformVersion() {
    platform::ResetVersionEx();
    ReadPlatformFlags();
  }
  ScopedPlatformVersion(const ScopedPlatformVersion&) = delete;
  ScopedPlatformVersion& operator=(const ScopedPlatformVersion&) = delete;
};

// An 8-bit platform of the older family: no Unicode windows, the A calls only.
inline constexpr platform::OSVERSIONINFO kAnsiPlatform{4, 90, 3000, platform::VER_PLATFORM_WIN32_WINDOWS};
// An NT platform before version 6: Unicode, but the classic file dialog.
inline constexpr platform::OSVERSIONINFO kVersion5Platform{5, 1, 2600, platform::VER_PLATFORM_WIN32_NT};

}  // namespace widetext::testing
