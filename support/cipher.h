#pragma once
// The symmetric cipher family: an abstract cipher, a block cipher that runs
// its block operation in one of three chaining modes, and the layer for
// 128-bit blocks that keeps the initialisation vector and the chaining value.
// The string container deciphers its payload with it in CBC mode.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/classes/object.h"
#include "platform/core/classes/streams.h"

namespace support {

using TDCP_block128 = std::array<std::uint8_t, 16>;

class TDCP_cipher : public platform::TObject {
 public:
  TDCP_cipher() = default;
  ~TDCP_cipher() override;
  TDCP_cipher(const TDCP_cipher&) = delete;
  TDCP_cipher& operator=(const TDCP_cipher&) = delete;

  virtual int GetId() const { return -1; }
  virtual std::string GetAlgorithm() const { return {}; }
  virtual int GetMaxKeySize() const { return -1; }  // bits
  virtual bool SelfTest() { return false; }

  // Accepts a key of SizeBits bits when SizeBits is at least 8, a multiple of
  // 4, at most GetMaxKeySize and covered by the bytes given; otherwise the
  // cipher stays uninitialised and every operation leaves its output alone.
  virtual void Init(std::span<const std::uint8_t> Key, std::uint32_t SizeBits, const TDCP_block128* IV = nullptr);
  virtual void Burn();
  virtual void Reset() {}

  // In and Out may be the same buffer; both hold Size bytes.
  virtual void Encrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size);
  virtual void Decrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size);
  // The text's bytes enciphered, in Base64; and back.
  virtual std::string EncryptString(std::string_view S);
  virtual std::string DecryptString(std::string_view S);

  // Deciphers Size bytes of Source into Dest, 8192 bytes at a time, so
  // every chunk but the last is whole blocks. Returns the bytes read, fewer
  // than Size when Source ends early.
  std::uint32_t DecryptStream(platform::TStream& Source, platform::TStream& Dest, std::uint32_t Size);

  bool IsInitialized() const { return Initialized; }

 protected:
  bool Initialized = false;
};

enum class TCipherMode : std::uint8_t { CBC = 0, CFB8 = 1, CTR = 2 };

class TDCP_blockcipher : public TDCP_cipher {
 public:
  TCipherMode CipherMode = TCipherMode::CBC;

  void Encrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void Decrypt(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  // Always in CFB-8, whatever CipherMode says.
  std::string EncryptString(std::string_view S) override;
  std::string DecryptString(std::string_view S) override;

  virtual int GetBlockSize() const = 0;  // bits
  virtual void EncryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;
  virtual void DecryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;
  virtual void EncryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;
  virtual void DecryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;
  virtual void EncryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;
  virtual void DecryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) = 0;

 protected:
  virtual void InitKey(std::span<const std::uint8_t> Key, std::uint32_t SizeBits) = 0;
};

// The modes over a 128-bit block operation. The chaining value carries over
// from one call to the next until Reset or SetIV. CBC enciphers a last
// partial block by XOR with the enciphered chaining value, so every size
// keeps its length.
class TDCP_blockcipher128 : public TDCP_blockcipher {
 public:
  ~TDCP_blockcipher128() override;

  // Without an IV the IV is 16 zero bytes enciphered once.
  void Init(std::span<const std::uint8_t> Key, std::uint32_t SizeBits, const TDCP_block128* IV = nullptr) override;
  void Burn() override;
  void Reset() override;
  int GetBlockSize() const override { return 128; }

  void SetIV(const TDCP_block128& Value);
  // The current chaining value; Value is left alone while uninitialised.
  void GetIV(TDCP_block128& Value) const;

  virtual void EncryptECB(const TDCP_block128& In, TDCP_block128& Out) const = 0;
  virtual void DecryptECB(const TDCP_block128& In, TDCP_block128& Out) const = 0;

  void EncryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void DecryptCBC(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void EncryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void DecryptCFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void EncryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;
  void DecryptCTR(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size) override;

 protected:
  TDCP_block128 IV = Burnt();
  TDCP_block128 CV = Burnt();

 private:
  static TDCP_block128 Burnt();
  void CbcTail(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size);
  void CFB8(const std::uint8_t* In, std::uint8_t* Out, std::uint32_t Size, bool Encrypting);
};

}  // namespace support
