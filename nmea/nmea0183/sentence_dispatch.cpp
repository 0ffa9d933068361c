// Finds a sentence's handler by the key of its id: one hash of the id and a
// binary search over the registered keys.

#include <algorithm>
#include <string_view>
#include <vector>

#include "nmea/nmea0183/sentence_handlers.h"
#include "support/hashing.h"

namespace nmea {
namespace {

struct Entry {
  bool Proprietary;
  std::uint32_t Key;
  TSentenceHandler Handler;
  friend bool operator<(const Entry& A, const Entry& B) {
    return A.Proprietary != B.Proprietary ? A.Proprietary < B.Proprietary : A.Key < B.Key;
  }
};

constexpr bool kStandard = false;
constexpr bool kProprietary = true;

std::vector<Entry> BuildTable() {
  std::vector<Entry> table = {
#define VELTROSA_SENTENCE(kind, id) {k##kind, static_cast<std::uint32_t>(support::StringHashEx(#id)), &Handle##id},
#include "nmea/nmea0183/sentence_list.h"
#undef VELTROSA_SENTENCE
  };
  std::sort(table.begin(), table.end());
  return table;
}

const std::vector<Entry>& Table() {
  static const std::vector<Entry> table = BuildTable();
  return table;
}

}  // namespace

TSentenceHandler FindSentenceHandler(bool IsProprietary, std::uint32_t Key) {
  const auto& table = Table();
  const Entry probe{IsProprietary, Key, nullptr};
  const auto it = std::lower_bound(table.begin(), table.end(), probe);
  return it != table.end() && it->Proprietary == IsProprietary && it->Key == Key ? it->Handler : nullptr;
}

}  // namespace nmea
