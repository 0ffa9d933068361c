#include "widetext/menus/wide_menus.h"

#include <algorithm>
#include <utility>

#include "platform/core/os/os_error.h"
#include "platform/core/window_system/menus.h"
#include "platform/ui/window_classes/gdi.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/control_actions.h"
#include "widetext/controls/synced_strings.h"
#include "widetext/menus/hotkeys.h"
#include "widetext/menus/shortcut_text.h"
#include "widetext/menus/wide_actions.h"
#include "widetext/platform_flags.h"
#include "widetext/property_filing.h"
#include "widetext/wide_api.h"

namespace widetext {
namespace {

constexpr platform::UINT kMeasureFlags =
    platform::DT_CALCRECT | platform::DT_NOCLIP | platform::DT_EXPANDTABS | platform::DT_SINGLELINE;

int TextWidth(platform::TCanvas& Canvas, std::u16string_view Text, platform::UINT Flags) {
  platform::RECT r{0, 0, 0, 0};
  WideApiDrawText(Canvas.Handle(), Text.data(), static_cast<int>(Text.size()), &r, Flags);
  return r.Width();
}

std::u16string MenuString(platform::HMENU Menu, platform::UINT Command) {
  const int length = platform::GetMenuStringW(Menu, Command, nullptr, 0, platform::MF_BYCOMMAND);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int got = platform::GetMenuStringW(Menu, Command, text.data(), length + 1, platform::MF_BYCOMMAND);
  text.resize(static_cast<std::size_t>(std::clamp(got, 0, length)));
  return text;
}

platform::TCustomAction* CustomAction(platform::TObject* Action) {
  return dynamic_cast<platform::TCustomAction*>(Action);
}

}  // namespace

std::u16string WideMenuItemCaption(platform::TMenuItem* Item) {
  if (auto* wide = dynamic_cast<TWtxMenuItem*>(Item)) return wide->GetCaption();
  return WidenAnsi(Item->Caption());
}

std::u16string WideMenuItemHint(platform::TMenuItem* Item) {
  if (auto* wide = dynamic_cast<TWtxMenuItem*>(Item)) return wide->GetHint();
  return WidenAnsi(Item->Hint);
}

void FixMenuRightToLeft(platform::TMenu* Menu) {
  if (!Menu || platform::GetSystemMetrics(platform::SM_MIDEASTENABLED) == 0) return;
  platform::TMenuItem* items = Menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    if (!items->Items(i)->Visible()) continue;
    if (auto* wide = dynamic_cast<TWtxMenuItem*>(items->Items(i))) wide->UpdateMenuText();
    return;
  }
}

std::u16string TWtxMenuItem::GetCaption() {
  const std::string& ansi = Caption();
  if (AnsiImage(wideCaption_) != ansi &&
      AnsiImage(WideStripHotkey(wideCaption_)) == AnsiImage(WideStripHotkey(WidenAnsi(ansi)))) {
    SyncHotKeyPosition(WidenAnsi(ansi), wideCaption_);
  }
  return GetSyncedWideString(wideCaption_, ansi);
}

void TWtxMenuItem::SetCaption(std::u16string_view Value) {
  SetSyncedWideString(Value, wideCaption_, Caption(),
                      [this](const std::string& Ansi) { platform::TMenuItem::SetCaption(Ansi); });
}

std::u16string TWtxMenuItem::GetHint() { return GetSyncedWideString(wideHint_, Hint); }

void TWtxMenuItem::SetHint(std::u16string_view Value) {
  SetSyncedWideString(Value, wideHint_, Hint, [this](const std::string& Ansi) { Hint = Ansi; });
}

void TWtxMenuItem::Loaded() {
  platform::TMenuItem::Loaded();
  AfterChange();
}

void TWtxMenuItem::MenuChanged(bool Rebuild) {
  platform::TMenuItem::MenuChanged(Rebuild);
  AfterChange();
}

void TWtxMenuItem::MenuTextWritten() {
  if (Win32PlatformIsUnicode) WriteMenuText();
}

void TWtxMenuItem::AfterChange() {
  if (HasState(platform::csLoading) || HasState(platform::csDestroying)) return;
  UpdateMenuText();
  platform::TMenu* menu = GetParentMenu();
  if (dynamic_cast<platform::TMainMenu*>(menu) && menu->RebuildSuspended()) return;
  FixMenuRightToLeft(menu);
}

void TWtxMenuItem::UpdateMenuText() {
  if (!Win32PlatformIsUnicode) return;
  WriteMenuText();
  for (int i = 0; i < Count(); ++i) {
    if (auto* item = dynamic_cast<TWtxMenuItem*>(Items(i))) item->UpdateMenuText();
  }
}

void TWtxMenuItem::WriteMenuText() {
  platform::TMenu* menu = GetParentMenu();
  if (!Parent() || !Parent()->HandleAllocated() || !menu || !Visible() || HasState(platform::csLoading) ||
      HasState(platform::csDestroying)) {
    return;
  }
  layout_ = platform::GetKeyboardLayout(0);
  const platform::HMENU parentMenu = Parent()->Handle();
  platform::MENUITEMINFOW info;
  info.fMask = platform::MIIM_TYPE;
  platform::GetMenuItemInfoW(parentMenu, Command(), false, &info);
  if (info.fType & (platform::MFT_BITMAP | platform::MFT_OWNERDRAW | platform::MFT_SEPARATOR)) return;
  std::u16string text = GetCaption();
  if (ShortCut() && Count() == 0 && !IsTopOfMainMenu()) text += u'\t' + WideShortCutToText(ShortCut());
  if (MenuString(parentMenu, Command()) == text) return;
  info.fMask = platform::MIIM_TYPE;
  info.dwTypeData = text.data();
  if (!platform::SetMenuItemInfoW(parentMenu, Command(), false, &info)) platform::RaiseLastOSError();
  if (dynamic_cast<platform::TMainMenu*>(menu) && menu->WindowHandle()) platform::DrawMenuBar(menu->WindowHandle());
}

void TWtxMenuItem::InitiateAction() {
  platform::TMenuItem::InitiateAction();
  if (platform::GetKeyboardLayout(0) != layout_) MenuChanged(false);
}

const platform::TActionLinkClass& TWtxMenuItem::GetActionLinkClass() const { return TWtxMenuActionLinkClass; }

void TWtxMenuItem::ActionChange(platform::TObject* Sender, bool CheckDefaults) {
  if (platform::TCustomAction* action = CustomAction(Sender); action && dynamic_cast<IWtxAction*>(Sender)) {
    if (!CheckDefaults || GetCaption().empty()) SetCaption(WtxAction_GetCaption(action));
    if (!CheckDefaults || GetHint().empty()) SetHint(WtxAction_GetHint(action));
  }
  platform::TMenuItem::ActionChange(Sender, CheckDefaults);
}

void TWtxMenuItem::GetPublishedProperties(std::vector<platform::TPropInfo>& Props) const {
  platform::TMenuItem::GetPublishedProperties(Props);
  auto* self = const_cast<TWtxMenuItem*>(this);
  platform::TPropInfo caption{.Name = "Caption", .Kind = platform::TTypeKind::tkWString};
  caption.IsStored = [self] { return !self->ActionLink() || !self->ActionLink()->IsCaptionLinked(); };
  caption.GetWideStr = [self] { return self->GetCaption(); };
  caption.SetWideStr = [self](const std::u16string& V) { self->SetCaption(V); };
  Props.push_back(std::move(caption));
  platform::TPropInfo hint{.Name = "Hint", .Kind = platform::TTypeKind::tkWString};
  hint.IsStored = [self] { return !self->ActionLink() || !self->ActionLink()->IsHintLinked(); };
  hint.GetWideStr = [self] { return self->GetHint(); };
  hint.SetWideStr = [self](const std::u16string& V) { self->SetHint(V); };
  Props.push_back(std::move(hint));
}

void TWtxMenuItem::DefineProperties(platform::TFiler* Filer) {
  platform::TMenuItem::DefineProperties(Filer);
  DefineWideProperties(Filer, this);
}

platform::UINT TWtxMenuItem::ReadingFlags() const {
  const platform::TMenu* menu = GetParentMenu();
  return menu ? menu->DrawTextBiDiModeFlagsReadingOnly() : 0;
}

void TWtxMenuItem::MeasureItem(platform::TCanvas* ACanvas, int& Width, int& Height) {
  if (!ACanvas || IsLine() || !Win32PlatformIsUnicode) {
    platform::TMenuItem::MeasureItem(ACanvas, Width, Height);
    return;
  }
  // The handler sees the measure with the wide texts, so it waits.
  const platform::TMenuMeasureItemEvent handler = std::exchange(OnMeasureItem, nullptr);
  platform::TMenuItem::MeasureItem(ACanvas, Width, Height);
  const platform::UINT flags = kMeasureFlags | ReadingFlags();
  Width += TextWidth(*ACanvas, GetCaption(), flags) - TextWidth(*ACanvas, WidenAnsi(Caption()), flags);
  if (ShortCut()) {
    Width += TextWidth(*ACanvas, WideShortCutToText(ShortCut()), flags) -
             TextWidth(*ACanvas, WidenAnsi(platform::ShortCutToText(ShortCut())), flags);
  }
  OnMeasureItem = handler;
  if (handler) handler(this, ACanvas, Width, Height);
}

void TWtxMenuItem::DoDrawText(platform::TCanvas* ACanvas, const std::string& ACaption, platform::TRect& Rect,
                              bool Selected, platform::UINT Flags) {
  if (!ACanvas || IsLine() || !Win32PlatformIsUnicode) {
    platform::TMenuItem::DoDrawText(ACanvas, ACaption, Rect, Selected, Flags);
    return;
  }
  if (ReadingFlags()) Flags |= platform::DT_RIGHT | platform::DT_RTLREADING;
  std::u16string text = WidenAnsi(ACaption);
  if (ACaption == Caption()) {
    text = GetCaption();
  } else if (ShortCut() && ACaption == platform::ShortCutToText(ShortCut())) {
    text = WideShortCutToText(ShortCut());
  }
  if ((Flags & platform::DT_CALCRECT) && (text.empty() || text == u"&")) text = u" ";
  platform::TCanvas& c = *ACanvas;
  c.Brush().SetStyle(platform::bsClear);
  if (Default()) c.Font().SetStyle(c.Font().Style() | platform::fsBold);
  const auto draw = [&](platform::TColor Colour, platform::TRect& R) {
    c.Font().SetColor(Colour);
    WideApiDrawText(c.Handle(), text.c_str(), static_cast<int>(text.size()), &R, Flags);
  };
  if (Enabled()) {
    WideApiDrawText(c.Handle(), text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
    return;
  }
  if (!Selected) {
    platform::TRect shifted = Rect;
    platform::OffsetRect(shifted, 1, 1);
    draw(platform::clBtnHighlight, shifted);
    draw(platform::clBtnShadow, Rect);
    return;
  }
  const bool shadowIsHighlight =
      platform::GetSysColor(platform::COLOR_HIGHLIGHT) == platform::GetSysColor(platform::COLOR_BTNSHADOW);
  draw(shadowIsHighlight ? platform::clBtnHighlight : platform::clBtnShadow, Rect);
}

// ------------------------------------------------------ TWtxMenuActionLink

bool TWtxMenuActionLink::IsCaptionLinked() {
  return platform::TMenuActionLink::IsCaptionLinked() &&
         WideSameCaption(WideMenuItemCaption(Client()), WtxAction_GetCaption(CustomAction(Action())));
}

bool TWtxMenuActionLink::IsHintLinked() {
  auto* item = dynamic_cast<TWtxMenuItem*>(Client());
  const std::u16string hint = item ? item->GetHint() : WidenAnsi(Client()->Hint);
  return platform::TMenuActionLink::IsHintLinked() && hint == WtxAction_GetHint(CustomAction(Action()));
}

void TWtxMenuActionLink::SetCaption(const std::string& Value) {
  if (!IsCaptionLinked()) return;
  const std::u16string caption = WtxAction_TargetCaption(CustomAction(Action()), Value);
  if (auto* item = dynamic_cast<TWtxMenuItem*>(Client())) {
    item->SetCaption(caption);
  } else {
    Client()->SetCaption(AnsiImage(caption));
  }
}

void TWtxMenuActionLink::SetHint(const std::string& Value) {
  if (!IsHintLinked()) return;
  const std::u16string hint = WtxAction_TargetHint(CustomAction(Action()), Value);
  if (auto* item = dynamic_cast<TWtxMenuItem*>(Client())) {
    item->SetHint(hint);
  } else {
    Client()->Hint = AnsiImage(hint);
  }
}

const platform::TActionLinkClass TWtxMenuActionLinkClass{
    "TWtxMenuActionLink", &platform::TMenuActionLinkClass,
    [](platform::TObject* Client) -> std::unique_ptr<platform::TActionLink> {
      return std::make_unique<TWtxMenuActionLink>(Client);
    }};

}  // namespace widetext
