#include "nmea/nmea0183/position_format.h"

#include <cmath>
#include <limits>
#include <optional>

#include "support/formatting.h"

namespace nmea {
namespace {

constexpr char16_t kDegree = u'\u00B0';

void Append(std::u16string& Out, std::string_view Ascii) { Out.append(Ascii.begin(), Ascii.end()); }

void AppendPadded(std::u16string& Out, std::int64_t Value, int Width) {
  Append(Out, support::IntToStrPadded(Value, Width));
}

// |Value| × Scale rounded half to even, when it fits a signed 32-bit integer.
std::optional<std::int64_t> Scaled(double Value, double Scale) {
  const double scaled = std::nearbyint(Value * Scale);
  if (!std::isfinite(scaled) || std::fabs(scaled) > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int64_t>(std::fabs(scaled));
}

std::u16string Format(std::uint8_t Format, double Value, char Positive, char Negative) {
  std::u16string out;
  if (!std::isfinite(Value)) return out;
  const char16_t hemisphere = Value >= 0 ? Positive : Negative;
  switch (Format) {
    case 0:
      Append(out, support::FloatToStrFixed(std::fabs(Value), 1, 6));
      if (out.empty()) return out;
      out += kDegree;
      out += u' ';
      out += hemisphere;
      return out;
    case 6:
      Append(out, support::FloatToStrFixed(Value, 1, 6));
      return out;
    case 2: {
      const auto r = Scaled(Value, 360000.0);
      if (!r) return out;
      AppendPadded(out, *r / 360000, 1);
      out += kDegree;
      out += u' ';
      AppendPadded(out, *r % 360000 / 6000, 2);
      out += u"' ";
      AppendPadded(out, *r % 6000 / 100, 2);
      out += u'.';
      AppendPadded(out, *r % 100, 2);
      out += u"\" ";
      out += hemisphere;
      return out;
    }
    default: {
      const auto r = Scaled(Value, 600000.0);
      if (!r) return out;
      AppendPadded(out, *r / 600000, 1);
      if (Format == 5) {
        out += u' ';
      } else {
        out += kDegree;
        out += u' ';
      }
      AppendPadded(out, *r % 600000 / 10000, 2);
      out += u'.';
      AppendPadded(out, *r % 10000, 4);
      if (Format != 5) out += u"' ";
      out += hemisphere;
      return out;
    }
  }
}

}  // namespace

std::u16string FormatLatitude(std::uint8_t Notation, double Value) { return Format(Notation, Value, 'N', 'S'); }

std::u16string FormatLongitude(std::uint8_t Notation, double Value) { return Format(Notation, Value, 'E', 'W'); }

}  // namespace nmea
