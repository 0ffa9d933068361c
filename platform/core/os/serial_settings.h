#pragma once
// Line settings of a serial port in the shape the serial wrapper builds them:
// rate, word size, parity, stop bits and a flag word for binary mode,
// parity checking, flow control and the two modem control lines. The
// settings text "baud=4800 parity=N data=8 stop=1" is parsed into it.

#include <cstdint>
#include <string_view>

namespace platform {

// Bits of DCB::Flags.
inline constexpr std::uint32_t kDcbBinary = 0x0001;
inline constexpr std::uint32_t kDcbParityCheck = 0x0002;
inline constexpr std::uint32_t kDcbOutxCtsFlow = 0x0004;
inline constexpr std::uint32_t kDcbOutxDsrFlow = 0x0008;
inline constexpr std::uint32_t kDcbDtrControlMask = 0x0030;
inline constexpr std::uint32_t kDcbDtrEnable = 0x0010;
inline constexpr std::uint32_t kDcbDtrHandshake = 0x0020;
inline constexpr std::uint32_t kDcbDsrSensitivity = 0x0040;
inline constexpr std::uint32_t kDcbTxContinueOnXoff = 0x0080;
inline constexpr std::uint32_t kDcbOutX = 0x0100;
inline constexpr std::uint32_t kDcbInX = 0x0200;
inline constexpr std::uint32_t kDcbRtsControlMask = 0x3000;
inline constexpr std::uint32_t kDcbRtsEnable = 0x1000;
inline constexpr std::uint32_t kDcbRtsHandshake = 0x2000;

enum DcbParity : std::uint8_t { NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4 };
enum DcbStopBits : std::uint8_t { ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2 };

struct DCB {
  std::uint32_t BaudRate = 0;
  std::uint32_t Flags = 0;
  std::uint16_t XonLim = 0;
  std::uint16_t XoffLim = 0;
  std::uint8_t ByteSize = 0;
  std::uint8_t Parity = NOPARITY;
  std::uint8_t StopBits = ONESTOPBIT;
  char XonChar = 0;
  char XoffChar = 0;

  bool operator==(const DCB&) const = default;
};

// Parses "baud=<rate> parity=<N|O|E|M|S> data=<5..8> stop=<1|1.5|2>" (keys in
// any order, separated by blanks, letters in either case) into dcb, which is
// changed only on success. Sets binary mode, and parity checking when a
// parity is chosen. False for an unknown key or value, a missing rate or a
// rate of 0.
bool BuildCommDCB(std::string_view Settings, DCB& Dcb);

}  // namespace platform
