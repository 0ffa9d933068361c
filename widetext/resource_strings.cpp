#include "widetext/resource_strings.h"

#include <cstring>
#include <string_view>

#include "platform/core/text/codepages.h"
#include "platform/core/text/string_resources.h"
#include "widetext/codepage.h"
#include "widetext/utf8.h"

namespace widetext {

int WideApiLoadString(platform::HMODULE Instance, std::uint32_t Id, char16_t* Buffer, int BufferMax) {
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
