#include "sentence.h"

#include <cstdio>
#include <cstdlib>

namespace dstsim {
namespace {

// Enough to show an overlong line and refuse it by its length.
constexpr std::size_t kKeptLine = 512;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsUpperHex(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); }

bool IsLowerHex(char c) { return c >= 'a' && c <= 'f'; }

}  // namespace

// The simulator computes its checksums on its own rather than with the
// program's routine, so a fault there cannot hide behind a matching one here.
std::string Checksum(std::string_view body) {
  unsigned sum = 0;
  for (const char c : body) sum ^= static_cast<unsigned char>(c);
  char text[3];
  std::snprintf(text, sizeof text, "%02X", sum);
  return text;
}

std::string Sentence(std::string_view body) {
  std::string line = "$";
  line += body;
  line += '*';
  line += Checksum(body);
  line += "\r\n";
  return line;
}

Framing CheckFraming(std::string_view line) {
  Framing f;
  if (line.empty() || line[0] != '$') {
    f.Reason = "not a command: it does not start with $";
    return f;
  }
  if (line.size() > kMaxSentence) {
    f.Reason = "longer than " + std::to_string(kMaxSentence + 2) + " characters";
    return f;
  }
  const auto star = line.rfind('*');
  if (star == std::string_view::npos) {
    f.Reason = "no checksum";
    return f;
  }
  const std::string_view given = line.substr(star + 1);
  if (given.size() != 2) {
    f.Reason = "checksum is not two hex digits";
    return f;
  }
  const std::string_view body = line.substr(1, star - 1);
  const std::string expected = Checksum(body);
  for (const char c : given) {
    if (IsLowerHex(c)) {
      f.Reason = "checksum in lower case";
      return f;
    }
    if (!IsUpperHex(c)) {
      f.Reason = "checksum is not two hex digits";
      return f;
    }
  }
  if (given != expected) {
    f.Reason = "bad checksum " + std::string(given) + ", computed " + expected;
    return f;
  }
  f.Ok = true;
  f.Body.assign(body);
  return f;
}

std::vector<std::string> SplitFields(std::string_view body) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto comma = body.find(',', start);
    fields.emplace_back(body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  // A module writes a zero without a sign.
  std::string result = text;
  if (result[0] == '-' && result.find_first_not_of("-0.") == std::string::npos) result.erase(0, 1);
  return result;
}

bool ParseFixed(std::string_view text, int decimals, double& value) {
  std::string_view rest = text;
  if (!rest.empty() && rest[0] == '-') rest.remove_prefix(1);
  const auto point = rest.find('.');
  if (point == std::string_view::npos || point == 0 || point > 9) return false;
  if (rest.size() - point - 1 != static_cast<std::size_t>(decimals)) return false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i != point && !IsDigit(rest[i])) return false;
  }
  value = std::strtod(std::string(text).c_str(), nullptr);
  return true;
}

bool ParseWhole(std::string_view text, long& value) {
  if (text.empty() || text.size() > 9) return false;
  long v = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

std::string Printable(std::string_view bytes) {
  std::string shown;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127 && c != '\\') {
      shown += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      shown += hex;
    }
  }
  return shown;
}

std::vector<std::string> LineCollector::Feed(std::string_view bytes) {
  std::vector<std::string> lines;
  for (const char c : bytes) {
    if (c == '$' || c == '!') {
      line_.assign(1, c);
      inLine_ = true;
    } else if (c == '\r' || c == '\n') {
      if (inLine_) lines.push_back(line_);
      line_.clear();
      inLine_ = false;
    } else if (inLine_ && line_.size() < kKeptLine) {
      line_ += c;
    }
  }
  return lines;
}

}  // namespace dstsim
