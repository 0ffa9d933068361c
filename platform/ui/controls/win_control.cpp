#include "platform/ui/controls/controls.h"

#include <algorithm>
#include <vector>

#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/controls_internal.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"

namespace platform {

using detail::g_captureControl;

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
  PlaceAnchored();
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
  AnchorControls();
  ControlState &= ~static_cast<unsigned>(csAlignmentNeeded);
}

}  // namespace platform
