#include "widetext/wide_string_lists.h"

#include <cstring>

#include "platform/core/classes/filer.h"
#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"
#include "widetext/file_stream.h"
#include "widetext/utf8.h"
#include "widetext/wide_strings.h"
#include "widetext/wide_zstrings.h"

namespace widetext {
namespace {

constexpr char16_t kCR = 13;
constexpr char16_t kLF = 10;
constexpr char16_t kLineSeparator = 0x2028;

// Keeps an 8-bit list's BeginUpdate bracket balanced when the work inside it
// throws.
class AnsiUpdateScope {
 public:
  explicit AnsiUpdateScope(platform::TStrings& List) : list_(List) { list_.BeginUpdate(); }
  ~AnsiUpdateScope() { list_.EndUpdate(); }
  AnsiUpdateScope(const AnsiUpdateScope&) = delete;
  AnsiUpdateScope& operator=(const AnsiUpdateScope&) = delete;

 private:
  platform::TStrings& list_;
};

std::string ToUtf16LE(std::u16string_view Text) {
  std::string bytes(Text.size() * 2, '\0');
  for (std::size_t i = 0; i < Text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(Text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(Text[i] >> 8);
  }
  return bytes;
}

std::u16string FromUtf16LE(std::string_view Bytes) {
  std::u16string text(Bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(Bytes[2 * i]) |
                                    (static_cast<unsigned char>(Bytes[2 * i + 1]) << 8));
  }
  return text;
}

std::string ReadRest(platform::TStream& Stream) {
  const std::int64_t left = Stream.Size() - Stream.Position();
  std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(left, 0)), '\0');
  bytes.resize(static_cast<std::size_t>(Stream.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()))));
  return bytes;
}

char Narrowed(char16_t C) {
  const std::string narrow = WideStringToStringEx(std::u16string_view(&C, 1), platform::CP_ACP);
  return narrow.empty() ? '?' : narrow.front();
}

char16_t Widened(char C) {
  const std::u16string wide = StringToWideStringEx(std::string_view(&C, 1), platform::CP_ACP);
  return wide.empty() ? u'?' : wide.front();
}

}  // namespace

const TResStringRec SListIndexError{0, "List index out of bounds (%d)"};
const TResStringRec SSortedListError{0, "Operation not allowed on sorted list"};
const TResStringRec SDuplicateString{0, "String list does not allow duplicates"};

int TWideStrings::GetCapacity() const { return GetCount(); }

platform::TObject* TWideStrings::GetObject(int) const { return nullptr; }

std::u16string TWideStrings::GetTextStr() const {
  const int count = GetCount();
  std::size_t size = 0;
  for (int i = 0; i < count; ++i) size += Get(i).size() + 2;
  std::u16string result;
  result.reserve(size);
  for (int i = 0; i < count; ++i) {
    result += Get(i);
    result += u"\r\n";
  }
  return result;
}

void TWideStrings::Put(int Index, const std::u16string& S) {
  platform::TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

void TWideStrings::PutObject(int, platform::TObject*) {}

void TWideStrings::SetCapacity(int) {}

void TWideStrings::SetTextStr(std::u16string_view Value) {
  const std::u16string_view text = Value.substr(0, Value.find(u'\0'));
  TWideStringsUpdateScope update(*this);
  Clear();
  std::size_t p = 0;
  while (p < text.size()) {
    const std::size_t start = p;
    while (p < text.size() && text[p] != kCR && text[p] != kLF && text[p] != kLineSeparator) ++p;
    Add(std::u16string(text.substr(start, p - start)));
    if (p < text.size() && text[p] == kCR) ++p;
    if (p < text.size() && text[p] == kLF) ++p;
    if (p < text.size() && text[p] == kLineSeparator) ++p;
  }
}

int TWideStrings::CompareStrings(std::u16string_view S1, std::u16string_view S2) const {
  return WideCompareText(S1, S2);
}

int TWideStrings::Add(const std::u16string& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TWideStrings::AddObject(const std::u16string& S, platform::TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TWideStrings::AddStrings(const platform::TStrings& Strings) {
  TWideStringsUpdateScope update(*this);
  for (int i = 0; i < Strings.GetCount(); ++i) {
    AddObject(StringToWideStringEx(Strings.Get(i), platform::CP_ACP), Strings.GetObject(i));
  }
}

void TWideStrings::AddStrings(const TWideStrings& Strings) {
  TWideStringsUpdateScope update(*this);
  for (int i = 0; i < Strings.GetCount(); ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
}

void TWideStrings::Exchange(int Index1, int Index2) {
  TWideStringsUpdateScope update(*this);
  platform::TObject* object = GetObject(Index1);
  const std::u16string text = Get(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, text);
  PutObject(Index2, object);
}

char16_t* TWideStrings::GetText() const { return WideStrNew(GetTextStr().c_str()); }

int TWideStrings::IndexOf(std::u16string_view S) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (CompareStrings(Get(i), S) == 0) return i;
  }
  return -1;
}

int TWideStrings::IndexOfName(std::u16string_view Name) const {
  const char16_t separator = NameValueSeparator();
  for (int i = 0; i < GetCount(); ++i) {
    const std::u16string item = Get(i);
    const std::size_t p = item.find(separator);
    if (p != std::u16string::npos && CompareStrings(std::u16string_view(item).substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TWideStrings::IndexOfObject(const platform::TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetObject(i) == AObject) return i;
  }
  return -1;
}

void TWideStrings::InsertObject(int Index, const std::u16string& S, platform::TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TWideStrings::LoadFromFile(const std::u16string& FileName) {
  TWtxFileStream stream(FileName, platform::fmOpenRead | platform::fmShareDenyWrite);
  LoadFromStream(stream);
}

void TWideStrings::LoadFromStream(platform::TStream& Stream) {
  TWideStringsUpdateScope update(*this);
  SetTextStr(FromUtf16LE(ReadRest(Stream)));
}

void TWideStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  TWideStringsUpdateScope update(*this);
  const std::u16string text = Get(CurIndex);
  platform::TObject* object = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, text, object);
}

void TWideStrings::SaveToFile(const std::u16string& FileName) const {
  TWtxFileStream stream(FileName, platform::fmCreate);
  SaveToStream(stream);
}

void TWideStrings::SaveToStream(platform::TStream& Stream) const {
  const std::string bytes = ToUtf16LE(GetTextStr());
  Stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TWideStrings::SetText(const char16_t* Text) { SetTextStr(WideStrToString(Text)); }

char16_t TWideStrings::Delimiter() const {
  defined_ |= sdDelimiter;
  return delimiter_;
}

void TWideStrings::SetDelimiter(char16_t Value) {
  delimiter_ = Value;
  defined_ |= sdDelimiter;
}

char16_t TWideStrings::QuoteChar() const {
  defined_ |= sdQuoteChar;
  return quoteChar_;
}

void TWideStrings::SetQuoteChar(char16_t Value) {
  quoteChar_ = Value;
  defined_ |= sdQuoteChar;
}

char16_t TWideStrings::NameValueSeparator() const {
  defined_ |= sdNameValueSeparator;
  return nameValueSeparator_;
}

void TWideStrings::SetNameValueSeparator(char16_t Value) {
  nameValueSeparator_ = Value;
  defined_ |= sdNameValueSeparator;
}

void TWideStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TWideStrings::SetUpdateState(bool) {}

void TWideStrings::Assign(const platform::TPersistent* Source) {
  if (Source == this) return;
  if (const auto* wide = dynamic_cast<const TWideStrings*>(Source)) {
    TWideStringsUpdateScope update(*this);
    Clear();
    defined_ = wide->defined_;
    delimiter_ = wide->delimiter_;
    quoteChar_ = wide->quoteChar_;
    nameValueSeparator_ = wide->nameValueSeparator_;
    AddStrings(*wide);
    return;
  }
  if (const auto* ansi = dynamic_cast<const platform::TStrings*>(Source)) {
    TWideStringsUpdateScope update(*this);
    Clear();
    SetNameValueSeparator(Widened(ansi->NameValueSeparator));
    SetQuoteChar(Widened(ansi->QuoteChar));
    SetDelimiter(Widened(ansi->Delimiter));
    AddStrings(*ansi);
    return;
  }
  platform::TPersistent::Assign(Source);
}

void TWideStrings::AssignTo(platform::TPersistent* Dest) const {
  if (auto* wide = dynamic_cast<TWideStrings*>(Dest)) {
    wide->Assign(this);
    return;
  }
  if (auto* ansi = dynamic_cast<platform::TStrings*>(Dest)) {
    AnsiUpdateScope update(*ansi);
    ansi->Clear();
    ansi->NameValueSeparator = Narrowed(NameValueSeparator());
    ansi->QuoteChar = Narrowed(QuoteChar());
    ansi->Delimiter = Narrowed(Delimiter());
    for (int i = 0; i < GetCount(); ++i) {
      ansi->AddObject(WideStringToStringEx(Get(i), platform::CP_ACP), GetObject(i));
    }
    return;
  }
  platform::TPersistent::AssignTo(Dest);
}

void TWideStrings::DefineProperties(platform::TFiler* Filer) {
  bool hasData = GetCount() > 0;
  if (const auto* ancestor = dynamic_cast<const TWideStrings*>(Filer->Ancestor)) {
    hasData = ancestor->GetCount() != GetCount();
    for (int i = 0; !hasData && i < GetCount(); ++i) hasData = Get(i) != ancestor->Get(i);
  }
  Filer->DefineProperty(
      "Strings", [this](platform::TReader& Reader) { ReadData(Reader); },
      [this](platform::TWriter& Writer) {
        Writer.WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) Writer.WriteWideString(Get(i));
        Writer.WriteListEnd();
      },
      hasData);
}

void TWideStrings::ReadData(platform::TReader& Reader) {
  if (Reader.NextValue() != platform::vaList) {
    SetTextStr(Reader.ReadWideString());
    return;
  }
  Reader.ReadListBegin();
  {
    TWideStringsUpdateScope update(*this);
    Clear();
    while (!Reader.EndOfList()) Add(Reader.ReadWideString());
  }
  Reader.ReadListEnd();
}

void TWideStrings::Error(const TResStringRec* Msg, int Data) const {
  std::u16string message = WideLoadResString(Msg);
  if (const std::size_t p = message.find(u"%d"); p != std::u16string::npos) {
    const std::string number = std::to_string(Data);
    message.replace(p, 2, std::u16string(number.begin(), number.end()));
  }
  throw platform::EStringListError(UTF8Encode(message));
}

TWtxStrings::TWtxStrings() : ansiStrings_(std::make_unique<TAnsiStringsForWideStringsAdapter>(*this)) {}

TWtxStrings::~TWtxStrings() = default;

TAnsiStrings& TWtxStrings::AnsiStrings() { return *ansiStrings_; }

void TWtxStrings::SetAnsiStrings(const platform::TStrings& Value) { ansiStrings_->Assign(&Value); }

void TWtxStrings::LoadFromStream(platform::TStream& Stream) { LoadFromStream_BOM(Stream, true); }

void TWtxStrings::SaveToStream(platform::TStream& Stream) const { SaveToStream_BOM(Stream, true); }

void TWtxStrings::LoadFromStream_BOM(platform::TStream& Stream, bool WithBOM) {
  enum class Kind { Utf16LE, Utf16BE, Utf8, Ansi };
  TWideStringsUpdateScope update(*this);
  Kind kind = Kind::Utf16LE;
  if (WithBOM) {
    kind = Kind::Ansi;
    const std::int64_t left = Stream.Size() - Stream.Position();
    unsigned char mark[3] = {};
    // Only bytes actually read are given back.
    if (left >= 2 && Stream.Read(mark, 2) == 2) {
      if (mark[0] == 0xFF && mark[1] == 0xFE) {
        kind = Kind::Utf16LE;
      } else if (mark[0] == 0xFE && mark[1] == 0xFF) {
        kind = Kind::Utf16BE;
      } else {
        Stream.Seek(-2, platform::soCurrent);
      }
    }
    if (kind == Kind::Ansi && left >= 3 && Stream.Read(mark, 3) == 3) {
      if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
        kind = Kind::Utf8;
      } else {
        Stream.Seek(-3, platform::soCurrent);
      }
    }
  }
  const std::string bytes = ReadRest(Stream);
  switch (kind) {
    case Kind::Utf16LE:
      SetTextStr(FromUtf16LE(bytes));
      break;
    case Kind::Utf16BE: {
      std::u16string text = FromUtf16LE(bytes);
      StrSwapByteOrder(text.data());
      SetTextStr(text);
      break;
    }
    case Kind::Utf8:
      SetTextStr(UTF8Decode(bytes));
      break;
    case Kind::Ansi:
      SetTextStr(StringToWideStringEx(bytes, platform::CP_ACP));
      break;
  }
}

void TWtxStrings::SaveToStream_BOM(platform::TStream& Stream, bool WithBOM) const {
  if (WithBOM) {
    constexpr unsigned char kMark[2] = {0xFF, 0xFE};
    Stream.WriteBuffer(kMark, 2);
  }
  TWideStrings::SaveToStream(Stream);
}

void TWtxStrings::DefineProperties(platform::TFiler* Filer) {
  TWideStrings::DefineProperties(Filer);
  const auto dropList = [](platform::TReader& Reader) {
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) Reader.ReadString();
    Reader.ReadListEnd();
  };
  Filer->DefineProperty(
      "WideStrings", [this](platform::TReader& Reader) { ReadData(Reader); }, nullptr, false);
  Filer->DefineProperty("WideStringsW", dropList, nullptr, false);
  Filer->DefineProperty("WideStrings_UTF7", dropList, nullptr, false);
}

}  // namespace widetext
