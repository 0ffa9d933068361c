#include "widetext/file_stream.h"

#include "platform/core/os/errors.h"
#include "platform/core/os/files.h"
#include "widetext/error_messages.h"
#include "widetext/utf8.h"
#include "widetext/wide_files.h"

namespace widetext {
namespace {

int OpenHandle(std::u16string_view FileName, std::uint16_t Mode) {
  const bool create = Mode == platform::fmCreate;
  const platform::HANDLE handle = create ? WideFileCreate(FileName) : WideFileOpen(FileName, Mode);
  if (handle != platform::INVALID_HANDLE_VALUE) return static_cast<int>(handle);
  // The reason is taken before expanding the name can replace it.
  const std::uint32_t error = platform::GetLastError();
  const std::string message = std::string(create ? "Cannot create file \"" : "Cannot open file \"") +
                              UTF8Encode(WideExpandFileName(FileName)) + "\". " +
                              UTF8Encode(WideSysErrorMessage(static_cast<std::int32_t>(error)));
  if (create) throw platform::EFCreateError(message);
  throw platform::EFOpenError(message);
}

}  // namespace

TWtxFileStream::TWtxFileStream(std::u16string_view FileName, std::uint16_t Mode)
    : platform::THandleStream(OpenHandle(FileName, Mode)) {}

TWtxFileStream::~TWtxFileStream() {
  if (FHandle >= 0) platform::CloseHandle(FHandle);
}

}  // namespace widetext
