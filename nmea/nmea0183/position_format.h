#pragma once
// A latitude or longitude in signed decimal degrees as display text:
//   0  abs decimal degrees, 6 places, degree sign and hemisphere letter
//   2  degrees, minutes, seconds and hundredths with the letter
//   5  degrees and decimal minutes without signs: "7 30.0000E"
//   6  signed decimal degrees, no letter
//   any other: degrees and decimal minutes with signs and the letter
// Zero counts as north or east. A value that is not finite, or too large
// for its format (beyond some 3579 degrees), gives the empty text.

#include <cstdint>
#include <string>

namespace nmea {

std::u16string FormatLatitude(std::uint8_t Format, double Value);
std::u16string FormatLongitude(std::uint8_t Format, double Value);

}  // namespace nmea
