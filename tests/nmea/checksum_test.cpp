#include "nmea/nmea0183/checksum.h"

#include <gtest/gtest.h>

#include <string>

#include "nmea/link/endpoint.h"

namespace nmea {
namespace {

// Every length around the eight-byte steps, against the plain definition.
TEST(SentenceChecksum, IsTheExclusiveOrOfTheBodyAtEveryLength) {
  const std::string text = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\xE9\x80";
  for (std::size_t n = 0; n <= text.size(); ++n) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum ^= static_cast<std::uint8_t>(text[i]);
    EXPECT_EQ(SentenceChecksum(std::string_view(text).substr(0, n)), sum) << n;
  }
  EXPECT_EQ(TNMEA2KDecoder::NmeaChecksum("$PARLRHI,01", 2, 11), "71");
  EXPECT_EQ(TNMEA2KDecoder::NmeaChecksum("$PARLRHI,01", 2, 99), "71");
  EXPECT_EQ(TNMEA2KDecoder::NmeaChecksum("$PARLRHI,01", 5, 4), "00");
}

}  // namespace
}  // namespace nmea
