#include "platform/ui/controls/popup_list.h"

#include <algorithm>
#include <utility>

#include "platform/core/os/os_error.h"
#include "platform/core/window_system/menu_tracking.h"
#include "platform/ui/controls/forms.h"
#include "platform/ui/controls/menus.h"

namespace platform {
namespace {

constexpr char kUtilWindowClass[] = "TPUtilWindow";

// A hidden window whose messages go to an object.
HWND AllocateUtilWindow() {
  if (!GetClassInfoA(kUtilWindowClass, nullptr)) {
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&DefWindowProcA>(false);
    wc.lpszClassName = u"TPUtilWindow";
    if (!RegisterClassA(wc)) RaiseLastOSError();
  }
  HWND window =
      CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0, nullptr, nullptr);
  if (!window) RaiseLastOSError();
  return window;
}

}  // namespace

TPopupList* PopupList = nullptr;

TPopupList* EnsurePopupList() {
  if (!PopupList) PopupList = new TPopupList;
  return PopupList;
}

TPopupList::TPopupList(TPopupList* Previous) : previous_(Previous) {
  if (!Previous) return;
  window_ = std::exchange(Previous->window_, nullptr);
  menus_ = std::move(Previous->menus_);
  Previous->menus_.clear();
  if (window_) SetWindowProcA(window_, Proc());
  if (PopupList == Previous) PopupList = this;
}

TPopupList::~TPopupList() {
  if (previous_) {
    previous_->window_ = std::exchange(window_, nullptr);
    previous_->menus_ = std::move(menus_);
    if (previous_->window_) SetWindowProcA(previous_->window_, previous_->Proc());
    if (PopupList == this) PopupList = previous_;
    return;
  }
  if (window_) DestroyWindow(window_);
  if (PopupList == this) PopupList = nullptr;
}

HWND TPopupList::Window() {
  if (!window_) {
    window_ = AllocateUtilWindow();
    SetWindowProcA(window_, Proc());
  }
  return window_;
}

WNDPROC TPopupList::Proc() { return WNDPROC{&TPopupList::ListWndProc, this, false}; }

LRESULT TPopupList::ListWndProc(void* Self, HWND, UINT Msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{Msg, wParam, lParam, 0};
  static_cast<TPopupList*>(Self)->WndProc(message);
  return message.Result;
}

void TPopupList::Add(TPopupMenu* Menu) {
  if (std::find(menus_.begin(), menus_.end(), Menu) == menus_.end()) menus_.push_back(Menu);
}

void TPopupList::Remove(TPopupMenu* Menu) { std::erase(menus_, Menu); }

void TPopupList::WndProc(TMessage& Message) {
  // A menu's handler may free popup menus; the list is walked as it was.
  const std::vector<TPopupMenu*> menus = menus_;
  const auto stillListed = [this](TPopupMenu* Menu) {
    return std::find(menus_.begin(), menus_.end(), Menu) != menus_.end();
  };
  switch (Message.Msg) {
    case WM_COMMAND:
      for (TPopupMenu* menu : menus) {
        if (stillListed(menu) && menu->DispatchCommand(LOWORD(Message.WParam))) return;
      }
      break;
    case WM_INITMENUPOPUP:
      for (TPopupMenu* menu : menus) {
        if (stillListed(menu) && menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) return;
      }
      break;
    case WM_MENUSELECT: {
      const WORD flags = HIWORD(Message.WParam);
      const auto menuHandle = reinterpret_cast<HMENU>(Message.LParam);
      TMenuItem* item = nullptr;
      if (flags != 0xFFFF || menuHandle) {
        for (TPopupMenu* menu : menus) {
          item = flags & MF_POPUP
                     ? menu->FindItem(reinterpret_cast<std::uintptr_t>(GetSubMenu(menuHandle, LOWORD(Message.WParam))),
                                      fkHandle)
                     : menu->FindItem(LOWORD(Message.WParam), fkCommand);
          if (item) break;
        }
      }
      if (Application) Application->SetHint(item ? GetLongHint(item->Hint) : std::string());
      return;
    }
    default:
      break;
  }
  Message.Result = DefWindowProcA(window_, Message.Msg, Message.WParam, Message.LParam);
}

// -------------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { EnsurePopupList()->Add(this); }

TPopupMenu::~TPopupMenu() {
  if (PopupList) PopupList->Remove(this);
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  if (Items()->Count() == 0) return;
  TPopupList* list = EnsurePopupList();
  list->Add(this);
  const UINT flags = IsRightToLeft() ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN;
  TrackPopupMenu(Handle(), flags, X, Y, list->Window());
}

}  // namespace platform
