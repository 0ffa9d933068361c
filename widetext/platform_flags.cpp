#include "widetext/platform_flags.h"

#include "platform/core/os/version.h"

namespace widetext {
namespace {

const platform::OSVERSIONINFO kVersion = platform::GetVersionEx();

}  // namespace

const bool Win32PlatformIsUnicode = kVersion.PlatformId == platform::VER_PLATFORM_WIN32_NT;
const bool Win32PlatformIsXP = (kVersion.MajorVersion == 5 && kVersion.MinorVersion >= 1) || kVersion.MajorVersion >= 6;
const bool Win32PlatformIs2003 =
    (kVersion.MajorVersion == 5 && kVersion.MinorVersion >= 2) || kVersion.MajorVersion >= 6;
const bool Win32PlatformIsVista = kVersion.MajorVersion >= 6;

}  // namespace widetext
