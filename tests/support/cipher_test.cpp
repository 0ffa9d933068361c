#include <gtest/gtest.h>

#include <string>
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

TEST(Rc6, BlockOperationsMatchThePublishedVectorsForEveryKeySize) {
  struct Vector {
    const char* Key;
    const char* Plain;
    const char* Cipher;
  };
  const Vector vectors[] = {
      {"00000000000000000000000000000000", "00000000000000000000000000000000", "8fc3a53656b1f778c129df4e9848a41e"},
      {"0123456789abcdef0112233445566778", "02132435465768798a9bacbdcedfe0f1", "524e192f4715c6231f51f6367ea43f18"},
      {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
       "6cd61bcb190b30384e8a3f168690ae82"},
      {"0123456789abcdef0112233445566778899aabbccddeeff0", "02132435465768798a9bacbdcedfe0f1",
       "688329d019e505041e52e92af95291d4"},
      {"0000000000000000000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
       "8f5fbd0510d15fa893fa3fda6e857ec2"},
      {"0123456789abcdef0112233445566778899aabbccddeeff01032547698badcfe", "02132435465768798a9bacbdcedfe0f1",
       "c8241816f0d7e48920ad16a1674e5d48"},
  };
  for (const auto& v : vectors) {
    const auto key = FromHex(v.Key);
    TDCP_rc6 cipher;
    cipher.Init(key, static_cast<std::uint32_t>(key.size() * 8));
    ASSERT_TRUE(cipher.IsInitialized());
    TDCP_block128 block = Block(v.Plain);
    cipher.EncryptECB(block, block);
    EXPECT_EQ(ToHex(block), v.Cipher) << v.Key;
    cipher.DecryptECB(block, block);
    EXPECT_EQ(ToHex(block), v.Plain) << v.Key;
  }
  TDCP_rc6 cipher;
  EXPECT_TRUE(cipher.SelfTest());
}

TEST(Rc6, RejectedKeysLeaveTheCipherInertAndOutputUntouched) {
  const std::vector<std::uint8_t> longKey(600, 0x5A);
  for (const std::uint32_t bits : {0u, 4u, 130u, 4096u}) {
    TDCP_rc6 cipher;
    cipher.Init(longKey, bits);
    EXPECT_FALSE(cipher.IsInitialized()) << bits;
    for (const auto mode : {TCipherMode::CBC, TCipherMode::CFB8, TCipherMode::CTR}) {
      cipher.CipherMode = mode;
      const auto in = Pattern(20);
      std::vector<std::uint8_t> out(20, 0xEE);
      cipher.Encrypt(in.data(), out.data(), 20);
      cipher.Decrypt(in.data(), out.data(), 20);
      EXPECT_EQ(out, std::vector<std::uint8_t>(20, 0xEE));
    }
  }
  // A size the key bytes do not cover is refused rather than read past.
  TDCP_rc6 shortKey;
  shortKey.Init(std::span(kKey).first(8), 128);
  EXPECT_FALSE(shortKey.IsInitialized());

  // Re-keying with a bad size drops the previous key.
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  ASSERT_TRUE(cipher.IsInitialized());
  cipher.Init(kKey, 130);
  EXPECT_FALSE(cipher.IsInitialized());

  cipher.Init(kKey, 128);
  cipher.Burn();
  TDCP_block128 block{};
  cipher.EncryptECB(block, block);
  EXPECT_EQ(block, TDCP_block128{});
}

TEST(Rc6, DefaultIvIsTheEncipheredZeroBlockAndCbcKeepsPartialBlocks) {
  const std::vector<std::uint8_t> zeroKey(16, 0);
  TDCP_rc6 cipher;
  cipher.Init(zeroKey, 128);
  TDCP_block128 iv{};
  cipher.GetIV(iv);
  EXPECT_EQ(ToHex(iv), "8fc3a53656b1f778c129df4e9848a41e");

  std::vector<std::uint8_t> data(17, 0);
  cipher.EncryptCBC(data.data(), data.data(), 17);
  EXPECT_EQ(ToHex(data), "010e3c15e68c71a17cf47922d7921fe99f");

  cipher.Reset();
  std::vector<std::uint8_t> shortData(5, 0);
  cipher.EncryptCBC(shortData.data(), shortData.data(), 5);
  EXPECT_EQ(ToHex(shortData), "010e3c15e6");
}

TEST(Rc6, EveryModeRestoresItsInputInPlaceAndChainsAcrossCalls) {
  for (const auto mode : {TCipherMode::CBC, TCipherMode::CFB8, TCipherMode::CTR}) {
    for (const std::size_t size : {0u, 5u, 16u, 17u, 8200u}) {
      TDCP_rc6 cipher;
      cipher.Init(kKey, 128);
      cipher.CipherMode = mode;
      const auto plain = Pattern(size);
      auto data = plain;
      cipher.Encrypt(data.data(), data.data(), static_cast<std::uint32_t>(size));
      ASSERT_EQ(data.size(), size);
      if (size >= 16) {
        EXPECT_NE(data, plain);
      }
      cipher.Reset();
      cipher.Decrypt(data.data(), data.data(), static_cast<std::uint32_t>(size));
      EXPECT_EQ(data, plain) << static_cast<int>(mode) << " size " << size;
    }

    // Two calls continue one stream: the chaining value carries over.
    TDCP_rc6 cipher;
    cipher.Init(kKey, 128);
    cipher.CipherMode = mode;
    const auto plain = Pattern(48);
    auto whole = plain;
    cipher.Encrypt(whole.data(), whole.data(), 48);
    cipher.Reset();
    auto split = plain;
    cipher.Encrypt(split.data(), split.data(), 32);
    cipher.Encrypt(split.data() + 32, split.data() + 32, 16);
    EXPECT_EQ(split, whole) << static_cast<int>(mode);
  }
}

TEST(Rc6, GetIvReportsTheChainingValueAndCtrCarriesAcrossBytes) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  cipher.CipherMode = TCipherMode::CTR;
  cipher.SetIV(Block("000102030405060708090a0b0c0d00ff"));
  std::vector<std::uint8_t> data(16, 0);
  cipher.Encrypt(data.data(), data.data(), 16);
  TDCP_block128 counter{};
  cipher.GetIV(counter);
  EXPECT_EQ(ToHex(counter), "000102030405060708090a0b0c0d0100");

  cipher.SetIV(Block("ffffffffffffffffffffffffffffffff"));
  cipher.Encrypt(data.data(), data.data(), 3);
  cipher.GetIV(counter);
  EXPECT_EQ(counter, TDCP_block128{});

  TDCP_rc6 uninitialised;
  TDCP_block128 untouched = Block("11111111111111111111111111111111");
  uninitialised.GetIV(untouched);
  EXPECT_EQ(ToHex(untouched), "11111111111111111111111111111111");
}

TEST(Rc6, TextOperationsUseCfb8AndBase64WhateverTheMode) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  cipher.CipherMode = TCipherMode::CTR;
  const std::string text = "$PARLIHS,1,2*00";
  const std::string sealed = cipher.EncryptString(text);
  EXPECT_EQ(sealed.size(), (text.size() + 2) / 3 * 4);

  auto expected = std::vector<std::uint8_t>(text.begin(), text.end());
  cipher.Reset();
  cipher.EncryptCFB8(expected.data(), expected.data(), static_cast<std::uint32_t>(expected.size()));
  EXPECT_EQ(sealed, Base64Encode(expected));

  cipher.Reset();
  EXPECT_EQ(cipher.DecryptString(sealed), text);
}

TEST(Rc6, StreamDecipheringMatchesOneCbcPassAndStopsAtTheSourcesEnd) {
  TDCP_rc6 cipher;
  cipher.Init(kKey, 128);
  const auto plain = Pattern(8200);
  auto sealed = plain;
  cipher.EncryptCBC(sealed.data(), sealed.data(), 8200);

  platform::TMemoryStream source;
  source.Write(sealed.data(), 8200);
  source.SetPosition(0);
  platform::TMemoryStream dest;
  cipher.Reset();
  // 8192 whole blocks, then a last chunk of 8 bytes with the partial-block rule.
  EXPECT_EQ(cipher.DecryptStream(source, dest, 8200), 8200u);
  EXPECT_EQ(std::vector(dest.Memory(), dest.Memory() + dest.Size()), plain);

  source.SetPosition(0);
  dest.Clear();
  cipher.Reset();
  EXPECT_EQ(cipher.DecryptStream(source, dest, 20000), 8200u);
  EXPECT_EQ(dest.Size(), 8200);

  platform::TMemoryStream inPlace;
  inPlace.Write(sealed.data(), 8200);
  DecipherStream(inPlace, TDCP_block128{0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0x01, 0x12, 0x23, 0x34, 0x45,
                                        0x56, 0x67, 0x78});
  EXPECT_EQ(std::vector(inPlace.Memory(), inPlace.Memory() + inPlace.Size()), plain);
}

TEST(Base64, MatchesTheStandardVectorsAndSkipsForeignCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : cases) {
    EXPECT_EQ(Base64Encode(std::span(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size())), encoded);
    EXPECT_EQ(Base64Decode(encoded), plain);
  }
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(Base64Decode("Zm9v=YmFy"), "foo");
  const std::string all = [] {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
  }();
  EXPECT_EQ(Base64Decode(Base64Encode(std::span(reinterpret_cast<const std::uint8_t*>(all.data()), all.size()))), all);
}

}  // namespace
}  // namespace support
