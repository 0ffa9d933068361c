#include "sentence.h"

#include "nmea/nmea0183/checksum.h"
#include "support/formatting.h"

#include <cctype>
#include <cstdio>

namespace dstsim {
namespace {

constexpr std::size_t kMaxLine = 200;

}  // namespace

std::string Checksum(std::string_view Body) { return support::ByteToHex(nmea::SentenceChecksum(Body)); }

std::string Sentence(std::string_view Body) {
  std::string line = "$";
  line += Body;
  line += '*';
  line += Checksum(Body);
  line += "\r\n";
  return line;
}

bool SentenceBody(std::string_view Sentence, std::string& Body) {
  if (Sentence.empty() || (Sentence[0] != '$' && Sentence[0] != '!')) return false;
  Sentence.remove_prefix(1);
  const auto star = Sentence.rfind('*');
  if (star != std::string_view::npos && star + 3 == Sentence.size()) {
    const std::string_view given = Sentence.substr(star + 1);
    const std::string expected = Checksum(Sentence.substr(0, star));
    for (int i = 0; i < 2; ++i) {
      if (std::toupper(static_cast<unsigned char>(given[i])) != expected[i]) return false;
    }
    Sentence = Sentence.substr(0, star);
  }
  Body.assign(Sentence);
  return true;
}

std::vector<std::string> SplitFields(std::string_view Body) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const auto comma = Body.find(',', start);
    fields.emplace_back(Body.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::string Fixed(double Value, int Decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", Decimals, Value);
  // No "-0.0": a module writes a zero without a sign.
  std::string result = text;
  if (result[0] == '-' && result.find_first_not_of("-0.") == std::string::npos) result.erase(0, 1);
  return result;
}

std::vector<std::string> LineCollector::Feed(std::string_view Bytes) {
  std::vector<std::string> lines;
  for (const char c : Bytes) {
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
