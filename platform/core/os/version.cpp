#include "platform/core/os/version.h"

#include <mutex>

namespace platform {
namespace {

constexpr OSVERSIONINFO kOwnVersion{6, 1, 7601, VER_PLATFORM_WIN32_NT};

std::mutex versionMutex;
OSVERSIONINFO reported = kOwnVersion;

}  // namespace

OSVERSIONINFO GetVersionEx() {
  const std::lock_guard lock(versionMutex);
  return reported;
}

void SetVersionEx(const OSVERSIONINFO& Version) {
  const std::lock_guard lock(versionMutex);
  reported = Version;
}

void ResetVersionEx() { SetVersionEx(kOwnVersion); }

}  // namespace platform
