#pragma once
// NMEA 2000 field values: little-endian numbers whose top values are
// reserved to say "not available" or "out of range", and fixed-width texts.
// The readers allocate nothing and keep no state; callers check that the
// field lies inside the payload before reading it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nmea {

enum TN2kFieldStatus : std::uint8_t {
  fsValid = 0,
  fsMissing = 1,     // all-ones, or all-ones minus 2 (reserved)
  fsOutOfRange = 2,  // all-ones minus 1
};

namespace detail {

// The Bytes-byte little-endian field at bytes, classified against the
// field's largest value Max: Max and Max - 2 are missing, Max - 1 is out of
// range.
template <typename T, int Bytes, T Max>
constexpr T Read(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  std::uint64_t raw = 0;
  for (int k = Bytes - 1; k >= 0; --k) raw = (raw << 8) | bytes[k];
  const auto value = static_cast<T>(raw);
  if (value == Max || value == static_cast<T>(Max - 2)) {
    status = fsMissing;
  } else if (value == static_cast<T>(Max - 1)) {
    status = fsOutOfRange;
  } else {
    status = fsValid;
  }
  return value;
}

}  // namespace detail

inline std::uint8_t N2kByte(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::uint8_t, 1, 0xFF>(bytes, status);
}
inline std::uint16_t N2kWord(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::uint16_t, 2, 0xFFFF>(bytes, status);
}
inline std::int16_t N2kSmallInt(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::int16_t, 2, 0x7FFF>(bytes, status);
}
inline std::uint32_t N2kUInt24(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::uint32_t, 3, 0xFFFFFF>(bytes, status);
}
inline std::uint32_t N2kCardinal(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::uint32_t, 4, 0xFFFFFFFFu>(bytes, status);
}
inline std::int32_t N2kInteger(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::int32_t, 4, 0x7FFFFFFF>(bytes, status);
}
inline std::int64_t N2kInt64(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  return detail::Read<std::int64_t, 8, 0x7FFFFFFFFFFFFFFFll>(bytes, status);
}

// Text for a field: Text itself when valid, else the marker of its status
// (an unknown status reads as missing).
std::string N2kValueText(TN2kFieldStatus status, std::string_view text);

// The Count-byte text field at From: it ends before the first 0 byte or byte
// of 0xFD and above, and characters at or below the blank are trimmed from
// both ends. A field reaching past the payload is cut at its end.
std::string N2kFixedText(std::span<const std::uint8_t> data, std::size_t from, std::size_t count);

}  // namespace nmea
