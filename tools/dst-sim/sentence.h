#pragma once
// NMEA 0183 sentence text for the simulator: checksums, finished lines, and
// cutting a received byte stream into sentences.

#include <string>
#include <string_view>
#include <vector>

namespace dstsim {

// Two upper-case hex digits of the exclusive-or of Body's characters.
std::string Checksum(std::string_view Body);

// "$" + Body + "*" + checksum + CR LF.
std::string Sentence(std::string_view Body);

// The body of a received sentence (between the start character and the
// checksum), or nothing when the checksum is present and wrong.
bool SentenceBody(std::string_view Sentence, std::string& Body);

std::vector<std::string> SplitFields(std::string_view Body);

// Fixed-point text with the given decimals ("%.*f" in the C locale).
std::string Fixed(double Value, int Decimals);

// Collects sentences from "$" to CR or LF; longer runs than any sentence
// are dropped.
class LineCollector {
 public:
  std::vector<std::string> Feed(std::string_view Bytes);

 private:
  std::string line_;
  bool inLine_ = false;
};

}  // namespace dstsim
