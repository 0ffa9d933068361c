#include "widetext/menus/popup_list.h"

#include "platform/ui/controls/menus.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/wide_application.h"
#include "widetext/menus/wide_menus.h"

namespace widetext {
namespace {

// Freed by WtxFinishPopupList only: its window belongs to the
// user-interface thread, which may be gone when the process ends.
TWtxPopupList*& Instance() {
  static TWtxPopupList* instance = nullptr;
  return instance;
}

void SetWideHint(std::u16string_view Hint) {
  if (TWtxApplication* application = WtxApplication()) application->SetHint(Hint);
}

}  // namespace

TWtxPopupList::TWtxPopupList() : platform::TPopupList(platform::EnsurePopupList()) {}

void TWtxPopupList::WndProc(platform::TMessage& Message) {
  switch (Message.Msg) {
    case platform::WM_MENUSELECT: {
      const platform::WORD flags = platform::HIWORD(Message.WParam);
      const auto menu = reinterpret_cast<platform::HMENU>(Message.LParam);
      if (menu) {
        for (int i = 0; i < Count(); ++i) {
          platform::TMenuItem* item =
              flags & platform::MF_POPUP
                  ? Items(i)->FindItem(
                        reinterpret_cast<std::uintptr_t>(platform::GetSubMenu(menu, platform::LOWORD(Message.WParam))),
                        platform::fkHandle)
                  : Items(i)->FindItem(platform::LOWORD(Message.WParam), platform::fkCommand);
          if (item) {
            SetWideHint(WideGetLongHint(WideMenuItemHint(item)));
            return;
          }
        }
      }
      SetWideHint(u"");
      break;
    }
    case platform::WM_ENTERMENULOOP:
      platform::PopupList = this;
      for (int i = 0; i < Count(); ++i) FixMenuRightToLeft(Items(i));
      break;
    default:
      break;
  }
  platform::TPopupList::WndProc(Message);
}

TWtxPopupList* WtxPopupList() { return Instance(); }

void WtxStartPopupList() {
  if (!Instance()) Instance() = new TWtxPopupList;
}

void WtxFinishPopupList() {
  delete Instance();
  Instance() = nullptr;
}

}  // namespace widetext
