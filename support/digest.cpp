#include "support/digest.h"

#include <algorithm>
#include <bit>

#include "support/conversions.h"

namespace support {
namespace {

constexpr std::array<std::uint32_t, 64> kStepConstants = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr std::array<int, 16> kRotations = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

void HashDecode(const std::uint8_t* In, std::array<std::uint32_t, 16>& X) {
  for (std::size_t i = 0; i < X.size(); ++i) {
    X[i] = std::uint32_t{In[4 * i]} | std::uint32_t{In[4 * i + 1]} << 8 | std::uint32_t{In[4 * i + 2]} << 16 |
           std::uint32_t{In[4 * i + 3]} << 24;
  }
}

void HashEncode(std::span<const std::uint32_t> Words, std::uint8_t* Out) {
  for (std::size_t i = 0; i < Words.size(); ++i) {
    for (int b = 0; b < 4; ++b) Out[4 * i + b] = static_cast<std::uint8_t>(Words[i] >> (8 * b));
  }
}

void HashTransform(std::array<std::uint32_t, 4>& State, const std::uint8_t* Block) {
  std::array<std::uint32_t, 16> words;
  HashDecode(Block, words);
  std::uint32_t a = State[0], b = State[1], c = State[2], d = State[3];
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    std::uint32_t f;
    int k;
    switch (round) {
      case 0:
        f = (b & c) | (~b & d);
        k = i;
        break;
      case 1:
        f = (b & d) | (c & ~d);
        k = (5 * i + 1) % 16;
        break;
      case 2:
        f = b ^ c ^ d;
        k = (3 * i + 5) % 16;
        break;
      default:
        f = c ^ (b | ~d);
        k = (7 * i) % 16;
        break;
    }
    const std::uint32_t rotated = b + std::rotl(a + f + words[k] + kStepConstants[i], kRotations[round * 4 + i % 4]);
    a = d;
    d = c;
    c = b;
    b = rotated;
  }
  State[0] += a;
  State[1] += b;
  State[2] += c;
  State[3] += d;
  words.fill(0);
}

}  // namespace

void HashInit(THashContext& Context) {
  Context = THashContext{};
  Context.State = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
}

void HashUpdate(THashContext& Context, std::span<const std::uint8_t> Data) {
  std::size_t index = (Context.Count[0] >> 3) & 0x3F;
  const std::uint64_t bits =
      (std::uint64_t{Context.Count[1]} << 32 | Context.Count[0]) + (static_cast<std::uint64_t>(Data.size()) << 3);
  Context.Count = {static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};

  std::size_t pos = 0;
  const std::size_t room = 64 - index;
  if (Data.size() >= room) {
    std::copy_n(Data.data(), room, Context.Buffer.data() + index);
    HashTransform(Context.State, Context.Buffer.data());
    for (pos = room; pos + 64 <= Data.size(); pos += 64) HashTransform(Context.State, Data.data() + pos);
    index = 0;
  }
  std::copy(Data.begin() + static_cast<std::ptrdiff_t>(pos), Data.end(), Context.Buffer.begin() + index);
}

THashDigest HashFinal(THashContext& Context) {
  std::array<std::uint8_t, 8> bits;
  HashEncode(Context.Count, bits.data());
  const std::size_t index = (Context.Count[0] >> 3) & 0x3F;
  const std::size_t padLen = index < 56 ? 56 - index : 120 - index;
  std::array<std::uint8_t, 64> padding{};
  padding[0] = 0x80;
  HashUpdate(Context, std::span(padding.data(), padLen));
  HashUpdate(Context, bits);
  THashDigest digest;
  HashEncode(Context.State, digest.data());
  Context = THashContext{};
  return digest;
}

THashDigest HashOfBuffer(std::span<const std::uint8_t> Data) {
  THashContext context;
  HashInit(context);
  HashUpdate(context, Data);
  return HashFinal(context);
}

THashDigest HashOfString(std::string_view S) {
  const std::string_view text = TrimText(S);
  if (text.empty()) return THashDigest{};
  return HashOfBuffer(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace support
