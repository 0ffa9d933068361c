#pragma once
// How the live pages write a value: how long it is shown, the units it is
// shown in, and the texts of the fix modes.

#include <cstdint>
#include <string>

namespace app {

// A received value is shown for this long after it arrived.
inline constexpr std::uint32_t kFreshMs = 3000;
// One foot in metres.
inline constexpr double kMetresPerFoot = 0.3048;
// The accepted range of a speed coefficient (and of the hidden temperature
// ratio), and of a water temperature offset in degrees Celsius.
inline constexpr double kLowestCoefficient = 0.1;
inline constexpr double kHighestCoefficient = 2.5;
inline constexpr double kLargestTempOffset = 5.0;

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
