#include "widetext/platform_flags.h"

#include "platform/core/os/version.h"

namespace widetext {
namespace {

bool IsUnicode(const platform::OSVERSIONINFO& V) { return V.PlatformId == platform::VER_PLATFORM_WIN32_NT; }
bool IsXP(const platform::OSVERSIONINFO& V) {
  return (V.MajorVersion == 5 && V.MinorVersion >= 1) || V.MajorVersion >= 6;
}
bool Is2003(const platform::OSVERSIONINFO& V) {
  return (V.MajorVersion == 5 && V.MinorVersion >= 2) || V.MajorVersion >= 6;
}
bool IsVista(const platform::OSVERSIONINFO& V) { return V.MajorVersion >= 6; }

const platform::OSVERSIONINFO kStartVersion = platform::GetVersionEx();

}  // namespace

bool Win32PlatformIsUnicode = IsUnicode(kStartVersion);
bool Win32PlatformIsXP = IsXP(kStartVersion);
bool Win32PlatformIs2003 = Is2003(kStartVersion);
bool Win32PlatformIsVista = IsVista(kStartVersion);

void ReadPlatformFlags() {
  const platform::OSVERSIONINFO v = platform::GetVersionEx();
  Win32PlatformIsUnicode = IsUnicode(v);
  Win32PlatformIsXP = IsXP(v);
  Win32PlatformIs2003 = Is2003(v);
  Win32PlatformIsVista = IsVista(v);
}

}  // namespace widetext
