#pragma once
// 8-bit views of UTF-16 lists. TAnsiStrings is an 8-bit TStrings that loads
// and saves its text in a chosen code page; the adapter presents a wide list
// as one, converting each item on the way in and out.

#include <cstdint>
#include <string>

#include "platform/core/classes/strings.h"

namespace widetext {

class TWideStrings;

class TAnsiStrings : public platform::TStrings {
 public:
  // All bytes from the position to the end as text in CodePage.
  virtual void LoadFromStream(platform::TStream& Stream, std::uint32_t CodePage) = 0;
  virtual void SaveToStream(platform::TStream& Stream, std::uint32_t CodePage) const = 0;
  // In code page 0, which each list resolves to its own default.
  void LoadFromStream(platform::TStream& Stream) override { LoadFromStream(Stream, 0); }
  void SaveToStream(platform::TStream& Stream) const override { SaveToStream(Stream, 0); }
};

class TAnsiStringsForWideStringsAdapter : public TAnsiStrings {
 public:
  explicit TAnsiStringsForWideStringsAdapter(TWideStrings& WideStrings, std::uint32_t CodePage = 0);

  // 0 means DefaultSystemCodePage.
  std::uint32_t AdapterCodePage = 0;

  std::string Get(int Index) const override;
  int GetCount() const override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  void Put(int Index, const std::string& S) override;
  platform::TObject* GetObject(int Index) const override;
  void PutObject(int Index, platform::TObject* AObject) override;

  using TAnsiStrings::LoadFromStream;
  using TAnsiStrings::SaveToStream;
  // Code page 0 is the adapter's code page.
  void LoadFromStream(platform::TStream& Stream, std::uint32_t CodePage) override;
  void SaveToStream(platform::TStream& Stream, std::uint32_t CodePage) const override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  std::uint32_t ResolvedCodePage(std::uint32_t Requested) const;

  TWideStrings& wideStrings_;
};

}  // namespace widetext
