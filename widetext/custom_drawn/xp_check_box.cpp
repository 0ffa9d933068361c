#include "widetext/custom_drawn/xp_check_box.h"

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls.h"
#include "support/ui/text_helpers.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/custom_drawn/gradients.h"

namespace widetext {
namespace {

using platform::TColor;

constexpr TColor kHotTint = platform::RGB(255, 255, 0);

}  // namespace

TxpCheckBox::TxpCheckBox(platform::TComponent* AOwner) : platform::TCustomControl(AOwner) {
  ControlStyle &= ~static_cast<unsigned>(platform::csClickEvents);
  platform::TControl::SetColor(platform::clBtnFace);
  SetBounds(Left(), Top(), 97, 17);
  SetTabStop(true);
}

void TxpCheckBox::SetCaption(const std::u16string& Value) {
  caption_ = Value;
  Redraw();
}

void TxpCheckBox::SetFont(const platform::TFont& Value) {
  drawFont_.Assign(&Value);
  Redraw();
}

void TxpCheckBox::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  Redraw();
}

void TxpCheckBox::SetAlignment(TCheckBoxAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  Redraw();
}

void TxpCheckBox::SetAutosize(bool Value) {
  autosize_ = Value;
  Redraw();
}

void TxpCheckBox::SetCustomColor(bool Value) {
  customColor_ = Value;
  Redraw();
}

void TxpCheckBox::SetColor(TColor Value) {
  platform::TControl::SetColor(Value);
  Redraw();
}

void TxpCheckBox::SetMarkColor(TColor Value) {
  markColor_ = Value;
  Redraw();
}

void TxpCheckBox::SetSquareColor(TColor Value) {
  squareColor_ = Value;
  squareColorSet_ = Value != platform::clWindow;
  Redraw();
}

void TxpCheckBox::SetEnabled(bool Value) {
  platform::TCustomControl::SetEnabled(Value);
  Redraw();
}

void TxpCheckBox::SetParent(platform::TWinControl* AParent) {
  platform::TCustomControl::SetParent(AParent);
  // Joining a parent counts as a change of the parent's font.
  if (AParent) ParentFontChanged();
}

void TxpCheckBox::Toggle() {
  SetChecked(!checked_);
  if (OnClick) {
    const platform::TNotifyEvent handler = OnClick;
    handler(this);
  }
}

void TxpCheckBox::Redraw() {
  // Shown at once while the form is on screen, with no round trip through
  // the queue.
  const auto* form = dynamic_cast<platform::TCustomForm*>(Owner());
  if (form && form->Visible()) {
    Repaint();
  } else {
    Invalidate();
  }
}

// ------------------------------------------------------------------ paint

void TxpCheckBox::Paint() {
  platform::TCanvas& c = Canvas();
  c.Font().Assign(&drawFont_);
  platform::SIZE extent;
  support::CanvasTextExtentW(c, caption_, extent);
  boxSize_ = extent.cy;
  const int gap = boxSize_ / 4;

  TColor light = platform::clBtnHighlight, dark = platform::clBtnShadow;
  if (customColor_) {
    light = BlendColors(Color(), platform::clWhite, 80);
    dark = BlendColors(Color(), platform::clBlack, 60);
  }

  if (autosize_) {
    const int newWidth = 2 * margin_ + extent.cx + gap + boxSize_;
    const int newLeft = alignment_ == cbaLeft ? Left() + Width() - newWidth : Left();
    SetBounds(newLeft, Top(), newWidth, 2 * margin_ + extent.cy);
  }

  c.Brush().SetStyle(platform::bsSolid);
  c.Brush().SetColor(Color());
  c.Pen().SetStyle(platform::psClear);
  c.FillRect(ClientRect());

  PaintSquare();

  int x = 0;
  platform::TRect clip;
  if (alignment_ == cbaLeft) {
    x = Width() - margin_ - boxSize_ - gap - extent.cx;
    clip = platform::Rect(margin_, margin_, x + extent.cx + margin_, Height() - margin_);
  } else {
    x = margin_ + boxSize_ + gap;
    clip = platform::Rect(x, margin_, Width() - margin_, Height() - margin_);
  }
  const int y = (Height() - extent.cy) / 2;
  c.Brush().SetStyle(platform::bsSolid);
  c.Brush().SetColor(Color());
  if (Enabled()) {
    DrawWideTextRect(c, clip, x, y, caption_);
    return;
  }
  c.Font().SetColor(light);
  DrawWideTextRect(c, clip, x + 1, y + 1, caption_);
  c.Brush().SetStyle(platform::bsClear);
  c.Font().SetColor(dark);
  DrawWideTextRect(c, clip, x, y, caption_);
}

void TxpCheckBox::PaintSquare() {
  platform::TCanvas& c = Canvas();
  const bool ownSquare = customColor_ && squareColorSet_;
  const TColor fill = ownSquare ? squareColor_ : platform::clWindow;
  const TColor disabledFill = ownSquare ? BlendColors(squareColor_, platform::clBtnFace, 50) : platform::clBtnFace;
  const TColor frame = customColor_ ? drawFont_.Color() : platform::clBtnText;

  const int top = (ClientHeight() - boxSize_) / 2;
  const int left = alignment_ == cbaRight ? margin_ : Width() - boxSize_ - margin_;
  const platform::TRect square = platform::Rect(left, top, left + boxSize_, top + boxSize_);

  c.Pen().SetStyle(platform::psSolid);
  c.Brush().SetStyle(platform::bsSolid);
  if (Enabled()) {
    c.Brush().SetColor(hot_ ? BlendColors(fill, kHotTint, 80) : fill);
    c.Pen().SetWidth(focused_ ? 2 : 1);
    c.Pen().SetColor(frame);
  } else {
    c.Pen().SetWidth(1);
    c.Pen().SetColor(platform::clBtnShadow);
    c.Brush().SetColor(disabledFill);
  }
  c.Rectangle(square);

  if (!checked_) return;
  c.Pen().SetWidth(3);
  if (Enabled()) {
    c.Pen().SetColor(customColor_ ? markColor_ : platform::clWindowText);
  } else {
    c.Pen().SetColor(customColor_ ? BlendColors(markColor_, platform::clGray, 90) : platform::clGrayText);
  }
  c.Polyline({{square.left + 4, square.top + boxSize_ / 2},
              {square.left + boxSize_ / 3, square.bottom - 5},
              {square.right - 5, square.top + 4}});
  c.Pen().SetWidth(1);
}

// ------------------------------------------------------------------ input

void TxpCheckBox::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::CM_MOUSEENTER:
    case platform::CM_MOUSELEAVE:
      platform::TCustomControl::WndProc(Message);
      MouseEnterLeave(Message.Msg == platform::CM_MOUSEENTER);
      return;
    case platform::WM_LBUTTONDOWN:
      platform::TCustomControl::WndProc(Message);
      if (!pressed_) {
        pressed_ = true;
        if (!focused_ && Enabled()) SetFocus();
        Redraw();
      }
      return;
    case platform::WM_LBUTTONUP:
      platform::TCustomControl::WndProc(Message);
      if (pressed_) {
        pressed_ = false;
        Redraw();
        Toggle();
      }
      return;
    case platform::WM_LBUTTONDBLCLK:
      Toggle();
      return;
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONUP:
      return;
    case platform::WM_KEYDOWN:
      if ((Message.WParam == platform::VK_SPACE || Message.WParam == platform::VK_RETURN) && !pressed_) {
        pressed_ = true;
        Redraw();
      }
      break;
    case platform::WM_KEYUP:
      if (pressed_) {
        pressed_ = false;
        Toggle();
      }
      break;
    case platform::WM_SETFOCUS:
    case platform::WM_KILLFOCUS:
      if (focused_ != (Message.Msg == platform::WM_SETFOCUS)) {
        focused_ = !focused_;
        Redraw();
      }
      break;
    case platform::CM_ENTER:
      if (OnEnter) {
        OnEnter(this);
      } else if (OnMouseEnter) {
        OnMouseEnter(this);
      }
      return;
    case platform::CM_EXIT:
      if (OnExit) {
        OnExit(this);
      } else if (OnMouseLeave) {
        OnMouseLeave(this);
      }
      return;
    case platform::CM_DIALOGCHAR:
      if (DialogChar(Message)) return;
      break;
    case platform::CM_PARENTFONTCHANGED:
      platform::TCustomControl::WndProc(Message);
      ParentFontChanged();
      return;
    default:
      break;
  }
  platform::TCustomControl::WndProc(Message);
}

void TxpCheckBox::MouseEnterLeave(bool Entered) {
  if (hot_ != Entered) {
    hot_ = Entered;
    Redraw();
  }
  const platform::TNotifyEvent& event = Entered ? OnMouseEnter : OnMouseLeave;
  if (event) event(this);
}

bool TxpCheckBox::DialogChar(platform::TMessage& Message) {
  // Only a check box the user can see and use answers to its accelerator.
  if (!Enabled() || !Visible()) return false;
  if (!platform::IsAccel(Message.WParam, AnsiImage(caption_))) return false;
  if (!focused_) SetFocus();
  Toggle();
  Message.Result = 1;
  return true;
}

void TxpCheckBox::ParentFontChanged() {
  if (!ParentFont()) return;
  if (auto* form = dynamic_cast<platform::TCustomForm*>(Parent())) {
    drawFont_.Assign(&form->Font());
  } else if (auto* owner = dynamic_cast<platform::TControl*>(Owner())) {
    drawFont_.Assign(&owner->Font());
  }
  Redraw();
}

}  // namespace widetext
