#include "nmea/nmea2000/n2k_text.h"

#include "support/date_time.h"
#include "support/formatting.h"

namespace nmea {

std::string N2kFixed(double Value, int Decimals) {
  return support::FloatToStrTrimmed(Value, 1, static_cast<std::uint8_t>(Decimals), false);
}

std::string N2kNumberText(double Value, int Decimals, std::string_view Unit, TN2kFieldStatus Status) {
  if (Status != fsValid) return N2kValueText(Status, {});
  std::string text = N2kFixed(Value, Decimals);
  text += Unit;
  return text;
}

std::string N2kDateTimeText(double DateTime, TN2kFieldStatus Status) {
  if (Status != fsValid) return N2kValueText(Status, {});
  return support::FormatDateTimeText(DateTime, false, true, " ", false);
}

std::string N2kReferenceSuffix(std::uint8_t Reference) {
  switch (Reference) {
    case 0:
      return std::string(kDegreeSign) + "T";
    case 1:
      return std::string(kDegreeSign) + "M";
    default:
      return "[ERROR]";
  }
}

std::string N2kLine(std::uint32_t Pgn, std::string_view Header) {
  std::string line = std::to_string(Pgn);
  line.reserve(160);
  line += Header;
  return line;
}

}  // namespace nmea
