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
  std::uint64_t extra = 0;
};

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFFu); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFFu); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<std::int32_t>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16)));
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16); }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr std::int32_t GET_X_LPARAM(LPARAM l) {
  return static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(l)));
}
constexpr std::int32_t GET_Y_LPARAM(LPARAM l) {
  return static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(l)));
}

inline HWND HandleFromId(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }
inline std::uintptr_t IdFromHandle(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

}  // namespace platform
