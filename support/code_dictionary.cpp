#include "support/code_dictionary.h"

namespace support {
namespace {

constexpr std::int32_t kGroupMarker = 1'000'000'000;
constexpr std::uint16_t kEnglishUnitedKingdom = 2057;
constexpr std::uint16_t kEnglishUnitedStates = 1033;

}  // namespace

void TObjDic::Clear() {
  groups_.clear();
  strings_.clear();
  groupCodes_.clear();
  loaded_ = false;
}

bool TObjDic::Load(const std::string& ResName) {
  Clear();
  loaded_ = dic_.Load(ResName, true);
  if (!loaded_ || dic_.Tables().empty()) return loaded_;

  const TIntegerArray& codes = dic_.Tables().front();
  std::vector<TObjDicGroup> found;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    if (codes[k] <= kGroupMarker) continue;
    const auto at = static_cast<std::int32_t>(k);
    if (!found.empty()) found.back().Last = at - 1;
    found.push_back({codes[k] - kGroupMarker, at + 1, at});
  }
  if (!found.empty()) found.back().Last = static_cast<std::int32_t>(codes.size()) - 1;

  TIndexArray order;
  for (std::size_t i = 0; i < found.size(); ++i) order.push_back({static_cast<std::int32_t>(i), found[i].Code});
  if (!order.empty()) QuickSortIndexArray(order, 0, static_cast<int>(order.size()) - 1, true);
  for (const auto& entry : order) {
    groups_.push_back(found[static_cast<std::size_t>(entry.Index)]);
    groupCodes_.push_back(entry.Value);
  }
  return loaded_;
}

void TObjDic::SetLanguage(std::uint16_t LangId) {
  if (loaded_) SelectLanguage(dic_, LangId, strings_);
}

bool TObjDic::SelectLanguage(TLangDic& Dic, std::uint16_t LangId, TWideStringArray& Strings) {
  for (const std::uint16_t candidate : {LangId, kEnglishUnitedKingdom, kEnglishUnitedStates}) {
    std::int32_t index = -1;
    if (Dic.FindLanguage(candidate, index)) return Dic.LoadLanguage(index, Strings);
  }
  return false;
}

bool TObjDic::Lookup(std::int32_t GroupCode, std::int32_t ItemCode, std::u16string& Text) const {
  Text.clear();
  if (groupCodes_.empty() || dic_.Tables().empty()) return false;
  const std::int32_t g = FindCode(GroupCode, 0, groupCodes_, static_cast<std::int32_t>(groupCodes_.size()) - 1);
  if (g < 0) return false;
  const TObjDicGroup& group = groups_[static_cast<std::size_t>(g)];
  const std::int32_t k = FindCode(ItemCode, group.First, dic_.Tables().front(), group.Last);
  if (k < 0 || static_cast<std::size_t>(k) >= strings_.size()) return false;
  Text = strings_[static_cast<std::size_t>(k)];
  return true;
}

std::int32_t TObjDic::FindCode(std::int32_t Value, std::int32_t Lo, std::span<const std::int32_t> Codes,
                               std::int32_t Hi) {
  // A range reaching past the codes (a container reloaded with fewer
  // strings) is cut to what is there.
  if (Lo < 0) Lo = 0;
  if (Hi >= static_cast<std::int32_t>(Codes.size())) Hi = static_cast<std::int32_t>(Codes.size()) - 1;
  while (Lo <= Hi) {
    const std::int32_t mid = Lo + (Hi - Lo) / 2;
    const std::int32_t code = Codes[static_cast<std::size_t>(mid)];
    if (code == Value) return mid;
    if (code < Value) {
      Lo = mid + 1;
    } else {
      Hi = mid - 1;
    }
  }
  return -1;
}

}  // namespace support
