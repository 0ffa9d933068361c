// A form's main menu: its window shows the menu as its menu bar, and the
// form handles what the menu's loop tells the window.

#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"

namespace platform {

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == menu_) return;
  if (menu_) {
    menu_->form_ = nullptr;
    menu_->SetWindowHandle(nullptr);
    if (HandleAllocated()) platform::SetMenu(WindowHandle(), nullptr);
  }
  if (Value && Value->form_) Value->form_->SetMenu(nullptr);
  menu_ = Value;
  if (menu_) menu_->form_ = this;
  if (HandleAllocated()) AttachMenu();
}

void TCustomForm::AttachMenu() {
  if (!menu_) return;
  menu_->SetWindowHandle(WindowHandle());
  platform::SetMenu(WindowHandle(), menu_->Handle());
}

bool TCustomForm::MenuMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CREATE:
      AttachMenu();
      return false;
    case WM_DESTROY:
      if (menu_) menu_->SetWindowHandle(nullptr);
      return false;
    case WM_COMMAND:
      // A menu's command comes without a control.
      return Message.LParam == 0 && HIWORD(Message.WParam) == 0 && menu_ &&
             menu_->DispatchCommand(LOWORD(Message.WParam));
    case WM_INITMENUPOPUP:
      return menu_ && menu_->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
    case WM_MENUSELECT: {
      if (!menu_) return false;
      const WORD flags = HIWORD(Message.WParam);
      const auto menuHandle = reinterpret_cast<HMENU>(Message.LParam);
      TMenuItem* item = nullptr;
      if (flags != 0xFFFF || menuHandle) {
        item = flags & MF_POPUP
                   ? menu_->FindItem(reinterpret_cast<std::uintptr_t>(GetSubMenu(menuHandle, LOWORD(Message.WParam))),
                                     fkHandle)
                   : menu_->FindItem(LOWORD(Message.WParam), fkCommand);
      }
      if (Application) Application->SetHint(item ? GetLongHint(item->Hint) : std::string());
      return true;
    }
    case CM_BIDIMODECHANGED:
      for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* menu = dynamic_cast<TMenu*>(Components(i))) menu->ParentBiDiModeChanged(this);
      }
      if (menu_ && menu_->Owner() != this) menu_->ParentBiDiModeChanged(this);
      return false;
    default:
      return false;
  }
}

}  // namespace platform
