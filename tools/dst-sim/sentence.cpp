#include "sentence.h"

#include "nmea/nmea0183/checksum.h"
#include "support/formatting.h"

#include <cctype>
#include <cstdio>

namespace dstsim {
namespace {

constexpr std::size_t kMaxLine = 200;

}  // namespace

std::string Checksum(std::string_view body) { return support::ByteToHex(nmea::SentenceChecksum(body)); }

std::string Sentence(std::string_view body) {
  std::string line = "$";
  line += body;
  line += '*';
  line += Checksum(body);
  line += "\r\n";
  return line;
}

bool SentenceBody(std::string_view sentence, std::string& body) {
  if (sentence.empty() || (sentence[0] != '$' && sentence[0] != '!')) return false;
  sentence.remove_prefix(1);
  const auto star = sentence.rfind('*');
  if (star != std::string_view::npos && star + 3 == sentence.size()) {
    const std::string_view given = sentence.substr(star + 1);
    const std::string expected = Checksum(sentence.substr(0, star));
    for (int i = 0; i < 2; ++i) {
      if (std::toupper(static_cast<unsigned char>(given[i])) != expected[i]) return false;
    }
    sentence = sentence.substr(0, star);
  }
  body.assign(sentence);
  return true;
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
  // No "-0.0": a module writes a zero without a sign.
  std::string result = text;
  if (result[0] == '-' && result.find_first_not_of("-0.") == std::string::npos) result.erase(0, 1);
  return result;
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
    } else if (inLine_) {
      if (line_.size() >= kMaxLine) {
        line_.clear();
        inLine_ = false;
      } else {
        line_ += c;
      }
    }
  }
  return lines;
}

}  // namespace dstsim
