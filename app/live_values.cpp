#include "app/live_values.h"

#include "app/control_helpers.h"
#include "nmea/types.h"
#include "support/formatting.h"

namespace app {

double FahrenheitToCelsius(double F) { return (F - 32) * 5 / 9; }

double CelsiusToFahrenheit(double C) { return 1.8 * C + 32; }

std::u16string Fixed(double Value, int Decimals) {
  return FromUtf8(support::FloatToStrFixed(Value, 1, static_cast<std::uint8_t>(Decimals)));
}

std::u16string LengthText(double Metres, std::int32_t UnitsDepth) {
  if (UnitsDepth == 1) return Fixed(Metres / kMetresPerFoot, 1) + u" ft";
  return Fixed(Metres, 2) + u" m";
}

std::u16string FixModeText(std::int32_t FixQuality) {
  switch (FixQuality) {
    case nmea::kFixGps:
      return u"VALID";
    case nmea::kFixDifferential:
      return u"DGPS";
    case nmea::kFixEstimated:
      return u"ESTIMATED";
    case nmea::kFixManual:
      return u"MANUAL";
    case nmea::kFixSimulated:
      return u"SIMULATED";
    default:
      return u"INVALID";
  }
}

}  // namespace app
