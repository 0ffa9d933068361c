#pragma once
// Ages of the 32-bit millisecond ticks that received values and commands
// are stamped with. Ages are taken modulo 2^32, so they stay right when
// the counter wraps (about every 49.7 days).

#include <cstdint>

#include "nmea/link/ticks.h"

namespace app {

using nmea::IsFresh;
using nmea::TickAge;

// More than Period ms have passed since Then.
constexpr bool HasElapsed(std::uint32_t Now, std::uint32_t Then, std::uint32_t Period) {
  return TickAge(Now, Then) > Period;
}

}  // namespace app
