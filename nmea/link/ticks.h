#pragma once
// Tick sources of a link endpoint and the modular arithmetic on 32-bit ticks.

#include <cstdint>

#include "nmea/types.h"

namespace nmea {

enum TTickSource : std::uint8_t {
  tsSystemTick = 0,      // the system millisecond tick count
  tsMultimediaTime = 1,  // the multimedia timer's millisecond time
  tsExternal = 2,        // the process-wide counter the host program sets
};

TTick GetTick(std::uint8_t TickSource);

// The process-wide counter of tick source 2.
void SetExternalTick(TTick Tick);

// Now minus Then, modulo 2^32: an age that stays right across the wrap of
// the counter.
constexpr std::uint32_t TickAge(TTick Now, TTick Then) { return Now - Then; }

// Now minus Then as a signed difference: negative when Then is just ahead.
constexpr std::int32_t TickDelta(TTick Now, TTick Then) { return static_cast<std::int32_t>(Now - Then); }

// How far ahead of a reading of the clock a received value's stamp may be:
// the reader thread stamps sentences while the reader of the values runs.
inline constexpr std::uint32_t kTickAhead = 1000;

// A value stamped at Tick is younger than Limit ms at Now. A stamp up to
// kTickAhead ms ahead of Now counts as fresh; stamp 0 means nothing was
// ever stored, and a stamp from before a wrap of the counter is old, not
// ahead.
constexpr bool IsFresh(TTick Now, TTick Tick, std::uint32_t Limit) {
  if (Tick == 0) return false;
  return TickAge(Now, Tick) < Limit || TickAge(Tick, Now) <= kTickAhead;
}

}  // namespace nmea
