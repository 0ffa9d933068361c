// Compares the text-to-number conversions, including the float conversion's
// exact short path, with the library conversion of the same text, and checks
// that formatted numbers read back.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/conversions.h"
#include "support/formatting.h"

namespace {

bool OnlyNumberChars(std::string_view t) {
  for (const char c : t) {
    if (!std::strchr("0123456789+-.,eE", c) || c == '\0') return false;
  }
  return true;
}

// What a plain library conversion gives for a text made only of number
// characters: one leading "+" allowed, "," read as ".", all of it consumed.
template <typename T>
T Reference(std::string text) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  std::string_view t = text;
  if (t.size() >= 2 && t[0] == '+' && t[1] != '+' && t[1] != '-') t.remove_prefix(1);
  T value{};
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (error != std::errc() || end != t.data() + t.size()) return T{};
  return value;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0 && b == 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = support::SafeStrToFloat(text);
  const std::int64_t integer = support::SafeStrToInt64(text);
  support::HexToCardinal(text);

  const std::string_view trimmed = support::TrimText(text);
  if (OnlyNumberChars(trimmed)) {
    if (!SameDouble(value, Reference<double>(std::string(trimmed)))) std::abort();
    if (trimmed.find_first_of(".,eE") == std::string_view::npos &&
        integer != Reference<std::int64_t>(std::string(trimmed))) {
      std::abort();
    }
  }

  if (size >= 9) {
    double number = 0;
    std::memcpy(&number, data, sizeof number);
    const int decimals = data[8] % 11;
    const std::string formatted = support::FloatToStrFixed(number, 1, static_cast<std::uint8_t>(decimals));
    if (!formatted.empty()) {
      const double back = support::SafeStrToFloat(formatted);
      const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(number) * 1e-15;
      if (!(std::fabs(back - number) <= tolerance)) std::abort();
    }
  }
  return 0;
}
