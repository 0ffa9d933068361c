#include "widetext/codepage.h"

#include <charconv>

#include "platform/core/os/version.h"
#include "platform/core/text/codepages.h"
#include "widetext/utf7.h"
#include "widetext/utf8.h"

namespace widetext {
namespace {

std::uint32_t InitialSystemCodePage() {
  const platform::OSVERSIONINFO version = platform::GetVersionEx();
  if (version.PlatformId == platform::VER_PLATFORM_WIN32_NT && version.MajorVersion >= 5) {
    return platform::CP_THREAD_ACP;
  }
  return LCIDToCodePage(platform::GetThreadLocale());
}

}  // namespace

std::uint32_t DefaultSystemCodePage = InitialSystemCodePage();

namespace {

// Made after DefaultSystemCodePage, whose value it keeps.
const std::uint32_t g_startCodePage = DefaultSystemCodePage;

}  // namespace

void FinishCodePages() { DefaultSystemCodePage = g_startCodePage; }

std::u16string StringToWideStringEx(std::string_view S, std::uint32_t CodePage) {
  if (CodePage == CP_UTF7) return UTF7ToWideString(S);
  if (CodePage == CP_UTF8) return UTF8Decode(S);
  if (S.empty() || S.size() > INT32_MAX) return {};
  const int sourceLength = static_cast<int>(S.size());
  const int length = platform::MultiByteToWideChar(CodePage, 0, S.data(), sourceLength, nullptr, 0);
  if (length <= 0) return {};
  std::u16string out(static_cast<std::size_t>(length), u'\0');
  if (platform::MultiByteToWideChar(CodePage, 0, S.data(), sourceLength, out.data(), length) != length) return {};
  return out;
}

std::string WideStringToStringEx(std::u16string_view WS, std::uint32_t CodePage) {
  if (CodePage == CP_UTF7) return WideStringToUTF7(WS);
  if (CodePage == CP_UTF8) return UTF8Encode(WS);
  if (WS.empty() || WS.size() > INT32_MAX) return {};
  const int sourceLength = static_cast<int>(WS.size());
  const int length = platform::WideCharToMultiByte(CodePage, 0, WS.data(), sourceLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  if (platform::WideCharToMultiByte(CodePage, 0, WS.data(), sourceLength, out.data(), length, nullptr, nullptr) !=
      length) {
    return {};
  }
  return out;
}

std::uint32_t LCIDToCodePage(platform::LCID Locale) {
  char buffer[6] = {};
  if (platform::GetLocaleInfoA(Locale, platform::LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer) > 0) {
    std::uint32_t codePage = 0;
    const std::string_view text(buffer);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty()) return codePage;
  }
  return platform::GetACP();
}

std::uint32_t KeyboardCodePage() {
  return LCIDToCodePage(static_cast<platform::LCID>(platform::GetKeyboardLayout(0) & 0xFFFF));
}

char16_t KeyUnicode(char16_t C) {
  if (C >= 256) return C;
  const char byte = static_cast<char>(C);
  char16_t result = C;
  platform::MultiByteToWideChar(KeyboardCodePage(), platform::MB_USEGLYPHCHARS, &byte, 1, &result, 1);
  return result;
}

void StrSwapByteOrder(char16_t* P) {
  for (; *P; ++P) *P = static_cast<char16_t>((*P >> 8) | (*P << 8));
}

}  // namespace widetext
