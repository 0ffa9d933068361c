#pragma once
// How the live pages judge and write a value: whether it is fresh enough
// to show, the units it is shown in, and the texts of the fix modes.

#include <cstdint>
#include <string>

#include "nmea/types.h"

namespace app {

// A received value is shown for this long after it arrived.
inline constexpr std::int32_t kFreshMs = 3000;
// One foot in metres.
inline constexpr double kMetresPerFoot = 0.3048;
// The accepted range of a speed coefficient (and of the hidden temperature
// ratio), and of a water temperature offset in degrees Celsius.
inline constexpr double kLowestCoefficient = 0.1;
inline constexpr double kHighestCoefficient = 2.5;
inline constexpr double kLargestTempOffset = 5.0;

// Whether a value stamped at Tick is fresh at Now: stored at all (tick 0
// means never) and less than kFreshMs away from Now, before or after it
// (the reader may stamp a value just after Now was read). Ticks are 32-bit
// and wrap; the distance is taken modulo 2^32, so a value from before the
// wrap ages like any other.
bool IsFresh(std::uint64_t Now, nmea::TTick Tick);

double FahrenheitToCelsius(double F);
double CelsiusToFahrenheit(double C);

// Value with Decimals places and a point, at least one integer digit.
std::u16string Fixed(double Value, int Decimals);
// A length given in metres: two decimals and " m", or in feet with one
// decimal and " ft" when UnitsDepth is 1.
std::u16string LengthText(double Metres, std::int32_t UnitsDepth);
// The text of a fix quality code: "VALID", "DGPS", "ESTIMATED", "MANUAL",
// "SIMULATED", or "INVALID" for every other code.
std::u16string FixModeText(std::int32_t FixQuality);

}  // namespace app
