#include "platform/ui/controls/forms.h"

namespace platform {

// ------------------------------------------------------------- THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  SetColor(clInfoBk);
  SetParentFont(false);
  if (Screen) Font().Assign(&Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
}

void THintWindow::ActivateHint(TRect Rect, const std::string& AHint) {
  SetCaption(AHint);
  SetBounds(Rect.left, Rect.top, Rect.Width(), Rect.Height());
  FVisible = true;
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const std::string& AHint, void*) { ActivateHint(Rect, AHint); }

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  SelectObject(dc, Font().Handle());
  DrawTextA(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas& c = Canvas();
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  c.Brush().SetColor(clBlack);
  c.FrameRect(ClientRect());
  RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  c.Font().SetColor(Screen ? Screen->HintFont().Color() : clInfoText);
  HDC dc = c.Handle();
  SelectObject(dc, c.Font().Handle());
  SetTextColor(dc, ColorToRGB(c.Font().Color()));
  SetBkMode(dc, TRANSPARENT);
  const std::string text = Caption();
  DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::WndProc(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    HDC dc = GetDC(nullptr);
    SelectObject(dc, Font().Handle());
    SIZE s;
    const std::string text = Caption();
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), s.cx + 6, s.cy + 6);
    return;
  }
  TCustomControl::WndProc(Message);
}

}  // namespace platform
