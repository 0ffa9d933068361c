#pragma once
// NMEA 0183 sentence text for the simulator: checksums, finished lines, the
// strict framing check a received command must pass, number fields in the
// exact forms the module takes, and cutting a received byte stream into
// lines.

#include <string>
#include <string_view>
#include <vector>

namespace dstsim {

// The longest sentence the standard allows, from "$" to the checksum's last
// digit (82 characters with CR LF).
inline constexpr std::size_t kMaxSentence = 80;

// Two upper-case hex digits of the exclusive-or of body's characters.
std::string Checksum(std::string_view body);

// "$" + body + "*" + checksum + CR LF.
std::string Sentence(std::string_view body);

// A received line (start character up to, not including, CR or LF) as the
// module sees it: the body between "$" and "*" when the line is a
// well-formed sentence with a right upper-case checksum, else why not.
struct Framing {
  bool Ok = false;
  std::string Body;
  std::string Reason;
};
Framing CheckFraming(std::string_view line);

std::vector<std::string> SplitFields(std::string_view body);

// Fixed-point text with the given decimals ("%.*f" in the C locale), never
// "-0.0".
std::string Fixed(double value, int decimals);

// A number written with exactly `decimals` decimals after a point, an
// optional leading "-" and at least one integer digit; nothing else.
bool ParseFixed(std::string_view text, int decimals, double& value);
// Decimal digits only (no sign), at most nine.
bool ParseWhole(std::string_view text, long& value);

// Shows a line for the log: printable ASCII as it is, other bytes as \xHH.
std::string Printable(std::string_view bytes);

// Collects lines from "$" or "!" to CR or LF. A line longer than any
// sentence keeps its first characters only, enough to refuse it by length.
class LineCollector {
 public:
  std::vector<std::string> Feed(std::string_view bytes);

 private:
  std::string line_;
  bool inLine_ = false;
};

}  // namespace dstsim
