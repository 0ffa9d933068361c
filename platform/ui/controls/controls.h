#pragma once
// The class library's controls: TControl (bounds, 8-bit Text and Caption,
// Hint, fonts and colours, mouse events, the WindowProc message chain),
// TWinControl (a control with a window: creation through CreateParams,
// CreateWnd and CreateWindowHandle, DefWndProc, re-creation, focus, keys,
// children), and the two painted kinds, TGraphicControl (no window) and
// TCustomControl (a window of its own).
//
// A message reaches a control through WindowProc (by default WndProc); each
// class handles its messages in WndProc and passes the rest to its base
// class; what nobody handles ends in DefaultHandler, which hands it to the
// window's default procedure (DefWndProc) with the 8-bit CallWindowProcA.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/controls/anchors.h"
#include "platform/ui/controls/graphics.h"

namespace platform {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A method that handles messages: object and function, comparable.
struct TWndMethod {
  void* Object = nullptr;
  void (*Fn)(void*, TMessage&) = nullptr;
  explicit operator bool() const { return Fn != nullptr; }
  bool operator==(const TWndMethod&) const = default;
  void operator()(TMessage& Message) const { Fn(Object, Message); }
};
namespace detail {
template <class C, void (C::*M)(TMessage&)>
void CallWndMethod(void* Self, TMessage& Message) {
  (static_cast<C*>(Self)->*M)(Message);
}
}  // namespace detail
template <auto M, class C>
TWndMethod MakeWndMethod(C* Self) {
  return TWndMethod{Self, &detail::CallWndMethod<C, M>};
}

// The class library's own messages.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0x00;
constexpr UINT CM_DEACTIVATE = CM_BASE + 0x01;
constexpr UINT CM_GOTFOCUS = CM_BASE + 0x02;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 0x03;
constexpr UINT CM_CANCELMODE = CM_BASE + 0x04;
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr UINT CM_HITTEST = CM_BASE + 0x0A;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 0x0F;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr UINT CM_MENUCHANGED = CM_BASE + 0x15;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 0x16;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 0x17;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 0x18;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 0x19;
constexpr UINT CM_ENTER = CM_BASE + 0x1A;
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x1E;
constexpr UINT CM_RELEASE = CM_BASE + 0x21;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 0x22;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x23;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 0x28;
constexpr UINT CM_CHILDKEY = CM_BASE + 0x2E;
constexpr UINT CM_HINTSHOW = CM_BASE + 0x30;
constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;
constexpr UINT CM_INVALIDATE = CM_BASE + 0x34;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 0x38;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 0x3B;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 0x3C;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 0x3F;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 0x40;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 0x41;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 0x42;
// Notifications a parent reflects back to the child control they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;

enum TControlStateFlag : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
};
using TControlState = unsigned;

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 2,
  csFramed = 1u << 3,
  csSetCaption = 1u << 4,
  csOpaque = 1u << 5,
  csDoubleClicks = 1u << 6,
  csFixedWidth = 1u << 7,
  csFixedHeight = 1u << 8,
  csReplicatable = 1u << 9,
  csActionClient = 1u << 10,
};
using TControlStyle = unsigned;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Mouse pointers; crDefault leaves the pointer to the window's class.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The shift state of the keyboard now, and of a key message's data.
TShiftState KeyboardState();
TShiftState KeyDataToShiftState(LPARAM KeyData);

class TWinControl;
class TCustomForm;
class TDockManager;
class TBasicAction;
class TActionLink;
class TControl;

// A class of action links: how a control makes the link to its action.
// Classes name their parent so that code can check what it extends.
struct TActionLinkClass {
  const char* Name;
  const TActionLinkClass* Parent;
  std::function<std::unique_ptr<TActionLink>(TObject* Client)> Create;
  bool InheritsFrom(const TActionLinkClass& Other) const;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const { return parent_ != nullptr; }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
  void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
  void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
  void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int V) { SetClientSize(V, ClientHeight()); }
  void SetClientHeight(int V) { SetClientSize(ClientWidth(), V); }
  virtual void SetClientSize(int W, int H);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  // The parent's edges the control keeps its distance to (anchors.h); the
  // bounds it has when they are set, or is given later, are where it keeps
  // them from.
  TAnchors Anchors() const { return anchorRules_.Anchors; }
  void SetAnchors(TAnchors Value);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // The 8-bit text, through WM_GETTEXT and WM_SETTEXT (CM_TEXTCHANGED after
  // a change).
  std::string Text();
  void SetText(const std::string& Value);
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  int GetTextLen();

  // The hint's field itself; writing it sends nothing.
  std::string Hint;
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);

  // The pointer shown while the mouse is over the control.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  // Right-to-left modes take effect on a system with middle-east language
  // support only (GetSystemMetrics(SM_MIDEASTENABLED)).
  TBiDiMode BiDiMode = bdLeftToRight;
  bool UseRightToLeftReading() const;
  bool UseRightToLeftAlignment() const;
  // Flags with DT_RTLREADING added when the control reads right to left.
  UINT DrawTextBiDiModeFlags(UINT Flags) const;

  // Docking (docking.h). The site the control is docked into, or null.
  TWinControl* HostDockSite() const { return hostDockSite_; }
  // Docks the control into NewDockSite through the site's CM_DOCKCLIENT;
  // false when the site did not take it.
  bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
  // Leaves the old site and goes into NewDockSite, which places the
  // control (DoAddDockClient); ARect is where, on the screen.
  virtual void Dock(TWinControl* NewDockSite, const TRect& ARect);

  TControlState ControlState = 0;
  TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;

  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);

  virtual void Click();
  virtual void DblClick();
  virtual void Invalidate();
  void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  TPoint ClientToScreen(TPoint P);
  TPoint ScreenToClient(TPoint P);
  // The form the control is on (null when none).
  TCustomForm* GetParentForm();

  // Actions.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TActionLink* ActionLink() const { return actionLink_.get(); }
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual const TActionLinkClass& GetActionLinkClass() const;
  // Brings the control up to date with its action (idle time).
  virtual void InitiateAction();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void FontChanged();
  // Takes Source as a font inherited (from the parent, or the owner), so
  // that ParentFont stays on.
  void AssignInheritedFont(const TFont& Source);
  void RequestAlign();
  virtual void Notification(TComponent* AComponent, TOperation Operation) override;
  // Tells the host dock site of a change (CM_DOCKNOTIFICATION).
  void SendDockNotification(UINT Msg, WPARAM WParam, LPARAM LParam);
  // Where the text lives while the control has no window.
  std::string FText;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;

 private:
  void HandleMouse(TMessage& M, UINT Msg);
  // Takes the present bounds as the placement the anchors keep.
  void PlaceAnchored();
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  TAlign align_ = alNone;
  TAnchorRules anchorRules_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TColor color_ = clWindow;
  TCursor cursor_ = crDefault;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  bool fontFromParent_ = false;
  std::unique_ptr<TActionLink> actionLink_;
  TWinControl* hostDockSite_ = nullptr;
};

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASS WindowClass;
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, made on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The window as it stands, without making one; writable for code that
  // makes the window itself.
  HWND WindowHandle() const { return handle_; }
  void SetWindowHandle(HWND hWnd) { handle_ = hWnd; }
  void HandleNeeded() { Handle(); }
  void RecreateWnd();

  // The procedure the window's unhandled messages go to.
  WNDPROC DefWndProc;
  // The control's own window procedure, as the window system calls it.
  WNDPROC MainWndProcPtr() { return MakeWndProc<&TWinControl::RawWndProc>(this, false); }
  void MainWndProc(TMessage& Message);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const { return controls_.at(static_cast<std::size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control);
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled);
  void Broadcast(TMessage& Message);
  // Repaints a part of the client area (graphic children live there).
  void InvalidateArea(const TRect& R);

  bool Focused();
  virtual bool CanFocus();
  virtual void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  int TabOrder();
  void SetTabOrder(int Value);
  // Visible, and every parent too, with a window.
  bool Showing() const { return showing_; }
  TBrush& Brush() { return brush_; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() override;
  void SetClientSize(int W, int H) override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;
  void Invalidate() override;
  void Update() override;
  void SetParent(TWinControl* AParent) override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  const TActionLinkClass& GetActionLinkClass() const override;
  void Realign() { AlignControls(nullptr); }
  // The next (or previous) control in tab order that can take the focus.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  // Docking (docking.h): a dock site takes docked clients; one that uses a
  // dock manager gets it (CreateDockManager) once it is both, and the
  // manager places the clients.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool Value);
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool Value);
  TDockManager* DockManager() const { return dockManager_.get(); }
  int DockClientCount() const { return static_cast<int>(dockClients_.size()); }
  TControl* DockClients(int Index) const { return dockClients_.at(static_cast<std::size_t>(Index)); }

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The window whose control is being made: the class library's record
  // that the initial window procedure reads and clears.
  static TWinControl* CreationControl;

 protected:
  virtual void CreateParams(TCreateParams& Params);
  // Makes Params describe a window of a standard class: its procedure
  // becomes DefWndProc.
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  // Destroys the windows of the control and its children, keeping the
  // texts for the next window.
  void DestroyHandle();
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  void PaintControls(HDC DC, TControl* First);
  virtual void AlignControls(TControl* AControl);
  void UpdateShowing();
  void UpdateBounds();
  virtual bool DoKeyDown(WORD& Key, TShiftState Shift);
  virtual bool DoKeyUp(WORD& Key, TShiftState Shift);
  virtual bool DoKeyPress(char& Key);
  // A key message (WM_KEYDOWN, WM_KEYUP, WM_CHAR and their system forms)
  // through the key events: true when an event swallowed the key; otherwise
  // the message carries the key as the events left it.
  bool DoKeyMessage(TMessage& Message);
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  void FontChanged() override;
  virtual std::unique_ptr<TDockManager> CreateDockManager();
  // Makes the site the client's parent; ARect on the screen.
  virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
  virtual void DoRemoveDockClient(TControl* Client);

 private:
  static LRESULT InitWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  LRESULT RawWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  void HandleNCDestroy();
  // The messages the windowed control handles, one function each; those
  // that pass a message on hand it to TControl::WndProc.
  void WMMouse(TMessage& Message);
  void WMPaint(TMessage& Message) { PaintHandler(Message); }
  void WMEraseBkgnd(TMessage& Message);
  void WMSizeOrMove(TMessage& Message);
  void WMCommandOrNotify(TMessage& Message);
  void WMOwnerDrawItem(TMessage& Message);
  void WMCtlColor(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message) { DefaultHandler(Message); }
  void WMKey(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CNSysChar(TMessage& Message);
  void CMChildKey(TMessage& Message);
  void CMDialogKeyOrChar(TMessage& Message) { Broadcast(Message); }
  void CMEnter(TMessage&) { DoEnter(); }
  void CMExit(TMessage&) { DoExit(); }
  void CMColorChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMCursorChanged(TMessage&) { ShowCursorOf(nullptr); }
  void CMDockClient(TMessage& Message);
  // Makes or drops the dock manager as DockSite and UseDockManager say.
  void UpdateDockManager();
  void ReleaseDockClients();
  void Swallow(TMessage&) {}
  // Tells every child of a change they may follow.
  void NotifyChildren(UINT Msg);
  void RouteMouseToChild(TMessage& M);
  // The windowless child the mouse message at m is for (null: this one).
  TControl* MouseTarget(const TMessage& M);
  // Shows the pointer of the control under the mouse.
  void ShowCursorOf(TControl* Control);
  void CreateChildHandles();
  // Moves and sizes the anchored children to the client area as it is now.
  void AnchorControls();
  friend class TControl;
  friend class TCustomForm;

  HWND handle_ = nullptr;
  std::vector<TControl*> controls_;  // in z order, back to front
  std::vector<TWinControl*> tabList_;
  TBrush brush_;
  bool tabStop_ = false;
  bool showing_ = false;
  bool dockSite_ = false;
  bool useDockManager_ = false;
  std::unique_ptr<TDockManager> dockManager_;
  std::vector<TControl*> dockClients_;
};

// A control without a window, painted by its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas& Canvas() { return *canvas_; }
  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// A control with a window that paints itself on its canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas& Canvas() { return *canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// The control a window belongs to (through its window property).
TWinControl* FindControl(HWND hWnd);
// The atoms under which windows carry their control, and their names.
ATOM WindowAtom();
ATOM ControlAtom();
std::string WindowAtomString();
std::string ControlAtomString();

}  // namespace platform
