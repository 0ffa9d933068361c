#pragma once
// The window system's value types: handles, message parameters, points,
// rectangles and the queued message record. Handles are opaque numbers that
// the window table resolves, so a stale handle is detected, never followed.

#include <cstdint>

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = std::uint16_t;
using COLORREF = std::uint32_t;

struct HWND__;
using HWND = HWND__*;
struct HHOOK__;
using HHOOK = HHOOK__*;

// NOLINTBEGIN(readability-identifier-naming)
struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const POINT&) const = default;
};

struct SIZE {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  bool operator==(const SIZE&) const = default;
};

struct RECT {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const RECT&) const = default;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
};

// A queued message. Extra carries the characters a key-down produces (up to
// two UTF-16 units and their count) so that TranslateMessage can post them.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
  std::uint64_t Extra = 0;
};
// NOLINTEND(readability-identifier-naming)

constexpr WORD LOWORD(std::uintptr_t V) { return static_cast<WORD>(V & 0xFFFFu); }
constexpr WORD HIWORD(std::uintptr_t V) { return static_cast<WORD>((V >> 16) & 0xFFFFu); }
constexpr LPARAM MAKELPARAM(WORD Lo, WORD Hi) {
  return static_cast<LPARAM>(static_cast<std::int32_t>(static_cast<DWORD>(Lo) | (static_cast<DWORD>(Hi) << 16)));
}
constexpr WPARAM MAKEWPARAM(WORD Lo, WORD Hi) { return static_cast<WPARAM>(Lo) | (static_cast<WPARAM>(Hi) << 16); }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr std::int32_t GET_X_LPARAM(LPARAM lParam) {
  return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
}
constexpr std::int32_t GET_Y_LPARAM(LPARAM lParam) {
  return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)));
}

inline HWND HandleFromId(std::uintptr_t Id) { return reinterpret_cast<HWND>(Id); }
inline std::uintptr_t IdFromHandle(HWND hWnd) { return reinterpret_cast<std::uintptr_t>(hWnd); }

constexpr COLORREF RGB(BYTE R, BYTE G, BYTE B) {
  return static_cast<COLORREF>(R) | (static_cast<COLORREF>(G) << 8) | (static_cast<COLORREF>(B) << 16);
}
constexpr BYTE GetRValue(COLORREF C) { return static_cast<BYTE>(C & 0xFF); }
constexpr BYTE GetGValue(COLORREF C) { return static_cast<BYTE>((C >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF C) { return static_cast<BYTE>((C >> 16) & 0xFF); }

}  // namespace platform
