#pragma once
// TLangDic reads a multi-language string container: the same numbered list
// of UTF-16 strings in several languages, optionally with tables of 32-bit
// codes parallel to the strings, optionally enciphered. It reads the header
// and the language directory once, and the strings of one language on
// request, from a file or from a named resource of the program.
//
// Reading is strict: every count and offset is checked against the bytes
// that are there, so a damaged, truncated or wrongly keyed container fails
// to load and leaves the object as a failed load leaves it (empty, or, for a
// language, the caller's strings untouched).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/classes/object.h"
#include "platform/core/classes/streams.h"
#include "support/arrays.h"
#include "support/digest.h"

namespace support {

struct TLangDicLanguage {
  std::u16string Name;
  std::uint16_t LangId = 0;
  std::uint32_t Offset = 0;  // payload position of the language's strings
};

class TLangDic : public platform::TObject {
 public:
  TLangDic();
  ~TLangDic() override;

  // Everything but the key to empty; CurrentLanguage -1.
  void Clear();
  bool Load(const std::string& Name, bool FromResource);
  bool LoadFromFile(const std::string& FileName);
  // From the program's RCDATA resource of that name.
  bool LoadFromResource(const std::string& ResName);
  // Index of the first language with LangId, or -1 and false.
  bool FindLanguage(std::uint16_t LangId, std::int32_t& Index) const;
  // The N strings of language Index into Strings. An Index beyond the last
  // language is replaced by 0. A file whose modification time changed since
  // it was loaded is loaded again first. Strings is left alone on failure.
  bool LoadLanguage(std::int32_t& Index, TWideStringArray& Strings);

  const THashDigest& CipherKey() const { return cipherKey_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& ResName() const { return resName_; }
  std::filesystem::file_time_type FileAge() const { return fileAge_; }
  std::uint32_t StringCount() const { return stringCount_; }
  std::int32_t PayloadOffset() const { return payloadOffset_; }
  std::uint32_t TableOffset() const { return tableOffset_; }
  bool Loaded() const { return loaded_; }
  bool FromResource() const { return fromResource_; }
  const std::vector<TLangDicLanguage>& Languages() const { return languages_; }
  const TStringArray& TableNames() const { return tableNames_; }
  const std::vector<TIntegerArray>& Tables() const { return tables_; }
  std::uint32_t LanguageCount() const { return languageCount_; }
  std::uint16_t TableCount() const { return tableCount_; }
  std::uint16_t Version() const { return version_; }
  std::int32_t CurrentLanguage() const { return currentLanguage_; }

 private:
  struct THeader;
  // Header, directory and tables of a whole container; the fields change
  // only when all of it reads.
  bool Take(platform::TMemoryStream& Container);
  bool ReadStrings(platform::TMemoryStream& Container, std::int32_t Index, TWideStringArray& Strings) const;

  THashDigest cipherKey_{};
  std::string fileName_;
  std::string resName_;
  std::filesystem::file_time_type fileAge_{};
  std::uint32_t stringCount_ = 0;
  std::int32_t payloadOffset_ = 0;
  std::uint32_t tableOffset_ = 0;
  bool loaded_ = false;
  bool fromResource_ = false;
  std::vector<TLangDicLanguage> languages_;
  TStringArray tableNames_;
  std::vector<TIntegerArray> tables_;
  std::uint32_t languageCount_ = 0;
  std::uint16_t tableCount_ = 0;
  std::uint16_t version_ = 0;
  std::int32_t currentLanguage_ = -1;
};

}  // namespace support
