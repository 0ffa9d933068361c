#pragma once
// What the platform offers, fixed at start-up from its version report.
// ReadPlatformFlags reads the report again: tests call it after making the
// platform report another version, so that the 8-bit paths run.

namespace widetext {

extern bool Win32PlatformIsUnicode;
extern bool Win32PlatformIsXP;
extern bool Win32PlatformIs2003;
extern bool Win32PlatformIsVista;

void ReadPlatformFlags();

}  // namespace widetext
