#include "nmea/link/ticks.h"

#include <atomic>

#include "platform/core/os/clock.h"

namespace nmea {
namespace {

std::atomic<TTick> g_externalTick{0};

}  // namespace

TTick GetTick(std::uint8_t TickSource) {
  switch (TickSource) {
    case tsMultimediaTime:
      return platform::TimeGetTime();
    case tsExternal:
      return g_externalTick.load(std::memory_order_relaxed);
    default:
      return platform::GetTickCount();
  }
}

void SetExternalTick(TTick Tick) { g_externalTick.store(Tick, std::memory_order_relaxed); }

}  // namespace nmea
