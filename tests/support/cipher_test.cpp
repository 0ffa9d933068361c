#include <gtest/gtest.h>

#include <vector>

#include "support/base64.h"
#include "support/rc6.h"
#include "tests/support/crypto_test_helpers.h"

namespace support {
namespace {

using testing::FromHex;
using testing::ToHex;

TDCP_block128 Block(std::string_view Hex) {
  const auto bytes = FromHex(Hex);
  TDCP_block128 block{};
  std::copy(bytes.begin(), bytes.end(), block.begin());
  return block;
}

std::vector<std::uint8_t> Pattern(std::size_t Size) {
  std::vector<std::uint8_t> data(Size);
  for (std::size_t i = 0; i < Size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return data;
}

const std::vector<std::uint8_t> kKey = FromHex("0123456789abcdef0112233445566778");
constexpr auto kModes = {TCipherMode::CBC, TCipherMode::CFB8, TCipherMode::CTR};

TEST(Rc6, BlockOperationsMatchThePublishedVectorsForEveryKeySize) {
  const char* const vectors[][3] = {
      {"00000000000000000000000000000000", "00000000000000000000000000000000", "8fc3a53656b1f778c129df4e9848a41e"},
      {"0123456789abcdef0112233445566778", "02132435465768798a9bacbdcedfe0f1", "524e192f4715c6231f51f6367ea43f18"},
      {"0000000000000000000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
       "8f5fbd0510d15fa893fa3fda6e857ec2"},
      {"0123456789abcdef0112233445566778899aabbccddeeff01032547698badcfe", "02132435465768798a9bacbdcedfe0f1",
       "c8241816f0d7e48920ad16a1674e5d48"},
  };
  for (const auto& [key, plain, sealed] : vectors) {
    const auto keyBytes = FromHex(key);
    TDCP_rc6 cipher;
    cipher.Init(keyBytes, static_cast<std::uint32_t>(keyBytes.size() * 8));
    TDCP_block128 block = Block(plain);
    cipher.EncryptECB(block, block);
    EXPECT_EQ(ToHex(block), sealed) << key;
    cipher.DecryptECB(block, block);
    EXPECT_EQ(ToHex(block), plain) << key;
  }
  EXPECT_TRUE(TDCP_rc6().SelfTest());
}

TEST(Rc6, RejectedKeysLeaveTheCipherInertAndOutputUntouched) {
  const std::vector<std::uint8_t> longKey(600, 0x5A);
  TDCP_rc6 cipher;
  // 130 also drops the key accepted before it; 128 bits from 8 bytes would read past the key.
  for (const auto& [bits, key] :
       {std::pair{0u, longKey}, {4u, longKey}, {130u, kKey}, {4096u, longKey}, {128u, FromHex("0123456789abcdef")}}) {
    cipher.Init(kKey, 128);
    cipher.Init(key, bits);
    EXPECT_FALSE(cipher.IsInitialized()) << bits;
    std::vector<std::uint8_t> out(20, 0xEE);
    cipher.Encrypt(Pattern(20).data(), out.data(), 20);
    cipher.Decrypt(Pattern(20).data(), out.data(), 20);
    EXPECT_EQ(out, std::vector<std::uint8_t>(20, 0xEE));
  }
}

TEST(Rc6, DefaultIvIsTheEncipheredZeroBlockAndCbcKeepsPartialBlocks) {
  TDCP_rc6 cipher;
  cipher.Init(std::vector<std::uint8_t>(16, 0), 128);
  TDCP_block128 iv{};
  cipher.GetIV(iv);
  EXPECT_EQ(ToHex(iv), "8fc3a53656b1f778c129df4e9848a41e");

  std::vector<std::uint8_t> data(17, 0);
  cipher.EncryptCBC(data.data(), data.data(), 17);
  EXPECT_EQ(ToHex(data), "010e3c15e68c71a17cf47922d7921fe99f");
  cipher.Reset();
  data.assign(5, 0);
  cipher.EncryptCBC(data.data(), data.data(), 5);
  EXPECT_EQ(ToHex(data), "010e3c15e6");
}

// A CBC call that ends in a partial block leaves the enciphered chaining
// value behind, and the next call chains from it; the chaining value read
// back is that value, then the last cipher block.
TEST(Rc6, CbcChainsOnAfterAPartialBlock) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  TDCP_rc6 blocks;
  blocks.Init(kKey, 128);
  TDCP_block128 iv{};
  cipher.GetIV(iv);

  const auto head = Pattern(5);
  std::vector<std::uint8_t> sealedHead(5);
  cipher.EncryptCBC(head.data(), sealedHead.data(), 5);
  TDCP_block128 pad{};
  blocks.EncryptECB(iv, pad);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(sealedHead[k], head[k] ^ pad[k]) << k;
  TDCP_block128 chained{};
  cipher.GetIV(chained);
  EXPECT_EQ(chained, pad);

  const auto next = Pattern(16);
  std::vector<std::uint8_t> sealedNext(16);
  cipher.EncryptCBC(next.data(), sealedNext.data(), 16);
  TDCP_block128 mixed{};
  for (std::size_t k = 0; k < 16; ++k) mixed[k] = next[k] ^ pad[k];
  TDCP_block128 expected{};
  blocks.EncryptECB(mixed, expected);
  EXPECT_EQ(ToHex(sealedNext), ToHex(expected));
  cipher.GetIV(chained);
  EXPECT_EQ(chained, expected);

  // Deciphering in the same two calls walks the same chain back.
  cipher.Reset();
  std::vector<std::uint8_t> opened(21);
  cipher.DecryptCBC(sealedHead.data(), opened.data(), 5);
  cipher.DecryptCBC(sealedNext.data(), opened.data() + 5, 16);
  EXPECT_EQ(std::vector(opened.begin(), opened.begin() + 5), head);
  EXPECT_EQ(std::vector(opened.begin() + 5, opened.end()), next);
  cipher.GetIV(chained);
  EXPECT_EQ(chained, expected);
}

TEST(Rc6, EveryModeRestoresItsInputInPlaceAndChainsAcrossCalls) {
  for (const auto mode : kModes) {
    for (const std::uint32_t size : {0u, 5u, 16u, 17u, 8200u}) {
      TDCP_rc6 cipher;
      cipher.Init(kKey, 128);
      cipher.CipherMode = mode;
      auto data = Pattern(size);
      cipher.Encrypt(data.data(), data.data(), size);
      if (size >= 16) {
        EXPECT_NE(data, Pattern(size));
      }
      cipher.Reset();
      cipher.Decrypt(data.data(), data.data(), size);
      EXPECT_EQ(data, Pattern(size)) << static_cast<int>(mode) << " size " << size;
    }
    TDCP_rc6 cipher;
    cipher.Init(kKey, 128);
    cipher.CipherMode = mode;
    auto whole = Pattern(48);
    cipher.Encrypt(whole.data(), whole.data(), 48);
    cipher.Reset();
    auto split = Pattern(48);
    cipher.Encrypt(split.data(), split.data(), 32);
    cipher.Encrypt(split.data() + 32, split.data() + 32, 16);
    EXPECT_EQ(split, whole) << static_cast<int>(mode);
  }
}

TEST(Rc6, CtrCounterCarriesAcrossBytesAndWraps) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  cipher.CipherMode = TCipherMode::CTR;
  std::vector<std::uint8_t> data(16, 0);
  TDCP_block128 counter{};
  cipher.SetIV(Block("000102030405060708090a0b0c0d00ff"));
  cipher.Encrypt(data.data(), data.data(), 16);
  cipher.GetIV(counter);
  EXPECT_EQ(ToHex(counter), "000102030405060708090a0b0c0d0100");
  cipher.SetIV(Block("ffffffffffffffffffffffffffffffff"));
  cipher.Encrypt(data.data(), data.data(), 3);
  cipher.GetIV(counter);
  EXPECT_EQ(counter, TDCP_block128{});
}

// CFB-8 and CTR against their definitions on the block operation. CFB-8
// enciphers the chaining value for every byte and shifts in the ciphertext
// byte, in both directions; CTR enciphers the counter before counting on.
TEST(Rc6, Cfb8AndCtrFollowTheirDefinitions) {
  TDCP_rc6 blocks;
  blocks.Init(kKey, 128);
  TDCP_block128 iv{};
  blocks.GetIV(iv);
  const auto plain = Pattern(20);

  std::vector<std::uint8_t> expected(20);
  TDCP_block128 chain = iv;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    TDCP_block128 pad{};
    blocks.EncryptECB(chain, pad);
    expected[k] = plain[k] ^ pad[0];
    std::copy(chain.begin() + 1, chain.end(), chain.begin());
    chain[15] = expected[k];
  }
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  cipher.CipherMode = TCipherMode::CFB8;
  std::vector<std::uint8_t> sealed(20);
  cipher.Encrypt(plain.data(), sealed.data(), 20);
  EXPECT_EQ(ToHex(sealed), ToHex(expected));
  cipher.Reset();
  std::vector<std::uint8_t> opened(20);
  cipher.Decrypt(sealed.data(), opened.data(), 20);
  EXPECT_EQ(opened, plain);
  TDCP_block128 after{};
  cipher.GetIV(after);
  EXPECT_EQ(after, chain);

  TDCP_block128 counter = iv;
  TDCP_block128 firstPad{};
  blocks.EncryptECB(counter, firstPad);
  ++counter[15];
  TDCP_block128 secondPad{};
  blocks.EncryptECB(counter, secondPad);
  for (std::size_t k = 0; k < expected.size(); ++k) expected[k] = plain[k] ^ (k < 16 ? firstPad[k] : secondPad[k - 16]);
  cipher.Reset();
  cipher.CipherMode = TCipherMode::CTR;
  cipher.Encrypt(plain.data(), sealed.data(), 20);
  EXPECT_EQ(ToHex(sealed), ToHex(expected));
}

// Texts go through CFB-8 whatever the mode and travel in Base64.
TEST(Rc6, TextsAreEncipheredInCfb8AndCarriedInBase64) {
  const std::string text = "$PARLIHS,0001E240*3C";
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  TDCP_rc6 reference;
  reference.Init(kKey, 128);
  reference.EncryptCFB8(bytes.data(), bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  for (const auto mode : kModes) {
    TDCP_rc6 cipher;
    cipher.Init(kKey, 128);
    cipher.CipherMode = mode;
    const std::string sealed = cipher.EncryptString(text);
    EXPECT_EQ(sealed, Base64Encode(bytes)) << static_cast<int>(mode);
    cipher.Reset();
    EXPECT_EQ(cipher.DecryptString(sealed), text) << static_cast<int>(mode);
  }
}

TEST(Rc6, StreamDecipheringMatchesOneCbcPassAndStopsAtTheSourcesEnd) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  auto sealed = Pattern(8200);
  cipher.EncryptCBC(sealed.data(), sealed.data(), 8200);
  platform::TMemoryStream source;
  source.Write(sealed.data(), 8200);

  // 8192 whole blocks, then a last chunk of 8 bytes with the partial-block rule.
  for (const std::uint32_t asked : {8200u, 20000u}) {
    source.SetPosition(0);
    platform::TMemoryStream dest;
    cipher.Reset();
    EXPECT_EQ(cipher.DecryptStream(source, dest, asked), 8200u);
    EXPECT_EQ(std::vector(dest.Memory(), dest.Memory() + dest.Size()), Pattern(8200));
  }
  TDCP_block128 key;
  std::copy(kKey.begin(), kKey.end(), key.begin());
  DecipherStream(source, key);
  EXPECT_EQ(std::vector(source.Memory(), source.Memory() + source.Size()), Pattern(8200));
}

TEST(Base64, MatchesTheStandardVectorsAndSkipsForeignCharacters) {
  const char* const cases[][2] = {{"", ""},
                                  {"f", "Zg=="},
                                  {"fo", "Zm8="},
                                  {"foo", "Zm9v"},
                                  {"foob", "Zm9vYg=="},
                                  {"fooba", "Zm9vYmE="},
                                  {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : cases) {
    const std::string_view text = plain;
    EXPECT_EQ(Base64Encode(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())), encoded);
    EXPECT_EQ(Base64Decode(encoded), plain);
  }
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(Base64Decode("Zm9v=YmFy"), "foo");
}

}  // namespace
}  // namespace support
