#include "platform/core/text/codepages.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/core/os/errors.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/text/utf16.h"

namespace platform {
namespace {

constexpr std::uint32_t kAnsiCodePage = 1252;
constexpr std::uint32_t kOemCodePage = 437;
constexpr std::uint32_t kMacCodePage = 10000;
constexpr char16_t kReplacement = 0xFFFD;

constexpr const char* kUtf16Name = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

std::uint32_t Resolve(std::uint32_t CodePage) {
  switch (CodePage) {
    case CP_ACP:
    case CP_THREAD_ACP:
      return GetACP();
    case CP_OEMCP:
      return GetOEMCP();
    case CP_MACCP:
      return kMacCodePage;
    default:
      return CodePage;
  }
}

struct NamedPage {
  std::uint32_t CodePage;
  const char* Name;
};

// Pages whose iconv name is not simply "CP<number>".
constexpr NamedPage kNamedPages[] = {
    {CP_UTF7, "UTF-7"},     {CP_UTF8, "UTF-8"},     {20127, "ASCII"},      {20866, "KOI8-R"},     {21866, "KOI8-U"},
    {10000, "MACINTOSH"},   {20932, "EUC-JP"},      {51932, "EUC-JP"},     {51949, "EUC-KR"},     {54936, "GB18030"},
    {50220, "ISO-2022-JP"}, {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"}, {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
};

std::string IconvName(std::uint32_t CodePage) {
  for (const NamedPage& page : kNamedPages) {
    if (page.CodePage == CodePage) return page.Name;
  }
  return "CP" + std::to_string(CodePage);
}

class Converter {
 public:
  Converter(const std::string& To, const std::string& From) : handle_(iconv_open(To.c_str(), From.c_str())) {}
  ~Converter() {
    if (Valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Handle() const { return handle_; }

 private:
  iconv_t handle_;
};

// Converts all of the source; a byte that starts no valid sequence becomes
// U+FFFD and conversion goes on after it.
bool DecodeWithIconv(std::uint32_t CodePage, std::string_view Source, std::u16string& Out) {
  Converter converter(kUtf16Name, IconvName(CodePage));
  if (!converter.Valid()) return false;
  Out.clear();
  std::array<char16_t, 512> chunk;
  char* in = const_cast<char*>(Source.data());
  std::size_t inLeft = Source.size();
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(chunk.data());
    std::size_t outLeft = sizeof(chunk);
    const std::size_t rc = iconv(converter.Handle(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    Out.append(chunk.data(), (sizeof(chunk) - outLeft) / sizeof(char16_t));
    if (rc != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) return false;
    Out.push_back(kReplacement);
    ++in;
    --inLeft;
    iconv(converter.Handle(), nullptr, nullptr, nullptr, nullptr);
  }
  // Stateful pages (UTF-7, ISO-2022) may hold back output until the end.
  char* outPtr = reinterpret_cast<char*>(chunk.data());
  std::size_t outLeft = sizeof(chunk);
  iconv(converter.Handle(), nullptr, nullptr, &outPtr, &outLeft);
  Out.append(chunk.data(), (sizeof(chunk) - outLeft) / sizeof(char16_t));
  return true;
}

// Converts all of the source; a character the page cannot hold (or a lone
// surrogate) becomes the replacement, a surrogate pair only once.
bool EncodeWithIconv(std::uint32_t CodePage, std::u16string_view Source, std::string_view Replacement,
                     bool& UsedDefault, std::string& Out) {
  Converter converter(IconvName(CodePage), kUtf16Name);
  if (!converter.Valid()) return false;
  Out.clear();
  std::array<char, 1024> chunk;
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(Source.data()));
  std::size_t inLeft = Source.size() * sizeof(char16_t);
  while (inLeft > 0) {
    char* outPtr = chunk.data();
    std::size_t outLeft = chunk.size();
    const std::size_t rc = iconv(converter.Handle(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    Out.append(chunk.data(), chunk.size() - outLeft);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) return false;
    const auto* unit = reinterpret_cast<const char16_t*>(in);
    std::size_t units = 1;
    if (inLeft >= 2 * sizeof(char16_t) && IsHighSurrogate(unit[0]) && IsLowSurrogate(unit[1])) units = 2;
    // A stateful page must be back in its initial state before the
    // replacement goes in.
    outPtr = chunk.data();
    outLeft = chunk.size();
    iconv(converter.Handle(), nullptr, nullptr, &outPtr, &outLeft);
    Out.append(chunk.data(), chunk.size() - outLeft);
    Out.append(Replacement);
    UsedDefault = true;
    in += units * sizeof(char16_t);
    inLeft -= units * sizeof(char16_t);
  }
  char* outPtr = chunk.data();
  std::size_t outLeft = chunk.size();
  iconv(converter.Handle(), nullptr, nullptr, &outPtr, &outLeft);
  Out.append(chunk.data(), chunk.size() - outLeft);
  return true;
}

// Copies a finished result to the caller, or reports its length when the
// caller gave no buffer.
template <typename Char>
int Deliver(const std::basic_string<Char>& Result, Char* Target, int TargetCount) {
  if (Result.size() > static_cast<std::size_t>(INT32_MAX)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  const int length = static_cast<int>(Result.size());
  if (TargetCount == 0) return length;
  if (length > TargetCount) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(Target, Result.data(), Result.size() * sizeof(Char));
  return length;
}

}  // namespace

std::uint32_t GetACP() { return kAnsiCodePage; }

std::uint32_t GetOEMCP() { return kOemCodePage; }

bool IsValidCodePage(std::uint32_t CodePage) {
  if (CodePage == kAnsiCodePage) return true;
  // The pseudo pages are not code pages of their own.
  if (CodePage == CP_ACP || CodePage == CP_OEMCP || CodePage == CP_MACCP || CodePage == CP_THREAD_ACP) return false;
  Converter converter(kUtf16Name, IconvName(CodePage));
  return converter.Valid();
}

int MultiByteToWideChar(std::uint32_t CodePage, std::uint32_t Flags, const char* MultiByteStr, int MultiByteCount,
                        char16_t* WideCharStr, int WideCharCount) {
  if (!MultiByteStr || MultiByteCount == 0 || MultiByteCount < -1 || WideCharCount < 0 ||
      (WideCharCount > 0 && !WideCharStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((Flags & ~MB_USEGLYPHCHARS) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::size_t count =
      MultiByteCount == -1 ? std::strlen(MultiByteStr) + 1 : static_cast<std::size_t>(MultiByteCount);
  const std::string_view source(MultiByteStr, count);
  const std::uint32_t page = Resolve(CodePage);
  std::u16string result;
  if (page == kAnsiCodePage) {
    result = Cp1252ToUtf16(source);
  } else if (!DecodeWithIconv(page, source, result)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Deliver(result, WideCharStr, WideCharCount);
}

int WideCharToMultiByte(std::uint32_t CodePage, std::uint32_t Flags, const char16_t* WideCharStr, int WideCharCount,
                        char* MultiByteStr, int MultiByteCount, const char* DefaultChar, bool* UsedDefaultChar) {
  if (!WideCharStr || WideCharCount == 0 || WideCharCount < -1 || MultiByteCount < 0 ||
      (MultiByteCount > 0 && !MultiByteStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (Flags != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::uint32_t page = Resolve(CodePage);
  if ((page == CP_UTF7 || page == CP_UTF8) && (DefaultChar || UsedDefaultChar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::size_t count = WideCharCount == -1 ? std::char_traits<char16_t>::length(WideCharStr) + 1
                                                : static_cast<std::size_t>(WideCharCount);
  const std::u16string_view source(WideCharStr, count);
  const char defaultChar = DefaultChar ? *DefaultChar : '?';
  std::string_view replacement(&defaultChar, 1);
  if (page == CP_UTF8) replacement = "\xEF\xBF\xBD";
  if (page == CP_UTF7) replacement = "+//0-";
  bool usedDefault = false;
  std::string result;
  if (page == kAnsiCodePage) {
    result = Utf16ToCp1252(source, defaultChar, &usedDefault);
  } else if (!EncodeWithIconv(page, source, replacement, usedDefault, result)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int written = Deliver(result, MultiByteStr, MultiByteCount);
  if (written > 0 && UsedDefaultChar) *UsedDefaultChar = usedDefault;
  return written;
}

}  // namespace platform
