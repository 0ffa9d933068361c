#include "support/hashing.h"

#include <gtest/gtest.h>

#include <string>

namespace support {
namespace {

TEST(StringHash, KnownKeys) {
  EXPECT_EQ(StringHash(""), 0u);
  EXPECT_EQ(StringHash("abc"), 0x6783u);
  EXPECT_EQ(StringHashEx(""), 0);
  EXPECT_EQ(StringHashEx("abc"), 113945673);
  EXPECT_EQ(StringHashEx("P"), 21424);
  EXPECT_EQ(StringHashEx("GP"), 79930544);
  EXPECT_EQ(StringHashEx("ARL"), 261682118);
  EXPECT_NE(StringHash("GPGGA"), StringHash("gpgga"));
}

// char is signed here: bytes of 0x80 and above must hash as 128-255, and the
// Ex form must append their three-digit codes.
TEST(StringHash, HighBytesAndTheCarryOutOf32Bits) {
  const std::string text = "\xE9\xFF\x80\x09";
  EXPECT_EQ(StringHash(text), 0xF9709u);
  EXPECT_EQ(StringHashEx(text), static_cast<std::int32_t>(StringHash(text + "2332551289")));
  // Seven 0x0F bytes bring the running value to 0x0FFFFFFF; the next step
  // carries out of 32 bits and the carry must be dropped.
  EXPECT_EQ(StringHash("\x0F\x0F\x0F\x0F\x0F\x0F\x0F\x10"
                       "A"),
            65u);
  std::string longText;
  for (int i = 0; i < 5000; ++i) longText.push_back(static_cast<char>(0xF1 + i % 15));
  EXPECT_LT(StringHash(longText), 1u << 28);
}

}  // namespace
}  // namespace support
