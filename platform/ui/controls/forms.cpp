#include "platform/ui/controls/forms.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/core/os/modules.h"
#include "platform/core/text/codepages.h"
#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/apphooks.h"
#include "platform/core/window_system/input.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/controls/menus.h"
#include "platform/ui/window_classes/presentation.h"

namespace platform {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

std::map<std::string, TFormLayout>& Layouts() {
  static std::map<std::string, TFormLayout> layouts;
  return layouts;
}

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

void RegisterFormLayout(const std::string& ClassName, TFormLayout Layout) { Layouts()[ClassName] = std::move(Layout); }

bool InitInheritedComponent(TCustomForm* Instance) {
  auto it = Layouts().find(ClassNameOf(*Instance));
  if (it == Layouts().end()) return false;
  Instance->IncludeState(csLoading);
  try {
    it->second(*Instance);
  } catch (...) {
    Instance->ExcludeState(csLoading);
    throw;
  }
  for (int i = 0; i < Instance->ComponentCount(); ++i) Instance->Components(i)->Loaded();
  Instance->Loaded();
  return true;
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent()) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

// ------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomForm(AOwner, CreateNew) { loadsLayout_ = true; }

TCustomForm::TCustomForm(TComponent* AOwner, TCreateNew)
    : TWinControl(AOwner), loadsLayout_(false), canvas_(std::make_unique<TCanvas>()) {
  FVisible = false;
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  SetColor(clBtnFace);
  SetParentFont(false);
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  if (Screen) Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (menu_) menu_->form_ = nullptr;
  // An MDI child leaves through its client window, which activates the next.
  if (FormState & fsCreatedMDIChild) DestroyWindowHandle();
  if (Screen) {
    std::erase(Screen->forms_, this);
    if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  }
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  if (loadsLayout_) {
    FormState |= fsCreating;
    const std::string name = ClassNameOf(*this);
    const bool plain = name == "TForm" || name == "TCustomForm";
    if (!InitInheritedComponent(this) && !plain) {
      FormState &= ~static_cast<unsigned>(fsCreating);
      throw EResNotFound("Resource " + name + " not found");
    }
    FormState &= ~static_cast<unsigned>(fsCreating);
  }
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  Destroying();
  DoDestroy();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == borderStyle_) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == borderIcons_) return;
  borderIcons_ = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (Value == formStyle_) return;
  const auto isMdi = [](TFormStyle Style) { return Style == fsMDIChild || Style == fsMDIForm; };
  const bool remake = HandleAllocated() && (isMdi(Value) || isMdi(formStyle_));
  formStyle_ = Value;
  if (remake) {
    RecreateWnd();
  } else if (HandleAllocated()) {
    const auto ex = static_cast<DWORD>(GetWindowLong(WindowHandle(), GWL_EXSTYLE));
    SetWindowLong(WindowHandle(), GWL_EXSTYLE,
                  static_cast<LPARAM>(Value == fsStayOnTop ? ex | WS_EX_TOPMOST : ex & ~WS_EX_TOPMOST));
  }
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN;
  TBorderIcons icons = borderIcons_;
  switch (borderStyle_) {
    case bsNone:
      Params.Style |= WS_POPUP;
      icons = 0;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME;
      icons &= biSystemMenu | biHelp;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      icons &= biSystemMenu;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      icons &= biSystemMenu;
      break;
    case bsSingle:
      Params.Style |= WS_CAPTION;
      break;
    case bsSizeable:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if (icons & biSystemMenu) Params.Style |= WS_SYSMENU;
  if (icons & biMinimize) Params.Style |= WS_MINIMIZEBOX;
  if (icons & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
  if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  Params.WndParent = Application && Application->MainForm() != this && Application->MainForm() &&
                             Application->MainForm()->HandleAllocated()
                         ? Application->MainForm()->WindowHandle()
                         : nullptr;
  if (Parent()) {
    // A form docked or placed in another control is a child window there.
    Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
    Params.WndParent = Parent()->Handle();
  } else if (formStyle_ == fsMDIChild) {
    MdiChildParams(Params);
  } else if (alphaBlend_ || transparentColor_) {
    Params.ExStyle |= WS_EX_LAYERED;
  }
}

void TCustomForm::CenterOn(const TRect& Area) {
  SetBounds(Area.left + (Area.Width() - FWidth) / 2, Area.top + (Area.Height() - FHeight) / 2, FWidth, FHeight);
}

void TCustomForm::SetVisible(bool Value) {
  if (Value == FVisible) return;
  if (Value) {
    switch (Position) {
      case poScreenCenter:
      case poDesktopCenter:
        CenterOn(GetWorkArea());
        break;
      case poMainFormCenter:
      case poOwnerFormCenter:
        if (Application && Application->MainForm() && Application->MainForm() != this) {
          CenterOn(Application->MainForm()->BoundsRect());
        } else {
          CenterOn(GetWorkArea());
        }
        break;
      default:
        break;
    }
    Handle();
    FVisible = true;
    FormState |= fsVisible;
    DoShow();
    if (!FVisible) return;
    ShowWindow(Handle(), SW_SHOW);
    UpdateShowing();
    Activate();
    if (TWinControl* target = activeControl_ ? activeControl_ : FindNextControl(nullptr, true, true, false)) {
      FocusControl(target);
    } else {
      platform::SetFocus(Handle());
    }
  } else {
    FVisible = false;
    FormState &= ~static_cast<unsigned>(fsVisible);
    DoHide();
    if (HandleAllocated()) {
      ShowWindow(WindowHandle(), SW_HIDE);
      UpdateShowing();
    }
    if (active_) Deactivate();
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == activeControl_) return;
  if (Control && (Control == this || platform::GetParentForm(Control) != this)) {
    throw EInvalidOperation("Invalid active control");
  }
  activeControl_ = Control;
  if (Control && FVisible && active_ && Control->CanFocus()) platform::SetFocus(Control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control == focusedControl_) return true;
  // Leave the controls that do not contain the new one, enter the others.
  TWinControl* old = focusedControl_;
  focusedControl_ = Control;
  if (Control != this) activeControl_ = Control;
  if (Screen) Screen->activeForm_ = this;
  for (TWinControl* c = old; c && c != this; c = c->Parent()) {
    if (Control && c->ContainsControl(Control)) break;
    c->Perform(CM_EXIT, 0, 0);
  }
  std::vector<TWinControl*> entering;
  for (TWinControl* c = Control; c && c != this; c = c->Parent()) {
    if (old && c->ContainsControl(old)) break;
    entering.push_back(c);
  }
  for (auto it = entering.rbegin(); it != entering.rend(); ++it) (*it)->Perform(CM_ENTER, 0, 0);
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control) {
  if (!Control) return;
  if (activeControl_ && Control->ContainsControl(activeControl_)) activeControl_ = nullptr;
  if (focusedControl_ && Control->ContainsControl(focusedControl_)) focusedControl_ = nullptr;
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control) return;
  activeControl_ = Control;
  if (FVisible && Control->CanFocus()) platform::SetFocus(Control->Handle());
}

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  platform::SetFocus(activeControl_ && activeControl_->CanFocus() ? activeControl_->Handle() : Handle());
}

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) SetWindowPos(WindowHandle(), HWND_TOP(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TModalResult TCustomForm::ShowModal() {
  if (FVisible || !Enabled() || (FormState & fsModal)) throw EInvalidOperation("Cannot make a visible window modal");
  FormState |= fsModal;
  std::vector<TCustomForm*> disabled;
  if (Screen) {
    for (TCustomForm* f : Screen->forms_) {
      if (f != this && f->HandleAllocated() && IsWindowEnabled(f->WindowHandle())) {
        EnableWindow(f->WindowHandle(), false);
        disabled.push_back(f);
      }
    }
  }
  if (Application) ++Application->ModalLevel;
  const auto restore = [&] {
    for (TCustomForm* f : disabled) {
      if (Screen && std::find(Screen->forms_.begin(), Screen->forms_.end(), f) != Screen->forms_.end() &&
          f->HandleAllocated()) {
        EnableWindow(f->WindowHandle(), true);
      }
    }
    if (Application) --Application->ModalLevel;
    FormState &= ~static_cast<unsigned>(fsModal);
  };
  try {
    modalResult_ = mrNone;
    Show();
    while (modalResult_ == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) modalResult_ = mrCancel;
      if (modalResult_ != mrNone) {
        TCloseAction action = caHide;
        if (CloseQuery()) {
          if (OnClose) OnClose(this, action);
        } else {
          action = caNone;
        }
        if (action == caNone) modalResult_ = mrNone;
      }
    }
    SetVisible(false);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return modalResult_;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FormState & fsModal) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = Application && Application->MainForm() == this ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caFree) {
    Release();
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::WndProc(TMessage& Message) {
  if (MenuMessage(Message)) return;
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      Message.Result = CloseQuery() ? 1 : 0;
      return;
    // The session ends: the program closes as when its main form closes
    // (the application window, made only when needed, may not be there
    // to hear it).
    case WM_ENDSESSION:
      if (Message.WParam && Application && Application->MainForm() == this) Application->Terminate();
      return;
    case CM_RELEASE:
      Free(this);
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        if (Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN && activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                                               false);
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_SETFOCUS:
      if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
        platform::SetFocus(activeControl_->Handle());
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

void TCustomForm::PaintWindow(HDC DC) {
  const TCanvasHandleScope lent(*canvas_, DC);
  canvas_->Font().Assign(&Font());
  canvas_->Brush().SetColor(Color());
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
  active_ = true;
  FormState |= fsActivated;
  if (Screen) Screen->activeForm_ = this;
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  active_ = false;
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::UpdateActions() {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* c = dynamic_cast<TControl*>(Components(i))) c->InitiateAction();
  }
}

// ------------------------------------------------------------- THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  SetColor(clInfoBk);
  SetParentFont(false);
  if (Screen) Font().Assign(&Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
}

void THintWindow::ActivateHint(TRect Rect, const std::string& AHint) {
  SetCaption(AHint);
  SetBounds(Rect.left, Rect.top, Rect.Width(), Rect.Height());
  FVisible = true;
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const std::string& AHint, void*) { ActivateHint(Rect, AHint); }

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  SelectObject(dc, Font().Handle());
  DrawTextA(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas& c = Canvas();
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  c.Brush().SetColor(clBlack);
  c.FrameRect(ClientRect());
  RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  c.Font().SetColor(Screen ? Screen->HintFont().Color() : clInfoText);
  HDC dc = c.Handle();
  SelectObject(dc, c.Font().Handle());
  SetTextColor(dc, ColorToRGB(c.Font().Color()));
  SetBkMode(dc, TRANSPARENT);
  const std::string text = Caption();
  DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::WndProc(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    HDC dc = GetDC(nullptr);
    SelectObject(dc, Font().Handle());
    SIZE s;
    const std::string text = Caption();
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), s.cx + 6, s.cy + 6);
    return;
  }
  TCustomControl::WndProc(Message);
}

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
