#include "nmea/nmea2000/n2k_fields.h"

#include <algorithm>

namespace nmea {

std::string N2kValueText(TN2kFieldStatus status, std::string_view text) {
  switch (status) {
    case fsValid:
      return std::string(text);
    case fsOutOfRange:
      return "[OUT OF RANGE]";
    default:
      return "[MISSING]";
  }
}

std::string N2kFixedText(std::span<const std::uint8_t> data, std::size_t from, std::size_t count) {
  if (from >= data.size()) return {};
  const std::size_t limit = std::min(count, data.size() - from);
  std::size_t end = 0;
  while (end < limit) {
    const std::uint8_t b = data[from + end];
    if (b == 0 || b >= 0xFD) break;
    ++end;
  }
  std::size_t first = 0;
  while (first < end && data[from + first] <= 0x20) ++first;
  while (end > first && data[from + end - 1] <= 0x20) --end;
  return std::string(reinterpret_cast<const char*>(data.data() + from + first), end - first);
}

}  // namespace nmea
