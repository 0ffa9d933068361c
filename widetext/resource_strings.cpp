#include "widetext/resource_strings.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/core/text/codepages.h"
#include "platform/core/text/string_resources.h"
#include "widetext/codepage.h"
#include "widetext/platform_flags.h"
#include "widetext/utf8.h"

namespace widetext {

namespace {

// Without the wide string loader the table is read as the resource that
// holds it: blocks of sixteen texts, each its length and its units.
int LoadStringFromBlock(platform::HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax) {
  constexpr std::uint32_t kTextsPerBlock = 16;
  const platform::HRSRC resource = platform::FindResourceA(Instance, Id / kTextsPerBlock + 1, platform::RT_STRING);
  if (!resource) return 0;
  const platform::HGLOBAL data = platform::LoadResource(Instance, resource);
  if (!data) return 0;
  const auto* p = static_cast<const std::uint16_t*>(platform::LockResource(data));
  if (!p) return 0;
  for (std::uint32_t skip = Id % kTextsPerBlock; skip > 0; --skip) p += 1 + *p;
  const int length = *p++;
  if (!Buffer || BufferMax < 1) return length;
  const int copied = std::min(BufferMax - 1, length);
  std::copy_n(p, copied, Buffer);
  Buffer[copied] = u'\0';
  return copied;
}

}  // namespace

int WideApiLoadString(platform::HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax) {
  if (!Win32PlatformIsUnicode) return LoadStringFromBlock(Instance, Id, Buffer, BufferMax);
  return platform::LoadStringW(Instance, Id, Buffer, BufferMax);
}

std::u16string WideLoadResString(const TResStringRec* ResStringRec) {
  if (!ResStringRec) return {};
  if (ResStringRec->Text) {
    const std::string_view text(ResStringRec->Text);
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.size() > kUtf8Mark.size() && text.starts_with(kUtf8Mark)) return UTF8Decode(text.substr(3));
    return StringToWideStringEx(text, platform::CP_ACP);
  }
  // The length first, so that no text is cut to a fixed buffer.
  const int length = WideApiLoadString(nullptr, ResStringRec->Identifier, nullptr, 0);
  if (length <= 0) return {};
  std::u16string result(static_cast<std::size_t>(length) + 1, u'\0');
  result.resize(static_cast<std::size_t>(
      WideApiLoadString(nullptr, ResStringRec->Identifier, result.data(), static_cast<int>(result.size()))));
  return result;
}

}  // namespace widetext
