#pragma once
// Forms, the application object, the screen and the hint window.
//
// A form class names its layout by its class name: RegisterFormLayout adds
// the code that builds the controls of a form class (the program's form
// layouts); Create<TMyForm>(owner) runs it, with the form loading, and
// then OnCreate. A form made with TCustomForm::CreateNew has no layout.
//
// The application object runs the message loop: each message goes through
// its OnMessage, the hint and keyboard handling (dialog keys, accelerators)
// and the dialog handling of the current dialog window before it is
// translated and dispatched.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/component.h"
#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/controls.h"

namespace platform {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag : unsigned {
  fsCreating = 1,
  fsVisible = 2,
  fsShowing = 4,
  fsModal = 8,
  fsActivated = 16,
  // The window is an MDI child made in the main form's client window.
  fsCreatedMDIChild = 32,
};
enum TTileMode { tbHorizontal, tbVertical };
using TFormState = unsigned;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TMainMenu;
class TCustomForm;

using TFormLayout = std::function<void(TCustomForm& Form)>;
// The layout of a form class, by class name (ClassNameOf).
void RegisterFormLayout(const std::string& ClassName, TFormLayout Layout);
// Builds Instance from the layout registered for its class; false when
// there is none.
bool InitInheritedComponent(TCustomForm* Instance);

class TCustomForm : public TWinControl {
 public:
  struct TCreateNew {};
  static constexpr TCreateNew CreateNew{};
  // A form built from its layout (see Create<T>).
  explicit TCustomForm(TComponent* AOwner);
  // A form without a layout.
  TCustomForm(TComponent* AOwner, TCreateNew);
  ~TCustomForm() override;
  // Builds the layout (EResNotFound when the class has none) and runs
  // OnCreate.
  void AfterConstruction() override;
  // Runs OnDestroy while the form still stands (free forms with Free or
  // through their owner).
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  // The buttons of the title bar (a dialog frame has no minimise or
  // maximise button, a tool window only the system menu).
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position = poDesigned;
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  bool KeyPreview = false;
  bool OldCreateOrder = false;
  TFormState FormState = 0;
  // The form's window shows its main menu as its menu bar.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);

  // Multiple documents (forms_mdi.cpp). An fsMDIForm form's window holds
  // the MDI client window (ClientHandle, null otherwise), which fills what
  // the aligned controls leave of the form. An fsMDIChild form's window is
  // made in the main form's client window: making it raises
  // EInvalidOperation while the main form is no MDI form. Changing the
  // style of a form with a window makes its window again.
  HWND ClientHandle() const;
  TCustomForm* ActiveMDIChild() const;
  void Cascade();
  // Side by side (tbVertical) or one above the other.
  void Tile();
  TTileMode TileMode = tbHorizontal;

  // Layered windows (forms_layered.cpp): a top-level form shown at a
  // constant opacity (AlphaBlendValue out of 255) or without the pixels of one
  // colour. The window takes them as it is made and when they change.
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool Value);
  BYTE AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(BYTE Value);
  bool TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(bool Value);
  TColor TransparentColorValue() const { return transparentColorValue_; }
  void SetTransparentColorValue(TColor Value);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  bool Active() const { return active_; }
  TCanvas& Canvas() { return *canvas_; }

  // Shows the form and runs messages until ModalResult is set (closing the
  // window gives mrCancel); the other forms are disabled meanwhile.
  virtual TModalResult ShowModal();
  void Show();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages now queued are handled.
  void Release();
  // Makes control the form's focused control; false when it cannot.
  bool SetFocusedControl(TWinControl* Control);
  // Forgets Control (and what it contains) as the active or focused
  // control, as when it goes away.
  void DefocusControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  void SetFocus() override;
  void SetVisible(bool Value) override;
  void WndProc(TMessage& Message) override;
  // An MDI frame's unhandled messages go to the frame's default procedure
  // (WM_SIZE excepted: the form places its client window itself).
  void DefaultHandler(TMessage& Message) override;
  // Brings the form's controls up to date with their actions; the
  // application calls it for the active form when it is idle.
  virtual void UpdateActions();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void AlignControls(TControl* AControl) override;
  void PaintWindow(HDC DC) override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();

 private:
  void CenterOn(const TRect& Area);
  void MdiChildParams(TCreateParams& Params) const;
  void ApplyLayeredAttributes();
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  bool active_ = false;
  bool loadsLayout_;
  std::unique_ptr<TCanvas> canvas_;
  HWND clientHandle_ = nullptr;
  bool alphaBlend_ = false;
  BYTE alphaBlendValue_ = 255;
  bool transparentColor_ = false;
  TColor transparentColorValue_ = clBlack;
  // The menu messages (form_menus.cpp); true when one was handled whole.
  bool MenuMessage(TMessage& Message);
  void AttachMenu();
  friend class TMainMenu;
  TMainMenu* menu_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// The form a control is on.
TCustomForm* GetParentForm(TControl* Control);

// What a hint window shows and where; the control may change it in
// CM_HINTSHOW (lParam points at it).
class THintWindow;
// A class of hint windows: its name and how to make one. Classes are
// compared by identity, so code can tell which class is in use.
struct THintWindowClassInfo {
  const char* Name;
  std::function<THintWindow*(TComponent* Owner)> Create;
};
using THintWindowClass = const THintWindowClassInfo*;
// THintWindow itself.
extern const THintWindowClassInfo THintWindowPlainClass;
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  virtual void ActivateHint(TRect Rect, const std::string& AHint);
  virtual void ActivateHintData(TRect Rect, const std::string& AHint, void* AData);
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  void ReleaseHandle();
  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the user interface. The application window is made when it is
  // first needed (again after it went): a Unicode window, titled with the
  // title set meanwhile.
  void Initialize();
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = Create<T>(this);
    if (!mainForm_) mainForm_ = Reference;
  }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* Form) { mainForm_ = Form; }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Waits for one message and handles it (idle work first when none is
  // queued).
  void HandleMessage();
  // Handles every message already queued.
  void ProcessMessages();
  // Handles one queued message; false when none was there.
  bool ProcessMessage(MSG& Msg);

  std::string Title();
  void SetTitle(const std::string& Value);
  // A new hint runs OnHint when it is assigned, and otherwise goes to the
  // application window as a hint action.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& Value);
  bool ShowHint = true;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  TColor HintColor = clInfoBk;
  bool HintShortCuts = true;
  THintWindowClass HintWindowClass = &THintWindowPlainClass;
  void CancelHint();
  void HideHint();
  void ActivateHint(TPoint CursorPos);
  // The dialog window whose keys the loop gives dialog handling.
  HWND DialogHandle = nullptr;
  // Hooks on the application window's messages; one that returns true
  // handles the message.
  using TWindowHook = std::function<bool(TMessage& Message)>;
  int HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(int HookId);
  int MessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
  // Shows the exception's message (OnException when assigned).
  void HandleException(TObject* Sender);
  std::string ExeName() const;

  using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
  TMessageEvent OnMessage;
  TNotifyEvent OnHint;
  using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
  TIdleEvent OnIdle;
  using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
  TExceptionEvent OnException;

  // The class library's own traffic: the control under the mouse, hints.
  // The hint check cancels a hint being shown when a key or button is
  // pressed; it never takes the message.
  virtual bool IsHintMsg(MSG& Msg);
  void NoteMouseMove(TControl* Control);
  void NoteMouseLeave(TControl* Control);
  TControl* MouseControl() const { return mouseControl_; }
  int ModalLevel = 0;
  // When the desktop's settings last changed, as a tick count (0 before):
  // kept by the hooks on the application window that watch
  // WM_SETTINGCHANGE.
  DWORD SettingChangeTime = 0;

 protected:
  virtual bool IsKeyMsg(MSG& Msg);
  virtual bool IsDlgMsg(MSG& Msg);
  virtual void Idle(const MSG& Msg);
  void WndProc(TMessage& Message);

 private:
  static LRESULT AppWndProc(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  void StartHintTimer(int Pause);
  void HintTimerExpired();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::string title_;
  std::string hint_;
  std::map<int, TWindowHook> hooks_;
  int nextHook_ = 1;
  TControl* mouseControl_ = nullptr;
  TControl* hintControl_ = nullptr;
  THintWindow* hintWindow_ = nullptr;
  THintWindowClass hintWindowClass_ = nullptr;
  bool hintActive_ = false;
  TPoint hintCursor_;
  friend class TScreen;
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(static_cast<std::size_t>(Index)); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const;
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  TFont& HintFont() { return hintFont_; }
  int PixelsPerInch = 96;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TFont hintFont_;
};

// The process's application and screen objects; made by
// InitializeApplication, which also puts the window system on the screen.
extern TApplication* Application;
extern TScreen* Screen;
void InitializeApplication();

}  // namespace platform
