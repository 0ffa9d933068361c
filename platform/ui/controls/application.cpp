#include "platform/ui/controls/forms.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/core/os/modules.h"
#include "platform/core/text/codepages.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/apphooks.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/window_classes/presentation.h"

namespace platform {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

constexpr std::uintptr_t kHintShowTimer = 1;
constexpr std::uintptr_t kHintHideTimer = 2;

std::string ShortHint(const std::string& Hint) { return Hint.substr(0, Hint.find('|')); }

std::string ParentHint(TControl* C) {
  for (; C; C = C->Parent()) {
    if (!C->Hint.empty()) return C->Hint;
  }
  return {};
}

bool WantsHint(TControl* C) { return C && C->ShowHint() && !ParentHint(C).empty(); }

// True for text with at least one multi-byte sequence and nothing that is
// not UTF-8; such text is not plausibly code page 1252 (that would need
// runs like "Ã©").
bool IsMultiByteUtf8(std::string_view S) {
  bool multi = false;
  for (std::size_t i = 0; i < S.size();) {
    const auto lead = static_cast<unsigned char>(S[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const std::size_t trail = lead >= 0xC2 && lead <= 0xDF   ? 1
                              : lead >= 0xE0 && lead <= 0xEF ? 2
                              : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                             : 0;
    if (trail == 0 || i + trail >= S.size()) return false;
    for (std::size_t k = 1; k <= trail; ++k) {
      if ((static_cast<unsigned char>(S[i + k]) & 0xC0) != 0x80) return false;
    }
    i += trail + 1;
    multi = true;
  }
  return multi;
}

// The owner of the application's message boxes.
HWND ActiveFormWindow() {
  return Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated()
             ? Screen->ActiveForm()->WindowHandle()
             : nullptr;
}

// An exception's message for the screen: the class library's own messages
// are code page 1252; the wide-text layer puts its UTF-16 messages into
// the 8-bit message as UTF-8.
std::u16string MessageText(std::string_view Message) {
  if (!IsMultiByteUtf8(Message)) return Cp1252ToUtf16(Message);
  const int size = static_cast<int>(Message.size());
  std::u16string out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, Message.data(), size, nullptr, 0)),
                     u'\0');
  MultiByteToWideChar(CP_UTF8, 0, Message.data(), size, out.data(), static_cast<int>(out.size()));
  return out;
}

}  // namespace

// ------------------------------------------------------------ TApplication

const THintWindowClassInfo THintWindowPlainClass{"THintWindow",
                                                 [](TComponent* Owner) { return new THintWindow(Owner); }};

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  CancelHint();
  if (handle_) DestroyWindow(handle_);
  AppHooks() = ApplicationHooks{};
}

LRESULT TApplication::AppWndProc(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto* app = static_cast<TApplication*>(Self);
  // The window is the application's from its first message on, so that
  // the hooks find it while it is being made.
  if (Msg == WM_NCCREATE) app->handle_ = hWnd;
  TMessage m{Msg, wParam, lParam, 0};
  for (auto& [id, hook] : std::map<int, TWindowHook>(app->hooks_)) {
    if (hook(m)) return m.Result;
  }
  if (Msg == WM_NCDESTROY && app->handle_ == hWnd) app->handle_ = nullptr;
  if (Msg == WM_NCCREATE || Msg == WM_SETTEXT || Msg == WM_GETTEXT || Msg == WM_GETTEXTLENGTH) {
    return DefWindowProcW(hWnd, Msg, wParam, lParam);
  }
  app->WndProc(m);
  return m.Result;
}

void TApplication::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      if (Message.WParam == kHintShowTimer) {
        KillTimer(handle_, kHintShowTimer);
        HintTimerExpired();
      } else if (Message.WParam == kHintHideTimer) {
        CancelHint();
      }
      return;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return;
    // The session ends: the program closes as when its main form closes.
    case WM_ENDSESSION:
      if (Message.WParam) Terminate();
      return;
    default:
      if (handle_) Message.Result = DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
      return;
  }
}

void TApplication::Initialize() {
  ui::InitializeUi();
  ApplicationHooks& hooks = AppHooks();
  hooks.OnMessage = [this](MSG& Msg) {
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    return handled;
  };
  hooks.CancelHint = [this] { CancelHint(); };
  hooks.DialogHandle = [this] { return DialogHandle; };
  hooks.MdiClient = [this] { return mainForm_ ? mainForm_->ClientHandle() : nullptr; };
}

HWND TApplication::Handle() {
  if (handle_) return handle_;
  // The class stays from one window to the next, unless another
  // application object made it.
  const WNDPROC proc{&TApplication::AppWndProc, this, true};
  WNDCLASS existing;
  if (!GetClassInfoW(u"TApplication", &existing) || existing.lpfnWndProc != proc) {
    UnregisterClassW(u"TApplication");
    WNDCLASS wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = u"TApplication";
    RegisterClassW(wc);
  }
  CreateWindowExW(WS_EX_TOOLWINDOW, u"TApplication", Cp1252ToUtf16(title_), WS_POPUP, 0, 0, 0, 0, nullptr, 0, nullptr,
                  nullptr);
  return handle_;
}

void TApplication::Run() {
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (terminated_) return;
  PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

bool TApplication::ProcessMessage(MSG& Msg) {
  // The loop works with the application window: it is made now at the
  // latest.
  Handle();
  if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  const HWND mdiClient = mainForm_ ? mainForm_->ClientHandle() : nullptr;
  if (!IsHintMsg(Msg) && !handled && !(mdiClient && TranslateMDISysAccel(mdiClient, &Msg)) && !IsKeyMsg(Msg) &&
      !IsDlgMsg(Msg)) {
    TranslateMessage(&Msg);
    try {
      DispatchMessageA(&Msg);
    } catch (...) {
      HandleException(this);
    }
  }
  return true;
}

void TApplication::Idle(const MSG&) {
  bool done = true;
  if (OnIdle) OnIdle(this, done);
  if (Screen && Screen->ActiveForm()) Screen->ActiveForm()->UpdateActions();
  if (done && !terminated_) WaitMessage();
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
    if (!wnd) wnd = Msg.hwnd;
  }
  return wnd && SendMessageA(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsDlgMsg(MSG& Msg) { return DialogHandle && IsDialogMessageA(DialogHandle, &Msg); }

bool TApplication::IsHintMsg(MSG& Msg) {
  if (hintActive_ && (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN || Msg.message == WM_LBUTTONDOWN ||
                      Msg.message == WM_RBUTTONDOWN || Msg.message == WM_MBUTTONDOWN)) {
    CancelHint();
  }
  return false;
}

std::string TApplication::Title() { return handle_ ? WindowTextA(handle_) : title_; }

void TApplication::SetTitle(const std::string& Value) {
  title_ = Value;
  if (handle_ && WindowTextA(handle_) != Value) SetWindowTextA(handle_, Value);
}

void TApplication::SetHint(const std::string& Value) {
  if (Value == hint_) return;
  hint_ = Value;
  if (OnHint) {
    OnHint(this);
    return;
  }
  THintAction action(nullptr);
  action.SetHint(Value);
  action.Execute();
}

void TApplication::StartHintTimer(int Pause) {
  KillTimer(Handle(), kHintShowTimer);
  SetTimer(Handle(), kHintShowTimer, static_cast<UINT>(std::max(Pause, 10)));
}

void TApplication::NoteMouseMove(TControl* Control) {
  if (Control != mouseControl_) {
    TControl* old = mouseControl_;
    mouseControl_ = Control;
    if (old) {
      old->FreeNotification(this);
      old->Perform(CM_MOUSELEAVE, 0, 0);
    }
    if (Control) {
      Control->FreeNotification(this);
      Control->Perform(CM_MOUSEENTER, 0, 0);
    }
  }
  POINT pt;
  GetCursorPos(&pt);
  const TPoint cursor{pt.x, pt.y};
  if (!ShowHint || !WantsHint(Control)) {
    if (hintActive_ || hintControl_) CancelHint();
    return;
  }
  if (Control == hintControl_ && hintActive_) return;
  const bool quick = hintActive_;
  if (hintActive_) HideHint();
  hintControl_ = Control;
  hintCursor_ = cursor;
  StartHintTimer(quick ? HintShortPause : HintPause);
}

void TApplication::NoteMouseLeave(TControl* Control) {
  if (!Control || !mouseControl_) return;
  // Leaving a window also leaves the windowless controls painted in it.
  auto* window = dynamic_cast<TWinControl*>(Control);
  if (mouseControl_ != Control && !(window && window->ContainsControl(mouseControl_))) return;
  TControl* left = std::exchange(mouseControl_, nullptr);
  left->Perform(CM_MOUSELEAVE, 0, 0);
  CancelHint();
}

void TApplication::HintTimerExpired() {
  POINT pt;
  GetCursorPos(&pt);
  ActivateHint(TPoint{pt.x, pt.y});
}

void TApplication::ActivateHint(TPoint CursorPos) {
  TControl* control = hintControl_ ? hintControl_ : mouseControl_;
  if (!control || !ShowHint) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = HintWindowClass;
  info.HintPos = TPoint{CursorPos.X, CursorPos.Y + 20};
  info.HintMaxWidth = Screen ? Screen->Width() : 1024;
  info.HintColor = HintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(CursorPos);
  info.HideTimeout = HintHidePause;
  info.HintStr = ShortHint(ParentHint(control));
  if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;
  // A window of another class than the one made before takes its place.
  const THintWindowClass cls = info.HintWindowClass ? info.HintWindowClass : &THintWindowPlainClass;
  if (hintWindow_ && hintWindowClass_ != cls) {
    Free(hintWindow_);
    hintWindow_ = nullptr;
  }
  if (!hintWindow_) {
    hintWindow_ = cls->Create(this);
    hintWindowClass_ = cls;
  }
  hintWindow_->SetColor(info.HintColor);
  TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r = Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height());
  hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
  hintActive_ = true;
  KillTimer(Handle(), kHintHideTimer);
  if (info.HideTimeout > 0) SetTimer(Handle(), kHintHideTimer, static_cast<UINT>(info.HideTimeout));
}

void TApplication::HideHint() {
  if (hintWindow_) hintWindow_->ReleaseHandle();
  hintActive_ = false;
}

void TApplication::CancelHint() {
  if (handle_) {
    KillTimer(handle_, kHintShowTimer);
    KillTimer(handle_, kHintHideTimer);
  }
  HideHint();
  hintControl_ = nullptr;
}

int TApplication::HookMainWindow(TWindowHook Hook) {
  const int id = nextHook_++;
  hooks_[id] = std::move(Hook);
  return id;
}

void TApplication::UnhookMainWindow(int HookId) { hooks_.erase(HookId); }

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  return MessageBoxA(ActiveFormWindow(), Text, Caption, Flags);
}

void TApplication::HandleException(TObject* Sender) {
  const std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(Sender, e);
    } else {
      MessageBoxW(ActiveFormWindow(), MessageText(e.what()), Cp1252ToUtf16(Title()), MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    const std::runtime_error unknown("Unknown error");
    if (OnException) {
      OnException(Sender, unknown);
    } else {
      MessageBox(unknown.what(), Title(), MB_OK | MB_ICONERROR);
    }
  }
}

std::string TApplication::ExeName() const { return ProgramFileName(); }

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == mouseControl_) mouseControl_ = nullptr;
  if (AComponent == hintControl_) hintControl_ = nullptr;
  if (AComponent == hintWindow_) hintWindow_ = nullptr;
  if (AComponent == mainForm_) mainForm_ = nullptr;
}

// ----------------------------------------------------------------- TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) { hintFont_.SetColor(clInfoText); }

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }
int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
TRect TScreen::WorkAreaRect() const { return GetWorkArea(); }

void InitializeApplication() {
  ui::InitializeUi();
  if (!Application) {
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
  }
  Application->Initialize();
}

}  // namespace platform
