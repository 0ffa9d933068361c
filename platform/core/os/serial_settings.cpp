#include "platform/core/os/serial_settings.h"

#include <cctype>
#include <charconv>

namespace platform {
namespace {

bool EqualsIgnoreCase(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(A[i])) != std::tolower(static_cast<unsigned char>(B[i]))) return false;
  }
  return true;
}

bool ParseRate(std::string_view Value, std::uint32_t& Rate) {
  if (Value.empty()) return false;
  const auto [end, ec] = std::from_chars(Value.data(), Value.data() + Value.size(), Rate);
  return ec == std::errc() && end == Value.data() + Value.size() && Rate > 0;
}

bool ParseParity(std::string_view Value, std::uint8_t& Parity) {
  static constexpr std::string_view kLetters = "NOEMS";
  if (Value.size() != 1) return false;
  const auto pos = kLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(Value[0]))));
  if (pos == std::string_view::npos) return false;
  Parity = static_cast<std::uint8_t>(pos);
  return true;
}

bool ParseDataBits(std::string_view Value, std::uint8_t& Bits) {
  if (Value.size() != 1 || Value[0] < '5' || Value[0] > '8') return false;
  Bits = static_cast<std::uint8_t>(Value[0] - '0');
  return true;
}

bool ParseStopBits(std::string_view Value, std::uint8_t& Stop) {
  if (Value == "1") {
    Stop = ONESTOPBIT;
  } else if (Value == "1.5") {
    Stop = ONE5STOPBITS;
  } else if (Value == "2") {
    Stop = TWOSTOPBITS;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool BuildCommDCB(std::string_view Settings, DCB& Dcb) {
  DCB result = Dcb;
  bool haveRate = false;
  std::size_t pos = 0;
  while (pos < Settings.size()) {
    if (Settings[pos] == ' ' || Settings[pos] == '\t') {
      ++pos;
      continue;
    }
    std::size_t end = Settings.find_first_of(" \t", pos);
    if (end == std::string_view::npos) end = Settings.size();
    const std::string_view token = Settings.substr(pos, end - pos);
    pos = end;

    const auto eq = token.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view key = token.substr(0, eq);
    const std::string_view value = token.substr(eq + 1);
    bool ok = false;
    if (EqualsIgnoreCase(key, "baud")) {
      ok = haveRate = ParseRate(value, result.BaudRate);
    } else if (EqualsIgnoreCase(key, "parity")) {
      ok = ParseParity(value, result.Parity);
    } else if (EqualsIgnoreCase(key, "data")) {
      ok = ParseDataBits(value, result.ByteSize);
    } else if (EqualsIgnoreCase(key, "stop")) {
      ok = ParseStopBits(value, result.StopBits);
    }
    if (!ok) return false;
  }
  if (!haveRate) return false;
  if (result.ByteSize == 0) result.ByteSize = 8;
  result.Flags |= kDcbBinary;
  if (result.Parity != NOPARITY) {
    result.Flags |= kDcbParityCheck;
  } else {
    result.Flags &= ~kDcbParityCheck;
  }
  Dcb = result;
  return true;
}

}  // namespace platform
