#pragma once
// TObjDic turns a pair (group code, item code) into a text in the user's
// language. Its data is the string container in the resource NMEADIC: code
// table 0 gives every string a code, and marker codes above 1,000,000,000
// divide the strings into groups (the marker's code less 1,000,000,000 is
// the group code; its items follow it, with ascending codes, up to the next
// marker). The application's input analysis tree takes its hints from it:
// group 1 talkers, group 2 sentences, group 3 manufacturers.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/core/classes/object.h"
#include "support/arrays.h"
#include "support/string_container.h"

namespace support {

inline constexpr char kNmeaDicResource[] = "NMEADIC";

struct TObjDicGroup {
  std::int32_t Code = 0;
  std::int32_t First = 0;  // string numbers of the group's items
  std::int32_t Last = -1;
};

class TObjDic : public platform::TObject {
 public:
  TObjDic() = default;
  ~TObjDic() override = default;

  void Clear();
  // Reads the resource (NMEADIC unless another is named) and builds the group
  // index; the result is Loaded.
  bool Load(const std::string& ResName = kNmeaDicResource);
  // Selects the texts of LangId, falling back to English (United Kingdom),
  // then English (United States). Does nothing until loaded.
  void SetLanguage(std::uint16_t LangId);
  static bool SelectLanguage(TLangDic& Dic, std::uint16_t LangId, TWideStringArray& Strings);
  // False, with an empty Text, for an unknown group or item and before a
  // language is selected.
  bool Lookup(std::int32_t GroupCode, std::int32_t ItemCode, std::u16string& Text) const;
  // Binary search of Value in the ascending Codes[Lo..Hi]; -1 when absent.
  static std::int32_t FindCode(std::int32_t Value, std::int32_t Lo, std::span<const std::int32_t> Codes,
                               std::int32_t Hi);

  bool Loaded() const { return loaded_; }
  const TLangDic& Dic() const { return dic_; }
  const TWideStringArray& Strings() const { return strings_; }
  const std::vector<TObjDicGroup>& Groups() const { return groups_; }
  const TIntegerArray& GroupCodes() const { return groupCodes_; }

 private:
  bool loaded_ = false;
  TLangDic dic_;
  TWideStringArray strings_;
  std::vector<TObjDicGroup> groups_;
  TIntegerArray groupCodes_;
};

}  // namespace support
