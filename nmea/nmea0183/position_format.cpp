#include "nmea/nmea0183/position_format.h"

#include <cmath>
#include <limits>
#include <optional>

#include "support/formatting.h"

namespace nmea {
namespace {

constexpr char16_t kDegree = u'\u00B0';

void Append(std::u16string& out, std::string_view ascii) { out.append(ascii.begin(), ascii.end()); }

void AppendPadded(std::u16string& out, std::int64_t value, int width) {
  Append(out, support::IntToStrPadded(value, width));
}

// |Value| × Scale rounded half to even, when it fits a signed 32-bit integer.
std::optional<std::int64_t> Scaled(double value, double scale) {
  const double scaled = std::nearbyint(value * scale);
  if (!std::isfinite(scaled) || std::fabs(scaled) > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int64_t>(std::fabs(scaled));
}

std::u16string Format(std::uint8_t format, double value, char positive, char negative) {
  std::u16string out;
  if (!std::isfinite(value)) return out;
  const char16_t hemisphere = value >= 0 ? positive : negative;
  switch (format) {
    case 0:
      Append(out, support::FloatToStrFixed(std::fabs(value), 1, 6));
      if (out.empty()) return out;
      out += kDegree;
      out += u' ';
      out += hemisphere;
      return out;
    case 6:
      Append(out, support::FloatToStrFixed(value, 1, 6));
      return out;
    case 2: {
      const auto r = Scaled(value, 360000.0);
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
      const auto r = Scaled(value, 600000.0);
      if (!r) return out;
      AppendPadded(out, *r / 600000, 1);
      if (format == 5) {
        out += u' ';
      } else {
        out += kDegree;
        out += u' ';
      }
      AppendPadded(out, *r % 600000 / 10000, 2);
      out += u'.';
      AppendPadded(out, *r % 10000, 4);
      if (format != 5) out += u"' ";
      out += hemisphere;
      return out;
    }
  }
}

}  // namespace

std::u16string FormatLatitude(std::uint8_t Notation, double Value) { return Format(Notation, Value, 'N', 'S'); }

std::u16string FormatLongitude(std::uint8_t Notation, double Value) { return Format(Notation, Value, 'E', 'W'); }

}  // namespace nmea
