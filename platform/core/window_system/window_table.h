#pragma once
// The window table that the window calls share inside the platform library:
// the registered classes, the windows with their state, the global atoms
// and registered messages, and the lookups and procedure calls every part
// of the window model makes.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/window_system/queue_internal.h"
#include "platform/core/window_system/window.h"

namespace platform::detail {

struct WindowClass {
  WNDCLASS Wc;
  ATOM Atom = 0;
  PeerFactory MakePeer;
};

struct Window {
  std::uintptr_t Id = 0;
  DWORD Thread = 0;
  std::u16string ClassName;
  WNDPROC Proc;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;       // the parent of a child, the owner of any other
  std::vector<HWND> Children;  // front to back
  RECT Bounds;
  std::u16string Text;
  std::uintptr_t ChildId = 0;
  LPARAM UserData = 0;
  // The values a class keeps at non-negative indices (a dialog's result).
  std::map<int, LPARAM> Extra;
  void* Instance = nullptr;
  std::map<std::string, HANDLE> NamedProps;
  std::map<ATOM, HANDLE> AtomProps;
  bool Destroying = false;
  std::unique_ptr<WindowPeer> Peer;
};

struct Atom {
  std::string Name;
  int Count = 0;
};

struct State {
  std::mutex M;  // guards windows for lookups from other threads
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> Windows;
  std::vector<HWND> TopLevel;  // oldest first
  std::uintptr_t NextId = 0x10000;
  std::vector<WindowClass> Classes;
  ATOM NextClassAtom = 0xC000;
  std::map<ATOM, Atom> Atoms;
  std::map<std::string, UINT> RegisteredMessages;
  UINT NextMessage = detail::kRunTaskMessage + 1;
  PeerFactory DefaultPeer;
  HWND Focus = nullptr;
  HWND Active = nullptr;
  HWND Capture = nullptr;
};

// The one table of the process.
State& S();
// The window a handle names; null for one that names none.
Window* W(HWND hWnd);
WindowClass* FindClass(std::u16string_view Name);
std::string Lower(std::string_view S);
// Tells the window's presentation that its state changed.
void Notify(HWND hWnd, void (WindowPeer::*What)());
bool IsTopLevel(const Window& W);
// A top-level window's menu bar stands above its client area.
int ClientTop(HWND hWnd, const Window& W);

// The value the window system gives a caller of the given kind for a
// procedure: the procedure itself to a caller of its own kind, a converting
// one to a caller of the other.
WNDPROC HandedOut(WNDPROC Proc, bool UnicodeCaller);
// What a window or class keeps when a caller of the given kind installs
// proc: a converting value stands for its procedure and that procedure's
// kind; any other procedure takes the caller's kind.
WNDPROC Installed(WNDPROC Proc, bool UnicodeCaller);
// Calls proc for a caller of the given kind, converting what the message
// carries when the kinds differ.
LRESULT Call(const WNDPROC& Proc, bool UnicodeCaller, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform::detail
