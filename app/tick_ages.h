#pragma once
// Ages of the 32-bit millisecond ticks that received values and commands
// are stamped with. Ages are taken modulo 2^32, so they stay right when
// the counter wraps (about every 49.7 days).

#include <cstdint>

#include "nmea/link/ticks.h"

namespace app {

using nmea::TickAge;

// How far ahead of a tick's own reading of the clock a received value's
// stamp may be: the reader thread stamps sentences while the tick runs.
inline constexpr std::uint32_t kTickAhead = 1000;

// A value stamped at Tick is younger than Limit ms at Now. A stamp up to
// kTickAhead ms ahead of Now counts as fresh; stamp 0 means nothing was
// ever stored, and a stamp from before a wrap of the counter is old, not
// ahead.
constexpr bool IsFresh(std::uint32_t Now, std::uint32_t Tick, std::uint32_t Limit) {
  if (Tick == 0) return false;
  return TickAge(Now, Tick) < Limit || TickAge(Tick, Now) <= kTickAhead;
}

// More than Period ms have passed since Then.
constexpr bool HasElapsed(std::uint32_t Now, std::uint32_t Then, std::uint32_t Period) {
  return TickAge(Now, Then) > Period;
}

}  // namespace app
