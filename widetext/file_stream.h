#pragma once
// A file stream opened by a UTF-16 file name.

#include <cstdint>
#include <string_view>

#include "platform/core/classes/streams.h"

namespace widetext {

class TWtxFileStream : public platform::THandleStream {
 public:
  // fmCreate creates (or empties) the file; any other mode opens it with
  // that access and sharing. Failures raise EFCreateError or EFOpenError
  // naming the full path and the system's reason (UTF-8 text).
  TWtxFileStream(std::u16string_view FileName, std::uint16_t Mode);
  ~TWtxFileStream() override;
  TWtxFileStream(const TWtxFileStream&) = delete;
  TWtxFileStream& operator=(const TWtxFileStream&) = delete;
};

}  // namespace widetext
