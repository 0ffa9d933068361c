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

// Classifies Raw against the field's largest value Max: Max and Max - 2 are
// missing, Max - 1 is out of range.
template <typename T>
constexpr TN2kFieldStatus Classify(T raw, T max) {
  if (raw == max || raw == static_cast<T>(max - 2)) return fsMissing;
  if (raw == static_cast<T>(max - 1)) return fsOutOfRange;
  return fsValid;
}

template <typename T, int Bytes>
constexpr T Assemble(const std::uint8_t* bytes) {
  std::uint64_t value = 0;
  for (int k = Bytes - 1; k >= 0; --k) value = (value << 8) | bytes[k];
  return static_cast<T>(value);
}

}  // namespace detail

inline std::uint8_t N2kByte(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const std::uint8_t v = bytes[0];
  status = detail::Classify<std::uint8_t>(v, 0xFF);
  return v;
}

inline std::uint16_t N2kWord(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::uint16_t, 2>(bytes);
  status = detail::Classify<std::uint16_t>(v, 0xFFFF);
  return v;
}

inline std::int16_t N2kSmallInt(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::int16_t, 2>(bytes);
  status = detail::Classify<std::int16_t>(v, 0x7FFF);
  return v;
}

inline std::uint32_t N2kUInt24(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::uint32_t, 3>(bytes);
  status = detail::Classify<std::uint32_t>(v, 0xFFFFFF);
  return v;
}

inline std::uint32_t N2kCardinal(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::uint32_t, 4>(bytes);
  status = detail::Classify<std::uint32_t>(v, 0xFFFFFFFFu);
  return v;
}

inline std::int32_t N2kInteger(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::int32_t, 4>(bytes);
  status = detail::Classify<std::int32_t>(v, 0x7FFFFFFF);
  return v;
}

inline std::int64_t N2kInt64(const std::uint8_t* bytes, TN2kFieldStatus& status) {
  const auto v = detail::Assemble<std::int64_t, 8>(bytes);
  status = detail::Classify<std::int64_t>(v, 0x7FFFFFFFFFFFFFFFll);
  return v;
}

// Text for a field: Text itself when valid, else the marker of its status
// (an unknown status reads as missing).
std::string N2kValueText(TN2kFieldStatus status, std::string_view text);

// The Count-byte text field at From: it ends before the first 0 byte or byte
// of 0xFD and above, and characters at or below the blank are trimmed from
// both ends. A field reaching past the payload is cut at its end.
std::string N2kFixedText(std::span<const std::uint8_t> data, std::size_t from, std::size_t count);

}  // namespace nmea
