#include "widetext/custom_drawn/xp_button.h"

#include "platform/core/window_system/input.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/custom_drawn/gradients.h"
#include "widetext/custom_drawn/repeater_thread.h"

namespace widetext {
namespace {

using platform::TColor;

constexpr TColor kHotTint = platform::RGB(255, 153, 51);
constexpr TColor kBorderTint = platform::RGB(255, 170, 5);

platform::TShiftState MouseShift(platform::WPARAM Keys) {
  platform::TShiftState s = 0;
  if (Keys & platform::MK_SHIFT) s |= platform::ssShift;
  if (Keys & platform::MK_CONTROL) s |= platform::ssCtrl;
  if (Keys & platform::MK_LBUTTON) s |= platform::ssLeft;
  if (Keys & platform::MK_RBUTTON) s |= platform::ssRight;
  if (Keys & platform::MK_MBUTTON) s |= platform::ssMiddle;
  if (platform::GetKeyState(platform::VK_MENU) < 0) s |= platform::ssAlt;
  return s;
}

void Line(platform::TCanvas& C, TColor Colour, int X1, int Y1, int X2, int Y2) {
  C.Pen().SetColor(Colour);
  C.MoveTo(X1, Y1);
  C.LineTo(X2, Y2);
}

}  // namespace

TxpButton::TxpButton(platform::TComponent* AOwner) : platform::TCustomControl(AOwner) {
  // The button clicks from its own handlers, never from the class library's.
  ControlStyle &= ~static_cast<unsigned>(platform::csClickEvents);
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
}

TxpButton::~TxpButton() {
  *alive_ = false;
  OnTimerEvent = nullptr;
  StopRepeat();
}

void TxpButton::SetCaption(const std::u16string& Value) {
  if (Value == caption_) return;
  caption_ = Value;
  Repaint();
}

void TxpButton::SetPicture(const platform::TBitmap* Bitmap) {
  if (!Bitmap) {
    picture_.reset();
  } else {
    if (!picture_) picture_ = std::make_unique<platform::TBitmap>();
    picture_->Assign(Bitmap);
    SetCaption(u"");
  }
  Invalidate();
}

void TxpButton::LoadPictureFromResource(const std::string& ResName) {
  if (ResName.empty()) {
    picture_.reset();
    Invalidate();
    return;
  }
  try {
    if (!picture_) picture_ = std::make_unique<platform::TBitmap>();
    picture_->LoadFromResourceName(ResName);
    SetCaption(u"");
  } catch (...) {
    // A glyph that cannot be loaded is simply not shown.
    picture_.reset();
  }
  Invalidate();
}

void TxpButton::SetCustomColor(bool Value) {
  customColor_ = Value;
  Invalidate();
}

void TxpButton::SetBackColor(TColor Value) {
  backColor_ = Value;
  Invalidate();
}

void TxpButton::SetGradientTopColor(TColor Value) {
  gradientTopColor_ = Value;
  Invalidate();
}

void TxpButton::SetGradientBottColor(TColor Value) {
  gradientBottColor_ = Value;
  Invalidate();
}

void TxpButton::SetEnabled(bool Value) {
  platform::TCustomControl::SetEnabled(Value);
  Repaint();
}

void TxpButton::Click() {
  const std::shared_ptr<bool> alive = alive_;
  // Copies: a handler may free the button, and its events with it.
  if (OnClick) {
    const platform::TNotifyEvent handler = OnClick;
    handler(this);
  } else if (OnTimerEvent && !fired_) {
    const platform::TNotifyEvent handler = OnTimerEvent;
    handler(this);
  }
  if (!*alive) return;
  fired_ = false;
  Repaint();
  if (!ProcessPendingMessages()) return;
  if (modalResult_ != 0) {
    if (platform::TCustomForm* form = OwnerForm()) form->SetModalResult(modalResult_);
  }
}

platform::TCustomForm* TxpButton::OwnerForm() const { return dynamic_cast<platform::TCustomForm*>(Owner()); }

bool TxpButton::ProcessPendingMessages() {
  const std::shared_ptr<bool> alive = alive_;
  if (platform::Application) platform::Application->ProcessMessages();
  return *alive;
}

// ------------------------------------------------------------------ paint

void TxpButton::Paint() {
  platform::TCanvas& c = Canvas();
  const int w = Width();
  const int h = Height();
  auto* ownerControl = dynamic_cast<platform::TControl*>(Owner());
  drawFont_.Assign(ParentFont() && ownerControl ? &ownerControl->Font() : &Font());
  const TColor fontColor = drawFont_.Color();

  TColor top = platform::clBtnHighlight, bottom = platform::clBtnFace, back = platform::clBtnFace;
  TColor light = platform::clBtnHighlight, dark = platform::clBtnShadow;
  if (customColor_) {
    top = light = gradientTopColor_;
    bottom = dark = gradientBottColor_;
    back = backColor_;
  }
  if (hot_) {
    top = BlendColors(top, kHotTint, 20);
    bottom = BlendColors(bottom, kHotTint, 20);
  }

  c.Pen().SetWidth(1);
  c.Pen().SetStyle(platform::psSolid);
  c.Pen().SetColor(back);
  c.Brush().SetStyle(platform::bsSolid);
  c.Brush().SetColor(back);
  c.FillRect(platform::Rect(0, 0, w, h));

  c.Brush().SetStyle(platform::bsClear);
  c.Pen().SetColor(BlendColors(back, fontColor, 80));
  c.RoundRect(1, 1, w - 1, h - 1, 5, 5);

  // The step count is at most 255, so tall buttons keep their bands.
  const bool sunken = pressed_ && hot_;
  const int steps = Min(ClientHeight() / (sunken ? 2 : 3), 255);
  DrawGradient(c, platform::Rect(4, 4, w - 4, h - 4), top, static_cast<std::uint8_t>(steps),
               sunken ? kGradientBottomToTop : kGradientTopToBottom, bottom);

  const int shift = pressed_ ? 1 : 0;
  const auto textOrigin = [&](int& X, int& Y) {
    c.Font().Assign(&drawFont_);
    X = (w - WideTextWidth(c.Handle(), caption_)) / 2 + shift;
    Y = (h - WideTextHeight(c.Handle(), caption_)) / 2 + shift;
  };
  const platform::TRect textClip = platform::Rect(4, 4, w - 4, h - 4);

  if (Enabled()) {
    const TColor c40 = BlendColors(light, kBorderTint, 40);
    const TColor c30 = BlendColors(light, kBorderTint, 30);
    const TColor c20 = BlendColors(light, kBorderTint, 20);
    Line(c, c40, 3, 2, w - 3, 2);
    Line(c, c20, 3, h - 3, w - 3, h - 3);
    Line(c, c30, 3, 3, w - 3, 3);
    Line(c, c30, 3, h - 4, w - 3, h - 4);
    Line(c, light, 3, 4, 3, h - 4);
    Line(c, light, w - 4, 4, w - 4, h - 4);
    if (focused_) {
      c.Brush().SetStyle(platform::bsClear);
      c.Pen().SetColor(fontColor);
      c.RoundRect(0, 0, w, h, 5, 5);
    }
    if (caption_.empty()) {
      PaintPicture();
      return;
    }
    int x = 0, y = 0;
    textOrigin(x, y);
    c.Brush().SetStyle(platform::bsClear);
    DrawWideTextRect(c, textClip, x, y, caption_);
    return;
  }

  c.Pen().SetWidth(2);
  Line(c, top, 3, 3, w - 4, 3);
  c.Pen().SetWidth(1);
  if (caption_.empty()) {
    PaintPicture();
    return;
  }
  int x = 0, y = 0;
  textOrigin(x, y);
  c.Brush().SetStyle(platform::bsClear);
  c.Font().SetColor(light);
  DrawWideTextRect(c, textClip, x + 1, y + 1, caption_);
  c.Font().SetColor(dark);
  DrawWideTextRect(c, textClip, x, y, caption_);
}

void TxpButton::PaintPicture() {
  if (!picture_ || picture_->Width() < 1 || picture_->Height() < 1) return;
  const platform::TRect area = platform::Rect(4, 4, Width() - 4, Height() - 4);
  const int areaWidth = RectWidth(area);
  const int areaHeight = RectHeight(area);
  // A button too small for the area, or a glyph shrunk to nothing, draws
  // no glyph rather than read pixels that are not there.
  if (areaWidth < 1 || areaHeight < 1) return;

  platform::TBitmap work;
  work.PixelFormat = picture_->PixelFormat;
  const double sx = static_cast<double>(areaWidth) / picture_->Width();
  const double sy = static_cast<double>(areaHeight) / picture_->Height();
  if (sx >= 1 && sy >= 1) {
    work.Assign(picture_.get());
  } else {
    const int workWidth = sx >= sy ? static_cast<int>(picture_->Width() * sy) : areaWidth;
    const int workHeight = sx >= sy ? areaHeight : static_cast<int>(picture_->Height() * sx);
    if (workWidth < 1 || workHeight < 1) return;
    work.SetSize(workWidth, workHeight);
    work.Canvas().StretchDraw(platform::Rect(0, 0, workWidth, workHeight), picture_.get());
  }
  const int x0 = area.left + (areaWidth - work.Width()) / 2;
  const int y0 = area.top + (areaHeight - work.Height()) / 2;

  platform::TCanvas& source = work.Canvas();
  platform::TCanvas& target = Canvas();
  const TColor key = source.Pixels(0, 0);
  const auto eachGlyphPixel = [&](auto Draw) {
    for (int y = 0; y < work.Height(); ++y) {
      for (int x = 0; x < work.Width(); ++x) {
        const TColor pixel = source.Pixels(x, y);
        if (pixel != key) Draw(x, y, pixel);
      }
    }
  };
  if (Enabled()) {
    eachGlyphPixel(
        [&](int X, int Y, TColor Pixel) { target.SetPixel(x0 + X, y0 + Y, MonoColor ? platform::clBtnText : Pixel); });
  } else if (!MonoColor) {
    eachGlyphPixel([&](int X, int Y, TColor Pixel) {
      const auto rgb = static_cast<platform::COLORREF>(Pixel);
      const int level = ((platform::GetRValue(rgb) + platform::GetGValue(rgb) + platform::GetBValue(rgb)) / 3) / 2 + 96;
      const auto l = static_cast<platform::BYTE>(level);
      target.SetPixel(x0 + X, y0 + Y, static_cast<TColor>(platform::RGB(l, l, l)));
    });
  } else {
    eachGlyphPixel([&](int X, int Y, TColor) { target.SetPixel(x0 + X + 1, y0 + Y + 1, platform::clBtnHighlight); });
    eachGlyphPixel([&](int X, int Y, TColor) { target.SetPixel(x0 + X, y0 + Y, platform::clBtnShadow); });
  }
}

// ------------------------------------------------------------------ input

void TxpButton::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::CM_MOUSEENTER:
      MouseEnter();
      break;
    case platform::CM_MOUSELEAVE:
      MouseLeave();
      break;
    case platform::WM_LBUTTONDOWN:
      LeftButtonDown(Message);
      return;
    case platform::WM_LBUTTONUP:
      LeftButtonUp(Message);
      return;
    case platform::WM_LBUTTONDBLCLK:
      Click();
      return;
    case platform::WM_RBUTTONDOWN:
    case platform::WM_RBUTTONUP: {
      const std::shared_ptr<bool> alive = alive_;
      platform::TCustomControl::WndProc(Message);
      if (*alive) FireMouseEvent(Message, platform::mbRight, Message.Msg == platform::WM_RBUTTONDOWN);
      return;
    }
    case platform::WM_KEYDOWN:
      KeyDownMessage(Message);
      return;
    case platform::WM_KEYUP:
      KeyUpMessage(Message);
      return;
    case platform::CM_DIALOGKEY:
      if (DialogKey(Message)) return;
      break;
    case platform::CM_DIALOGCHAR:
      if (DialogChar(Message)) return;
      break;
    case platform::WM_SETFOCUS:
      FocusChange(true);
      break;
    case platform::WM_KILLFOCUS:
      FocusChange(false);
      break;
    case platform::CM_PARENTFONTCHANGED:
      platform::TCustomControl::WndProc(Message);
      // The button follows its owner's font, not its parent's.
      if (auto* owner = dynamic_cast<platform::TControl*>(Owner()); owner && ParentFont()) {
        AssignInheritedFont(owner->Font());
      }
      return;
    default:
      break;
  }
  platform::TCustomControl::WndProc(Message);
}

void TxpButton::MouseEnter() {
  if (hot_) return;
  hot_ = true;
  Repaint();
}

void TxpButton::MouseLeave() {
  if (!hot_) return;
  // Leaving while held ends the press: a release outside does not click.
  pressed_ = false;
  hot_ = false;
  Repaint();
  StopRepeat();
}

bool TxpButton::TakeFocus() {
  if (!CanFocus() || !Visible() || Focused() || !Enabled()) return false;
  SetFocus();
  return true;
}

void TxpButton::LeftButtonDown(platform::TMessage& Message) {
  const std::shared_ptr<bool> alive = alive_;
  platform::TCustomControl::WndProc(Message);
  if (!*alive) return;
  if (!pressed_) {
    pressed_ = true;
    TakeFocus();
    Repaint();
    StartRepeat();
    if (!ProcessPendingMessages()) return;
  }
  FireMouseEvent(Message, platform::mbLeft, true);
}

void TxpButton::LeftButtonUp(platform::TMessage& Message) {
  const std::shared_ptr<bool> alive = alive_;
  platform::TCustomControl::WndProc(Message);
  if (!*alive) return;
  if (pressed_) {
    pressed_ = false;
    Repaint();
    StopRepeat();
    if (!ProcessPendingMessages()) return;
    Click();
    if (!*alive) return;
  }
  FireMouseEvent(Message, platform::mbLeft, false);
}

void TxpButton::FireMouseEvent(const platform::TMessage& Message, platform::TMouseButton Button, bool Down) {
  const platform::TMouseEvent& event = Down ? OnMouseDown : OnMouseUp;
  if (!event) return;
  int x = platform::GET_X_LPARAM(Message.LParam);
  int y = platform::GET_Y_LPARAM(Message.LParam);
  // A message's 16-bit coordinates cannot reach across a control this big.
  if (Width() > 32768 || Height() > 32768) {
    platform::POINT cursor;
    platform::GetCursorPos(&cursor);
    const platform::TPoint p = ScreenToClient(platform::TPoint{cursor.x, cursor.y});
    x = p.X;
    y = p.Y;
  }
  event(this, Button, MouseShift(Message.WParam), x, y);
}

void TxpButton::KeyDownMessage(platform::TMessage& Message) {
  const std::shared_ptr<bool> alive = alive_;
  const auto key = Message.WParam;
  if ((key == platform::VK_RETURN || key == platform::VK_SPACE) && !pressed_) {
    pressed_ = true;
    const platform::TCustomForm* form = OwnerForm();
    if (form && form->Visible()) {
      const bool tookFocus = TakeFocus();
      Repaint();
      if (tookFocus) StartRepeat();
      if (!ProcessPendingMessages()) return;
    }
  }
  if (*alive) platform::TCustomControl::WndProc(Message);
}

void TxpButton::KeyUpMessage(platform::TMessage& Message) {
  const std::shared_ptr<bool> alive = alive_;
  if (pressed_) {
    pressed_ = false;
    Repaint();
    StopRepeat();
    Click();
    if (!*alive || !ProcessPendingMessages()) return;
  }
  platform::TCustomControl::WndProc(Message);
}

bool TxpButton::DialogKey(platform::TMessage& Message) {
  // A hidden button is no more the dialog's default than a disabled one.
  if (!Enabled() || !Visible()) return false;
  const bool escape = Message.WParam == platform::VK_ESCAPE && Cancel;
  const bool enter = Message.WParam == platform::VK_RETURN && Default;
  if (!escape && !enter) return false;
  Message.Result = 1;
  Click();
  return true;
}

bool TxpButton::DialogChar(platform::TMessage& Message) {
  // Only a button the user can see and use answers to its accelerator.
  if (!Enabled() || !Visible()) return false;
  if (!platform::IsAccel(Message.WParam, AnsiImage(caption_))) return false;
  Message.Result = 1;
  Click();
  return true;
}

void TxpButton::FocusChange(bool Focused) {
  if (focused_ == Focused) return;
  focused_ = Focused;
  Invalidate();
}

// ------------------------------------------------------------- auto-repeat

void TxpButton::StartRepeat() {
  fired_ = false;
  if (!OnTimerEvent || repeater_) return;
  repeater_ = std::make_unique<TRepeaterThread>([this] { RepeatFired(); }, TimerWaitStart, TimerInterval);
}

void TxpButton::StopRepeat() {
  if (!repeater_) return;
  repeater_->Stop();
  repeater_.reset();
}

void TxpButton::RepeatFired() {
  if (!OnTimerEvent) return;
  fired_ = true;
  const platform::TNotifyEvent handler = OnTimerEvent;
  try {
    handler(this);
  } catch (...) {
    if (platform::Application) platform::Application->HandleException(this);
  }
}

}  // namespace widetext
