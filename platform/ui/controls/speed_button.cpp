#include "platform/ui/controls/speed_button.h"

namespace platform {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 23;
  FHeight = 22;
  ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption;
  SetParentFont(true);
  glyph_.Transparent = true;
}

void TSpeedButton::SetDown(bool Value) {
  if (groupIndex_ == 0) Value = false;
  if (Value == down_) return;
  if (!Value && !AllowAllUp) {
    // The last one of a group stays down.
    bool otherDown = false;
    if (TWinControl* parent = Parent()) {
      for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) otherDown = true;
      }
    }
    if (!otherDown) return;
  }
  down_ = Value;
  if (down_) {
    if (TWinControl* parent = Parent()) {
      for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
          other->down_ = false;
          other->Invalidate();
        }
      }
    }
  }
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == groupIndex_) return;
  groupIndex_ = Value;
  if (groupIndex_ == 0) SetDown(false);
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == flat_) return;
  flat_ = Value;
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(!down_ || !AllowAllUp);
  TGraphicControl::Click();
}

const TActionLinkClass& TSpeedButton::GetActionLinkClass() const { return TSpeedButtonActionLinkClass; }

void TSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TGraphicControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (action && (!CheckDefaults || !down_)) SetDown(action->Checked());
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  feedback_.MouseDown(Button, true);
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  feedback_.MouseUp(Button);
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

// Only a flat button shows the mouse over it.
void TSpeedButton::WndProc(TMessage& Message) {
  feedback_.Follow(Message, flat_);
  TGraphicControl::WndProc(Message);
}

// A raised face, sunk while pressed or down; a flat button shows its edge
// only under the mouse. The glyph stands left of the caption, both centred.
void TSpeedButton::Paint() {
  TCanvas& c = Canvas();
  TRect face = ClientRect();
  const bool pressed = feedback_.Pressed();
  c.Brush().SetColor(down_ && !pressed ? clBtnHighlight : clBtnFace);
  c.FillRect(face);
  const bool sunk = pressed || down_;
  if (!flat_ || feedback_.Hot() || sunk) {
    RECT edge = face;
    DrawEdge(c.Handle(), &edge, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  const std::string caption = Text();
  c.Font().Assign(&Font());
  HDC dc = c.Handle();
  RECT measured{0, 0, 0, 0};
  if (!caption.empty()) DrawTextA(dc, caption.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
  const int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width();
  const int gap = glyphWidth && !caption.empty() ? 4 : 0;
  const int textWidth = measured.Width();
  const int shift = sunk ? 1 : 0;
  int x = (face.Width() - glyphWidth - gap - textWidth) / 2 + shift;
  if (glyphWidth) {
    c.Draw(x, (face.Height() - glyph_.Height()) / 2 + shift, &glyph_);
    x += glyphWidth + gap;
  }
  if (caption.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  RECT text{x, shift, x + textWidth, face.Height() + shift};
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
}

bool TSpeedButtonActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TSpeedButton* client = ButtonClient();
  return action && client && client->GroupIndex() != 0 && client->AllowAllUp && client->Down() == action->Checked();
}

void TSpeedButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) ButtonClient()->SetDown(Value);
}

const TActionLinkClass TSpeedButtonActionLinkClass{
    "TSpeedButtonActionLink", &TControlActionLinkClass,
    [](TObject* Client) -> std::unique_ptr<TActionLink> { return std::make_unique<TSpeedButtonActionLink>(Client); }};

}  // namespace platform
