#include "platform/core/classes/strings.h"

#include <utility>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/sorted_items.h"
#include "platform/core/classes/streams.h"

namespace platform {
namespace {

bool NeedsQuotes(const std::string& S, char Delimiter, char Quote) {
  if (S.empty()) return true;
  for (char c : S) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || c == Quote || c == Delimiter) return true;
  }
  return false;
}

std::string Quoted(const std::string& S, char Quote) {
  std::string out(1, Quote);
  for (char c : S) {
    out += c;
    if (c == Quote) out += c;
  }
  out += Quote;
  return out;
}

bool IsBlank(char C) {
  const auto u = static_cast<unsigned char>(C);
  return u >= 1 && u <= ' ';
}

}  // namespace

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

void TStrings::Put(int Index, const std::string& S) {
  TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const { return AnsiCompareText(S1, S2); }

int TStrings::Add(const std::string& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < Strings.GetCount(); ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    const std::string s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    const std::string s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (CompareStrings(Get(i), S) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const std::string s = Get(i);
    const auto p = s.find(NameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetObject(i) == AObject) return i;
  }
  return -1;
}

bool TStrings::Equals(const TStrings& Strings) const {
  if (GetCount() != Strings.GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i) {
    if (Get(i) != Strings.Get(i)) return false;
  }
  return true;
}

std::string TStrings::GetTextStr() const {
  std::string out;
  std::size_t size = 0;
  for (int i = 0; i < GetCount(); ++i) size += Get(i).size() + 2;
  out.reserve(size);
  for (int i = 0; i < GetCount(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetTextStr(std::string_view Value) {
  BeginUpdate();
  try {
    Clear();
    std::size_t p = 0;
    const std::size_t end = std::min(Value.find('\0'), Value.size());
    while (p < end) {
      const std::size_t start = p;
      while (p < end && Value[p] != '\r' && Value[p] != '\n') ++p;
      Add(std::string(Value.substr(start, p - start)));
      if (p < end && Value[p] == '\r') ++p;
      if (p < end && Value[p] == '\n') ++p;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const {
  const int count = GetCount();
  if (count == 1 && Get(0).empty()) return std::string(2, QuoteChar);
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += Delimiter;
    const std::string s = Get(i);
    out += NeedsQuotes(s, Delimiter, QuoteChar) ? Quoted(s, QuoteChar) : s;
  }
  return out;
}

void TStrings::SetDelimitedText(std::string_view Value) {
  BeginUpdate();
  try {
    Clear();
    const std::size_t end = std::min(Value.find('\0'), Value.size());
    std::size_t p = 0;
    while (p < end && IsBlank(Value[p])) ++p;
    while (p < end) {
      std::string s;
      if (Value[p] == QuoteChar) {
        // A quoted item: doubled quotes stand for one; an unclosed quote
        // takes the rest of the text.
        ++p;
        while (p < end) {
          if (Value[p] == QuoteChar) {
            if (p + 1 < end && Value[p + 1] == QuoteChar) {
              s += QuoteChar;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += Value[p++];
        }
      } else {
        const std::size_t start = p;
        while (p<end&& static_cast<unsigned char>(Value[p])> ' ' && Value[p] != Delimiter) ++p;
        s = std::string(Value.substr(start, p - start));
      }
      Add(s);
      while (p < end && IsBlank(Value[p])) ++p;
      if (p < end && Value[p] == Delimiter) {
        if (p + 1 == end) Add("");
        do {
          ++p;
        } while (p < end && IsBlank(Value[p]));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  TStrings& self = const_cast<TStrings&>(*this);
  const char delimiter = std::exchange(self.Delimiter, ',');
  const char quote = std::exchange(self.QuoteChar, '"');
  std::string out = DelimitedText();
  self.Delimiter = delimiter;
  self.QuoteChar = quote;
  return out;
}

void TStrings::SetCommaText(std::string_view Value) {
  const char delimiter = std::exchange(Delimiter, ',');
  const char quote = std::exchange(QuoteChar, '"');
  try {
    SetDelimitedText(Value);
  } catch (...) {
    Delimiter = delimiter;
    QuoteChar = quote;
    throw;
  }
  Delimiter = delimiter;
  QuoteChar = quote;
}

std::string TStrings::Names(int Index) const {
  const std::string s = Get(Index);
  const auto p = s.find(NameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const {
  const std::string s = Get(Index);
  const auto p = s.find(NameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(const std::string& Name) const {
  const int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
  const int i = IndexOfName(Name);
  if (!Value.empty()) {
    const std::string item = Name + NameValueSeparator + Value;
    if (i < 0) {
      Add(item);
    } else {
      Put(i, item);
    }
  } else if (i >= 0) {
    Delete(i);
  }
}

void TStrings::LoadFromStream(TStream& Stream) {
  BeginUpdate();
  try {
    const std::int64_t size = Stream.Size() - Stream.Position();
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    text.resize(static_cast<std::size_t>(Stream.Read(text.data(), static_cast<std::int64_t>(text.size()))));
    SetTextStr(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SaveToStream(TStream& Stream) const {
  const std::string text = GetTextStr();
  Stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(stream);
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
  if (const auto* src = dynamic_cast<const TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      Delimiter = src->Delimiter;
      QuoteChar = src->QuoteChar;
      NameValueSeparator = src->NameValueSeparator;
      AddStrings(*src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::DefineProperties(TFiler* Filer) {
  bool hasData = GetCount() > 0;
  if (const auto* ancestor = dynamic_cast<const TStrings*>(Filer->Ancestor)) hasData = !Equals(*ancestor);
  Filer->DefineProperty(
      "Strings",
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        BeginUpdate();
        try {
          Clear();
          while (!Reader.EndOfList()) Add(Reader.ReadString());
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
        Reader.ReadListEnd();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) Writer.WriteString(Get(i));
        Writer.WriteListEnd();
      },
      hasData);
}

void TStrings::Error(const char* Message, int Data) {
  std::string text = Message;
  const auto p = text.find("%d");
  if (p != std::string::npos) text.replace(p, 2, std::to_string(Data));
  throw EStringListError(text);
}

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::Check(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

std::string TStringList::Get(int Index) const {
  Check(Index);
  return items_[static_cast<std::size_t>(Index)].String;
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  items_.shrink_to_fit();
  Changed();
}

void TStringList::Delete(int Index) {
  Check(Index);
  Changing();
  items_.erase(items_.begin() + Index);
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, AObject);
}

TObject* TStringList::GetObject(int Index) const {
  Check(Index);
  return items_[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  Check(Index);
  Changing();
  items_[static_cast<std::size_t>(Index)].Object = AObject;
  Changed();
}

void TStringList::Put(int Index, const std::string& S) {
  if (sorted_) Error("Operation not allowed on sorted list", 0);
  Check(Index);
  Changing();
  items_[static_cast<std::size_t>(Index)].String = S;
  Changed();
}

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity > GetCount()) items_.reserve(static_cast<std::size_t>(NewCapacity));
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int index = GetCount();
  if (sorted_ && Find(S, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) Error("String list does not allow duplicates", 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  Changing();
  std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]);
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!sorted_) return TStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  return FindSortedItem(
      GetCount(), Duplicates != dupAccept,
      [&](int I) { return CompareStrings(items_[static_cast<std::size_t>(I)].String, S); }, Index);
}

void TStringList::Sort() {
  CustomSort([](TStringList& List, int A, int B) {
    return List.CompareStrings(List.items_[static_cast<std::size_t>(A)].String,
                               List.items_[static_cast<std::size_t>(B)].String);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (sorted_ || GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare) {
  QuickSortItems(
      L, R, [&](int A, int B) { return Compare(*this, A, B); },
      [&](int A, int B) { std::swap(items_[static_cast<std::size_t>(A)], items_[static_cast<std::size_t>(B)]); });
}

void TStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

void TStringList::SetUpdateState(bool Updating) {
  // OnChanging once when the outermost bracket opens, OnChange once when it
  // closes.
  if (Updating) {
    Changing();
    updating_ = true;
  } else {
    updating_ = false;
    Changed();
  }
}

void TStringList::Changed() {
  if (!updating_ && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (!updating_ && OnChanging) OnChanging(this);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  items_.insert(items_.begin() + Index, Item{S, AObject});
  Changed();
}

}  // namespace platform
