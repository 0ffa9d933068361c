#include "widetext/controls/wide_form.h"

#include "widetext/codepage.h"
#include "widetext/controls/form_menus.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_application.h"
#include "widetext/menus/hotkeys.h"
#include "widetext/wide_strings.h"

namespace widetext {
namespace {

const bool g_emptyLayout = [] {
  platform::RegisterFormLayout("TWtxForm", [](platform::TCustomForm&) {});
  return true;
}();

}  // namespace

TWtxForm::TWtxForm(platform::TComponent* AOwner) : TWideControl(AOwner) {}

TWtxForm::TWtxForm(platform::TComponent* AOwner, TCreateNew) : TWideControl(AOwner, CreateNew) {}

void TWtxForm::UpdateActions() {
  TWideControl::UpdateActions();
  if (TWtxApplication* application = WtxApplication()) application->UpdateHint();
}

void TWtxForm::WndProc(platform::TMessage& Message) {
  TWideControl::WndProc(Message);
  WideFormMenuMessage(*this, Message);
}

void TWtxForm::CreateWindowHandle(const platform::TCreateParams& Params) {
  platform::TCreateParams params = Params;
  params.ExStyle &= ~platform::WS_EX_LAYERED;
  CreateUnicodeHandle(this, params, u"");
}

bool IsWideCharAccel(platform::WPARAM CharCode, std::u16string_view Caption) {
  const std::u16string hotkey = WideGetHotkey(Caption);
  if (hotkey.empty()) return false;
  const char16_t key = KeyUnicode(static_cast<char16_t>(CharCode & 0xFFFF));
  return WideCompareText(std::u16string_view(&key, 1), hotkey) == 0;
}

}  // namespace widetext
