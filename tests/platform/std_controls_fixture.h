#pragma once
// Standard control windows made straight on the window system (no class
// library) under a parent that logs the notifications they send:
// "id:code" for WM_COMMAND, "notify code" for WM_NOTIFY.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window_system/input.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/presentation.h"

namespace fixture {

using namespace platform;

inline std::vector<std::string>* g_notes = nullptr;
// The parent refuses a change of tab while set.
inline bool g_vetoTab = false;

inline LRESULT ParentProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_COMMAND && g_notes) {
    g_notes->push_back(std::to_string(LOWORD(w)) + ":" + std::to_string(HIWORD(w)));
  }
  if (msg == WM_NOTIFY && g_notes) {
    const auto* nm = reinterpret_cast<const NMHDR*>(l);
    g_notes->push_back("notify " + std::to_string(nm->code));
    if (nm->code == TCN_SELCHANGING) return g_vetoTab ? 1 : 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

// Upper-cases the characters typed into the window it subclasses.
inline WNDPROC g_editProc;
inline LRESULT UpperCaseChars(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CHAR && w >= 'a' && w <= 'z') w -= 32;
  return CallWindowProcW(g_editProc, h, msg, w, l);
}

class StdControls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::InitializeUi();
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&ParentProc>(true);
    wc.lpszClassName = u"TestParent";
    RegisterClassW(wc);
  }
  void SetUp() override {
    g_notes = &notes_;
    g_vetoTab = false;
    parent_ = CreateWindowExW(0, u"TestParent", u"Test", WS_VISIBLE, 0, 0, 400, 300, nullptr, 0, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    Pump();
    g_notes = nullptr;
  }
  HWND Child(const char16_t* cls, DWORD style, int id, const char16_t* text = u"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 100, parent_,
                           static_cast<std::uintptr_t>(id), nullptr, nullptr);
  }
  static void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  static void Type(HWND h, std::u16string_view text) {
    for (char16_t c : text) PostKeyDown(h, WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
    Pump();
  }
  static void Key(HWND h, UINT vk, std::u16string_view text = {}) {
    PostKeyDown(h, WM_KEYDOWN, vk, 1, std::u16string(text));
    Pump();
  }
  // How often the control with the identifier sent the notification code.
  long Sent(int id, UINT code) const {
    return std::count(notes_.begin(), notes_.end(), std::to_string(id) + ":" + std::to_string(code));
  }
  static LRESULT AddA(HWND h, UINT msg, const char* text) {
    return SendMessageA(h, msg, 0, reinterpret_cast<LPARAM>(text));
  }
  static LRESULT AddW(HWND h, UINT msg, const char16_t* text) {
    return SendMessageW(h, msg, 0, reinterpret_cast<LPARAM>(text));
  }

  std::vector<std::string> notes_;
  HWND parent_ = nullptr;
};

}  // namespace fixture
