#pragma once
// Message queues: one per thread that asks for one, as the window system
// keeps them. Messages can be posted from any thread; they are retrieved
// only by the thread that owns the queue. The user-interface thread's queue
// is the one home of its messages: a presentation layer (Qt) plugs in
// through QueueEventSource to be woken when something is posted and to run
// its own events while the queue waits.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/wintypes.h"

namespace platform {

// Small numbers, unique per thread for the life of the process.
DWORD GetCurrentThreadId();

// Makes the calling thread the user-interface thread and gives it a queue;
// does nothing while another thread serves as one (until it has shut down
// or ended). A thread that shut down its service may bind again.
void BindUiThread();
// 0 while no thread is bound.
DWORD UiThreadId();
bool IsUiThread();
// Ends the user-interface thread's service: tasks waiting to run there are
// released unrun, and later posts to it fail. Call it on that thread when
// its message loop and the final pending-message pass are over.
void ShutdownUiThread();

// Posting. PostMessage to a null window is PostThreadMessage to the caller.
// The A form takes a character message's code as code page 1252, the W form
// as UTF-16; queues keep them as UTF-16.
bool PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
bool PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
inline bool PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(hWnd, Msg, wParam, lParam);
}
bool PostThreadMessageA(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam);
bool PostThreadMessageW(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam);
inline bool PostThreadMessage(DWORD ThreadId, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return PostThreadMessageA(ThreadId, Msg, wParam, lParam);
}
void PostQuitMessage(int ExitCode);
// Posts a key-down whose translation gives the characters in text (one
// UTF-16 unit, or a surrogate pair); used where input enters the queue.
bool PostKeyDown(HWND hWnd, UINT Msg, WPARAM VirtualKey, LPARAM KeyData, std::u16string_view Text);

// Retrieval, by the owning thread. hWnd null takes messages of any window
// and thread messages; HWND(-1) only thread messages. A range of 0..0 takes
// every message; WM_QUIT is returned whatever the range. The A forms give
// character messages as code page 1252 (a unit without a byte becomes '?').
bool PeekMessageA(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, UINT RemoveFlags);
bool PeekMessageW(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, UINT RemoveFlags);
inline bool PeekMessage(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax, UINT RemoveFlags) {
  return PeekMessageA(Msg, hWnd, FilterMin, FilterMax, RemoveFlags);
}
// The time (tick count) of the message the calling thread retrieved last.
DWORD GetMessageTime();
// Waits for a message; false for WM_QUIT.
bool GetMessageA(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax);
bool GetMessageW(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax);
inline bool GetMessage(MSG* Msg, HWND hWnd, UINT FilterMin, UINT FilterMax) {
  return GetMessageA(Msg, hWnd, FilterMin, FilterMax);
}
// Waits until a message is queued for the caller or timeoutMs has passed;
// returns at once after running work another thread was waiting for.
void WaitMessage(std::uint32_t TimeoutMs = 0xFFFFFFFFu);

// Posts the characters of a key-down at the head of the queue; true when
// there were any.
bool TranslateMessage(const MSG* Msg);

// Message hooks (WH_GETMESSAGE only): called by retrieval with wParam
// PM_REMOVE or PM_NOREMOVE and lParam pointing at the MSG, which the hook may
// change. A hook installed with the W form sees character messages as UTF-16.
using HOOKPROC = std::function<LRESULT(int Code, WPARAM wParam, LPARAM lParam)>;
HHOOK SetWindowsHookExA(int idHook, HOOKPROC Proc, DWORD ThreadId);
HHOOK SetWindowsHookExW(int idHook, HOOKPROC Proc, DWORD ThreadId);
bool UnhookWindowsHookEx(HHOOK hHook);
LRESULT CallNextHookEx(HHOOK hHook, int Code, WPARAM wParam, LPARAM lParam);

// Timers of the calling thread. A null window's timer gets a fresh id, which
// is returned. Due timers give WM_TIMER when nothing else is queued; with a
// procedure, dispatching it calls the procedure instead of a window.
using TIMERPROC = void (*)(HWND hWnd, UINT Msg, std::uintptr_t Id, DWORD Time);
std::uintptr_t SetTimer(HWND hWnd, std::uintptr_t Id, UINT ElapseMs, TIMERPROC Proc = nullptr);
bool KillTimer(HWND hWnd, std::uintptr_t Id);
// Milliseconds until the calling thread's next timer is due: 0 when one is
// due now, 0xFFFFFFFF when it has none.
std::uint32_t NextTimerDue();

// Work for the user-interface thread. RunOnUiThread queues fn behind the
// messages already posted there and returns at once; dispatching the message
// runs it. False when there is no user-interface thread or it has shut down.
bool RunOnUiThread(std::function<void()> Fn);
// Runs fn on the user-interface thread and waits for it to return; called on
// that thread it runs fn at once. The user-interface thread runs such work
// inside any message retrieval, whatever the filter, and in
// CheckSynchronize. Returns false, without running fn, when the thread is
// gone or shuts down first. An exception thrown by fn reaches the caller.
bool RunOnUiThreadAndWait(std::function<void()> Fn);
// On the user-interface thread: runs the work that other threads wait for,
// waiting up to timeoutMs for some to arrive. True when any ran. A thread
// that the user-interface thread joins may be waiting in
// RunOnUiThreadAndWait, so join it with a CheckSynchronize loop.
bool CheckSynchronize(std::uint32_t TimeoutMs = 0);

// Lets a presentation layer serve the calling thread's queue. Wake is called
// from any thread after something is posted or sent there. Wait, called on
// the owning thread with no lock held, runs the layer's own events and
// returns when Wake was called or timeoutMs (0xFFFFFFFF: none) has passed;
// with timeoutMs 0 it only polls.
struct QueueEventSource {
  std::function<void()> Wake;
  std::function<void(std::uint32_t TimeoutMs)> Wait;
};
void SetQueueEventSource(QueueEventSource Source);

}  // namespace platform
