#pragma once
// The class library's 8-bit string lists: TStrings, the abstract list of
// strings with attached objects, its text forms (Text, CommaText,
// DelimitedText, name=value pairs) and filing; TStringList, the concrete
// list, optionally sorted. Lists never own their objects.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/object.h"
#include "platform/core/classes/persistent.h"

namespace platform {

class TStream;

class TStrings : public TPersistent {
 public:
  virtual std::string Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const std::string& S) = 0;

  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  // Replaces the text, keeping the object.
  virtual void Put(int Index, const std::string& S);
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int) {}
  // Case-insensitive unless a list says otherwise.
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const;

  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  virtual void AddStrings(const TStrings& Strings);
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  virtual int IndexOf(const std::string& S) const;
  virtual int IndexOfName(const std::string& Name) const;
  virtual int IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings& Strings) const;

  int Count() const { return GetCount(); }
  std::string operator[](int Index) const { return Get(Index); }

  // Items each followed by CR LF.
  virtual std::string GetTextStr() const;
  // Lines end at CR, LF or CR LF; a break at the very end adds no item;
  // the text ends at a NUL byte.
  virtual void SetTextStr(std::string_view Value);
  std::string Text() const { return GetTextStr(); }
  void SetText(std::string_view Value) { SetTextStr(Value); }
  // Items joined by Delimiter; an item that is empty or holds a blank, a
  // control character, the quote or the delimiter is quoted.
  std::string DelimitedText() const;
  // Items split at Delimiter and at blanks outside quotes.
  void SetDelimitedText(std::string_view Value);
  std::string CommaText() const;
  void SetCommaText(std::string_view Value);

  char Delimiter = ',';
  char QuoteChar = '"';
  char NameValueSeparator = '=';
  std::string Names(int Index) const;
  std::string ValueFromIndex(int Index) const;
  std::string Values(const std::string& Name) const;
  // An empty value deletes the pair.
  void SetValue(const std::string& Name, const std::string& Value);

  // All bytes from the position to the end, as the text.
  virtual void LoadFromStream(TStream& Stream);
  virtual void SaveToStream(TStream& Stream) const;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(const TPersistent* Source) override;
  // Files the items as the property "Strings".
  void DefineProperties(TFiler* Filer) override;

 protected:
  virtual void SetUpdateState(bool) {}
  [[noreturn]] static void Error(const char* Message, int Data);

 private:
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList& List, int Index1, int Index2)>;

class TStringList : public TStrings {
 public:
  ~TStringList() override;

  std::string Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Put(int Index, const std::string& S) override;
  int GetCapacity() const override { return static_cast<int>(items_.capacity()); }
  // A reservation only: never drops items.
  void SetCapacity(int NewCapacity) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  int Add(const std::string& S) override { return AddObject(S, nullptr); }
  int AddObject(const std::string& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const std::string& S) const override;

  // Binary search of a sorted list: true when found; Index is the first
  // equal item (unless duplicates are accepted) or the insertion point.
  virtual bool Find(const std::string& S, int& Index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return sorted_; }
  // Setting it sorts the items.
  void SetSorted(bool Value);
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list is sorted again under the new rule.
  void SetCaseSensitive(bool Value);
  TDuplicates Duplicates = dupIgnore;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject);

 private:
  struct Item {
    std::string String;
    TObject* Object = nullptr;
  };
  void Check(int Index) const;
  void QuickSort(int L, int R, const TStringListSortCompare& Compare);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool updating_ = false;
};

}  // namespace platform
