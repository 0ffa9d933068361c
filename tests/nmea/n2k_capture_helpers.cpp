#include "tests/nmea/n2k_capture_helpers.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace nmea::testing {

std::vector<TNmea2KMsg> ReadN2kCapture(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<TNmea2KMsg> messages;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    for (std::string field; std::getline(ss, field, ',');) fields.push_back(field);
    if (fields.size() < 6) throw std::runtime_error("short capture line: " + line);
    TNmea2KMsg msg;
    msg.Priority = static_cast<std::uint8_t>(std::stoul(fields[1]));
    msg.PGN = static_cast<std::uint32_t>(std::stoul(fields[2]));
    msg.Source = static_cast<std::uint8_t>(std::stoul(fields[3]));
    msg.Destination = static_cast<std::uint8_t>(std::stoul(fields[4]));
    msg.Timestamp = static_cast<std::uint32_t>(messages.size());
    const std::size_t count = std::stoul(fields[5]);
    if (fields.size() != 6 + count) throw std::runtime_error("length mismatch: " + line);
    for (std::size_t i = 0; i < count; ++i) {
      msg.Data.push_back(static_cast<std::uint8_t>(std::stoul(fields[6 + i], nullptr, 16)));
    }
    messages.push_back(std::move(msg));
  }
  return messages;
}

std::vector<std::uint8_t> GatewayFrame(const TNmea2KMsg& msg) {
  std::vector<std::uint8_t> body = {
      0x93,
      static_cast<std::uint8_t>(msg.Data.size() + 11),
      msg.Priority,
      static_cast<std::uint8_t>(msg.PGN),
      static_cast<std::uint8_t>(msg.PGN >> 8),
      static_cast<std::uint8_t>(msg.PGN >> 16),
      msg.Destination,
      msg.Source,
      static_cast<std::uint8_t>(msg.Timestamp),
      static_cast<std::uint8_t>(msg.Timestamp >> 8),
      static_cast<std::uint8_t>(msg.Timestamp >> 16),
      static_cast<std::uint8_t>(msg.Timestamp >> 24),
      static_cast<std::uint8_t>(msg.Data.size()),
  };
  body.insert(body.end(), msg.Data.begin(), msg.Data.end());
  std::uint8_t sum = 0;
  for (std::uint8_t b : body) sum = static_cast<std::uint8_t>(sum + b);
  body.push_back(static_cast<std::uint8_t>(-sum));

  std::vector<std::uint8_t> frame = {0x10, 0x02};
  for (std::uint8_t b : body) {
    frame.push_back(b);
    if (b == 0x10) frame.push_back(0x10);
  }
  frame.push_back(0x10);
  frame.push_back(0x03);
  return frame;
}

std::string TestDataPath(const std::string& relative) { return std::string(VELTROSA_DATA_DIR) + "/" + relative; }

}  // namespace nmea::testing
