#include "platform/core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/codepages.h"
#include "platform/core/errors.h"

namespace platform {
namespace {

struct OpenFile {
  HANDLE Handle;
  dev_t Device;
  ino_t Inode;
  std::uint32_t Access;
  std::uint32_t Share;
};

std::mutex g_filesMutex;
std::vector<OpenFile> g_openFiles;

bool Conflicts(const OpenFile& existing, std::uint32_t access, std::uint32_t share) {
  const auto denies = [](std::uint32_t wanted, std::uint32_t shared) {
    return ((wanted & GENERIC_READ) && !(shared & FILE_SHARE_READ)) ||
           ((wanted & GENERIC_WRITE) && !(shared & FILE_SHARE_WRITE));
  };
  return denies(access, existing.Share) || denies(existing.Access, share);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The file system's form of a name; false for a name with a lone surrogate,
// which has no form there.
bool ToFileSystemName(std::u16string_view name, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < name.size(); ++i) {
    std::uint32_t c = name[i];
    if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return false;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return true;
}

bool CurrentDirectory(std::u16string& out) {
  std::vector<char> buffer(PATH_MAX);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return false;
    buffer.resize(buffer.size() * 2);
  }
  const int length = MultiByteToWideChar(CP_UTF8, 0, buffer.data(), -1, nullptr, 0);
  if (length <= 0) return false;
  out.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(CP_UTF8, 0, buffer.data(), -1, out.data(), length);
  out.pop_back();
  return true;
}

bool Registered(HANDLE handle) {
  for (const OpenFile& file : g_openFiles) {
    if (file.Handle == handle) return true;
  }
  return false;
}

bool CheckHandle(HANDLE handle) {
  std::lock_guard lock(g_filesMutex);
  if (Registered(handle)) return true;
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
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

  // The sharing check and the truncation happen under one lock, so no other
  // handle of this process can slip in between.
  std::lock_guard lock(g_filesMutex);
  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) {
    SetLastErrorFromErrno();
    return INVALID_HANDLE_VALUE;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const bool isDirectory = S_ISDIR(info.st_mode);
    const std::uint32_t error = isDirectory ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno);
    close(fd);
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  for (const OpenFile& file : g_openFiles) {
    if (file.Device == info.st_dev && file.Inode == info.st_ino && Conflicts(file, DesiredAccess, ShareMode)) {
      close(fd);
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
  }
  if (truncate && ftruncate(fd, 0) != 0) {
    const std::uint32_t error = ErrorFromErrno(errno);
    close(fd);
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  g_openFiles.push_back(OpenFile{fd, info.st_dev, info.st_ino, DesiredAccess, ShareMode});
  SetLastError(ERROR_SUCCESS);
  return fd;
}

bool CloseHandle(HANDLE Handle) {
  std::lock_guard lock(g_filesMutex);
  for (auto it = g_openFiles.begin(); it != g_openFiles.end(); ++it) {
    if (it->Handle == Handle) {
      g_openFiles.erase(it);
      close(static_cast<int>(Handle));
      return true;
    }
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

bool ReadFile(HANDLE Handle, void* Buffer, std::uint32_t BytesToRead, std::uint32_t* BytesRead) {
  if (BytesRead) *BytesRead = 0;
  if (!CheckHandle(Handle)) return false;
  auto* out = static_cast<char*>(Buffer);
  std::uint32_t total = 0;
  while (total < BytesToRead) {
    const ssize_t n = read(static_cast<int>(Handle), out + total, BytesToRead - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno();
      if (BytesRead) *BytesRead = total;
      return false;
    }
    if (n == 0) break;
    total += static_cast<std::uint32_t>(n);
  }
  if (BytesRead) *BytesRead = total;
  return true;
}

bool WriteFile(HANDLE Handle, const void* Buffer, std::uint32_t BytesToWrite, std::uint32_t* BytesWritten) {
  if (BytesWritten) *BytesWritten = 0;
  if (!CheckHandle(Handle)) return false;
  const auto* in = static_cast<const char*>(Buffer);
  std::uint32_t total = 0;
  while (total < BytesToWrite) {
    const ssize_t n = write(static_cast<int>(Handle), in + total, BytesToWrite - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno();
      if (BytesWritten) *BytesWritten = total;
      return false;
    }
    total += static_cast<std::uint32_t>(n);
  }
  if (BytesWritten) *BytesWritten = total;
  return true;
}

bool SetFilePointerEx(HANDLE Handle, std::int64_t DistanceToMove, std::int64_t* NewFilePointer,
                      std::uint32_t MoveMethod) {
  if (!CheckHandle(Handle)) return false;
  int whence = SEEK_SET;
  switch (MoveMethod) {
    case FILE_BEGIN:
      break;
    case FILE_CURRENT:
      whence = SEEK_CUR;
      break;
    case FILE_END:
      whence = SEEK_END;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return false;
  }
  const off_t position = lseek(static_cast<int>(Handle), DistanceToMove, whence);
  if (position < 0) {
    SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ErrorFromErrno(errno));
    return false;
  }
  if (NewFilePointer) *NewFilePointer = position;
  return true;
}

bool SetEndOfFile(HANDLE Handle) {
  if (!CheckHandle(Handle)) return false;
  const off_t position = lseek(static_cast<int>(Handle), 0, SEEK_CUR);
  if (position < 0 || ftruncate(static_cast<int>(Handle), position) != 0) {
    SetLastErrorFromErrno();
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

}  // namespace platform
