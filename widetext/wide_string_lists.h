#pragma once
// Lists of UTF-16 strings with attached objects. TWideStrings is the
// abstract list with its text forms, filing and defaults built on a handful
// of abstract operations; TWtxStrings adds loading and saving with a
// byte-order mark and a view of the list as an 8-bit TStrings. Lists never
// own their objects. Every item list of the wide controls is a TWtxStrings.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/classes/persistent.h"
#include "platform/core/classes/streams.h"
#include "platform/core/classes/strings.h"
#include "widetext/ansi_strings_adapter.h"
#include "widetext/resource_strings.h"

namespace platform {
class TReader;
}  // namespace platform

namespace widetext {

// Which of the three separator characters a list has been given (or has
// read, which fixes the default).
enum TWideStringsDefined : std::uint8_t {
  sdDelimiter = 1,
  sdQuoteChar = 2,
  sdNameValueSeparator = 4,
};

class TWideStrings : public platform::TPersistent {
 public:
  virtual std::u16string Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const std::u16string& S) = 0;

  virtual int GetCapacity() const;
  virtual platform::TObject* GetObject(int Index) const;
  // Items each followed by CR LF.
  virtual std::u16string GetTextStr() const;
  // Keeps the item's object.
  virtual void Put(int Index, const std::u16string& S);
  virtual void PutObject(int Index, platform::TObject* AObject);
  virtual void SetCapacity(int NewCapacity);
  // Lines end at CR, LF or U+2028; one CR, then one LF, then one U+2028
  // after a line belong to its break. A break at the very end adds no item.
  virtual void SetTextStr(std::u16string_view Value);
  // Case-insensitive.
  virtual int CompareStrings(std::u16string_view S1, std::u16string_view S2) const;
  virtual int Add(const std::u16string& S);
  virtual int AddObject(const std::u16string& S, platform::TObject* AObject);
  // 8-bit items are widened in the system's ANSI code page.
  virtual void AddStrings(const platform::TStrings& Strings);
  virtual void AddStrings(const TWideStrings& Strings);
  virtual void Exchange(int Index1, int Index2);
  // A copy of GetTextStr in a WideStrAlloc buffer; the caller frees it with
  // WideStrDispose.
  virtual char16_t* GetText() const;
  virtual int IndexOf(std::u16string_view S) const;
  // The first item "Name<separator>...", -1 when none.
  virtual int IndexOfName(std::u16string_view Name) const;
  virtual int IndexOfObject(const platform::TObject* AObject) const;
  virtual void InsertObject(int Index, const std::u16string& S, platform::TObject* AObject);
  virtual void LoadFromFile(const std::u16string& FileName);
  // All bytes from the position to the end, as UTF-16LE text.
  virtual void LoadFromStream(platform::TStream& Stream);
  virtual void Move(int CurIndex, int NewIndex);
  virtual void SaveToFile(const std::u16string& FileName) const;
  // GetTextStr as UTF-16LE, without a byte-order mark.
  virtual void SaveToStream(platform::TStream& Stream) const;
  virtual void SetText(const char16_t* Text);

  int Count() const { return GetCount(); }
  std::u16string operator[](int Index) const { return Get(Index); }

  // Reading a character that was never set returns its default and fixes it.
  char16_t Delimiter() const;
  void SetDelimiter(char16_t Value);
  char16_t QuoteChar() const;
  void SetQuoteChar(char16_t Value);
  char16_t NameValueSeparator() const;
  void SetNameValueSeparator(char16_t Value);
  std::uint8_t DefinedFlags() const { return defined_; }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // From another wide list (with its separator characters) or from an 8-bit
  // TStrings (its items widened); anything else is an assignment error.
  void Assign(const platform::TPersistent* Source) override;
  // Files the items as the property "Strings", a list of wide strings.
  void DefineProperties(platform::TFiler* Filer) override;

 protected:
  // To a wide list, or to an 8-bit TStrings (items narrowed to the system's
  // ANSI code page).
  void AssignTo(platform::TPersistent* Dest) const override;
  virtual void SetUpdateState(bool Updating);
  // Raises EStringListError with Msg, Data put in for its "%d".
  [[noreturn]] void Error(const TResStringRec* Msg, int Data) const;

  // Reads the "Strings" forms: a list of 8-bit or wide strings, or one
  // string taken as the whole text.
  void ReadData(platform::TReader& Reader);

 private:
  friend class TAnsiStringsForWideStringsAdapter;

  mutable std::uint8_t defined_ = 0;
  mutable char16_t delimiter_ = u',';
  mutable char16_t quoteChar_ = u'"';
  mutable char16_t nameValueSeparator_ = u'=';
  int updateCount_ = 0;
};

// Keeps a BeginUpdate bracket balanced when the work inside it throws.
class TWideStringsUpdateScope {
 public:
  explicit TWideStringsUpdateScope(TWideStrings& List) : list_(List) { list_.BeginUpdate(); }
  ~TWideStringsUpdateScope() { list_.EndUpdate(); }
  TWideStringsUpdateScope(const TWideStringsUpdateScope&) = delete;
  TWideStringsUpdateScope& operator=(const TWideStringsUpdateScope&) = delete;

 private:
  TWideStrings& list_;
};

// The class library's list messages.
extern const TResStringRec SListIndexError;
extern const TResStringRec SSortedListError;
extern const TResStringRec SDuplicateString;

class TWtxStrings : public TWideStrings {
 public:
  TWtxStrings();
  ~TWtxStrings() override;
  TWtxStrings(const TWtxStrings&) = delete;
  TWtxStrings& operator=(const TWtxStrings&) = delete;

  // The list as 8-bit strings in the adapter's code page.
  TAnsiStrings& AnsiStrings();
  // Replaces the items with Value's (converted).
  void SetAnsiStrings(const platform::TStrings& Value);

  // With a byte-order mark: FF FE (UTF-16LE), FE FF (UTF-16BE) or EF BB BF
  // (UTF-8) is recognised and skipped; text without one is 8-bit text in
  // the system's ANSI code page.
  void LoadFromStream(platform::TStream& Stream) override;
  // UTF-16LE after the mark FF FE.
  void SaveToStream(platform::TStream& Stream) const override;
  // Without WithBOM the bytes are UTF-16LE text.
  virtual void LoadFromStream_BOM(platform::TStream& Stream, bool WithBOM);
  virtual void SaveToStream_BOM(platform::TStream& Stream, bool WithBOM) const;

  // Also reads, never writes, the older forms "WideStrings" (as "Strings"),
  // "WideStringsW" (UTF-8 strings) and "WideStrings_UTF7" (UTF-7 strings);
  // the last two are companions that the 8-bit items take precedence over,
  // so their values are read and dropped.
  void DefineProperties(platform::TFiler* Filer) override;

 private:
  std::unique_ptr<TAnsiStringsForWideStringsAdapter> ansiStrings_;
};

}  // namespace widetext
