#include "platform/core/window_system/system_settings.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<bool> g_middleEast{false};
std::atomic<bool> g_farEast{false};

}  // namespace

bool MiddleEastEnabled() { return g_middleEast.load(); }

bool SetMiddleEastEnabled(bool Enabled) { return g_middleEast.exchange(Enabled); }

bool FarEastEnabled() { return g_farEast.load(); }

bool SetFarEastEnabled(bool Enabled) { return g_farEast.exchange(Enabled); }

}  // namespace platform
