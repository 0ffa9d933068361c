#include "platform/ui/controls/stdctrls.h"

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {

using detail::Send;

// ----------------------------------------------------------------- buttons

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (Value == default_) return;
  default_ = Value;
  RecreateWnd();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(ModalResult);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if (((Message.WParam == VK_RETURN && default_) || (Message.WParam == VK_ESCAPE && Cancel)) &&
          (KeyDataToShiftState(Message.LParam) & (ssAlt | ssCtrl)) == 0 && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  SetTabStop(true);
  SetParentColor(true);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_CHECKBOX;
}

void TCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  Send(*this, BM_SETCHECK, state_ == cbChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::DestroyWnd() {
  state_ = State();
  TWinControl::DestroyWnd();
}

// The window keeps the check while there is one.
TCheckBoxState TCheckBox::State() {
  if (!HandleAllocated()) return state_;
  return Send(*this, BM_GETCHECK) == BST_CHECKED ? cbChecked : cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == State()) return;
  if (HandleAllocated()) {
    Send(*this, BM_SETCHECK, Value == cbChecked ? BST_CHECKED : BST_UNCHECKED);
  } else {
    state_ = Value;
  }
  Click();
}

void TCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(State() != cbChecked);
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(State() != cbChecked);
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TWinControl::CreateWnd();
  Send(*this, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::DestroyWnd() {
  checked_ = Checked();
  TWinControl::DestroyWnd();
}

bool TRadioButton::Checked() { return HandleAllocated() ? Send(*this, BM_GETCHECK) == BST_CHECKED : checked_; }

void TRadioButton::SetChecked(bool Value) {
  if (Value == Checked()) return;
  SetTabStop(Value);
  if (HandleAllocated()) {
    Send(*this, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED);
  } else {
    checked_ = Value;
  }
  if (Value) {
    // The others of the group (the same parent) go off.
    if (TWinControl* parent = Parent()) {
      for (int i = 0; i < parent->ControlCount(); ++i) {
        if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this) {
          other->SetChecked(false);
        }
      }
    }
    Click();
  }
}

void TRadioButton::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
    return;
  }
  TWinControl::WndProc(Message);
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable;
  SetParentColor(true);
}

void TGroupBox::Paint() {
  TCanvas& c = Canvas();
  c.Font().Assign(&Font());
  const std::string text = Caption();
  const int h = c.TextHeight("0");
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  // An etched frame, its top through the middle of the caption.
  TRect r = Rect(0, h / 2, FWidth, FHeight);
  c.Brush().SetColor(clBtnHighlight);
  c.FrameRect(Rect(r.left + 1, r.top + 1, r.right, r.bottom));
  c.Brush().SetColor(clBtnShadow);
  c.FrameRect(Rect(r.left, r.top, r.right - 1, r.bottom - 1));
  if (text.empty()) return;
  HDC dc = c.Handle();
  SelectObject(dc, c.Font().Handle());
  RECT t{8, 0, FWidth - 8, h};
  DrawTextA(dc, text.c_str(), -1, &t, DT_CALCRECT | DT_SINGLELINE);
  c.Brush().SetColor(Color());
  c.FillRect(Rect(t.left - 2, t.top, t.right + 2, t.bottom));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  DrawTextA(dc, text.c_str(), -1, &t, DT_SINGLELINE);
}

void TGroupBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.WParam, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

}  // namespace platform
