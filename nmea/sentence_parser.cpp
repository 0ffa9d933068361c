// The NMEA 0183 sentence parser: address split, key, parse tick, statistics,
// skip list and dispatch to the sentence's handler.

#include "nmea/sentence_parser.h"

#include <algorithm>

#include "nmea/endpoint.h"
#include "support/conversions.h"
#include "support/hashing.h"

namespace nmea {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

void UpperInto(std::string_view text, std::string& out) {
  out.resize(text.size());
  std::transform(text.begin(), text.end(), out.begin(), Upper);
}

// The body runs from the seventh character (after "$ttsss" or "$Pmmm") to
// the end, less a checksum "*hh" standing exactly at the end.
std::string_view BodyOf(std::string_view s) {
  const std::size_t end = s[s.size() - 3] == '*' ? s.size() - 3 : s.size();
  return end > 6 ? s.substr(6, end - 6) : std::string_view{};
}

}  // namespace

void TNMEA2KDecoder::ParseSentence(std::string_view Sentence, tNMEAData& Data) {
  const std::size_t length = Sentence.size();
  if (length <= 5) return;
  const bool proprietary = Upper(Sentence[1]) == 'P';
  std::string_view talker;
  std::string_view manufacturer;
  if (proprietary) {
    talker = "P";
    UpperInto(Sentence.substr(2, 3), manufacturerScratch_);
    manufacturer = manufacturerScratch_;
    std::size_t end = Sentence.find(',', 2);
    if (end == std::string_view::npos) end = Sentence.find('*', 2);
    if (end == std::string_view::npos) end = length;
    UpperInto(Sentence.substr(2, end - 2), idScratch_);
  } else {
    UpperInto(Sentence.substr(1, 2), talkerScratch_);
    talker = talkerScratch_;
    UpperInto(Sentence.substr(3, 3), idScratch_);
  }
  const std::string_view id = idScratch_;
  const auto key = static_cast<std::uint32_t>(support::StringHashEx(id));
  const TTick tick = GetTick();
  // Counted before the skip test, so skipped sentences still show.
  if (CollectStatistics) AddTalkerSentence(talker, id);
  if (!SkipKeys.empty() && std::binary_search(SkipKeys.begin(), SkipKeys.end(), key)) return;
  const TSentenceHandler handler = FindSentenceHandler(proprietary, key);
  if (handler == nullptr) return;

  fields_.clear();
  std::string_view body = BodyOf(Sentence);
  for (;;) {
    const std::size_t comma = body.find(',');
    fields_.push_back(body.substr(0, comma));
    if (comma == std::string_view::npos) break;
    body.remove_prefix(comma + 1);
  }
  TSentenceContext ctx{*this, Data, tick, talker, id, manufacturer, TSentenceFields(fields_)};
  handler(ctx);
}

void TSentenceContext::MarkQuantity(TQuantity Quantity) const { Self.QuantityTicks[Quantity] = Tick; }

double TSentenceContext::Float(int N) const { return support::SafeStrToFloat(Fields[N]); }

std::int64_t TSentenceContext::Int(int N) const { return support::SafeStrToInt64(Fields[N]); }

std::uint8_t TSentenceContext::HexByte(int N) const { return support::HexToByte(Fields[N]); }

std::uint16_t TSentenceContext::HexWord(int N) const { return support::HexToWord(Fields[N]); }

std::uint32_t TSentenceContext::HexCardinal(int N) const { return support::HexToCardinal(Fields[N]); }

char TSentenceContext::Letter(int N) const {
  const std::string_view field = Fields[N];
  return field.empty() ? '\0' : Upper(field.front());
}

bool TSentenceContext::Equals(int N, std::string_view UpperText) const {
  const std::string_view field = Fields[N];
  return field.size() == UpperText.size() &&
         std::equal(field.begin(), field.end(), UpperText.begin(), [](char a, char b) { return Upper(a) == b; });
}

bool TSentenceContext::StoreFloat(int N, double& Value, TTick& ValueTick) const {
  if (!Fields.Filled(N)) return false;
  Value = Float(N);
  ValueTick = Tick;
  return true;
}

bool TSentenceContext::StoreFloat(int N, float& Value, TTick& ValueTick) const {
  if (!Fields.Filled(N)) return false;
  Value = static_cast<float>(Float(N));
  ValueTick = Tick;
  return true;
}

}  // namespace nmea
