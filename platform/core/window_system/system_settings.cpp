#include "platform/core/window_system/system_settings.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<bool> g_middleEast{false};

}  // namespace

bool MiddleEastEnabled() { return g_middleEast.load(); }

bool SetMiddleEastEnabled(bool Enabled) { return g_middleEast.exchange(Enabled); }

}  // namespace platform
