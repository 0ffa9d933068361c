#pragma once
// Settings of the system that programs read through GetSystemMetrics and
// that are not measures of the screen: whether the system carries
// middle-east (right-to-left) language support, and whether its locale is a
// far-east one (double-byte character sets). This system is neither, unless
// a test says otherwise; a test that changes a setting puts it back.

namespace platform {

bool MiddleEastEnabled();
// Returns the previous setting.
bool SetMiddleEastEnabled(bool Enabled);
bool FarEastEnabled();
// Returns the previous setting.
bool SetFarEastEnabled(bool Enabled);

}  // namespace platform
