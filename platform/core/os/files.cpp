#include "platform/core/os/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/os/errors.h"
#include "platform/core/text/codepages.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/text/utf16.h"

namespace platform {
namespace {

int ShareLock(std::uint32_t Share) {
  if ((Share & (FILE_SHARE_READ | FILE_SHARE_WRITE)) == (FILE_SHARE_READ | FILE_SHARE_WRITE)) return 0;
  return (Share & FILE_SHARE_READ) ? LOCK_SH : LOCK_EX;
}

// The file system's form of a name; false for a name with a lone surrogate,
// which has no form there.
bool ToFileSystemName(std::u16string_view Name, std::string& Out) {
  Out.clear();
  for (std::size_t i = 0; i < Name.size(); ++i) {
    std::uint32_t c = Name[i];
    if (IsHighSurrogate(Name[i]) && i + 1 < Name.size() && IsLowSurrogate(Name[i + 1])) {
      c = CombineSurrogates(c, Name[i + 1]);
      ++i;
    } else if (IsSurrogate(c)) {
      return false;
    }
    AppendUtf8(Out, c);
  }
  return true;
}

bool CurrentDirectory(std::u16string& Out) {
  std::vector<char> buffer(PATH_MAX);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return false;
    buffer.resize(buffer.size() * 2);
  }
  const int length = MultiByteToWideChar(CP_UTF8, 0, buffer.data(), -1, nullptr, 0);
  if (length <= 0) return false;
  Out.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(CP_UTF8, 0, buffer.data(), -1, Out.data(), length);
  Out.pop_back();
  return true;
}

}  // namespace

HANDLE CreateFileW(const char16_t* FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                   std::uint32_t CreationDisposition, std::uint32_t) {
  if (!FileName || !*FileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::string path;
  if (!ToFileSystemName(FileName, path)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  int flags = O_CLOEXEC;
  if ((DesiredAccess & GENERIC_READ) && (DesiredAccess & GENERIC_WRITE)) {
    flags |= O_RDWR;
  } else if (DesiredAccess & GENERIC_WRITE) {
    flags |= O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  bool truncate = false;
  switch (CreationDisposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT;
      truncate = true;
      break;
    case OPEN_EXISTING:
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case TRUNCATE_EXISTING:
      if (!(DesiredAccess & GENERIC_WRITE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      truncate = true;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }

  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return INVALID_HANDLE_VALUE;
  }
  const auto fail = [fd](std::uint32_t Error) {
    close(fd);
    SetLastError(Error);
    return INVALID_HANDLE_VALUE;
  };
  struct stat info {};
  if (fstat(fd, &info) != 0) return fail(ErrorFromErrno(errno));
  if (S_ISDIR(info.st_mode)) return fail(ERROR_ACCESS_DENIED);
  // The lock comes before the truncation, so a file that another handle
  // holds keeps its contents.
  if (const int lock = ShareLock(ShareMode); lock != 0 && flock(fd, lock | LOCK_NB) != 0) {
    return fail(errno == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : ErrorFromErrno(errno));
  }
  if (truncate && ftruncate(fd, 0) != 0) return fail(ErrorFromErrno(errno));
  SetLastError(ERROR_SUCCESS);
  return static_cast<HANDLE>(fd);
}

bool CloseHandle(HANDLE Handle) {
  if (Handle > INT_MAX || close(static_cast<int>(Handle)) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return true;
}

std::uint32_t GetFullPathNameW(const char16_t* FileName, std::uint32_t BufferLength, char16_t* Buffer,
                               char16_t** FilePart) {
  if (FilePart) *FilePart = nullptr;
  if (!FileName || !*FileName) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  const std::u16string_view name(FileName);
  std::u16string full;
  if (name.front() != u'/') {
    if (!CurrentDirectory(full)) {
      SetLastErrorFromErrno();
      return 0;
    }
    full.push_back(u'/');
  }
  full.append(name);

  std::vector<std::u16string_view> parts;
  const std::u16string_view view(full);
  std::size_t start = 0;
  while (start <= view.size()) {
    std::size_t end = view.find(u'/', start);
    if (end == std::u16string_view::npos) end = view.size();
    const std::u16string_view part = view.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::u16string result;
  for (const std::u16string_view part : parts) {
    result.push_back(u'/');
    result.append(part);
  }
  if (result.empty() || name.back() == u'/') result.push_back(u'/');

  if (result.size() + 1 > BufferLength) return static_cast<std::uint32_t>(result.size() + 1);
  std::memcpy(Buffer, result.c_str(), (result.size() + 1) * sizeof(char16_t));
  if (FilePart && result.back() != u'/') *FilePart = Buffer + result.rfind(u'/') + 1;
  return static_cast<std::uint32_t>(result.size());
}

HANDLE CreateFileA(const char* FileName, std::uint32_t DesiredAccess, std::uint32_t ShareMode,
                   std::uint32_t CreationDisposition, std::uint32_t FlagsAndAttributes) {
  const std::u16string name = Cp1252ToUtf16(FileName ? FileName : "");
  return CreateFileW(name.c_str(), DesiredAccess, ShareMode, CreationDisposition, FlagsAndAttributes);
}

std::uint32_t GetFullPathNameA(const char* FileName, std::uint32_t BufferLength, char* Buffer, char** FilePart) {
  if (FilePart) *FilePart = nullptr;
  const std::u16string name = Cp1252ToUtf16(FileName ? FileName : "");
  const std::uint32_t needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return 0;
  std::u16string full(needed, u'\0');
  full.resize(GetFullPathNameW(name.c_str(), needed, full.data(), nullptr));
  const std::string ansi = Utf16ToCp1252(full);
  if (ansi.empty()) return 0;
  if (!Buffer || BufferLength <= ansi.size()) return static_cast<std::uint32_t>(ansi.size() + 1);
  std::memcpy(Buffer, ansi.c_str(), ansi.size() + 1);
  if (FilePart && ansi.back() != '/') *FilePart = Buffer + ansi.rfind('/') + 1;
  return static_cast<std::uint32_t>(ansi.size());
}

}  // namespace platform
