#include "nmea/nmea2000/n2k_text.h"

#include "support/date_time.h"
#include "support/formatting.h"

namespace nmea {

std::string N2kFixed(double value, int decimals) {
  return support::FloatToStrTrimmed(value, 1, static_cast<std::uint8_t>(decimals), false);
}

std::string N2kNumberText(double value, int decimals, std::string_view unit, TN2kFieldStatus status) {
  if (status != fsValid) return N2kValueText(status, {});
  std::string text = N2kFixed(value, decimals);
  text += unit;
  return text;
}

std::string N2kDateTimeText(double dateTime, TN2kFieldStatus status) {
  if (status != fsValid) return N2kValueText(status, {});
  return support::FormatDateTimeText(dateTime, false, true, " ", false);
}

std::string N2kReferenceSuffix(std::uint8_t reference) {
  switch (reference) {
    case 0:
      return std::string(kDegreeSign) + "T";
    case 1:
      return std::string(kDegreeSign) + "M";
    default:
      return "[ERROR]";
  }
}

std::string N2kLine(std::uint32_t pgn, std::string_view header) {
  std::string line = std::to_string(pgn);
  line.reserve(160);
  line += header;
  return line;
}

}  // namespace nmea
