#include "widetext/controls/control_text.h"

#include <algorithm>

#include "platform/ui/controls/actions.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_helper.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/platform_flags.h"
#include "widetext/wide_api.h"

namespace widetext {
namespace {

platform::TWinControl* Windowed(platform::TControl* Control) { return dynamic_cast<platform::TWinControl*>(Control); }

// The text of a Unicode window, cut where the window's copy ended: a
// length that overstates the text leaves no zero characters behind.
std::u16string UnicodeWindowText(platform::HWND hWnd) {
  const int length = platform::GetWindowTextLengthW(hWnd);
  if (length <= 0) return {};
  std::u16string buffer(static_cast<std::size_t>(length) + 1, u'\0');
  const int got = platform::GetWindowTextW(hWnd, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(std::clamp(got, 0, length)));
  return buffer;
}

}  // namespace

std::u16string WideGetWindowText(platform::TControl* Control) {
  if (!Win32PlatformIsUnicode) return WidenAnsi(Control->Text());
  platform::TWinControl* windowed = Windowed(Control);
  if (windowed && windowed->HandleAllocated()) {
    const platform::HWND h = windowed->WindowHandle();
    if (!platform::IsWindowUnicode(h)) return WidenAnsi(Control->Text());
    return UnicodeWindowText(h);
  }
  TWideControlHelper* helper = GetWideControlHelper(Control, false);
  if (!helper) return WidenAnsi(Control->Text());
  // The text kept for a window to come is held to the same rule, so an
  // 8-bit caption set in between is not overwritten by a stale wide one.
  return GetSyncedWideString(helper->WideCaption, Control->Text());
}

void WideSetWindowText(platform::TControl* Control, std::u16string_view Value) {
  if (!Win32PlatformIsUnicode) {
    Control->SetText(AnsiImage(Value));
    return;
  }
  platform::TWinControl* windowed = Windowed(Control);
  if (windowed && windowed->HandleAllocated()) {
    const platform::HWND h = windowed->WindowHandle();
    if (!platform::IsWindowUnicode(h)) {
      Control->SetText(AnsiImage(Value));
      return;
    }
    if (WideGetWindowText(Control) == Value) return;
    WideApiSetWindowText(h, Value);
    Control->Perform(platform::CM_TEXTCHANGED, 0, 0);
    return;
  }
  TWideControlHelper* helper = GetWideControlHelper(Control, true);
  if (windowed) {
    helper->WideCaption = Value;
    Control->SetText(AnsiImage(Value));
    return;
  }
  SetSyncedWideString(Value, helper->WideCaption, Control->Text(),
                      [Control](const std::string& Text) { Control->SetText(Text); });
}

std::u16string WideGetHint(platform::TControl* Control) {
  if (!Win32PlatformIsUnicode) return WidenAnsi(Control->Hint);
  TWideControlHelper* helper = GetWideControlHelper(Control, false);
  if (!helper) return WidenAnsi(Control->Hint);
  return GetSyncedWideString(helper->WideHint, Control->Hint);
}

void WideSetHint(platform::TControl* Control, std::u16string_view Value) {
  if (!Win32PlatformIsUnicode) {
    Control->Hint = AnsiImage(Value);
    return;
  }
  TWideControlHelper* helper = GetWideControlHelper(Control, true);
  SetSyncedWideString(Value, helper->WideHint, Control->Hint,
                      [Control](const std::string& Hint) { Control->Hint = Hint; });
}

std::u16string WideGetParentHint(platform::TControl* Control) {
  for (platform::TControl* c = Control; c; c = c->Parent()) {
    std::u16string hint = WideGetHint(c);
    if (!hint.empty()) return hint;
  }
  return {};
}

std::u16string WideGetShortHint(std::u16string_view Hint) { return std::u16string(Hint.substr(0, Hint.find(u'|'))); }

std::u16string WideGetLongHint(std::u16string_view Hint) {
  const std::size_t bar = Hint.find(u'|');
  return std::u16string(bar == std::u16string_view::npos ? Hint : Hint.substr(bar + 1));
}

bool IsCaptionStored(platform::TControl* Control) {
  platform::TActionLink* link = Control->ActionLink();
  return !link || !link->IsCaptionLinked();
}

bool IsHintStored(platform::TControl* Control) {
  platform::TActionLink* link = Control->ActionLink();
  return !link || !link->IsHintLinked();
}

}  // namespace widetext
