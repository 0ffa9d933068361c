#include "support/cipher.h"

#include <algorithm>
#include <vector>

#include "support/base64.h"

namespace support {
namespace {

void XorBlock(const std::uint8_t* In, const TDCP_block128& Pad, std::uint8_t* Out, std::size_t Count) {
  for (std::size_t k = 0; k < Count; ++k) Out[k] = In[k] ^ Pad[k];
}

TDCP_block128 LoadBlock(const std::uint8_t* In) {
  TDCP_block128 block;
  std::copy_n(In, block.size(), block.begin());
  return block;
}

// The chaining value as a 128-bit big-endian counter; the carry stops at
// byte 0, so all-FF wraps to zero.
void IncrementCounter(TDCP_block128& Counter) {
  for (auto b = Counter.rbegin(); b != Counter.rend(); ++b) {
    if (++*b != 0) break;
  }
}

}  // namespace

TDCP_cipher::~TDCP_cipher() {
  if (Initialized) Burn();
}

void TDCP_cipher::Init(std::span<const std::uint8_t> Key, std::uint32_t SizeBits, const TDCP_block128*) {
  if (Initialized) Burn();
  const auto maxBits = GetMaxKeySize();
  Initialized = SizeBits >= 8 && SizeBits % 4 == 0 && maxBits >= 0 && SizeBits <= static_cast<std::uint32_t>(maxBits) &&
                SizeBits / 8 <= Key.size();
}

void TDCP_cipher::Burn() { Initialized = false; }

std::uint32_t TDCP_cipher::DecryptStream(platform::TStream& Source, platform::TStream& Dest, std::uint32_t Size) {
  constexpr std::uint32_t kChunk = 8192;
  std::vector<std::uint8_t> buffer(kChunk);
  std::uint32_t total = 0;
  const auto pass = [&](std::uint32_t Chunk) {
    const auto n = static_cast<std::uint32_t>(Source.Read(buffer.data(), Chunk));
    Decrypt(buffer.data(), buffer.data(), n);
    Dest.Write(buffer.data(), n);
    total += n;
  };
  for (std::uint32_t k = 0; k < Size / kChunk; ++k) pass(kChunk);
  if (Size % kChunk > 0) pass(Size % kChunk);
  return total;
}

void TDCP_cipher::Encrypt(const std::uint8_t*, std::uint8_t*, std::uint32_t) {}

void TDCP_cipher::Decrypt(const std::uint8_t*, std::uint8_t*, std::uint32_t) {}

std::string TDCP_cipher::EncryptString(std::string_view S) {
  std::vector<std::uint8_t> buffer(S.begin(), S.end());
  Encrypt(buffer.data(), buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  return Base64Encode(buffer);
}

std::string TDCP_cipher::DecryptString(std::string_view S) {
  std::string buffer = Base64Decode(S);
  auto* data = reinterpret_cast<std::uint8_t*>(buffer.data());
  Decrypt(data, data, static_cast<std::uint32_t>(buffer.size()));
  return buffer;
}

void TDCP_blockcipher::Encrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  switch (CipherMode) {
    case TCipherMode::CBC:
      EncryptCBC(In, Out, Size);
      break;
    case TCipherMode::CFB8:
      EncryptCFB8(In, Out, Size);
      break;
    case TCipherMode::CTR:
      EncryptCTR(In, Out, Size);
      break;
  }
}

void TDCP_blockcipher::Decrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  switch (CipherMode) {
    case TCipherMode::CBC:
      DecryptCBC(In, Out, Size);
      break;
    case TCipherMode::CFB8:
      DecryptCFB8(In, Out, Size);
      break;
    case TCipherMode::CTR:
      DecryptCTR(In, Out, Size);
      break;
  }
}

std::string TDCP_blockcipher::EncryptString(std::string_view S) {
  std::vector<std::uint8_t> buffer(S.begin(), S.end());
  EncryptCFB8(buffer.data(), buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  return Base64Encode(buffer);
}

std::string TDCP_blockcipher::DecryptString(std::string_view S) {
  std::string buffer = Base64Decode(S);
  auto* data = reinterpret_cast<std::uint8_t*>(buffer.data());
  DecryptCFB8(data, data, static_cast<std::uint32_t>(buffer.size()));
  return buffer;
}

TDCP_blockcipher128::~TDCP_blockcipher128() {
  if (Initialized) Burn();
}

TDCP_block128 TDCP_blockcipher128::Burnt() {
  TDCP_block128 block;
  block.fill(0xFF);
  return block;
}

void TDCP_blockcipher128::Init(std::span<const std::uint8_t> Key, std::uint32_t SizeBits,
                               const TDCP_block128* InitVector) {
  TDCP_cipher::Init(Key, SizeBits, InitVector);
  if (!Initialized) return;
  InitKey(Key, SizeBits);
  if (InitVector) {
    IV = *InitVector;
  } else {
    EncryptECB(TDCP_block128{}, IV);
  }
  Reset();
}

void TDCP_blockcipher128::Burn() {
  IV = Burnt();
  CV = Burnt();
  TDCP_blockcipher::Burn();
}

void TDCP_blockcipher128::Reset() {
  if (Initialized) CV = IV;
}

void TDCP_blockcipher128::SetIV(const TDCP_block128& Value) {
  if (!Initialized) return;
  IV = Value;
  Reset();
}

void TDCP_blockcipher128::GetIV(TDCP_block128& Value) const {
  if (Initialized) Value = CV;
}

void TDCP_blockcipher128::CbcTail(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  const std::uint32_t rest = Size % 16;
  if (rest == 0) return;
  const std::uint32_t at = Size - rest;
  EncryptECB(CV, CV);
  XorBlock(In + at, CV, Out + at, rest);
}

void TDCP_blockcipher128::EncryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  if (!Initialized) return;
  for (std::uint64_t at = 0; at + 16 <= Size; at += 16) {
    TDCP_block128 block;
    XorBlock(In + at, CV, block.data(), 16);
    EncryptECB(block, CV);
    std::copy(CV.begin(), CV.end(), Out + at);
  }
  CbcTail(In, Out, Size);
}

void TDCP_blockcipher128::DecryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  if (!Initialized) return;
  for (std::uint64_t at = 0; at + 16 <= Size; at += 16) {
    const TDCP_block128 cipherBlock = LoadBlock(In + at);
    TDCP_block128 plain;
    DecryptECB(cipherBlock, plain);
    XorBlock(plain.data(), CV, Out + at, 16);
    CV = cipherBlock;
  }
  CbcTail(In, Out, Size);
}

void TDCP_blockcipher128::CFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size, bool Encrypting) {
  if (!Initialized) return;
  for (std::uint32_t k = 0; k < Size; ++k) {
    TDCP_block128 pad;
    EncryptECB(CV, pad);
    const std::uint8_t in = In[k];
    const std::uint8_t out = in ^ pad[0];
    Out[k] = out;
    std::copy(CV.begin() + 1, CV.end(), CV.begin());
    CV[15] = Encrypting ? out : in;
  }
}

void TDCP_blockcipher128::EncryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  CFB8(In, Out, Size, true);
}

void TDCP_blockcipher128::DecryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  CFB8(In, Out, Size, false);
}

void TDCP_blockcipher128::EncryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  if (!Initialized) return;
  for (std::uint64_t at = 0; at < Size; at += 16) {
    TDCP_block128 pad;
    EncryptECB(CV, pad);
    IncrementCounter(CV);
    XorBlock(In + at, pad, Out + at, std::min<std::uint64_t>(16, Size - at));
  }
}

void TDCP_blockcipher128::DecryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) {
  EncryptCTR(In, Out, Size);
}

}  // namespace support
