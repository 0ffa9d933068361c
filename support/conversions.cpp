#include "support/conversions.h"

#include <array>
#include <charconv>
#include <string>
#include <system_error>

#include "support/char_types.h"

namespace support {
namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape the float conversion accepts: an optional sign, digits
// with at most one decimal point (at least one digit in all), then optionally
// an exponent mark, an optional sign and at least one digit.
bool IsDecimalNumber(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (IsAsciiDigit(t[i])) {
      ++digits;
    } else if ((t[i] == '.' || t[i] == ',') && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i == t.size()) return true;
  if (t[i] != 'e' && t[i] != 'E') return false;
  ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    if (!IsAsciiDigit(t[i])) return false;
  }
  return true;
}

double ParseDouble(const char* first, const char* last) {
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return 0;
  return value;
}

// The last k characters of the trimmed text, as if padded with "0" in front.
template <std::size_t K>
std::array<char, K> LastChars(std::string_view s) {
  std::array<char, K> out;
  out.fill('0');
  const std::string_view t = TrimText(s);
  const std::size_t n = t.size() < K ? t.size() : K;
  for (std::size_t i = 0; i < n; ++i) out[K - n + i] = t[t.size() - n + i];
  return out;
}

std::uint8_t HexPair(char hiChar, char loChar) {
  const int hi = HexDigitValue(hiChar);
  const int lo = HexDigitValue(loChar);
  return hi >= 0 && lo >= 0 ? static_cast<std::uint8_t>(hi * 16 + lo) : 0;
}

}  // namespace

std::string_view TrimText(std::string_view S) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) < 33; };
  std::size_t first = 0;
  std::size_t last = S.size();
  while (first < last && blank(S[first])) ++first;
  while (last > first && blank(S[last - 1])) --last;
  return S.substr(first, last - first);
}

std::int64_t SafeStrToInt64(std::string_view S) {
  std::string_view t = TrimText(S);
  if (t.empty()) return 0;
  const bool hasSign = t.front() == '+' || t.front() == '-';
  for (std::size_t i = hasSign ? 1 : 0; i < t.size(); ++i) {
    if (!IsDigitChar(t[i])) return 0;
  }
  if (t.front() == '+') t.remove_prefix(1);
  // Digits of the locale beyond "0"-"9" pass the check above but not here.
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (error != std::errc() || end != t.data() + t.size()) return 0;
  return value;
}

double SafeStrToFloat(std::string_view S) {
  std::string_view t = TrimText(S);
  const std::size_t n = t.size();
  if (n == 0) return 0;
  std::size_t separators = 0;
  std::size_t signs = 0;
  std::size_t exponents = 0;
  std::size_t exponentPos = 0;  // 1-based
  bool comma = false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = t[i];
    if (!IsNumberChar(c)) return 0;
    if (c == ',' || c == '.') {
      ++separators;
      comma = comma || c == ',';
    } else if (c == '+' || c == '-') {
      ++signs;
    } else if (c == 'e' || c == 'E') {
      ++exponents;
      exponentPos = i + 1;
    }
  }
  if (separators + signs + exponents >= n || separators >= 2 || exponents >= 2 || signs >= 3 ||
      (signs == 2 && exponents != 1)) {
    return 0;
  }
  if (exponents == 1 && (exponentPos <= 1 || exponentPos >= n)) return 0;
  if (!IsDecimalNumber(t)) return 0;

  if (t.front() == '+') t.remove_prefix(1);
  if (!comma) return ParseDouble(t.data(), t.data() + t.size());
  // The conversion knows only "." as the decimal point; a field text is short
  // enough for the stack, a longer one is rare enough to allocate for.
  std::array<char, 64> local;
  if (t.size() <= local.size()) {
    t.copy(local.data(), t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (local[i] == ',') local[i] = '.';
    }
    return ParseDouble(local.data(), local.data() + t.size());
  }
  std::string copy(t);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  return ParseDouble(copy.data(), copy.data() + copy.size());
}

std::uint8_t HexToByte(std::string_view S) {
  const auto t = LastChars<2>(S);
  return HexPair(t[0], t[1]);
}

std::uint16_t HexToWord(std::string_view S) {
  const auto t = LastChars<4>(S);
  return static_cast<std::uint16_t>(HexPair(t[0], t[1]) << 8 | HexPair(t[2], t[3]));
}

std::uint32_t HexToCardinal(std::string_view S) {
  const auto t = LastChars<8>(S);
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 8; i += 2) value = value << 8 | HexPair(t[i], t[i + 1]);
  return value;
}

}  // namespace support
