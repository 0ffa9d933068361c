#pragma once
// Units and value texts shared by the NMEA 2000 message handlers.

#include <cstdint>
#include <string>
#include <string_view>

#include "nmea/nmea2000/n2k_fields.h"

namespace nmea {

// The degree sign in the 8-bit code page of every text line.
inline constexpr std::string_view kDegreeSign = "\xB0";

// Angles arrive in 0.0001 rad.
inline double N2kDegrees(double Raw) { return Raw * 0.0001 * 57.29577951308232; }
// Speeds arrive in 0.01 m/s.
inline double N2kKnots(double Raw) { return Raw * 0.01 * 1.943844492440605; }
// A date in days since 1 January 1970 and a time of day in 0.0001 s, as a
// day count since 30 December 1899.
inline double N2kDateTime(std::uint16_t Days, std::uint32_t Time) { return Days + 25569.0 + Time * 0.0001 / 86400.0; }

// Value with Decimals decimals followed by Unit, or the marker of Status.
std::string N2kNumberText(double Value, int Decimals, std::string_view Unit, TN2kFieldStatus Status);
// Value with Decimals decimals, without a marker.
std::string N2kFixed(double Value, int Decimals);
// Day/month/year and time of day, or the marker of Status.
std::string N2kDateTimeText(double DateTime, TN2kFieldStatus Status);

// The reference suffix of a heading or course: 0 true, 1 magnetic, else an
// error.
std::string N2kReferenceSuffix(std::uint8_t Reference);

// The start of a decoded line: the PGN in decimal and the message's header.
std::string N2kLine(std::uint32_t Pgn, std::string_view Header);

}  // namespace nmea
