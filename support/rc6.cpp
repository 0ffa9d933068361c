#include "support/rc6.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace support {
namespace {

constexpr int kRounds = 20;
constexpr std::size_t kRoundKeys = 2 * kRounds + 4;

constexpr std::array<std::uint32_t, kRoundKeys> MakeInitialRoundKeys() {
  constexpr std::uint32_t kP32 = 0xB7E15163;
  constexpr std::uint32_t kQ32 = 0x9E3779B9;
  std::array<std::uint32_t, kRoundKeys> table{};
  table[0] = kP32;
  for (std::size_t i = 1; i < table.size(); ++i) table[i] = table[i - 1] + kQ32;
  return table;
}

constexpr auto kInitialRoundKeys = MakeInitialRoundKeys();

std::uint32_t Rotl(std::uint32_t Value, std::uint32_t Count) { return std::rotl(Value, static_cast<int>(Count & 31)); }
std::uint32_t Rotr(std::uint32_t Value, std::uint32_t Count) { return std::rotr(Value, static_cast<int>(Count & 31)); }

std::uint32_t ReadWord(const TDCP_block128& Block, std::size_t Word) {
  const std::size_t at = 4 * Word;
  return std::uint32_t{Block[at]} | std::uint32_t{Block[at + 1]} << 8 | std::uint32_t{Block[at + 2]} << 16 |
         std::uint32_t{Block[at + 3]} << 24;
}

void WriteWords(TDCP_block128& Block, std::array<std::uint32_t, 4> Words) {
  for (std::size_t w = 0; w < Words.size(); ++w) {
    for (std::size_t b = 0; b < 4; ++b) Block[4 * w + b] = static_cast<std::uint8_t>(Words[w] >> (8 * b));
  }
}

std::uint32_t Mix(std::uint32_t X) { return Rotl(X * (2 * X + 1), 5); }

struct TKnownAnswer {
  std::array<std::uint8_t, 16> Key;
  TDCP_block128 Plain;
  TDCP_block128 Cipher;
};

constexpr TKnownAnswer kKnownAnswers[] = {
    {{}, {}, {0x8f, 0xc3, 0xa5, 0x36, 0x56, 0xb1, 0xf7, 0x78, 0xc1, 0x29, 0xdf, 0x4e, 0x98, 0x48, 0xa4, 0x1e}},
    {{0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0x01, 0x12, 0x23, 0x34, 0x45, 0x56, 0x67, 0x78},
     {0x02, 0x13, 0x24, 0x35, 0x46, 0x57, 0x68, 0x79, 0x8a, 0x9b, 0xac, 0xbd, 0xce, 0xdf, 0xe0, 0xf1},
     {0x52, 0x4e, 0x19, 0x2f, 0x47, 0x15, 0xc6, 0x23, 0x1f, 0x51, 0xf6, 0x36, 0x7e, 0xa4, 0x3f, 0x18}},
};

}  // namespace

TDCP_rc6::~TDCP_rc6() {
  if (Initialized) Burn();
}

std::array<std::uint32_t, 44> TDCP_rc6::Burnt() {
  std::array<std::uint32_t, 44> keys;
  keys.fill(0xFFFFFFFF);
  return keys;
}

void TDCP_rc6::Burn() {
  KeyData = Burnt();
  TDCP_blockcipher128::Burn();
}

bool TDCP_rc6::SelfTest() {
  for (const auto& known : kKnownAnswers) {
    TDCP_rc6 cipher;
    cipher.Init(known.Key, 128);
    TDCP_block128 out;
    cipher.EncryptECB(known.Plain, out);
    if (out != known.Cipher) return false;
    cipher.DecryptECB(known.Cipher, out);
    if (out != known.Plain) return false;
  }
  return true;
}

void TDCP_rc6::InitKey(std::span<const std::uint8_t> Key, std::uint32_t SizeBits) {
  const std::uint32_t keyBytes = SizeBits / 8;
  std::array<std::uint8_t, 256> keyBuffer{};
  std::copy_n(Key.begin(), keyBytes, keyBuffer.begin());
  std::array<std::uint32_t, 64> keyWords{};
  for (std::size_t w = 0; w < keyWords.size(); ++w) {
    keyWords[w] = std::uint32_t{keyBuffer[4 * w]} | std::uint32_t{keyBuffer[4 * w + 1]} << 8 |
                  std::uint32_t{keyBuffer[4 * w + 2]} << 16 | std::uint32_t{keyBuffer[4 * w + 3]} << 24;
  }
  const std::uint32_t c = SizeBits / 32 + (keyBytes % 4 != 0 ? 1 : 0);

  auto roundKeys = kInitialRoundKeys;
  std::uint32_t a = 0, b = 0;
  std::size_t i = 0, j = 0;
  const std::uint32_t steps = 3 * std::max<std::uint32_t>(c, kRoundKeys);
  for (std::uint32_t step = 0; step < steps; ++step) {
    a = roundKeys[i] = Rotl(roundKeys[i] + a + b, 3);
    b = keyWords[j] = Rotl(keyWords[j] + a + b, a + b);
    i = (i + 1) % kRoundKeys;
    j = (j + 1) % c;
  }
  KeyData = roundKeys;
  keyBuffer.fill(0);
  keyWords.fill(0);
}

void TDCP_rc6::EncryptECB(const TDCP_block128& In, TDCP_block128& Out) const {
  if (!Initialized) return;
  std::uint32_t a = ReadWord(In, 0), b = ReadWord(In, 1), c = ReadWord(In, 2), d = ReadWord(In, 3);
  b += KeyData[0];
  d += KeyData[1];
  for (int r = 1; r <= kRounds; ++r) {
    const std::uint32_t t = Mix(b);
    const std::uint32_t u = Mix(d);
    a = Rotl(a ^ t, u) + KeyData[2 * r];
    c = Rotl(c ^ u, t) + KeyData[2 * r + 1];
    const std::uint32_t first = a;
    a = b;
    b = c;
    c = d;
    d = first;
  }
  a += KeyData[42];
  c += KeyData[43];
  WriteWords(Out, {a, b, c, d});
}

void TDCP_rc6::DecryptECB(const TDCP_block128& In, TDCP_block128& Out) const {
  if (!Initialized) return;
  std::uint32_t a = ReadWord(In, 0), b = ReadWord(In, 1), c = ReadWord(In, 2), d = ReadWord(In, 3);
  c -= KeyData[43];
  a -= KeyData[42];
  for (int r = kRounds; r >= 1; --r) {
    const std::uint32_t last = d;
    d = c;
    c = b;
    b = a;
    a = last;
    const std::uint32_t u = Mix(d);
    const std::uint32_t t = Mix(b);
    c = Rotr(c - KeyData[2 * r + 1], t) ^ u;
    a = Rotr(a - KeyData[2 * r], u) ^ t;
  }
  d -= KeyData[1];
  b -= KeyData[0];
  WriteWords(Out, {a, b, c, d});
}

void DecipherStream(platform::TMemoryStream& Stream, const TDCP_block128& Key) {
  TDCP_rc6 cipher;
  cipher.Init(Key, 128);
  Stream.SetPosition(0);
  platform::TMemoryStream deciphered;
  const std::int64_t size = std::min<std::int64_t>(Stream.Size(), std::numeric_limits<std::uint32_t>::max());
  cipher.DecryptStream(Stream, deciphered, static_cast<std::uint32_t>(size));
  Stream.Clear();
  Stream.CopyFrom(deciphered, 0);
  cipher.Burn();
}

}  // namespace support
