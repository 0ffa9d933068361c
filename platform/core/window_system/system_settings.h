#pragma once
// Settings of the system that programs read through GetSystemMetrics and
// that are not measures of the screen: whether the system carries
// middle-east (right-to-left) language support. This system does not,
// unless a test says otherwise; a test that changes a setting puts it back.

namespace platform {

bool MiddleEastEnabled();
// Returns the previous setting.
bool SetMiddleEastEnabled(bool Enabled);

}  // namespace platform
