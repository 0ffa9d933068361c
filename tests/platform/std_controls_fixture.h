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

inline LRESULT ParentProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_COMMAND && g_notes) {
    g_notes->push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
  }
  if (Msg == WM_NOTIFY && g_notes) {
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    g_notes->push_back("notify " + std::to_string(nm->code));
    if (nm->code == TCN_SELCHANGING) return g_vetoTab ? 1 : 0;
  }
  return DefWindowProcW(hWnd, Msg, wParam, lParam);
}

// Upper-cases the characters typed into the window it subclasses.
inline WNDPROC g_editProc;
inline LRESULT UpperCaseChars(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_CHAR && wParam >= 'a' && wParam <= 'z') wParam -= 32;
  return CallWindowProcW(g_editProc, hWnd, Msg, wParam, lParam);
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
    g_notes = &Notes;
    g_vetoTab = false;
    Parent = CreateWindowExW(0, u"TestParent", u"Test", WS_VISIBLE, 0, 0, 400, 300, nullptr, 0, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(Parent);
    Pump();
    g_notes = nullptr;
  }
  HWND Child(const char16_t* Cls, DWORD Style, int Id, const char16_t* Text = u"") {
    return CreateWindowExW(0, Cls, Text, WS_CHILD | WS_VISIBLE | Style, 10, 10, 200, 100, Parent,
                           static_cast<std::uintptr_t>(Id), nullptr, nullptr);
  }
  static void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  static void Type(HWND hWnd, std::u16string_view Text) {
    for (char16_t c : Text) PostKeyDown(hWnd, WM_KEYDOWN, 0xE5, 1, std::u16string(1, c));
    Pump();
  }
  static void Key(HWND hWnd, UINT Vk, std::u16string_view Text = {}) {
    PostKeyDown(hWnd, WM_KEYDOWN, Vk, 1, std::u16string(Text));
    Pump();
  }
  // How often the control with the identifier sent the notification code.
  long Sent(int Id, UINT Code) const {
    return std::count(Notes.begin(), Notes.end(), std::to_string(Id) + ":" + std::to_string(Code));
  }
  static LRESULT AddA(HWND hWnd, UINT Msg, const char* Text) {
    return SendMessageA(hWnd, Msg, 0, reinterpret_cast<LPARAM>(Text));
  }
  static LRESULT AddW(HWND hWnd, UINT Msg, const char16_t* Text) {
    return SendMessageW(hWnd, Msg, 0, reinterpret_cast<LPARAM>(Text));
  }

  std::vector<std::string> Notes;
  HWND Parent = nullptr;
};

}  // namespace fixture
