#include "widetext/standard/label.h"

#include "widetext/controls/wide_form.h"
#include "widetext/wide_api.h"

namespace widetext {

void WideCaptionDialogChar(platform::TControl* Control, platform::TWinControl* FocusControl, bool ShowAccelChar,
                           platform::TMessage& Message) {
  if (FocusControl && Control->Enabled() && ShowAccelChar &&
      IsWideCharAccel(Message.WParam, WideGetWindowText(Control)) && FocusControl->CanFocus()) {
    FocusControl->SetFocus();
    Message.Result = 1;
  }
}

void TWtxCustomLabel::WndProc(platform::TMessage& Message) {
  // The class library's own test would look at the 8-bit caption.
  if (Message.Msg == platform::CM_DIALOGCHAR) {
    WideCaptionDialogChar(this, FocusControl, ShowAccelChar(), Message);
    return;
  }
  TWideControl::WndProc(Message);
}

void TWtxCustomLabel::DoDrawText(platform::TRect& Rect, platform::UINT Flags) {
  std::u16string text = GetCaption();
  if ((Flags & platform::DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == u"&"))) text += u' ';
  if (!ShowAccelChar()) Flags |= platform::DT_NOPREFIX;
  Flags = DrawTextBiDiModeFlags(Flags);
  platform::TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  const auto draw = [&] {
    WideApiDrawText(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  };
  if (Enabled()) {
    draw();
    return;
  }
  platform::OffsetRect(Rect, 1, 1);
  canvas.Font().SetColor(platform::clBtnHighlight);
  draw();
  platform::OffsetRect(Rect, -1, -1);
  canvas.Font().SetColor(platform::clBtnShadow);
  draw();
}

}  // namespace widetext
