// The NMEA 0183 sentence parser: address split, key, parse tick, statistics,
// skip list and dispatch to the sentence's handler.

#include "nmea/nmea0183/sentence_parser.h"

#include <algorithm>
#include <bit>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "nmea/link/endpoint.h"
#include "support/conversions.h"
#include "support/hashing.h"

namespace nmea {
namespace {

char Upper(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 32) : C; }

const std::uint32_t kProprietaryTalkerKey = static_cast<std::uint32_t>(support::StringHashEx("P"));

void UpperInto(std::string_view Text, std::string& Out) {
  Out.resize(Text.size());
  std::transform(Text.begin(), Text.end(), Out.begin(), Upper);
}

// The body runs from the seventh character (after "$ttsss" or "$Pmmm") to
// the end, less a checksum "*hh" standing exactly at the end.
std::string_view BodyOf(std::string_view S) {
  const std::size_t end = S[S.size() - 3] == '*' ? S.size() - 3 : S.size();
  return end > 6 ? S.substr(6, end - 6) : std::string_view{};
}

// Cuts the body at its commas. Fields are a few characters long, so the
// commas are found sixteen characters at a time, the last few of the body
// among the sixteen that end it.
void SplitFields(std::string_view Body, std::vector<std::string_view>& Fields) {
  Fields.clear();
  const char* const data = Body.data();
  const std::size_t size = Body.size();
  std::size_t start = 0;
  const auto cutAt = [&](std::size_t Comma) {
    Fields.emplace_back(data + start, Comma - start);
    start = Comma + 1;
  };
  std::size_t at = 0;
#if defined(__SSE2__)
  const auto commasIn = [data](std::size_t From) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + From));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(','))));
  };
  for (; at + 16 <= size; at += 16) {
    for (unsigned commas = commasIn(at); commas != 0; commas &= commas - 1) cutAt(at + std::countr_zero(commas));
  }
  if (at < size && size >= 16) {
    const std::size_t from = size - 16;
    for (unsigned commas = commasIn(from) >> (at - from); commas != 0; commas &= commas - 1) {
      cutAt(at + std::countr_zero(commas));
    }
    at = size;
  }
#endif
  for (; at < size; ++at) {
    if (data[at] == ',') cutAt(at);
  }
  Fields.emplace_back(data + start, size - start);
}

// Whole degrees from the first Width characters, minutes from the rest.
bool ParseCoordinate(std::string_view Field, std::size_t Width, double& Value) {
  if (Field.size() <= Width + 1) return false;
  Value = static_cast<double>(support::SafeStrToInt64(Field.substr(0, Width))) +
          support::SafeStrToFloat(Field.substr(Width)) / 60.0;
  return true;
}

// A standard sentence's address (talker and id, upper case) packed into
// one word; the top bit keeps it apart from an empty slot.
std::uint64_t PackAddress(const char (&Address)[5]) {
  std::uint64_t packed = 0;
  for (const char c : Address) packed = packed << 8 | static_cast<unsigned char>(c);
  return packed | 1ull << 63;
}

}  // namespace

TNMEA2KDecoder::TAddressSlot& TNMEA2KDecoder::StandardAddress(const char (&Address)[5]) {
  const std::uint64_t packed = PackAddress(Address);
  TAddressSlot& slot = addressSlots_[(packed * 0x9E3779B97F4A7C15u) >> (64 - kAddressSlotBits)];
  if (slot.Address != packed) {
    const std::string_view talker(Address, 2);
    const std::string_view id(Address + 2, 3);
    slot.Address = packed;
    slot.TalkerKey = static_cast<std::uint32_t>(support::StringHashEx(talker));
    slot.IdKey = static_cast<std::uint32_t>(support::StringHashEx(id));
    slot.Handler = FindSentenceHandler(false, slot.IdKey);
    slot.Pair = {};
  }
  return slot;
}

void TNMEA2KDecoder::ParseSentence(std::string_view Sentence, tNMEAData& Data) {
  const std::size_t length = Sentence.size();
  if (length <= 5) return;
  const bool proprietary = Upper(Sentence[1]) == 'P';
  std::string_view talker;
  std::string_view manufacturer;
  std::string_view id;
  std::uint32_t talkerKey = 0;
  std::uint32_t key = 0;
  TSentenceHandler handler = nullptr;
  TPairSlot* place = nullptr;
  char address[5];
  if (proprietary) {
    talker = "P";
    talkerKey = kProprietaryTalkerKey;
    UpperInto(Sentence.substr(2, 3), manufacturerScratch_);
    manufacturer = manufacturerScratch_;
    std::size_t end = Sentence.find(',', 2);
    if (end == std::string_view::npos) end = Sentence.find('*', 2);
    if (end == std::string_view::npos) end = length;
    UpperInto(Sentence.substr(2, end - 2), idScratch_);
    id = idScratch_;
    key = static_cast<std::uint32_t>(support::StringHashEx(id));
    handler = FindSentenceHandler(true, key);
    place = &PairSlot(talkerKey, key);
  } else {
    for (std::size_t i = 0; i < 5; ++i) address[i] = Upper(Sentence[i + 1]);
    talker = std::string_view(address, 2);
    id = std::string_view(address + 2, 3);
    // Addresses repeat sentence after sentence, so their keys and handler
    // are remembered rather than hashed and looked up each time.
    TAddressSlot& slot = StandardAddress(address);
    talkerKey = slot.TalkerKey;
    key = slot.IdKey;
    handler = slot.Handler;
    place = &slot.Pair;
  }
  // Counted before the skip test, so skipped sentences still show.
  // A pair counted before is found where it stood, without a call.
  if (CollectStatistics && !IsCountedAt(*place, talkerKey, key)) CountSentence(talker, talkerKey, id, key, *place);
  if (!SkipKeys.empty() && std::binary_search(SkipKeys.begin(), SkipKeys.end(), key)) return;
  if (handler == nullptr) return;
  // Only stores carry the tick, so a sentence without a handler needs none.
  const TTick tick = GetTick();

  SplitFields(BodyOf(Sentence), fields_);
  TSentenceContext ctx{*this, Data, tick, talker, id, manufacturer, TSentenceFields(fields_)};
  handler(ctx);
}

void TSentenceContext::MarkQuantity(TQuantity Quantity) const { Self.QuantityTicks[Quantity] = Tick; }

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
         std::equal(field.begin(), field.end(), UpperText.begin(), [](char A, char B) { return Upper(A) == B; });
}

bool TSentenceContext::StoreFloat(int N, double& Value, TTick& ValueTick) const {
  if (!Fields.Filled(N)) return false;
  Value = Float(N);
  ValueTick = Tick;
  return true;
}

bool TSentenceContext::StoreFloat(int N, double& Value, TTick& ValueTick, TQuantity Quantity) const {
  if (!StoreFloat(N, Value, ValueTick)) return false;
  TouchQuantity(Quantity);
  return true;
}

bool TSentenceContext::ParseLatitude(int N, double& Value) const { return ParseCoordinate(Fields[N], 2, Value); }

bool TSentenceContext::ParseLongitude(int N, double& Value) const { return ParseCoordinate(Fields[N], 3, Value); }

bool TSentenceContext::StorePosition(const TPositionStage& Position) const {
  if (Position.Latitude == kNoPosition || Position.Longitude == kNoPosition) return false;
  Data.Latitude = Position.Latitude;
  Data.Longitude = Position.Longitude;
  Data.GeoidSeparation = Position.GeoidSeparation;
  Data.PositionTick = Position.Tick;
  MarkQuantity(qtPosition);
  return true;
}

std::int32_t TSentenceContext::FixQualityOfMode(std::string_view Field) {
  switch (Field.empty() ? '\0' : Upper(Field.front())) {
    case 'A':
      return kFixGps;
    case 'D':
      return kFixDifferential;
    case 'E':
      return kFixEstimated;
    case 'M':
      return kFixManual;
    case 'S':
      return kFixSimulated;
    case 'N':
      return kFixInvalid;
    default:
      return kFixUnknown;
  }
}

}  // namespace nmea
