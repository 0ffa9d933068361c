#include "platform/ui/controls/tool_bar.h"

#include <algorithm>

namespace platform {
namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kMargin = 2;

}  // namespace

// ----------------------------------------------------------------- TToolBar

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 150;
  FHeight = 29;
  ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
  SetColor(clBtnFace);
  SetAlign(alTop);
}

void TToolBar::SetButtonWidth(int Value) {
  if (Value == buttonWidth_) return;
  buttonWidth_ = Value;
  Arrange();
}

void TToolBar::SetButtonHeight(int Value) {
  if (Value == buttonHeight_) return;
  buttonHeight_ = Value;
  Arrange();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (Value == showCaptions_) return;
  showCaptions_ = Value;
  Arrange();
}

void TToolBar::SetImages(TImageList* Value) {
  if (Value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (images_) images_->FreeNotification(this);
  Arrange();
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i) n += dynamic_cast<TToolButton*>(Controls(i)) ? 1 : 0;
  return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && Index-- == 0) return b;
  }
  return nullptr;
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    images_ = nullptr;
    Invalidate();
  }
}

void TToolBar::AlignControls(TControl* AControl) {
  TCustomControl::AlignControls(AControl);
  Arrange();
}

void TToolBar::Arrange() {
  // A bar that shows captions has room for them under the pictures.
  const int height = buttonHeight_ + (showCaptions_ ? 14 : 0);
  int x = kMargin;
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton* button = Buttons(i);
    const int width = button->Style() == tbsSeparator ? kSeparatorWidth : buttonWidth_;
    if (button->Left() != x || button->Top() != kMargin || button->Width() != width || button->Height() != height) {
      button->SetBounds(x, kMargin, width, height);
    }
    x += width;
  }
  // The bar is as tall as its buttons.
  if (const int barHeight = height + 2 * kMargin; Height() != barHeight) SetHeight(barHeight);
  Invalidate();
}

void TToolBar::Paint() {
  TCanvas& c = Canvas();
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  c.Pen().SetColor(clBtnHighlight);
  c.MoveTo(0, 0);
  c.LineTo(Width(), 0);
}

// -------------------------------------------------------------- TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 23;
  FHeight = 22;
  ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption;
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  if (style_ != tbsCheck) down_ = false;
  if (TToolBar* bar = ToolBar()) bar->Realign();
  Invalidate();
}

std::vector<TToolButton*> TToolButton::Group() const {
  std::vector<TToolButton*> group;
  TToolBar* bar = ToolBar();
  if (!bar || !Grouped || style_ != tbsCheck) return group;
  int at = -1;
  for (int i = 0; i < bar->ButtonCount(); ++i) {
    if (bar->Buttons(i) == this) at = i;
  }
  int first = at;
  while (first > 0 && bar->Buttons(first - 1)->Grouped && bar->Buttons(first - 1)->style_ == tbsCheck) --first;
  for (int i = first; i < bar->ButtonCount(); ++i) {
    TToolButton* b = bar->Buttons(i);
    if (!b->Grouped || b->style_ != tbsCheck) break;
    group.push_back(b);
  }
  return group;
}

void TToolButton::SetDown(bool Value) {
  if (style_ != tbsCheck) Value = false;
  if (Value == down_) return;
  down_ = Value;
  if (down_) {
    for (TToolButton* other : Group()) {
      if (other != this && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TToolButton::SetImageIndex(int Value) {
  if (Value == imageIndex_) return;
  imageIndex_ = Value;
  Invalidate();
}

void TToolButton::Click() {
  if (style_ == tbsCheck) SetDown(Grouped ? true : !down_);
  TGraphicControl::Click();
}

const TActionLinkClass& TToolButton::GetActionLinkClass() const { return TToolButtonActionLinkClass; }

void TToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TGraphicControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || !down_) SetDown(action->Checked());
  if (!CheckDefaults || imageIndex_ < 0) SetImageIndex(action->ImageIndex());
}

// A separator is not pressed.
void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  feedback_.MouseDown(Button, style_ != tbsSeparator);
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  feedback_.MouseUp(Button);
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::WndProc(TMessage& Message) {
  feedback_.Follow(Message, true);
  TGraphicControl::WndProc(Message);
}

// Flat: the edge shows under the mouse, sunk while pressed or down. The
// picture stands centred, above the caption when the bar shows captions.
void TToolButton::Paint() {
  TCanvas& c = Canvas();
  const TRect face = ClientRect();
  if (style_ == tbsSeparator) {
    const int x = face.Width() / 2;
    c.Pen().SetColor(clBtnShadow);
    c.MoveTo(x, 2);
    c.LineTo(x, face.Height() - 2);
    c.Pen().SetColor(clBtnHighlight);
    c.MoveTo(x + 1, 2);
    c.LineTo(x + 1, face.Height() - 2);
    return;
  }
  const bool pressed = feedback_.Pressed();
  const bool sunk = pressed || down_;
  if (down_ && !pressed) {
    c.Brush().SetColor(clBtnHighlight);
    c.FillRect(face);
  }
  if (feedback_.Hot() || sunk) {
    RECT edge = face;
    DrawEdge(c.Handle(), &edge, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  const int shift = sunk ? 1 : 0;
  const TToolBar* bar = ToolBar();
  TImageList* images = bar ? bar->Images() : nullptr;
  const bool captions = bar && bar->ShowCaptions();
  int top = 3;
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    const int y = captions ? top : (face.Height() - images->Height) / 2;
    images->Draw(c, (face.Width() - images->Width) / 2 + shift, y + shift, imageIndex_, Enabled());
    top = y + images->Height + 1;
  }
  if (!captions) return;
  const std::string caption = Text();
  if (caption.empty()) return;
  c.Font().Assign(&Font());
  HDC dc = c.Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  RECT text{shift, top + shift, face.Width() + shift, face.Height() + shift};
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER);
}

// ---------------------------------------------------- TToolButtonActionLink

bool TToolButtonActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TToolButton* client = ButtonClient();
  return action && client && client->Down() == action->Checked();
}

bool TToolButtonActionLink::IsImageIndexLinked() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TToolButton* client = ButtonClient();
  return action && client && client->ImageIndex() == action->ImageIndex();
}

void TToolButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) ButtonClient()->SetDown(Value);
}

void TToolButtonActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) ButtonClient()->SetImageIndex(Value);
}

const TActionLinkClass TToolButtonActionLinkClass{
    "TToolButtonActionLink", &TControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TToolButtonActionLink>(Client); }};

}  // namespace platform
