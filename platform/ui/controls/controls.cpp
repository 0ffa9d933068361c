#include "platform/ui/controls/controls.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/input.h"
#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/cursors.h"

namespace platform {
namespace {

TControl* g_captureControl = nullptr;

TShiftState MouseShift(WPARAM Keys) {
  TShiftState s = 0;
  if (Keys & MK_SHIFT) s |= ssShift;
  if (Keys & MK_CONTROL) s |= ssCtrl;
  if (Keys & MK_LBUTTON) s |= ssLeft;
  if (Keys & MK_RBUTTON) s |= ssRight;
  if (Keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool Inside(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

bool IsMouseMessage(UINT Msg) { return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST; }

UINT PointerShape(TCursor Cursor) {
  switch (Cursor) {
    case crArrow:
      return IDC_ARROW;
    case crCross:
      return IDC_CROSS;
    case crIBeam:
      return IDC_IBEAM;
    case crSizeNESW:
      return IDC_SIZENESW;
    case crSizeNS:
      return IDC_SIZENS;
    case crSizeNWSE:
      return IDC_SIZENWSE;
    case crSizeWE:
      return IDC_SIZEWE;
    case crUpArrow:
      return IDC_UPARROW;
    case crHourGlass:
      return IDC_WAIT;
    case crNo:
      return IDC_NO;
    case crAppStart:
      return IDC_APPSTARTING;
    case crHelp:
      return IDC_HELP;
    case crHandPoint:
      return IDC_HAND;
    case crSizeAll:
      return IDC_SIZEALL;
    default:
      return 0;
  }
}

ATOM g_windowAtom = 0;
ATOM g_controlAtom = 0;

void EnsureAtoms() {
  if (!g_windowAtom) g_windowAtom = GlobalAddAtomA(WindowAtomString());
  if (!g_controlAtom) g_controlAtom = GlobalAddAtomA(ControlAtomString());
}

}  // namespace

TShiftState KeyboardState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s = KeyboardState() & ~static_cast<unsigned>(ssAlt);
  if (KeyData & 0x20000000) s |= ssAlt;
  return s;
}

bool TActionLinkClass::InheritsFrom(const TActionLinkClass& Other) const {
  for (const TActionLinkClass* c = this; c; c = c->Parent) {
    if (c == &Other) return true;
  }
  return false;
}

std::string WindowAtomString() {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "Veltrosa%.8X", static_cast<unsigned>(getpid()));
  return buffer;
}

std::string ControlAtomString() {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "ControlOfs%.8X%.8X", 0x00400000u, static_cast<unsigned>(GetCurrentThreadId()));
  return buffer;
}

ATOM WindowAtom() {
  EnsureAtoms();
  return g_windowAtom;
}

ATOM ControlAtom() {
  EnsureAtoms();
  return g_controlAtom;
}

TWinControl* FindControl(HWND hWnd) {
  if (!hWnd) return nullptr;
  return reinterpret_cast<TWinControl*>(GetPropAtom(hWnd, ControlAtom()));
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = MakeWndMethod<&TControl::WndProc>(this);
  font_.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  if (Application && Application->MouseControl() == this) Application->NoteMouseLeave(this);
  if (g_captureControl == this) g_captureControl = nullptr;
  actionLink_.reset();
  if (hostDockSite_) hostDockSite_->DoRemoveDockClient(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  if (parent_ && FVisible) parent_->InvalidateArea(BoundsRect());
  FLeft = ALeft;
  FTop = ATop;
  FWidth = std::max(AWidth, 0);
  FHeight = std::max(AHeight, 0);
  Invalidate();
  RequestAlign();
  if (sized) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int W, int H) {
  const TRect c = ClientRect();
  SetBounds(FLeft, FTop, FWidth - c.Width() + W, FHeight - c.Height() + H);
}

void TControl::SetAlign(TAlign Value) {
  if (Value == align_) return;
  align_ = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  if (parent_) parent_->InvalidateArea(BoundsRect());
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

std::string TControl::Text() {
  const int len = GetTextLen();
  if (len <= 0) return {};
  std::string buffer(static_cast<std::size_t>(len) + 1, '\0');
  const LRESULT got = Perform(WM_GETTEXT, static_cast<WPARAM>(len) + 1, reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
  return buffer;
}

void TControl::SetText(const std::string& Value) {
  if (Text() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0)); }

void TControl::SetShowHint(bool Value) {
  if (Value == showHint_ && !parentShowHint_) return;
  showHint_ = Value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == parentShowHint_) return;
  parentShowHint_ = Value;
  if (Value && parent_) showHint_ = parent_->ShowHint();
}

void TControl::SetCursor(TCursor Value) {
  if (Value == cursor_) return;
  cursor_ = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
  Invalidate();
}

void TControl::SetParentColor(bool Value) {
  if (Value == parentColor_) return;
  parentColor_ = Value;
  if (Value && parent_) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED, 0, 0);
    Invalidate();
  }
}

void TControl::SetParentFont(bool Value) {
  if (Value == parentFont_) return;
  if (Value && parent_) {
    fontFromParent_ = true;
    font_.Assign(&parent_->Font());
    fontFromParent_ = false;
  }
  parentFont_ = Value;
}

void TControl::FontChanged() {
  // A font set on the control itself no longer follows the parent's.
  if (!fontFromParent_) parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::HandleMouse(TMessage& M, UINT Msg) {
  const int x = GET_X_LPARAM(M.LParam);
  const int y = GET_Y_LPARAM(M.LParam);
  const TShiftState shift = MouseShift(M.WParam);
  switch (Msg) {
    case WM_MOUSEMOVE:
      // A control that keeps the mouse while a button is held still sees it
      // leave.
      if (Application && Inside(ClientRect(), x, y)) {
        Application->NoteMouseMove(this);
      } else if (Application) {
        Application->NoteMouseLeave(this);
      }
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (ControlStyle & csCaptureMouse) g_captureControl = this;
      if (Msg == WM_LBUTTONDBLCLK && (ControlStyle & csDoubleClicks)) DblClick();
      if (ControlStyle & csClickEvents) ControlState |= csClicked;
      MouseDown(mbLeft, shift | (Msg == WM_LBUTTONDBLCLK ? static_cast<unsigned>(ssDouble) : 0u), x, y);
      break;
    case WM_LBUTTONUP: {
      if (g_captureControl == this) g_captureControl = nullptr;
      const bool clicked = (ControlState & csClicked) != 0;
      ControlState &= ~static_cast<unsigned>(csClicked);
      if (clicked) {
        const TRect c = ClientRect();
        if (Inside(c, x, y)) Click();
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (IsMouseMessage(msg)) {
    HandleMouse(Message, msg);
    return;
  }
  switch (msg) {
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        fontFromParent_ = true;
        font_.Assign(&parent_->Font());
        fontFromParent_ = false;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED, 0, 0);
        Invalidate();
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
      return;
    case CM_HITTEST:
      Message.Result = 1;
      return;
    case CM_MOUSELEAVE:
      if (Application && Application->MouseControl() == this) Application->CancelHint();
      break;
    case WM_MOUSELEAVE:
      if (Application) Application->NoteMouseLeave(this);
      return;
    case CM_HINTSHOW:
      if (actionLink_) {
        auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
        Message.Result = info && !actionLink_->DoShowHint(info->HintStr) ? 1 : 0;
        return;
      }
      break;
    default:
      break;
  }
  DefaultHandler(Message);
  if (msg == WM_SETTEXT) SendDockNotification(msg, Message.WParam, Message.LParam);
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<char*>(Message.LParam);
      const std::size_t size = Message.WParam;
      if (!out || size == 0) {
        Message.Result = 0;
        return;
      }
      const std::size_t n = std::min(FText.size(), size - 1);
      std::copy_n(FText.data(), n, out);
      out[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT:
      FText = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      Message.Result = 1;
      return;
    default:
      return;
  }
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  } else if (actionLink_ && actionLink_->Action()) {
    actionLink_->Execute();
  }
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Invalidate() {
  if (parent_ && FVisible) parent_->InvalidateArea(BoundsRect());
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.insert(list.begin(), this);
  Invalidate();
}

TPoint TControl::ClientToScreen(TPoint P) {
  TPoint origin{FLeft, FTop};
  if (auto* self = dynamic_cast<TWinControl*>(this); self && self->HandleAllocated()) {
    POINT pt{P.X, P.Y};
    platform::ClientToScreen(self->WindowHandle(), &pt);
    return TPoint{pt.x, pt.y};
  }
  if (!parent_) return TPoint{P.X + origin.X, P.Y + origin.Y};
  return parent_->ClientToScreen(TPoint{P.X + origin.X, P.Y + origin.Y});
}

TPoint TControl::ScreenToClient(TPoint P) {
  const TPoint origin = ClientToScreen(TPoint{0, 0});
  return TPoint{P.X - origin.X, P.Y - origin.Y};
}

TCustomForm* TControl::GetParentForm() { return platform::GetParentForm(this); }

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    actionLink_.reset();
    ControlStyle &= ~static_cast<unsigned>(csActionClient);
    return;
  }
  ControlStyle |= csActionClient;
  if (!actionLink_) actionLink_ = GetActionLinkClass().Create(this);
  actionLink_->SetAction(Value);
  actionLink_->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
  ActionChange(Value, HasState(csLoading));
  Value->FreeNotification(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Text().empty() || Text() == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint.empty()) Hint = action->Hint();
  if (!CheckDefaults || FVisible) SetVisible(action->Visible());
}

const TActionLinkClass& TControl::GetActionLinkClass() const { return TControlActionLinkClass; }

void TControl::InitiateAction() {
  if (actionLink_) actionLink_->Update();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && actionLink_ && AComponent == actionLink_->Action()) {
    actionLink_.reset();
    ControlStyle &= ~static_cast<unsigned>(csActionClient);
  }
}

// ------------------------------------------------------------- TWinControl

TWinControl* TWinControl::CreationControl = nullptr;

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  DefWndProc = MakeWndProc<&DefWindowProcA>(false);
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  ReleaseDockClients();
  // The form must not keep pointing at a control that is going.
  if (TCustomForm* form = platform::GetParentForm(this); form && form != this) form->DefocusControl(this);
  if (parent_) parent_->RemoveControl(this);
  for (TControl* c : controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  }
  DestroyWindowHandle();
  // Children that this control only parents (others own them) leave it.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  // The parent's window first: making it may move this control.
  if (Parent()) Params.WndParent = Parent()->Handle();
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle & csAcceptsControls) Params.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = MakeWndProc<&DefWindowProcA>(false);
  Params.WinClassName = ClassNameOf(*this);
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASS wc;
  if (!GetClassInfoA(ControlClassName, &wc)) return;
  const UINT keep = Params.WindowClass.style & (CS_VREDRAW | CS_HREDRAW);
  Params.WindowClass = wc;
  Params.WindowClass.style = (wc.style & ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW)) | keep;
}

LRESULT TWinControl::InitWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = CreationControl;
  if (!control) return DefWindowProcA(hWnd, Msg, wParam, lParam);
  control->handle_ = hWnd;
  SetWindowProcA(hWnd, control->MainWndProcPtr());
  if ((GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && GetWindowLong(hWnd, GWL_ID) == 0) {
    SetWindowLong(hWnd, GWL_ID, static_cast<LPARAM>(IdFromHandle(hWnd)));
  }
  SetPropAtom(hWnd, ControlAtom(), reinterpret_cast<HANDLE>(control));
  SetPropAtom(hWnd, WindowAtom(), reinterpret_cast<HANDLE>(control));
  CreationControl = nullptr;
  return control->RawWndProc(hWnd, Msg, wParam, lParam);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) {
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  }
  DefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASS existing;
  const WNDPROC init = MakeWndProc<&TWinControl::InitWndProc>(false);
  const bool registered = GetClassInfoA(params.WinClassName, &existing);
  if (!registered || existing.lpfnWndProc != init) {
    if (registered) UnregisterClassA(params.WinClassName);
    WNDCLASS wc = params.WindowClass;
    wc.lpfnWndProc = init;
    wc.lpszClassName = Cp1252ToUtf16(params.WinClassName);
    if (!RegisterClassA(wc) && !GetClassInfoA(params.WinClassName, &existing)) {
      throw EOutOfResources("Cannot register window class " + params.WinClassName);
    }
  }
  CreationControl = this;
  CreateWindowHandle(params);
  CreationControl = nullptr;
  if (!handle_) throw EOutOfResources("Error creating window");
  FText.clear();
  UpdateBounds();
  Perform(WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 1);
  if (Cursor() != crDefault) ShowCursorOf(nullptr);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  handle_ =
      CreateWindowExA(Params.ExStyle, Params.WinClassName, Params.Caption, Params.Style, Params.X, Params.Y,
                      Params.Width, Params.Height, Params.WndParent, 0, Params.WindowClass.hInstance, Params.Param);
}

void TWinControl::CreateHandle() {
  if (handle_ || (ControlState & csCreating)) return;
  // Making the parent's window (for CreateParams) makes the windows of the
  // parent's children; this one is being made already.
  ControlState |= csCreating;
  try {
    CreateWnd();
  } catch (...) {
    ControlState &= ~static_cast<unsigned>(csCreating);
    throw;
  }
  ControlState &= ~static_cast<unsigned>(csCreating);
  SetPropAtom(handle_, ControlAtom(), reinterpret_cast<HANDLE>(this));
  SetPropAtom(handle_, WindowAtom(), reinterpret_cast<HANDLE>(this));
  CreateChildHandles();
  UpdateShowing();
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (!w->handle_ && !(w->ControlState & csCreating)) w->CreateHandle();
    }
  }
  // Windows are stacked as the controls are: the last is in front.
  for (TControl* c : controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) {
      SetWindowPos(w->handle_, HWND_TOP(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  }
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = Text();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  ControlState |= csDestroyingHandle;
  const HWND h = handle_;
  if (h) DestroyWindow(h);
  handle_ = nullptr;
  showing_ = false;
  ControlState &= ~static_cast<unsigned>(csDestroyingHandle);
}

void TWinControl::HandleNCDestroy() {
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  Perform(CM_RECREATEWND, 0, 0);
  DestroyHandle();
  CreateHandle();
}

LRESULT TWinControl::RawWndProc(HWND, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{Msg, wParam, lParam, 0};
  MainWndProc(m);
  return m.Result;
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WindowProc(Message);
  } catch (...) {
    if (Application) {
      Application->HandleException(this);
    } else {
      throw;
    }
  }
  if (Message.Msg == WM_NCDESTROY) HandleNCDestroy();
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_) {
    TControl::DefaultHandler(Message);
    return;
  }
  Message.Result = CallWindowProcA(DefWndProc, handle_, Message.Msg, Message.WParam, Message.LParam);
}

const TActionLinkClass& TWinControl::GetActionLinkClass() const { return TWinControlActionLinkClass; }

void TWinControl::UpdateBounds() {
  if (!handle_) return;
  const RECT b = GetWindowBounds(handle_);
  const bool sized = b.Width() != FWidth || b.Height() != FHeight;
  FLeft = b.left;
  FTop = b.top;
  FWidth = b.Width();
  FHeight = b.Height();
  if (sized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateShowing() {
  if (!handle_) return;
  const bool showing = FVisible && (!Parent() || Parent()->showing_);
  const bool changed = showing != showing_;
  showing_ = showing;
  if (FVisible != ((GetWindowLong(handle_, GWL_STYLE) & WS_VISIBLE) != 0)) {
    ShowWindow(handle_, FVisible ? SW_SHOWNA : SW_HIDE);
  }
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->UpdateShowing();
  }
  if (changed && handle_) Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (handle_) {
    SetWindowPos(handle_, nullptr, ALeft, ATop, std::max(AWidth, 0), std::max(AHeight, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
  } else {
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = std::max(AWidth, 0);
    FHeight = std::max(AHeight, 0);
    if (sized) {
      Realign();
      Resize();
    }
  }
  RequestAlign();
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

void TWinControl::SetClientSize(int W, int H) { TControl::SetClientSize(W, H); }

void TWinControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  if (handle_) UpdateShowing();
  RequestAlign();
}

void TWinControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (handle_) EnableWindow(handle_, Value);
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

void TWinControl::InvalidateArea(const TRect& R) {
  if (handle_) InvalidateRect(handle_, &R, true);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  if (handle_ && !AParent) DestroyHandle();
  TControl::SetParent(AParent);
  if (handle_ && AParent) {
    platform::SetParent(handle_, AParent->Handle());
    UpdateShowing();
  } else if (!handle_ && AParent && AParent->HandleAllocated()) {
    CreateHandle();
  }
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->parent_ = this;
  controls_.push_back(AControl);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) tabList_.push_back(w);
  if (AControl->parentFont_) {
    AControl->fontFromParent_ = true;
    AControl->font_.Assign(&Font());
    AControl->fontFromParent_ = false;
  }
  if (AControl->parentColor_) AControl->color_ = Color();
  if (AControl->parentShowHint_) AControl->showHint_ = ShowHint();
  if (AControl->align_ != alNone) Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = platform::GetParentForm(this)) form->DefocusControl(w);
  }
  AControl->Invalidate();
  std::erase(controls_, AControl);
  std::erase(tabList_, AControl);
  if (g_captureControl == AControl) g_captureControl = nullptr;
  AControl->parent_ = nullptr;
  if (AControl->align_ != alNone) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) {
  while (Control && Control != this) Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->FVisible || (!AllowDisabled && !c->FEnabled)) continue;
    const TRect r = c->BoundsRect();
    if (Pos.X >= r.left && Pos.X < r.right && Pos.Y >= r.top && Pos.Y < r.bottom) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() {
  for (TWinControl* c = this; c; c = c->Parent()) {
    if (!c->FVisible || !c->FEnabled) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm()) {
    form->FocusControl(this);
  } else if (CanFocus()) {
    platform::SetFocus(Handle());
  }
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == tabStop_) return;
  tabStop_ = Value;
  if (handle_) {
    const auto style = static_cast<DWORD>(GetWindowLong(handle_, GWL_STYLE));
    SetWindowLong(handle_, GWL_STYLE, static_cast<LPARAM>(Value ? style | WS_TABSTOP : style & ~WS_TABSTOP));
  }
}

int TWinControl::TabOrder() {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  Value = std::clamp(Value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + Value, this);
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  // Every control that can take the focus, in tab order, depth first.
  std::vector<TWinControl*> order;
  const std::function<void(TWinControl*)> collect = [&](TWinControl* Parent) {
    for (TWinControl* w : Parent->tabList_) {
      order.push_back(w);
      collect(w);
    }
  };
  collect(this);
  if (order.empty()) return nullptr;
  const auto n = static_cast<int>(order.size());
  int start = -1;
  for (int i = 0; i < n; ++i) {
    if (order[static_cast<std::size_t>(i)] == CurControl) start = i;
  }
  if (start < 0) start = GoForward ? n - 1 : 0;
  for (int k = 1; k <= n; ++k) {
    const int i = GoForward ? (start + k) % n : (start - k + n) % n;
    TWinControl* c = order[static_cast<std::size_t>(i)];
    if (CheckTabStop && !c->tabStop_) continue;
    if (CheckParent && c->Parent() != this) continue;
    if (c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, false)) next->SetFocus();
}

void TWinControl::AlignControls(TControl*) {
  TRect area = ClientRect();
  const auto place = [&](TAlign Kind) {
    std::vector<TControl*> list;
    for (TControl* c : controls_) {
      if (c->align_ == Kind && c->FVisible) list.push_back(c);
    }
    std::stable_sort(list.begin(), list.end(), [Kind](TControl* A, TControl* B) {
      switch (Kind) {
        case alTop:
          return A->FTop < B->FTop;
        case alBottom:
          return A->FTop + A->FHeight > B->FTop + B->FHeight;
        case alLeft:
          return A->FLeft < B->FLeft;
        case alRight:
          return A->FLeft + A->FWidth > B->FLeft + B->FWidth;
        default:
          return false;
      }
    });
    for (TControl* c : list) {
      switch (Kind) {
        case alTop:
          c->SetBounds(area.left, area.top, area.Width(), c->FHeight);
          area.top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(area.left, area.bottom - c->FHeight, area.Width(), c->FHeight);
          area.bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(area.left, area.top, c->FWidth, area.Height());
          area.left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(area.right - c->FWidth, area.top, c->FWidth, area.Height());
          area.right -= c->FWidth;
          break;
        case alClient:
          c->SetBounds(area.left, area.top, area.Width(), area.Height());
          break;
        default:
          break;
      }
    }
  };
  if (ControlState & csAlignmentNeeded) return;
  ControlState |= csAlignmentNeeded;
  place(alTop);
  place(alBottom);
  place(alLeft);
  place(alRight);
  place(alClient);
  ControlState &= ~static_cast<unsigned>(csAlignmentNeeded);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  bool painting = First == nullptr;
  for (TControl* c : controls_) {
    if (c == First) painting = true;
    if (!painting || dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    const POINT saved = SetViewportOrg(DC, 0, 0);
    SetViewportOrg(DC, saved.x + c->FLeft, saved.y + c->FTop);
    SetClipRect(DC, Rect(0, 0, c->FWidth, c->FHeight));
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    SetViewportOrg(DC, saved.x, saved.y);
    SetClipRect(DC, RECT{});
  }
}

void TWinControl::PaintHandler(TMessage& Message) {
  PAINTSTRUCT ps;
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const bool own = dc == nullptr;
  if (own) dc = BeginPaint(handle_, &ps);
  PaintWindow(dc);
  PaintControls(dc, nullptr);
  if (own) EndPaint(handle_, &ps);
}

TControl* TWinControl::MouseTarget(const TMessage& M) {
  TControl* target = g_captureControl;
  if (target && (target == this || !ContainsControl(target) || dynamic_cast<TWinControl*>(target))) target = nullptr;
  if (!target) target = ControlAtPos(TPoint{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)}, false);
  return target && !dynamic_cast<TWinControl*>(target) ? target : nullptr;
}

void TWinControl::ShowCursorOf(TControl* Control) {
  if (!handle_) return;
  const TCursor cursor = Control && Control->Cursor() != crDefault ? Control->Cursor() : Cursor();
  SetWindowCursor(handle_, PointerShape(cursor));
}

void TWinControl::RouteMouseToChild(TMessage& M) {
  TControl* target = MouseTarget(M);
  if (M.Msg == WM_MOUSEMOVE) ShowCursorOf(target);
  if (!target) {
    TControl::WndProc(M);
    return;
  }
  TMessage forwarded = M;
  forwarded.LParam = MAKELPARAM(static_cast<WORD>(GET_X_LPARAM(M.LParam) - target->FLeft),
                                static_cast<WORD>(GET_Y_LPARAM(M.LParam) - target->FTop));
  target->WindowProc(forwarded);
  M.Result = forwarded.Result;
}

bool TWinControl::DoKeyDown(WORD& Key, TShiftState Shift) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview && static_cast<TWinControl*>(form)->DoKeyDown(Key, Shift)) return true;
  if (Key == 0) return true;
  KeyDown(Key, Shift);
  return Key == 0;
}

bool TWinControl::DoKeyUp(WORD& Key, TShiftState Shift) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview && static_cast<TWinControl*>(form)->DoKeyUp(Key, Shift)) return true;
  if (Key == 0) return true;
  KeyUp(Key, Shift);
  return Key == 0;
}

bool TWinControl::DoKeyPress(char& Key) {
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview && static_cast<TWinControl*>(form)->DoKeyPress(Key)) return true;
  if (Key == 0) return true;
  KeyPress(Key);
  return Key == 0;
}

bool TWinControl::DoKeyMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(Message.WParam);
      if (DoKeyDown(key, KeyDataToShiftState(Message.LParam))) return true;
      Message.WParam = key;
      return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Message.WParam);
      if (DoKeyUp(key, KeyDataToShiftState(Message.LParam))) return true;
      Message.WParam = key;
      return false;
    }
    case WM_CHAR: {
      char key = static_cast<char>(Message.WParam & 0xFF);
      if (DoKeyPress(key)) return true;
      Message.WParam = (Message.WParam & ~static_cast<WPARAM>(0xFF)) | static_cast<unsigned char>(key);
      return false;
    }
    default:
      return false;
  }
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_) Perform(WM_SETFONT, static_cast<WPARAM>(Font().Handle()), 1);
  TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(m);
}

void TWinControl::WMMouse(TMessage& Message) {
  RouteMouseToChild(Message);
  if (Message.Msg == WM_MOUSEMOVE || !handle_) return;
  DefaultHandler(Message);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  if (!(ControlStyle & csOpaque)) {
    brush_.SetColor(Color());
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(reinterpret_cast<HDC>(Message.WParam), r, brush_.Handle());
  }
  Message.Result = 1;
}

void TWinControl::WMSizeOrMove(TMessage& Message) {
  const int width = FWidth;
  const int height = FHeight;
  UpdateBounds();
  // The same size with a new client area (a menu bar came or went).
  if (Message.Msg == WM_SIZE && width == FWidth && height == FHeight) Realign();
  DefaultHandler(Message);
}

// Notifications go back to the control that sent them.
void TWinControl::WMCommandOrNotify(TMessage& Message) {
  const HWND from = Message.Msg == WM_COMMAND
                        ? reinterpret_cast<HWND>(Message.LParam)
                        : (Message.LParam ? reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom : nullptr);
  if (TWinControl* child = FindControl(from); child && child != this) {
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TControl::WndProc(Message);
}

// A standard control asking for its colours asks its own control.
void TWinControl::WMCtlColor(TMessage& Message) {
  if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam)); child && child != this) {
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TControl::WndProc(Message);
}

void TWinControl::CNCtlColor(TMessage& Message) {
  auto dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  brush_.SetColor(Color());
  Message.Result = static_cast<LRESULT>(brush_.Handle());
}

void TWinControl::WMSetFocus(TMessage& Message) {
  if (TCustomForm* form = GetParentForm(); form && !form->SetFocusedControl(this)) return;
  DefaultHandler(Message);
}

void TWinControl::WMKey(TMessage& Message) {
  if (!DoKeyMessage(Message)) TControl::WndProc(Message);
}

// A key the control does not want (by its dialog code) is the form's
// dialog key: Tab, the arrows, Enter and Escape.
void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  const auto key = static_cast<UINT>(Message.WParam);
  if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
  UINT mask = 0;
  if (key == VK_TAB) mask = DLGC_WANTTAB;
  if (key >= VK_LEFT && key <= VK_DOWN) mask = DLGC_WANTARROWS;
  if (key == VK_RETURN || key == VK_ESCAPE) mask = DLGC_WANTALLKEYS;
  if (mask && Perform(CM_WANTSPECIALKEY, key, Message.LParam) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    if (TCustomForm* form = GetParentForm(); form && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

// A character typed where the focused control takes none is an accelerator
// of the form's controls, as the window system's dialog handling has it.
void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 0;
  if (Message.WParam < 32 || (Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) return;
  if (TCustomForm* form = GetParentForm())
    Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CNSysChar(TMessage& Message) {
  if (TCustomForm* form = GetParentForm())
    Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMChildKey(TMessage& Message) {
  if (Parent()) {
    Message.Result = Parent()->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
    return;
  }
  TControl::WndProc(Message);
}

void TWinControl::NotifyChildren(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WindowProc(m);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  NotifyChildren(CM_PARENTCOLORCHANGED);
  Invalidate();
  TControl::WndProc(Message);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyChildren(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::WndProc(TMessage& Message) {
  using Handler = void (TWinControl::*)(TMessage&);
  static constexpr std::pair<UINT, Handler> kMessages[] = {
      {WM_PAINT, &TWinControl::WMPaint},
      {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
      {WM_SIZE, &TWinControl::WMSizeOrMove},
      {WM_MOVE, &TWinControl::WMSizeOrMove},
      {WM_COMMAND, &TWinControl::WMCommandOrNotify},
      {WM_NOTIFY, &TWinControl::WMCommandOrNotify},
      {WM_CTLCOLOREDIT, &TWinControl::WMCtlColor},
      {WM_CTLCOLORSTATIC, &TWinControl::WMCtlColor},
      {WM_CTLCOLORLISTBOX, &TWinControl::WMCtlColor},
      {WM_CTLCOLORBTN, &TWinControl::WMCtlColor},
      {CN_CTLCOLOREDIT, &TWinControl::CNCtlColor},
      {CN_CTLCOLORSTATIC, &TWinControl::CNCtlColor},
      {CN_CTLCOLORLISTBOX, &TWinControl::CNCtlColor},
      {CN_CTLCOLORBTN, &TWinControl::CNCtlColor},
      {WM_SETFOCUS, &TWinControl::WMSetFocus},
      {WM_KILLFOCUS, &TWinControl::WMKillFocus},
      {WM_KEYDOWN, &TWinControl::WMKey},
      {WM_SYSKEYDOWN, &TWinControl::WMKey},
      {WM_KEYUP, &TWinControl::WMKey},
      {WM_SYSKEYUP, &TWinControl::WMKey},
      {WM_CHAR, &TWinControl::WMKey},
      {CN_KEYDOWN, &TWinControl::CNKeyDown},
      {CN_SYSKEYDOWN, &TWinControl::CNKeyDown},
      {CN_CHAR, &TWinControl::CNChar},
      {CN_SYSCHAR, &TWinControl::CNSysChar},
      {CM_CHILDKEY, &TWinControl::CMChildKey},
      {CM_DIALOGKEY, &TWinControl::CMDialogKeyOrChar},
      {CM_DIALOGCHAR, &TWinControl::CMDialogKeyOrChar},
      {CM_ENTER, &TWinControl::CMEnter},
      {CM_EXIT, &TWinControl::CMExit},
      {CM_COLORCHANGED, &TWinControl::CMColorChanged},
      {CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged},
      {CM_CURSORCHANGED, &TWinControl::CMCursorChanged},
      {CM_DOCKCLIENT, &TWinControl::CMDockClient},
      {CM_VISIBLECHANGED, &TWinControl::Swallow},
      {CM_ENABLEDCHANGED, &TWinControl::Swallow},
  };
  if (IsMouseMessage(Message.Msg)) {
    WMMouse(Message);
    return;
  }
  for (const auto& [msg, handler] : kMessages) {
    if (msg == Message.Msg) {
      (this->*handler)(Message);
      return;
    }
  }
  TControl::WndProc(Message);
}

// -------------------------------------------------------- painted controls

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    const TCanvasHandleScope lent(*canvas_, reinterpret_cast<HDC>(Message.WParam));
    canvas_->Font().Assign(&Font());
    Paint();
    return;
  }
  TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC DC) {
  const TCanvasHandleScope lent(*canvas_, DC);
  canvas_->Font().Assign(&Font());
  Paint();
}

}  // namespace platform
