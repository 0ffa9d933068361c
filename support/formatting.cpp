#include "support/formatting.h"

#include <cmath>

namespace support {
namespace {

// Appends the digits of Magnitude, padded with "0" to Width.
void AppendPadded(std::string& Out, std::uint64_t Magnitude, std::int32_t Width) {
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + Magnitude % 10);
    Magnitude /= 10;
  } while (Magnitude != 0);
  if (Width > n) Out.append(static_cast<std::size_t>(Width - n), '0');
  while (n > 0) Out.push_back(digits[--n]);
}

// Rounds half to even (the processor's default mode). The product is taken in
// extended precision so that a scaled decimal such as 1.005 x 100 rounds by
// its true value rather than by a double's rounding of it. False when the
// result does not fit in a signed 64-bit integer.
bool RoundScaled(double Value, std::int64_t Scale, std::int64_t& Out) {
  const long double rounded = std::nearbyint(static_cast<long double>(Scale) * Value);
  if (!(std::fabs(rounded) < 0x1p63L)) return false;
  Out = static_cast<std::int64_t>(rounded);
  return true;
}

}  // namespace

std::string ByteToHex(std::uint8_t B) { return {kHexDigits[B >> 4], kHexDigits[B & 0xF]}; }

std::string BytesToHex(std::span<const std::uint8_t> Bytes, std::string_view Sep) {
  std::string out;
  if (Bytes.empty()) return out;
  out.reserve(Bytes.size() * (2 + Sep.size()));
  for (std::size_t i = 0; i < Bytes.size(); ++i) {
    if (i > 0) out.append(Sep);
    out.push_back(kHexDigits[Bytes[i] >> 4]);
    out.push_back(kHexDigits[Bytes[i] & 0xF]);
  }
  return out;
}

std::string IntToStrPadded(std::int64_t Value, std::int32_t Width) {
  std::string out;
  // The magnitude is taken unsigned so that the most negative value has one.
  const std::uint64_t magnitude = Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
  if (Value < 0) out.push_back('-');
  AppendPadded(out, magnitude, Width);
  return out;
}

std::string FloatToStrTrimmed(double Value, std::uint8_t IntWidth, std::uint8_t Decimals, bool TrimZeros) {
  if (std::isnan(Value)) return {};
  if (Decimals > 10) Decimals = 10;
  std::int64_t scale = 1;
  for (int i = 0; i < Decimals; ++i) scale *= 10;
  std::int64_t v = 0;
  if (!RoundScaled(Value, scale, v)) return {};
  if (Decimals == 0) return IntToStrPadded(v, IntWidth);

  std::string out;
  if (v < 0) out.push_back('-');
  const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  const auto uscale = static_cast<std::uint64_t>(scale);
  AppendPadded(out, magnitude / uscale, IntWidth);
  const std::uint64_t fraction = magnitude % uscale;
  if (TrimZeros && fraction == 0) return out;
  out.push_back('.');
  AppendPadded(out, fraction, Decimals);
  if (TrimZeros) {
    while (out.back() == '0') out.pop_back();
  }
  return out;
}

std::string FloatToStrFixed(double Value, std::uint8_t IntWidth, std::uint8_t Decimals) {
  return FloatToStrTrimmed(Value, IntWidth, Decimals, false);
}

}  // namespace support
