// Feeds arbitrary bytes to the UTF-7 and UTF-8 decoders and to the list
// loader, and arbitrary UTF-16 to the encoders: nothing may read or write
// out of bounds, every UTF-16 text must survive both encodings, and a loaded
// list must save and load back to the same items.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/classes/streams.h"
#include "widetext/exceptions.h"
#include "widetext/utf7.h"
#include "widetext/utf8.h"
#include "widetext/wtx_string_list.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::u16string Units(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return text;
}

void Utf7(std::string_view bytes, const std::u16string& units) {
  std::u16string decoded;
  try {
    decoded = widetext::UTF7ToWideString(bytes);
  } catch (const widetext::EWtxGeneralError&) {
    return;
  }
  Check(decoded.size() <= bytes.size());
  Check(widetext::UTF7ToWideString(widetext::WideStringToUTF7(decoded)) == decoded);
  for (const bool optional : {false, true}) {
    for (const bool verbose : {false, true}) {
      std::string out(units.size() * 7, '\0');
      const char16_t* source = units.data();
      char* target = out.data();
      Check(widetext::WideCharToUTF7(source, units.data() + units.size(), target, out.data() + out.size(), optional,
                                     verbose) == widetext::utf7Done);
      out.resize(static_cast<std::size_t>(target - out.data()));
      Check(widetext::UTF7ToWideString(out) == units);
    }
  }
}

void Utf8(std::string_view bytes, const std::u16string& units) {
  const std::u16string decoded = widetext::UTF8Decode(bytes);
  Check(decoded.size() <= bytes.size());
  Check(widetext::UTF8Decode(widetext::UTF8Encode(units)) == units);
}

void List(std::string_view bytes) {
  widetext::TWtxStringList list;
  platform::TMemoryStream in;
  in.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  in.SetPosition(0);
  list.LoadFromStream(in);
  platform::TMemoryStream saved;
  list.SaveToStream(saved);
  saved.SetPosition(0);
  widetext::TWtxStringList again;
  again.LoadFromStream(saved);
  Check(again.Count() == list.Count());
  for (int i = 0; i < list.Count(); ++i) Check(again[i] == list[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string units = Units(bytes);
  Utf7(bytes, units);
  Utf8(bytes, units);
  List(bytes);
  return 0;
}
