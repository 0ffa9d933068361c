#include "tests/nmea/link_helpers.h"

namespace nmea::testing {

TestTransports::TestTransports() {
  SetSerialTransportFactory([this] { return std::make_unique<TestSerialTransport>(Serial); });
}

TestTransports::~TestTransports() { SetSerialTransportFactory(nullptr); }

void TestTransports::Deliver(std::string_view Bytes) {
  TComDataEvent handler;
  {
    std::lock_guard lock(Serial.Mutex);
    if (!Serial.Open) return;
    handler = Serial.OnReceive;
  }
  if (handler) handler(nullptr, reinterpret_cast<const std::uint8_t*>(Bytes.data()), static_cast<int>(Bytes.size()));
}

std::string WithChecksum(std::string_view Body) {
  std::string s = "$";
  s += Body;
  s += '*';
  s += TNMEA2KDecoder::NmeaChecksum(s, 2, static_cast<int>(s.size()) - 1);
  return s;
}

void Feed(TNMEA2KDecoder& Link, std::string_view Text) {
  Link.ParseBytes(reinterpret_cast<const std::uint8_t*>(Text.data()), static_cast<int>(Text.size()));
}

}  // namespace nmea::testing
