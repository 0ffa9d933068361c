#pragma once
// What the platform offers, fixed at start-up from its version report.

namespace widetext {

extern const bool Win32PlatformIsUnicode;
extern const bool Win32PlatformIsXP;
extern const bool Win32PlatformIs2003;
extern const bool Win32PlatformIsVista;

}  // namespace widetext
