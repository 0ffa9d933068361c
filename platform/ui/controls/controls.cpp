#include "platform/ui/controls/controls.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>

#include "platform/core/window_system/input.h"
#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/controls_internal.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"

namespace platform {
namespace detail {

TControl* g_captureControl = nullptr;

}  // namespace detail

using detail::g_captureControl;
using detail::IsMouseMessage;

namespace {

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
  PlaceAnchored();
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
  PlaceAnchored();
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

void TControl::AssignInheritedFont(const TFont& Source) {
  fontFromParent_ = true;
  font_.Assign(&Source);
  fontFromParent_ = false;
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
      // A control whose window reports its own clicks takes its double
      // clicks from there too.
      if (Msg == WM_LBUTTONDBLCLK && (ControlStyle & csDoubleClicks) && (ControlStyle & csClickEvents)) DblClick();
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
      if (parentFont_ && parent_) AssignInheritedFont(parent_->Font());
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

}  // namespace platform
