#include "platform/ui/controls/stdctrls.h"

#include <functional>

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/stdctrls_internal.h"

namespace platform {

using detail::Send;

namespace {

// What a label and a static text do alike: they size to their caption,
// and their accelerator focuses their FocusControl. True when the message
// is done with; otherwise it goes on to the control's base class.
bool CaptionMessage(TControl& Self, TMessage& M, TWinControl* FocusControl, bool ShowAccelChar,
                    const std::function<void()>& AdjustBounds) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
      AdjustBounds();
      Self.Invalidate();
      return true;
    case CM_FONTCHANGED:
      AdjustBounds();
      return false;
    case CM_DIALOGCHAR:
      if (!FocusControl || !Self.Enabled() || !ShowAccelChar || !IsAccel(M.WParam, Self.Caption()) ||
          !FocusControl->CanFocus()) {
        return false;
      }
      FocusControl->SetFocus();
      M.Result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace

// ------------------------------------------------------------------- label

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  ControlStyle |= csReplicatable;
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == layout_) return;
  layout_ = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == autoSize_) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == wordWrap_) return;
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == showAccelChar_) return;
  showAccelChar_ = Value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Invalidate();
}

std::string TCustomLabel::GetLabelText() { return Caption(); }

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  std::string text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) Flags |= DT_NOPREFIX;
  Flags = DrawTextBiDiModeFlags(Flags);
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  HDC dc = canvas.Handle();
  SelectObject(dc, canvas.Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    OffsetRect(Rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
    OffsetRect(Rect, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  } else {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
  }
  canvas.Brush().SetStyle(bsClear);
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT style = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kAlign[alignment_];
  TRect rect = ClientRect();
  if (layout_ != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, style | DT_CALCRECT);
    const int offset = layout_ == tlBottom ? FHeight - calc.bottom : (FHeight - calc.bottom) / 2;
    OffsetRect(rect, 0, offset);
  }
  DoDrawText(rect, style);
}

void TCustomLabel::AdjustBounds() {
  if (HasState(csLoading) || !autoSize_) return;
  TRect rect = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas().SetHandle(dc);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  Canvas().SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = FLeft;
  if (alignment_ == taRightJustify) x += FWidth - rect.right;
  SetBounds(x, FTop, rect.right, rect.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& Message) {
  if (!CaptionMessage(*this, Message, FocusControl, showAccelChar_, [this] { AdjustBounds(); })) {
    TGraphicControl::WndProc(Message);
  }
}

// ------------------------------------------------------------- static text

TCustomStaticText::TCustomStaticText(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  SetParentColor(true);
}

void TCustomStaticText::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "STATIC");
  static const DWORD kAlign[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  Params.Style |= SS_NOTIFY | kAlign[alignment_];
  if (!showAccelChar_) Params.Style |= SS_NOPREFIX;
  if (borderStyle_ == sbsSingle) Params.Style |= WS_BORDER;
  if (borderStyle_ == sbsSunken) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomStaticText::SetAlignment(TAlignment Value) {
  if (Value == alignment_) return;
  alignment_ = Value;
  RecreateWnd();
}

void TCustomStaticText::SetAutoSize(bool Value) {
  if (Value == autoSize_) return;
  autoSize_ = Value;
  AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle Value) {
  if (Value == borderStyle_) return;
  borderStyle_ = Value;
  RecreateWnd();
}

void TCustomStaticText::SetShowAccelChar(bool Value) {
  if (Value == showAccelChar_) return;
  showAccelChar_ = Value;
  RecreateWnd();
}

void TCustomStaticText::AdjustBounds() {
  if (HasState(csLoading) || !autoSize_) return;
  HDC dc = GetDC(nullptr);
  SelectObject(dc, Font().Handle());
  const std::string text = Caption();
  SIZE s;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
  ReleaseDC(nullptr, dc);
  const int border = borderStyle_ == sbsNone ? 0 : 2 * GetSystemMetrics(SM_CXBORDER) * 2;
  SetBounds(FLeft, FTop, s.cx + border, s.cy + border);
}

void TCustomStaticText::Loaded() {
  TWinControl::Loaded();
  AdjustBounds();
}

void TCustomStaticText::WndProc(TMessage& Message) {
  if (!CaptionMessage(*this, Message, FocusControl, showAccelChar_, [this] { AdjustBounds(); })) {
    TWinControl::WndProc(Message);
  }
}

}  // namespace platform
