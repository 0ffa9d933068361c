#include "support/string_container.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "platform/core/classes/streams.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/text/resources.h"
#include "support/conversions.h"
#include "support/rc6.h"

namespace support {
namespace {

// The signature, which is also the pass phrase of the container key.
constexpr std::string_view kSignature = "TOLVEK";
constexpr std::int32_t kHeaderSize = 14;
constexpr std::int64_t kSmallestContainer = 11;

// A short or inconsistent container; caught where a load gives its result.
struct TFormatError {};

// Bounded little-endian reads over bytes in memory: every read and every
// announced count is checked against what is left, so no count from the
// container can make the reader run past the end or allocate more than the
// container could hold.
class TByteReader {
 public:
  TByteReader(const std::uint8_t* Data, std::int64_t Size) : data_(Data), size_(static_cast<std::uint64_t>(Size)) {}

  void Seek(std::uint64_t Position) {
    if (Position > size_) throw TFormatError{};
    position_ = Position;
  }
  std::uint64_t Remaining() const { return size_ - position_; }
  // Count items of at least ItemSize bytes each must still fit.
  void Expect(std::uint64_t Count, std::uint64_t ItemSize) const {
    if (Count * ItemSize > Remaining()) throw TFormatError{};
  }
  std::uint16_t U16() {
    Expect(1, 2);
    const std::uint16_t value = static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
    position_ += 2;
    return value;
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | std::uint32_t{U16()} << 16;
  }
  // A u16 byte count, then that many bytes of UTF-16LE; an odd last byte is
  // consumed and dropped.
  std::u16string Counted() {
    const std::uint16_t bytes = U16();
    Expect(1, bytes);
    std::u16string text(bytes / 2, u'\0');
    for (std::size_t k = 0; k < text.size(); ++k) {
      text[k] = static_cast<char16_t>(data_[position_ + 2 * k] | data_[position_ + 2 * k + 1] << 8);
    }
    position_ += bytes;
    return text;
  }
  bool StartsWith(std::string_view Bytes) const {
    return Remaining() >= Bytes.size() && std::memcmp(data_ + position_, Bytes.data(), Bytes.size()) == 0;
  }

 private:
  const std::uint8_t* data_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

bool Enciphered(std::uint16_t Version) { return Version == 2 || Version == 3; }
bool Extended(std::uint16_t Version) { return Version == 3 || Version == 4; }

// The payload of Container (everything from Offset on), deciphered when the
// version says so.
void ReadPayload(platform::TMemoryStream& Container, std::int32_t Offset, std::uint16_t Version, const THashDigest& Key,
                 platform::TMemoryStream& Payload) {
  Payload.Clear();
  if (Container.Size() > Offset) Payload.Write(Container.Memory() + Offset, Container.Size() - Offset);
  if (Enciphered(Version)) DecipherStream(Payload, Key);
}

void LoadResource(const std::string& Name, platform::TMemoryStream& Container) {
  const auto bytes = platform::FindResource(Name, platform::RT_RCDATA);
  if (!bytes) throw TFormatError{};
  Container.Clear();
  Container.Write(bytes->data(), static_cast<std::int64_t>(bytes->size()));
}

}  // namespace

struct TLangDic::THeader {
  std::uint16_t Version = 0;
  std::uint32_t StringCount = 0;
  std::vector<TLangDicLanguage> Languages;
  std::uint16_t TableCount = 0;
  std::uint32_t TableOffset = 0;
  TStringArray TableNames;
  std::vector<TIntegerArray> Tables;
};

TLangDic::TLangDic() : cipherKey_(HashOfString(kSignature)) { Clear(); }

TLangDic::~TLangDic() { Clear(); }

void TLangDic::Clear() {
  fileName_.clear();
  resName_.clear();
  fileAge_ = {};
  stringCount_ = 0;
  payloadOffset_ = 0;
  tableOffset_ = 0;
  loaded_ = false;
  fromResource_ = false;
  languages_.clear();
  tableNames_.clear();
  tables_.clear();
  languageCount_ = 0;
  tableCount_ = 0;
  version_ = 0;
  currentLanguage_ = -1;
}

bool TLangDic::Load(const std::string& Name, bool FromResource) {
  return FromResource ? LoadFromResource(Name) : LoadFromFile(Name);
}

bool TLangDic::LoadFromFile(const std::string& FileName) {
  const std::string name = FileName;  // FileName may be our own fileName_, which Clear empties
  Clear();
  try {
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return false;
    fileName_ = name;
    const auto age = std::filesystem::last_write_time(name);
    platform::TMemoryStream container;
    container.LoadFromFile(name);
    if (container.Size() < kSmallestContainer || !Take(container)) return false;
    fileAge_ = age;
  } catch (...) {
    return false;
  }
  return loaded_;
}

bool TLangDic::LoadFromResource(const std::string& ResName) {
  const std::string name = ResName;
  Clear();
  try {
    if (TrimText(name).empty()) return false;
    fromResource_ = true;
    platform::TMemoryStream container;
    LoadResource(name, container);
    if (container.Size() < kSmallestContainer) return false;
    resName_ = name;
    Take(container);
  } catch (...) {
    return false;
  }
  return loaded_;
}

bool TLangDic::Take(platform::TMemoryStream& Container) {
  try {
    TByteReader header(Container.Memory(), Container.Size());
    if (!header.StartsWith(kSignature)) return false;
    header.Seek(kSignature.size());
    THeader h;
    h.Version = header.U16();
    const std::uint16_t languageCount = header.U16();
    h.StringCount = header.U32();
    if (h.Version < 1 || h.Version > 4) return false;

    platform::TMemoryStream payload;
    ReadPayload(Container, kHeaderSize, h.Version, cipherKey_, payload);
    TByteReader reader(payload.Memory(), payload.Size());
    if (Extended(h.Version)) {
      h.TableCount = reader.U16();
      h.TableOffset = reader.U32();
    }
    reader.Expect(languageCount, 6 + 2);
    h.Languages.resize(languageCount);
    for (auto& language : h.Languages) {
      language.LangId = reader.U16();
      language.Offset = reader.U32();
    }
    for (auto& language : h.Languages) language.Name = reader.Counted();
    // Each language's strings must at least fit where the directory puts them.
    for (const auto& language : h.Languages) {
      reader.Seek(language.Offset);
      reader.Expect(h.StringCount, 2);
    }
    if (h.TableCount > 0) {
      reader.Seek(h.TableOffset);
      reader.Expect(h.TableCount, 2 + 4 * std::uint64_t{h.StringCount});
      for (std::uint16_t t = 0; t < h.TableCount; ++t) {
        h.TableNames.push_back(platform::Utf16ToCp1252(reader.Counted()));
        reader.Expect(h.StringCount, 4);
        TIntegerArray codes(h.StringCount);
        for (auto& code : codes) code = static_cast<std::int32_t>(reader.U32());
        h.Tables.push_back(std::move(codes));
      }
    }

    version_ = h.Version;
    stringCount_ = h.StringCount;
    payloadOffset_ = kHeaderSize;
    languages_ = std::move(h.Languages);
    languageCount_ = languageCount;
    tableCount_ = h.TableCount;
    tableOffset_ = h.TableOffset;
    tableNames_ = std::move(h.TableNames);
    tables_ = std::move(h.Tables);
    loaded_ = true;
  } catch (...) {
    loaded_ = false;
  }
  return loaded_;
}

bool TLangDic::FindLanguage(std::uint16_t LangId, std::int32_t& Index) const {
  Index = -1;
  if (!loaded_) return false;
  for (std::size_t i = 0; i < languages_.size(); ++i) {
    if (languages_[i].LangId == LangId) {
      Index = static_cast<std::int32_t>(i);
      return true;
    }
  }
  return false;
}

bool TLangDic::LoadLanguage(std::int32_t& Index, TWideStringArray& Strings) {
  const auto normalise = [&] {
    if (static_cast<std::size_t>(Index) >= languages_.size()) Index = 0;
  };
  try {
    if (!loaded_ || languages_.empty() || Index < 0) return false;
    normalise();
    platform::TMemoryStream container;
    if (fromResource_) {
      LoadResource(resName_, container);
    } else {
      std::error_code error;
      const auto age = std::filesystem::last_write_time(fileName_, error);
      if (error || age != fileAge_) {
        // The new file may hold fewer languages than the index was checked against.
        if (!LoadFromFile(fileName_) || languages_.empty()) return false;
        normalise();
      }
      container.LoadFromFile(fileName_);
    }
    TWideStringArray strings;
    if (!ReadStrings(container, Index, strings)) return false;
    Strings = std::move(strings);
    currentLanguage_ = Index;
    return true;
  } catch (...) {
    return false;
  }
}

bool TLangDic::ReadStrings(platform::TMemoryStream& Container, std::int32_t Index, TWideStringArray& Strings) const {
  try {
    if (version_ < 1 || version_ > 4) return false;
    platform::TMemoryStream payload;
    ReadPayload(Container, payloadOffset_, version_, cipherKey_, payload);
    TByteReader reader(payload.Memory(), payload.Size());
    reader.Seek(languages_[static_cast<std::size_t>(Index)].Offset);
    reader.Expect(stringCount_, 2);
    Strings.resize(stringCount_);
    for (auto& text : Strings) text = reader.Counted();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace support
