#include "platform/core/os/serial_settings.h"

#include <cctype>
#include <charconv>

namespace platform {
namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool ParseRate(std::string_view value, std::uint32_t& rate) {
  if (value.empty()) return false;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), rate);
  return ec == std::errc() && end == value.data() + value.size() && rate > 0;
}

bool ParseParity(std::string_view value, std::uint8_t& parity) {
  static constexpr std::string_view kLetters = "NOEMS";
  if (value.size() != 1) return false;
  const auto pos = kLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(value[0]))));
  if (pos == std::string_view::npos) return false;
  parity = static_cast<std::uint8_t>(pos);
  return true;
}

bool ParseDataBits(std::string_view value, std::uint8_t& bits) {
  if (value.size() != 1 || value[0] < '5' || value[0] > '8') return false;
  bits = static_cast<std::uint8_t>(value[0] - '0');
  return true;
}

bool ParseStopBits(std::string_view value, std::uint8_t& stop) {
  if (value == "1") {
    stop = ONESTOPBIT;
  } else if (value == "1.5") {
    stop = ONE5STOPBITS;
  } else if (value == "2") {
    stop = TWOSTOPBITS;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool BuildCommDCB(std::string_view settings, DCB& dcb) {
  DCB result = dcb;
  bool haveRate = false;
  std::size_t pos = 0;
  while (pos < settings.size()) {
    if (settings[pos] == ' ' || settings[pos] == '\t') {
      ++pos;
      continue;
    }
    std::size_t end = settings.find_first_of(" \t", pos);
    if (end == std::string_view::npos) end = settings.size();
    const std::string_view token = settings.substr(pos, end - pos);
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
  dcb = result;
  return true;
}

}  // namespace platform
