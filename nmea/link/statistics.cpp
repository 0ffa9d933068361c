// Reception statistics: which talkers sent which sentences (which NMEA 2000
// sources sent which PGNs), with printable names for the keys. A channel
// keeps a bounded number of distinct pairs; once it is full, every new pair
// is counted under the one pair named "other", so that noise read as
// sentences (a wrong baud rate with checksums not verified) cannot eat
// memory.

#include <algorithm>

#include "nmea/link/endpoint.h"
#include "support/hashing.h"

namespace nmea {
namespace {

// Far more talker and sentence pairs than a real channel carries.
constexpr std::size_t kMaxPairs = 1024;
constexpr std::string_view kOtherName = "other";

const std::uint32_t kOtherKey = static_cast<std::uint32_t>(support::StringHashEx(kOtherName));

// Ids of the name lists are compared unsigned.
bool HasName(const support::TIdStringArray& Names, std::uint32_t Id) {
  const auto it = std::lower_bound(Names.begin(), Names.end(), Id,
                                   [](const support::TIdStringRec& R, std::uint32_t V) { return R.Id < V; });
  return it != Names.end() && it->Id == Id;
}

void AddName(support::TIdStringArray& Names, std::uint32_t Id, std::string_view Text) {
  const auto it = std::lower_bound(Names.begin(), Names.end(), Id,
                                   [](const support::TIdStringRec& R, std::uint32_t V) { return R.Id < V; });
  if (it == Names.end() || it->Id != Id) Names.insert(it, support::TIdStringRec{Id, std::string(Text)});
}

// Where a talker's sub-key stands, or Talkers.size() when it is not there.
struct PairPlace {
  std::size_t Talker;
  std::size_t Sub;
};

PairPlace FindPair(const tNMEATalkerArray& Talkers, std::uint32_t Key, std::uint32_t SubKey) {
  const auto talker = std::lower_bound(Talkers.begin(), Talkers.end(), Key,
                                       [](const tNMEATalkerRec& R, std::uint32_t V) { return R.Key < V; });
  if (talker == Talkers.end() || talker->Key != Key) return {Talkers.size(), 0};
  const auto sub = std::lower_bound(talker->SubKeys.begin(), talker->SubKeys.end(), SubKey);
  if (sub == talker->SubKeys.end() || *sub != SubKey) return {Talkers.size(), 0};
  return {static_cast<std::size_t>(talker - Talkers.begin()), static_cast<std::size_t>(sub - talker->SubKeys.begin())};
}

// Only asked when a pair is new, which a real channel rarely has.
bool IsFull(const tNMEATalkerArray& Talkers) {
  std::size_t pairs = 0;
  for (const tNMEATalkerRec& talker : Talkers) pairs += talker.SubKeys.size();
  return pairs >= kMaxPairs;
}

void AddSubKey(tNMEATalkerArray& Talkers, std::uint32_t Key, std::uint32_t SubKey) {
  auto talker = std::lower_bound(Talkers.begin(), Talkers.end(), Key,
                                 [](const tNMEATalkerRec& R, std::uint32_t V) { return R.Key < V; });
  if (talker == Talkers.end() || talker->Key != Key) talker = Talkers.insert(talker, tNMEATalkerRec{Key, {}});
  auto& subKeys = talker->SubKeys;
  const auto at = std::lower_bound(subKeys.begin(), subKeys.end(), SubKey);
  if (at == subKeys.end() || *at != SubKey) subKeys.insert(at, SubKey);
}

}  // namespace

TNMEA2KDecoder::TPairSlot& TNMEA2KDecoder::PairSlot(std::uint32_t Key, std::uint32_t SubKey) {
  return pairSlots_[((Key * 0x9E3779B9u) ^ SubKey) * 0x9E3779B9u >> 26];
}

bool TNMEA2KDecoder::IsCounted(std::uint32_t Key, std::uint32_t SubKey, TPairSlot& Place) {
  if (IsCountedAt(Place, Key, SubKey)) return true;
  const PairPlace place = FindPair(Talkers, Key, SubKey);
  if (place.Talker == Talkers.size()) return false;
  Place = {static_cast<std::uint32_t>(place.Talker), static_cast<std::uint32_t>(place.Sub)};
  return true;
}

void TNMEA2KDecoder::AddTalkerSentence(std::string_view TalkerId, std::string_view SentenceId) {
  const auto talkerKey = static_cast<std::uint32_t>(support::StringHashEx(TalkerId));
  const auto sentenceKey = static_cast<std::uint32_t>(support::StringHashEx(SentenceId));
  CountSentence(TalkerId, talkerKey, SentenceId, sentenceKey, PairSlot(talkerKey, sentenceKey));
}

void TNMEA2KDecoder::CountSentence(std::string_view TalkerId, std::uint32_t TalkerKey, std::string_view SentenceId,
                                   std::uint32_t SentenceKey, TPairSlot& Place) {
  // Names are added with their first sentence and only go with a reset of
  // the whole record, so a sentence already counted needs no name lookup.
  if (IsCounted(TalkerKey, SentenceKey, Place)) return;
  if (IsFull(Talkers)) {
    TalkerId = SentenceId = kOtherName;
    TalkerKey = SentenceKey = kOtherKey;
    if (IsCounted(TalkerKey, SentenceKey, PairSlot(kOtherKey, kOtherKey))) return;
  }
  if (!HasName(TalkerNames, TalkerKey)) AddName(TalkerNames, TalkerKey, TalkerId);
  if (!HasName(SentenceNames, SentenceKey)) AddName(SentenceNames, SentenceKey, SentenceId);
  AddSubKey(Talkers, TalkerKey, SentenceKey);
}

void TNMEA2KDecoder::AddSourcePGN(std::uint32_t Source, std::uint32_t PGN) {
  if (IsCounted(Source, PGN, PairSlot(Source, PGN))) return;
  if (IsFull(Talkers)) {
    CountSentence(kOtherName, kOtherKey, kOtherName, kOtherKey, PairSlot(kOtherKey, kOtherKey));
    return;
  }
  AddSubKey(Talkers, Source, PGN);
}

std::string TNMEA2KDecoder::KeyName(std::uint32_t Key, std::uint8_t Kind) const {
  auto lock = Lock();
  const support::TIdStringArray* names = Kind == 0 ? &TalkerNames : Kind == 1 ? &SentenceNames : nullptr;
  if (names == nullptr) return {};
  const auto it = std::lower_bound(names->begin(), names->end(), Key,
                                   [](const support::TIdStringRec& R, std::uint32_t V) { return R.Id < V; });
  if (it != names->end() && it->Id == Key) return it->Str;
  return std::to_string(Key);
}

void TNMEA2KDecoder::ClearTalkers() {
  auto lock = Lock();
  Talkers.clear();
}

}  // namespace nmea
