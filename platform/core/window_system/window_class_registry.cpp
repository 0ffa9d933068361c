#include "platform/core/window_system/window.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {
namespace {

bool SameClassName(std::u16string_view A, std::u16string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i) {
    char16_t x = A[i], y = B[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

namespace detail {

WindowClass* FindClass(std::u16string_view Name) {
  for (auto& c : S().Classes) {
    if (SameClassName(c.Wc.lpszClassName, Name)) return &c;
  }
  return nullptr;
}

}  // namespace detail

using detail::FindClass;
using detail::HandedOut;
using detail::Installed;
using detail::S;
using detail::W;
using detail::Window;
using detail::WindowClass;

namespace {

ATOM RegisterClass(WNDCLASS Wc, bool Unicode) {
  if (Wc.lpszClassName.empty() || FindClass(Wc.lpszClassName)) return 0;
  Wc.lpfnWndProc = Installed(Wc.lpfnWndProc, Unicode);
  WindowClass cls;
  cls.Wc = std::move(Wc);
  cls.Atom = S().NextClassAtom++;
  S().Classes.push_back(std::move(cls));
  return S().Classes.back().Atom;
}

bool GetClassInfo(std::u16string_view ClassName, WNDCLASS* Wc, bool Unicode) {
  const WindowClass* cls = FindClass(ClassName);
  if (!cls) return false;
  if (Wc) {
    *Wc = cls->Wc;
    Wc->lpfnWndProc = HandedOut(cls->Wc.lpfnWndProc, Unicode);
  }
  return true;
}

}  // namespace

ATOM RegisterClassA(WNDCLASS Wc) {
  RequireUiThread();
  return RegisterClass(std::move(Wc), false);
}

ATOM RegisterClassW(WNDCLASS Wc) {
  RequireUiThread();
  return RegisterClass(std::move(Wc), true);
}

bool UnregisterClassA(std::string_view ClassName) { return UnregisterClassW(Cp1252ToUtf16(ClassName)); }

bool UnregisterClassW(std::u16string_view ClassName) {
  RequireUiThread();
  auto& classes = S().Classes;
  auto it = std::find_if(classes.begin(), classes.end(),
                         [&](const WindowClass& C) { return SameClassName(C.Wc.lpszClassName, ClassName); });
  if (it == classes.end()) return false;
  {
    std::lock_guard lock(S().M);
    for (const auto& [id, w] : S().Windows) {
      if (SameClassName(w->ClassName, ClassName)) return false;
    }
  }
  classes.erase(it);
  return true;
}

bool GetClassInfoA(std::string_view ClassName, WNDCLASS* Wc) {
  RequireUiThread();
  return GetClassInfo(Cp1252ToUtf16(ClassName), Wc, false);
}

bool GetClassInfoW(std::u16string_view ClassName, WNDCLASS* Wc) {
  RequireUiThread();
  return GetClassInfo(ClassName, Wc, true);
}

std::u16string GetClassNameW(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  return w ? w->ClassName : std::u16string();
}

std::string GetClassNameA(HWND hWnd) { return Utf16ToCp1252(GetClassNameW(hWnd)); }

UINT GetClassStyle(HWND hWnd) {
  RequireUiThread();
  const Window* w = W(hWnd);
  const WindowClass* cls = w ? FindClass(w->ClassName) : nullptr;
  return cls ? cls->Wc.style : 0;
}

}  // namespace platform
