#include "platform/ui/controls/extctrls.h"

#include <algorithm>

#include "platform/ui/controls/forms.h"

namespace platform {
namespace {

void Frame3D(TCanvas& C, TRect& R, TColor TopLeft, TColor BottomRight, int Width) {
  for (int i = 0; i < Width; ++i) {
    C.Pen().SetColor(TopLeft);
    C.MoveTo(R.left, R.bottom - 1);
    C.LineTo(R.left, R.top);
    C.LineTo(R.right - 1, R.top);
    C.Pen().SetColor(BottomRight);
    C.LineTo(R.right - 1, R.bottom - 1);
    C.LineTo(R.left - 1, R.bottom - 1);
    InflateRect(R, -1, -1);
  }
}

}  // namespace

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
  FWidth = 105;
  FHeight = 105;
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() = default;

void TImage::ReplacePicture(std::unique_ptr<TPicture> Picture) {
  if (!Picture) return;
  Picture->OnChange = std::move(picture_->OnChange);
  Picture->OnProgress = std::move(picture_->OnProgress);
  picture_ = std::move(Picture);
  Invalidate();
}

void TImage::PictureChanged() {
  if (AutoSize && picture_->Width() > 0 && picture_->Height() > 0) {
    SetBounds(FLeft, FTop, picture_->Width(), picture_->Height());
  }
  Invalidate();
}

TRect TImage::DestRect() {
  int w = picture_->Width();
  int h = picture_->Height();
  const int cw = FWidth, ch = FHeight;
  if (Stretch || (Proportional && (w > cw || h > ch))) {
    if (Proportional && w > 0 && h > 0) {
      const double scale = std::min(static_cast<double>(cw) / w, static_cast<double>(ch) / h);
      w = static_cast<int>(w * scale);
      h = static_cast<int>(h * scale);
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (Center) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  g->Transparent = Transparent;
  Canvas().StretchDraw(DestRect(), g);
}

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 65;
  brush_.OnChange = [this](TObject*) { Invalidate(); };
  pen_.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType Value) {
  if (Value == shape_) return;
  shape_ = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas& c = Canvas();
  c.Pen().Assign(&pen_);
  c.Brush().Assign(&brush_);
  const int pw = pen_.Width();
  int x = pw / 2, y = pw / 2;
  int w = FWidth - pw + 1, h = FHeight - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    const int s = std::min(w, h);
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (shape_) {
    case stRectangle:
    case stSquare:
      c.Rectangle(x, y, x + w, y + h);
      break;
    case stRoundRect:
    case stRoundSquare:
      c.RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
      break;
    case stEllipse:
    case stCircle: {
      // Lamps look round, not stepped.
      const bool was = SetSmoothing(c.Handle(), true);
      c.Ellipse(x, y, x + w, y + h);
      SetSmoothing(c.Handle(), was);
      break;
    }
  }
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
  ControlStyle =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks | csReplicatable;
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = ClientRect();
  c.Brush().SetColor(Color());
  c.FillRect(r);
  if (BevelOuter != bvNone) {
    Frame3D(c, r, BevelOuter == bvLowered ? clBtnShadow : clBtnHighlight,
            BevelOuter == bvLowered ? clBtnHighlight : clBtnShadow, BevelWidth);
  }
  if (BevelInner != bvNone) {
    Frame3D(c, r, BevelInner == bvLowered ? clBtnShadow : clBtnHighlight,
            BevelInner == bvLowered ? clBtnHighlight : clBtnShadow, BevelWidth);
  }
  const std::string text = Caption();
  if (text.empty()) return;
  HDC dc = c.Handle();
  SelectObject(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | kAlign[Alignment]);
}

void TPanel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    Invalidate();
    return;
  }
  TCustomControl::WndProc(Message);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::Paint() {
  TCanvas& c = Canvas();
  const TColor a = Style == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor b = Style == bsLowered ? clBtnHighlight : clBtnShadow;
  const auto line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    c.Pen().SetColor(Color);
    c.MoveTo(X1, Y1);
    c.LineTo(X2, Y2);
  };
  const int w = FWidth, h = FHeight;
  switch (Shape) {
    case bsBox: {
      TRect r = ClientRect();
      Frame3D(c, r, a, b, 1);
      break;
    }
    case bsFrame: {
      TRect r = Rect(0, 0, w - 1, h - 1);
      Frame3D(c, r, a, a, 1);
      r = Rect(1, 1, w, h);
      Frame3D(c, r, b, b, 1);
      break;
    }
    case bsTopLine:
      line(a, 0, 0, w, 0);
      line(b, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(a, 0, h - 2, w, h - 2);
      line(b, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(a, 0, 0, 0, h);
      line(b, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(a, w - 2, 0, w - 2, h);
      line(b, w - 1, 0, w - 1, h);
      break;
  }
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  WNDCLASS wc;
  wc.lpfnWndProc = WNDPROC{&TTimer::Proc, nullptr, false};
  wc.lpszClassName = u"TTimerWindow";
  WNDCLASS existing;
  if (!GetClassInfoW(wc.lpszClassName, &existing)) RegisterClassA(wc);
  window_ = CreateWindowExA(0, "TTimerWindow", "", WS_POPUP, 0, 0, 0, 0, nullptr, 0, nullptr, this);
  SetWindowLong(window_, GWL_USERDATA, reinterpret_cast<LPARAM>(this));
  Update();
}

TTimer::~TTimer() {
  if (window_) DestroyWindow(window_);
}

LRESULT TTimer::Proc(void*, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Msg == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLong(hWnd, GWL_USERDATA));
    if (timer && timer->enabled_ && timer->OnTimer) {
      try {
        timer->OnTimer(timer);
      } catch (...) {
        if (Application) Application->HandleException(timer);
      }
    }
    return 0;
  }
  return DefWindowProcA(hWnd, Msg, wParam, lParam);
}

void TTimer::Update() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0) SetTimer(window_, 1, interval_);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  Update();
}

void TTimer::SetInterval(UINT Value) {
  if (Value == interval_) return;
  interval_ = Value;
  Update();
}

}  // namespace platform
