#include "support/conversions.h"

#include <array>
#include <charconv>
#include <string>
#include <system_error>

#include "support/char_types.h"

namespace support {
namespace {

// The text the float conversion accepts: an optional sign, digits with at
// most one decimal point ("," or ".", at least one digit in all), then
// optionally an exponent mark, an optional sign and at least one digit. Such
// a text also meets every counting rule on separators, signs and exponent
// marks, and every text that breaks one of them fails this shape, so one pass
// decides both. Digits of the locale beyond "0"-"9" fail it too.
//
// On the way it gathers what the exact short path needs: the digits as an
// integer while they fit, the count of fraction digits and the exponent.
struct DecimalShape {
  bool Valid = false;
  bool Comma = false;
  bool Negative = false;
  bool MantissaFits = true;  // mantissa holds all digits and is below 2^53
  std::uint64_t Mantissa = 0;
  int FractionDigits = 0;
  int Exponent = 0;  // saturates far beyond the range of a double
};

// The value of a decimal digit, or above 9 for any other character.
unsigned DigitValue(char C) { return static_cast<unsigned>(static_cast<unsigned char>(C)) - '0'; }

DecimalShape ScanDecimal(std::string_view T) {
  // The mantissa gathers in locals rather than in the shape, which the
  // characters read might alias: so it stays in registers.
  std::uint64_t mantissa = 0;
  bool fits = true;
  // Fields are short, so the integer part and the fraction each get a loop
  // of their own rather than a test per character for which part it is.
  const auto scanDigits = [&mantissa, &fits](const char* P, const char* End) {
    for (; P != End; ++P) {
      const unsigned digit = DigitValue(*P);
      if (digit > 9) break;
      if (mantissa < (1ull << 53) / 10) {
        mantissa = mantissa * 10 + digit;
      } else {
        fits = false;
      }
    }
    return P;
  };
  const char* p = T.data();
  const char* const end = p + T.size();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* const integer = p;
  p = scanDigits(p, end);
  std::ptrdiff_t digits = p - integer;
  bool comma = false;
  int fractionDigits = 0;
  if (p != end && (*p == '.' || *p == ',')) {
    comma = *p++ == ',';
    const char* const fraction = p;
    p = scanDigits(p, end);
    fractionDigits = static_cast<int>(p - fraction);
    digits += fractionDigits;
  }
  if (digits == 0) return {};
  int exponent = 0;
  if (p != end) {
    if (*p != 'e' && *p != 'E') return {};
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end) return {};
    for (; p != end; ++p) {
      const unsigned digit = DigitValue(*p);
      if (digit > 9) return {};
      if (exponent < 100000) exponent = exponent * 10 + static_cast<int>(digit);
    }
    if (negativeExponent) exponent = -exponent;
  }
  return {true, comma, negative, fits, mantissa, fractionDigits, exponent};
}

// A mantissa below 2^53 and a power of ten up to 10^22 are both exact
// doubles, so one multiplication or division rounds correctly: the same value
// the full conversion gives. False when the shape is outside that range.
bool ExactShortValue(const DecimalShape& Shape, double& Value) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (!Shape.MantissaFits) return false;
  const int scale = Shape.Exponent - Shape.FractionDigits;
  if (scale < -22 || scale > 22) return false;
  const auto m = static_cast<double>(Shape.Mantissa);
  Value = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
  if (Shape.Negative) Value = -Value;
  return true;
}

double ParseDouble(const char* First, const char* Last) {
  double value = 0;
  const auto [end, error] = std::from_chars(First, Last, value);
  if (error != std::errc() || end != Last) return 0;
  return value;
}

// The library conversion of a valid decimal text that the exact short path
// cannot take: long mantissas and large exponents, which fields rarely have,
// so it is kept out of the way of the short path.
[[gnu::noinline]] double FullConversion(std::string_view T, bool Comma) {
  if (T.front() == '+') T.remove_prefix(1);
  if (!Comma) return ParseDouble(T.data(), T.data() + T.size());
  // The conversion knows only "." as the decimal point; a field text is short
  // enough for the stack, a longer one is rare enough to allocate for.
  std::array<char, 64> local;
  if (T.size() <= local.size()) {
    T.copy(local.data(), T.size());
    for (std::size_t i = 0; i < T.size(); ++i) {
      if (local[i] == ',') local[i] = '.';
    }
    return ParseDouble(local.data(), local.data() + T.size());
  }
  std::string copy(T);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  return ParseDouble(copy.data(), copy.data() + copy.size());
}

// The last k characters of the trimmed text, as if padded with "0" in front.
template <std::size_t K>
std::array<char, K> LastChars(std::string_view S) {
  std::array<char, K> out;
  out.fill('0');
  const std::string_view t = TrimText(S);
  const std::size_t n = t.size() < K ? t.size() : K;
  for (std::size_t i = 0; i < n; ++i) out[K - n + i] = t[t.size() - n + i];
  return out;
}

std::uint8_t HexPair(char HiChar, char LoChar) {
  const int hi = HexDigitValue(HiChar);
  const int lo = HexDigitValue(LoChar);
  return hi >= 0 && lo >= 0 ? static_cast<std::uint8_t>(hi * 16 + lo) : 0;
}

}  // namespace

std::string_view TrimText(std::string_view S) {
  const auto blank = [](char C) { return static_cast<unsigned char>(C) < 33; };
  std::size_t first = 0;
  std::size_t last = S.size();
  while (first < last && blank(S[first])) ++first;
  while (last > first && blank(S[last - 1])) --last;
  return S.substr(first, last - first);
}

std::int64_t SafeStrToInt64(std::string_view S) {
  const std::string_view t = TrimText(S);
  const char* p = t.data();
  const char* const end = p + t.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  if (p == end) return 0;
  // The magnitude may reach 2^63, the size of the most negative value.
  constexpr std::uint64_t kLimit = 1ull << 63;
  std::uint64_t magnitude = 0;
  for (; p != end; ++p) {
    const unsigned digit = DigitValue(*p);
    if (digit > 9 || magnitude > kLimit / 10) return 0;
    magnitude = magnitude * 10 + digit;
  }
  if (magnitude > (negative ? kLimit : kLimit - 1)) return 0;
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

double SafeStrToFloat(std::string_view S) {
  // Most numbers in sentences are a few digits, whole degrees or decibels:
  // they need none of the general path.
  if (S.size() - 1 < 4) {
    unsigned value = 0;
    bool digits = true;
    for (const char c : S) {
      const unsigned digit = DigitValue(c);
      digits &= digit <= 9;
      value = value * 10 + digit;
    }
    if (digits) return value;
  }
  const std::string_view t = TrimText(S);
  const DecimalShape shape = ScanDecimal(t);
  if (!shape.Valid) return 0;
  if (double value = 0; ExactShortValue(shape, value)) return value;
  return FullConversion(t, shape.Comma);
}

std::uint8_t HexToByte(std::string_view S) {
  const auto t = LastChars<2>(S);
  return HexPair(t[0], t[1]);
}

// Each byte goes through HexToByte on its own characters, which trims them
// again: a blank inside the text pads its byte, so "1 23" reads 0x0123.
std::uint16_t HexToWord(std::string_view S) {
  const auto t = LastChars<4>(S);
  const std::string_view digits(t.data(), t.size());
  return static_cast<std::uint16_t>(HexToByte(digits.substr(0, 2)) << 8 | HexToByte(digits.substr(2, 2)));
}

std::uint32_t HexToCardinal(std::string_view S) {
  const auto t = LastChars<8>(S);
  const std::string_view digits(t.data(), t.size());
  return static_cast<std::uint32_t>(HexToWord(digits.substr(0, 4))) << 16 | HexToWord(digits.substr(4, 4));
}

}  // namespace support
