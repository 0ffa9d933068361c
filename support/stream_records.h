#pragma once
// The small records the channel log and the string container keep on byte
// streams. Errors of the stream itself pass on to the caller.

#include <string>
#include <string_view>

#include "platform/core/classes/streams.h"
#include "support/date_time.h"

namespace support {

// A u16 byte count and that many bytes of UTF-16LE text. A count beyond the
// end of the stream takes what remains; an odd last byte is consumed and
// dropped.
std::u16string ReadStreamWideString(platform::TStream& Stream);

// The binary log record: the stamp (f64), the text length L (u16), L text
// bytes and a line feed, little-endian. Texts beyond 1024 bytes keep their
// first 1024; an empty text writes nothing.
inline constexpr std::size_t kMaxLogRecordText = 1024;
void WriteLogRecord(platform::TStream& Stream, std::string_view Text, TDateTime Stamp);

// Text, followed by CR LF when AddCrLf; nothing else.
void WriteStreamLine(platform::TStream& Stream, std::string_view Text, bool AddCrLf);

}  // namespace support
