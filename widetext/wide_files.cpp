#include "widetext/wide_files.h"

#include <algorithm>
#include <string>

#include "platform/core/os/errors.h"
#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

constexpr std::u16string_view kPathDelimiter = u"/";

constexpr std::uint32_t kAccessModes[] = {
    platform::GENERIC_READ,
    platform::GENERIC_WRITE,
    platform::GENERIC_READ | platform::GENERIC_WRITE,
};

constexpr std::uint32_t kShareModes[] = {
    0,  // compatible
    0,  // exclusive
    platform::FILE_SHARE_READ,
    platform::FILE_SHARE_WRITE,
    platform::FILE_SHARE_READ | platform::FILE_SHARE_WRITE,
};

// What the 8-bit path call writes into.
constexpr std::size_t kAnsiPathBuffer = 520;

std::string AnsiName(std::u16string_view FileName) { return WideStringToStringEx(FileName, platform::CP_ACP); }

}  // namespace

std::uint32_t WideApiGetFullPathName(std::u16string_view FileName, std::uint32_t BufferLength, char16_t* Buffer,
                                     char16_t** FilePart) {
  if (Win32PlatformIsUnicode) {
    const std::u16string name(FileName);
    return platform::GetFullPathNameW(name.c_str(), BufferLength, Buffer, FilePart);
  }
  if (FilePart) *FilePart = nullptr;
  char ansi[kAnsiPathBuffer];
  char* ansiFilePart = nullptr;
  const std::uint32_t length =
      platform::GetFullPathNameA(AnsiName(FileName).c_str(), sizeof ansi, ansi, FilePart ? &ansiFilePart : nullptr);
  if (length == 0 || length >= sizeof ansi) return length;
  const std::u16string result = StringToWideStringEx(std::string_view(ansi, length), platform::CP_ACP);
  if (BufferLength <= result.size()) {
    if (Buffer && BufferLength > 0) Buffer[0] = u'\0';
    return static_cast<std::uint32_t>(result.size() + 1);
  }
  std::copy(result.begin(), result.end(), Buffer);
  Buffer[result.size()] = u'\0';
  if (FilePart && ansiFilePart) {
    // Counted again in the wide text: a character of the code page may be
    // more than one byte wide in another.
    *FilePart = Buffer + StringToWideStringEx(std::string_view(ansi, ansiFilePart - ansi), platform::CP_ACP).size();
  }
  return static_cast<std::uint32_t>(result.size());
}

platform::HANDLE WideApiCreateFile(std::u16string_view FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes) {
  if (!Win32PlatformIsUnicode) {
    return platform::CreateFileA(AnsiName(FileName).c_str(), DesiredAccess, ShareMode, CreationDisposition,
                                 FlagsAndAttributes);
  }
  const std::u16string name(FileName);
  return platform::CreateFileW(name.c_str(), DesiredAccess, ShareMode, CreationDisposition, FlagsAndAttributes);
}

std::u16string WideExpandFileName(std::u16string_view FileName) {
  // Asked for its length first, the result is never cut to a fixed buffer.
  const std::uint32_t needed = WideApiGetFullPathName(FileName, 0, nullptr, nullptr);
  if (needed == 0) return std::u16string(FileName);
  std::u16string result(needed, u'\0');
  const std::uint32_t length = WideApiGetFullPathName(FileName, needed, result.data(), nullptr);
  if (length == 0 || length >= needed) return std::u16string(FileName);
  result.resize(length);
  return result;
}

platform::HANDLE WideFileCreate(std::u16string_view FileName) {
  return WideApiCreateFile(FileName, platform::GENERIC_READ | platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS,
                           platform::FILE_ATTRIBUTE_NORMAL);
}

platform::HANDLE WideFileOpen(std::u16string_view FileName, std::uint16_t Mode) {
  const std::size_t access = Mode & 3u;
  const std::size_t share = (Mode & 0xF0u) >> 4;
  if (access >= std::size(kAccessModes) || share >= std::size(kShareModes)) {
    platform::SetLastError(platform::ERROR_INVALID_PARAMETER);
    return platform::INVALID_HANDLE_VALUE;
  }
  return WideApiCreateFile(FileName, kAccessModes[access], kShareModes[share], platform::OPEN_EXISTING,
                           platform::FILE_ATTRIBUTE_NORMAL);
}

bool WideIsPathDelimiter(std::u16string_view S, int Index) { return WideIsDelimiter(kPathDelimiter, S, Index); }

std::u16string WideExtractFileExt(std::u16string_view FileName) {
  const int i = WideLastDelimiter(u"./", FileName);
  if (i > 0 && FileName[static_cast<std::size_t>(i - 1)] == u'.') return std::u16string(FileName.substr(i - 1));
  return {};
}

}  // namespace widetext
