#include "platform/ui/controls/forms.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/core/window_system/input.h"
#include "platform/ui/controls/menus.h"

namespace platform {
namespace {

std::map<std::string, TFormLayout>& Layouts() {
  static std::map<std::string, TFormLayout> layouts;
  return layouts;
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
  // A menu that stays knows no window of the form's any more.
  if (menu_) {
    menu_->form_ = nullptr;
    menu_->SetWindowHandle(nullptr);
  }
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

}  // namespace platform
