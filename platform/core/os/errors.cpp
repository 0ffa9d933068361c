#include "platform/core/os/errors.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/core/text/cp1252.h"

namespace platform {
namespace {

thread_local std::uint32_t t_lastError = ERROR_SUCCESS;

// errno values without a platform counterpart keep their own number in the
// application-defined code range, so their system text stays exact.
constexpr std::uint32_t kErrnoCodeFlag = 0x20000000;

struct ErrnoCode {
  int Errno;
  std::uint32_t Code;
};

// The first entry for a code also gives its text.
constexpr ErrnoCode kErrnoCodes[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EBADF, ERROR_INVALID_HANDLE},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EROFS, ERROR_WRITE_PROTECT},
    {ENOSPC, ERROR_HANDLE_DISK_FULL},
    {EOPNOTSUPP, ERROR_NOT_SUPPORTED},
    {EEXIST, ERROR_FILE_EXISTS},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {EPIPE, ERROR_BROKEN_PIPE},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {EBUSY, ERROR_BUSY},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
};

struct CodeText {
  std::uint32_t Code;
  std::string_view Text;
};

// Codes whose text is not that of the errno behind them, or that have none.
constexpr CodeText kOwnTexts[] = {
    {ERROR_PATH_NOT_FOUND, "The path was not found"},
    {ERROR_SHARING_VIOLATION, "The file is open in a mode that does not allow this access"},
    {ERROR_INSUFFICIENT_BUFFER, "The buffer is too small for the result"},
    {ERROR_INVALID_NAME, "The file name is not valid"},
    {ERROR_NEGATIVE_SEEK, "A position before the start of the file was requested"},
    {ERROR_INVALID_FLAGS, "Invalid flags"},
    {ERROR_NO_UNICODE_TRANSLATION, "The text has no mapping in the code page"},
    {ERROR_RESOURCE_NAME_NOT_FOUND, "The resource was not found"},
    {ERROR_MOD_NOT_FOUND, "The module was not found"},
    {ERROR_PROC_NOT_FOUND, "The procedure was not found"},
};

std::u16string ErrnoText(int Value) {
  // strerrordesc_np gives no text (rather than "Unknown error") for numbers
  // the C library does not know.
  const char* text = strerrordesc_np(Value);
  if (!text) return {};
  return Cp1252ToUtf16(text);
}

}  // namespace

std::uint32_t GetLastError() { return t_lastError; }

void SetLastError(std::uint32_t Code) { t_lastError = Code; }

std::uint32_t ErrorFromErrno(int ErrnoValue) {
  if (ErrnoValue == 0) return ERROR_SUCCESS;
  for (const ErrnoCode& entry : kErrnoCodes) {
    if (entry.Errno == ErrnoValue) return entry.Code;
  }
  return kErrnoCodeFlag | static_cast<std::uint32_t>(ErrnoValue);
}

std::uint32_t SetLastErrorFromErrno() {
  const std::uint32_t code = ErrorFromErrno(errno);
  SetLastError(code);
  return code;
}

std::u16string SystemErrorText(std::uint32_t Code) {
  if (Code == ERROR_SUCCESS) return u"The operation completed successfully";
  if (Code & kErrnoCodeFlag) return ErrnoText(static_cast<int>(Code & ~kErrnoCodeFlag));
  for (const CodeText& entry : kOwnTexts) {
    if (entry.Code == Code) return Cp1252ToUtf16(entry.Text);
  }
  for (const ErrnoCode& entry : kErrnoCodes) {
    if (entry.Code == Code) return ErrnoText(entry.Errno);
  }
  return {};
}

}  // namespace platform
