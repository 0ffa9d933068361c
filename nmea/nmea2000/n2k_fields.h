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

// The Size-byte little-endian field at Data, classified against the
// field's largest value Max: Max and Max - 2 are missing, Max - 1 is out of
// range.
template <typename T, int Size, T Max>
constexpr T Read(const std::uint8_t* Data, TN2kFieldStatus& Status) {
  std::uint64_t raw = 0;
  for (int k = Size - 1; k >= 0; --k) raw = (raw << 8) | Data[k];
  const auto value = static_cast<T>(raw);
  if (value == Max || value == static_cast<T>(Max - 2)) {
    Status = fsMissing;
  } else if (value == static_cast<T>(Max - 1)) {
    Status = fsOutOfRange;
  } else {
    Status = fsValid;
  }
  return value;
}

}  // namespace detail

inline std::uint8_t N2kByte(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::uint8_t, 1, 0xFF>(Bytes, Status);
}
inline std::uint16_t N2kWord(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::uint16_t, 2, 0xFFFF>(Bytes, Status);
}
inline std::int16_t N2kSmallInt(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::int16_t, 2, 0x7FFF>(Bytes, Status);
}
inline std::uint32_t N2kUInt24(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::uint32_t, 3, 0xFFFFFF>(Bytes, Status);
}
inline std::uint32_t N2kCardinal(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::uint32_t, 4, 0xFFFFFFFFu>(Bytes, Status);
}
inline std::int32_t N2kInteger(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::int32_t, 4, 0x7FFFFFFF>(Bytes, Status);
}
inline std::int64_t N2kInt64(const std::uint8_t* Bytes, TN2kFieldStatus& Status) {
  return detail::Read<std::int64_t, 8, 0x7FFFFFFFFFFFFFFFll>(Bytes, Status);
}

// Text for a field: Text itself when valid, else the marker of its status
// (an unknown status reads as missing).
std::string N2kValueText(TN2kFieldStatus Status, std::string_view Text);

// The Count-byte text field at From: it ends before the first 0 byte or byte
// of 0xFD and above, and characters at or below the blank are trimmed from
// both ends. A field reaching past the payload is cut at its end.
std::string N2kFixedText(std::span<const std::uint8_t> Data, std::size_t From, std::size_t Count);

}  // namespace nmea
