#pragma once
// The block cipher of the string container: RC6 with 32-bit words, 20 rounds
// and keys of up to 2048 bits. Its initial round-key table is the published
// one, built from the constants P32 and Q32.

#include <array>
#include <cstdint>

#include "support/cipher.h"

namespace support {

class TDCP_rc6 : public TDCP_blockcipher128 {
 public:
  ~TDCP_rc6() override;

  int GetMaxKeySize() const override { return 2048; }
  // Checks the cipher against published test vectors.
  bool SelfTest() override;
  void Burn() override;

  void EncryptECB(const TDCP_block128& In, TDCP_block128& Out) const override;
  void DecryptECB(const TDCP_block128& In, TDCP_block128& Out) const override;

 protected:
  void InitKey(std::span<const std::uint8_t> Key, std::uint32_t SizeBits) override;

  std::array<std::uint32_t, 44> KeyData = Burnt();

 private:
  static std::array<std::uint32_t, 44> Burnt();
};

// Deciphers the whole of Stream in place: RC6 in CBC mode with a 128-bit
// Key and the enciphered zero block as IV. Stream's position ends at its end.
void DecipherStream(platform::TMemoryStream& Stream, const TDCP_block128& Key);

}  // namespace support
