#pragma once
// The value types of the platform's component interfaces: interface
// identifiers and result codes.

#include <cstdint>

namespace platform {

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::uint8_t Data4[8] = {};
  bool operator==(const GUID&) const = default;
};

}  // namespace platform
