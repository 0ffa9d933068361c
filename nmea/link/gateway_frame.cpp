#include "nmea/link/gateway_frame.h"

namespace nmea {

bool ReadGatewayFrame(std::string_view Frame, TNmea2KMsg& Msg) {
  const std::size_t length = Frame.size();
  const auto at = [&Frame](std::size_t i) { return static_cast<std::uint8_t>(Frame[i]); };
  if (length <= 13 || at(0) != kGatewayMessage || length != static_cast<std::size_t>(at(1)) + 3) return false;
  unsigned sum = 0;
  for (const char c : Frame) sum += static_cast<unsigned char>(c);
  // The count is checked too: a frame that claims more data than it holds
  // would otherwise hand over bytes from beyond its end.
  if ((sum & 0xFF) != 0 || length < static_cast<std::size_t>(at(12)) + 14) return false;
  Msg.Priority = at(2);
  Msg.PGN = at(3) | static_cast<std::uint32_t>(at(4)) << 8 | static_cast<std::uint32_t>(at(5)) << 16;
  Msg.Destination = at(6);
  Msg.Source = at(7);
  Msg.Timestamp = at(8) | static_cast<std::uint32_t>(at(9)) << 8 | static_cast<std::uint32_t>(at(10)) << 16 |
                  static_cast<std::uint32_t>(at(11)) << 24;
  Msg.Data.assign(Frame.begin() + 13, Frame.begin() + 13 + at(12));
  return true;
}

}  // namespace nmea
