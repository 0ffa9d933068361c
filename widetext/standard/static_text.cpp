#include "widetext/standard/static_text.h"

#include "widetext/controls/unicode_windows.h"
#include "widetext/standard/label.h"

namespace widetext {

TWtxCustomStaticText::TWtxCustomStaticText(platform::TComponent* AOwner) : TWideControl(AOwner) { AdjustBounds(); }

void TWtxCustomStaticText::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle(this, Params, u"STATIC");
}

void TWtxCustomStaticText::AdjustBounds() {
  if (HasState(platform::csLoading) || !AutoSize()) return;
  const platform::HDC dc = platform::GetDC(nullptr);
  const platform::HGDIOBJ oldFont = platform::SelectObject(dc, Font().Handle());
  const std::u16string text = GetCaption();
  platform::SIZE extent;
  platform::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  platform::SelectObject(dc, oldFont);
  platform::ReleaseDC(nullptr, dc);
  SetBounds(Left(), Top(), extent.cx + 4 * platform::GetSystemMetrics(platform::SM_CXBORDER),
            extent.cy + 4 * platform::GetSystemMetrics(platform::SM_CYBORDER));
}

void TWtxCustomStaticText::WndProc(platform::TMessage& Message) {
  if (Message.Msg == platform::CM_DIALOGCHAR) {
    WideCaptionDialogChar(this, FocusControl, ShowAccelChar(), Message);
    return;
  }
  TWideControl::WndProc(Message);
}

}  // namespace widetext
