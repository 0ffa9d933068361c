#include "support/digest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/crypto_test_helpers.h"

namespace support {
namespace {

using testing::ToHex;

std::span<const std::uint8_t> Bytes(const std::string& S) {
  return {reinterpret_cast<const std::uint8_t*>(S.data()), S.size()};
}

TEST(Digest, ReproducesThePublishedTestSuiteAndPaddingBoundaries) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      // One byte short of the length field's place, exactly at it, and a full block.
      {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
      {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ToHex(HashOfBuffer(Bytes(text))), expected) << text.size();
}

TEST(Digest, SplitUpdatesMatchOneUpdate) {
  std::vector<std::uint8_t> data(1280);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  const auto whole = HashOfBuffer(data);
  EXPECT_EQ(ToHex(whole), "82829f1f3f2bb0f18b25f278e5bba8bd");

  const std::size_t splits[] = {1, 63, 65, 0, 64, 1087};
  THashContext context;
  HashInit(context);
  std::size_t at = 0;
  for (const std::size_t n : splits) {
    HashUpdate(context, std::span(data).subspan(at, n));
    at += n;
  }
  EXPECT_EQ(HashFinal(context), whole);
}

TEST(Digest, StringDigestTrimsControlsAndBlanksButKeepsHighBytes) {
  EXPECT_EQ(HashOfString(" \t x \r\n"), HashOfString("x"));
  EXPECT_EQ(ToHex(HashOfString("TOLVEK")), "6b828b91cfec7212cee274ca7abffcb0");
  EXPECT_EQ(HashOfString(" \t\r\n "), THashDigest{});
  EXPECT_EQ(HashOfString(""), THashDigest{});
  // Bytes from 0x80 up are characters, not blanks to trim.
  EXPECT_EQ(HashOfString("\xA0x\xA0"), HashOfBuffer(Bytes("\xA0x\xA0")));
}

}  // namespace
}  // namespace support
