#include "platform/ui/controls/controls.h"

#include <algorithm>
#include <utility>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/input.h"
#include "platform/core/window_system/owner_draw.h"
#include "platform/ui/controls/controls_internal.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/cursors.h"

namespace platform {
namespace {

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

}  // namespace

using detail::g_captureControl;
using detail::IsMouseMessage;

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
  if (Message.Msg == WM_SIZE && dockManager_) dockManager_->ResetBounds(false);
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

// The owner of a list or combo box draws and measures its items through
// the control itself.
void TWinControl::WMOwnerDrawItem(TMessage& Message) {
  HWND from = nullptr;
  if (Message.LParam && Message.Msg == WM_DRAWITEM) {
    from = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hwndItem;
  } else if (Message.LParam && handle_) {
    from = GetDlgItem(handle_, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam)->CtlID));
  }
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
      {WM_DRAWITEM, &TWinControl::WMOwnerDrawItem},
      {WM_MEASUREITEM, &TWinControl::WMOwnerDrawItem},
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

}  // namespace platform
