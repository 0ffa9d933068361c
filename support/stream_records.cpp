#include "support/stream_records.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace support {

static_assert(std::endian::native == std::endian::little, "stream records are written in the machine's byte order");

std::u16string ReadStreamWideString(platform::TStream& Stream) {
  std::uint8_t countBytes[2] = {0, 0};
  Stream.Read(countBytes, 2);
  std::int64_t count = countBytes[0] | countBytes[1] << 8;
  const std::int64_t remaining = Stream.Size() - Stream.Position();
  if (count > remaining) count = remaining > 0 ? remaining : 0;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  Stream.ReadBuffer(bytes.data(), count);
  std::u16string text(static_cast<std::size_t>(count / 2), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  return text;
}

void WriteLogRecord(platform::TStream& Stream, std::string_view Text, TDateTime Stamp) {
  if (Text.empty()) return;
  const std::size_t length = Text.size() < kMaxLogRecordText ? Text.size() : kMaxLogRecordText;
  // One write per record, so a failing stream never holds half a header.
  std::uint8_t record[8 + 2 + kMaxLogRecordText + 1];
  std::memcpy(record, &Stamp, 8);
  record[8] = static_cast<std::uint8_t>(length);
  record[9] = static_cast<std::uint8_t>(length >> 8);
  std::memcpy(record + 10, Text.data(), length);
  record[10 + length] = 0x0A;
  Stream.WriteBuffer(record, static_cast<std::int64_t>(11 + length));
}

void WriteStreamLine(platform::TStream& Stream, std::string_view Text, bool AddCrLf) {
  Stream.WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
  if (AddCrLf) Stream.WriteBuffer("\r\n", 2);
}

}  // namespace support
