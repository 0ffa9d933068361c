#include "widetext/controls/hint_window.h"

#include "platform/ui/controls/actions.h"
#include "platform/ui/controls/menus.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_canvas.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_api.h"

namespace widetext {
namespace {

// A wide record's data points at the record itself.
const platform::THintInfo* WideRecord(void* Data) {
  const auto* info = static_cast<const platform::THintInfo*>(Data);
  return info && info->HintData == Data ? info : nullptr;
}

// What the hint window shows for a wide record: the control's wide short
// hint while the 8-bit hint is still its image (or its image with the
// shortcut of the control's action, as the application adds it), else the
// 8-bit hint.
std::u16string WideHintText(const platform::THintInfo& Info) {
  std::u16string text = WidenAnsi(Info.HintStr);
  if (text.empty()) return text;
  std::u16string wide = WideGetShortHint(WideGetParentHint(Info.HintControl));
  const std::string image = AnsiImage(wide);
  if (image == Info.HintStr) return wide;
  const auto* action =
      Info.HintControl ? dynamic_cast<const platform::TCustomAction*>(Info.HintControl->Action()) : nullptr;
  if (action && action->ShortCut != 0 && platform::Application && platform::Application->HintShortCuts) {
    const std::string shortcut = platform::ShortCutToText(action->ShortCut);
    if (image + " (" + shortcut + ")" == Info.HintStr) return wide + u" (" + WidenAnsi(shortcut) + u")";
  }
  return text;
}

// A screen context with the font selected, while it lives.
class ScreenDC {
 public:
  explicit ScreenDC(platform::TFont& Font) : dc_(platform::GetDC(nullptr)) {
    platform::SelectObject(dc_, Font.Handle());
  }
  ~ScreenDC() { platform::ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  platform::HDC Handle() const { return dc_; }

 private:
  platform::HDC dc_;
};

}  // namespace

void PrepareWideHintShow(platform::TMessage& Message) {
  auto* info = reinterpret_cast<platform::THintInfo*>(Message.LParam);
  if (!info || !Win32PlatformIsUnicode) return;
  if (!info->HintWindowClass || info->HintWindowClass == &platform::THintWindowPlainClass) {
    info->HintWindowClass = &TWtxCustomHintWindowClass;
  }
  info->HintData = info;
  info->HintStr = AnsiImage(WideGetShortHint(WideGetParentHint(info->HintControl)));
}

const platform::THintWindowClassInfo TWtxCustomHintWindowClass{
    "TWtxCustomHintWindow", [](platform::TComponent* Owner) { return new TWtxCustomHintWindow(Owner); }};

TWtxCustomHintWindow::TWtxCustomHintWindow(platform::TComponent* AOwner) : platform::THintWindow(AOwner) {}

void TWtxCustomHintWindow::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"");
}

void TWtxCustomHintWindow::ActivateHintData(platform::TRect Rect, const std::string& AHint, void* AData) {
  const platform::THintInfo* info = WideRecord(AData);
  if (!info) {
    platform::THintWindow::ActivateHintData(Rect, AHint, AData);
    return;
  }
  blockPaint_ = true;
  activatingHint_ = true;
  platform::THintWindow::ActivateHintData(Rect, AHint, AData);
  WideSetWindowText(this, WideHintText(*info));
  activatingHint_ = false;
  blockPaint_ = false;
  Invalidate();
}

platform::TRect TWtxCustomHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
  const platform::THintInfo* info = WideRecord(AData);
  if (!info) return platform::THintWindow::CalcHintRect(MaxWidth, AHint, AData);
  const std::u16string text = WideHintText(*info);
  platform::RECT r{0, 0, MaxWidth, 0};
  const ScreenDC dc(Font());
  WideApiDrawText(dc.Handle(), text.c_str(), -1, &r,
                  DrawTextBiDiModeFlags(platform::DT_CALCRECT | platform::DT_NOPREFIX | platform::DT_WORDBREAK));
  r.right += 6;
  r.bottom += 2;
  return r;
}

void TWtxCustomHintWindow::Paint() {
  if (blockPaint_ || !Win32PlatformIsUnicode) {
    platform::THintWindow::Paint();
    return;
  }
  platform::TCanvas& c = Canvas();
  c.Brush().SetColor(Color());
  c.FillRect(ClientRect());
  c.Brush().SetColor(platform::clBlack);
  c.FrameRect(ClientRect());
  platform::RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  c.Font().SetColor(platform::Screen ? platform::Screen->HintFont().Color() : platform::clInfoText);
  c.Brush().SetStyle(platform::bsClear);
  const std::u16string text = WideGetWindowText(this);
  WideApiDrawText(c.Handle(), text.c_str(), -1, &r,
                  DrawTextBiDiModeFlags(platform::DT_NOPREFIX | platform::DT_WORDBREAK));
  c.Brush().SetStyle(platform::bsSolid);
}

void TWtxCustomHintWindow::WndProc(platform::TMessage& Message) {
  if (Message.Msg == platform::CM_TEXTCHANGED) {
    if (activatingHint_) return;
    platform::TCanvas measure;
    const ScreenDC dc(Font());
    const platform::TCanvasHandleScope lent(measure, dc.Handle());
    measure.Font().Assign(&Font());
    const platform::SIZE size = WideCanvasTextExtent(measure, WideGetWindowText(this));
    SetBounds(Left(), Top(), size.cx + 6, size.cy + 6);
    return;
  }
  platform::THintWindow::WndProc(Message);
}

}  // namespace widetext
