#include "widetext/controls/form_menus.h"

#include "platform/ui/controls/menus.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/wide_application.h"
#include "widetext/menus/wide_menus.h"

namespace widetext {
namespace {

// The item of a WM_MENUSELECT: by command, or for an item with a sub-menu
// (MF_POPUP) by that sub-menu; none when the menu closed.
platform::TMenuItem* SelectedItem(platform::TMenu& Menu, const platform::TMessage& Message) {
  const platform::WORD flags = platform::HIWORD(Message.WParam);
  const auto menu = reinterpret_cast<platform::HMENU>(Message.LParam);
  if (flags == 0xFFFF && !menu) return nullptr;
  if (flags & platform::MF_POPUP) {
    const platform::HMENU sub = platform::GetSubMenu(menu, platform::LOWORD(Message.WParam));
    return Menu.FindItem(reinterpret_cast<std::uintptr_t>(sub), platform::fkHandle);
  }
  return Menu.FindItem(platform::LOWORD(Message.WParam), platform::fkCommand);
}

}  // namespace

void WideFormMenuMessage(platform::TCustomForm& Form, const platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_MENUSELECT: {
      platform::TMainMenu* menu = Form.Menu();
      TWtxApplication* application = WtxApplication();
      if (!menu || !application) return;
      platform::TMenuItem* item = SelectedItem(*menu, Message);
      application->SetHint(item ? WideGetLongHint(WideMenuItemHint(item)) : std::u16string());
      return;
    }
    case platform::CM_BIDIMODECHANGED:
    case platform::WM_WINDOWPOSCHANGING: {
      bool mainMenuSeen = false;
      for (int i = 0; i < Form.ComponentCount(); ++i) {
        if (auto* menu = dynamic_cast<platform::TMenu*>(Form.Components(i))) {
          mainMenuSeen = mainMenuSeen || menu == Form.Menu();
          FixMenuRightToLeft(menu);
        }
      }
      if (!mainMenuSeen) FixMenuRightToLeft(Form.Menu());
      return;
    }
    default:
      return;
  }
}

}  // namespace widetext
