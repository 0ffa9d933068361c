#include "support/stream_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace support {
namespace {

using platform::TMemoryStream;

std::string Contents(TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

TEST(ReadStreamWideString, ReadsCountedUtf16AndClampsToTheStream) {
  const std::string bytes(
      "\x04\x00"
      "A\x00\xAC\x20"
      "\x05\x00"
      "a\x00"
      "b\x00"
      "c"
      "\x00\x01",
      16);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), 16);
  stream.SetPosition(0);
  EXPECT_EQ(ReadStreamWideString(stream), u"A\u20AC");
  // An odd count: the last byte is consumed and dropped.
  EXPECT_EQ(ReadStreamWideString(stream), u"ab");
  EXPECT_EQ(stream.Position(), 13);
  // A count of 256 with one byte left takes that byte; at the end the count is 0.
  EXPECT_EQ(ReadStreamWideString(stream), u"");
  EXPECT_EQ(stream.Position(), 16);
  EXPECT_EQ(ReadStreamWideString(stream), u"");
}

TEST(WriteLogRecord, WritesStampLengthTextAndLineFeed) {
  TMemoryStream stream;
  WriteLogRecord(stream, "", 1.0);
  EXPECT_EQ(stream.Size(), 0);
  WriteLogRecord(stream, "$SDDBT", 45000.5);
  const std::string one = Contents(stream);
  ASSERT_EQ(one.size(), 8u + 2 + 6 + 1);
  double stamp = 0;
  std::memcpy(&stamp, one.data(), 8);
  EXPECT_EQ(stamp, 45000.5);
  EXPECT_EQ(one.substr(8), std::string("\x06\x00$SDDBT\n", 9));

  stream.Clear();
  WriteLogRecord(stream, std::string(2000, 'x'), 1.0);
  const std::string cut = Contents(stream);
  ASSERT_EQ(cut.size(), 8u + 2 + 1024 + 1);
  EXPECT_EQ(cut.substr(8, 2), std::string("\x00\x04", 2));
}

TEST(WriteStreamLine, WritesTheWholeText) {
  TMemoryStream stream;
  WriteStreamLine(stream, "START", true);
  WriteStreamLine(stream, "raw", false);
  EXPECT_EQ(Contents(stream), "START\r\nraw");
  // 65536 bytes or more are written in full.
  stream.Clear();
  WriteStreamLine(stream, std::string(65540, 'y'), true);
  EXPECT_EQ(stream.Size(), 65542);
}

}  // namespace
}  // namespace support
