#include "nmea/nmea2000/n2k_fields.h"

#include <algorithm>

namespace nmea {

std::string N2kValueText(TN2kFieldStatus Status, std::string_view Text) {
  switch (Status) {
    case fsValid:
      return std::string(Text);
    case fsOutOfRange:
      return "[OUT OF RANGE]";
    default:
      return "[MISSING]";
  }
}

std::string N2kFixedText(std::span<const std::uint8_t> Data, std::size_t From, std::size_t Count) {
  if (From >= Data.size()) return {};
  const std::size_t limit = std::min(Count, Data.size() - From);
  std::size_t end = 0;
  while (end < limit) {
    const std::uint8_t b = Data[From + end];
    if (b == 0 || b >= 0xFD) break;
    ++end;
  }
  std::size_t first = 0;
  while (first < end && Data[From + first] <= 0x20) ++first;
  while (end > first && Data[From + end - 1] <= 0x20) --end;
  return std::string(reinterpret_cast<const char*>(Data.data() + From + first), end - first);
}

}  // namespace nmea
