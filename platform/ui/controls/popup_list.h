#pragma once
// The popup list: every popup menu of the program, and the window their
// loops report to. A popup menu runs with that window as its owner, so the
// window hears its WM_INITMENUPOPUP, WM_MENUSELECT and the WM_COMMAND of
// the item chosen, and hands each to the popup menu it concerns.

#include <vector>

#include "platform/ui/controls/controls.h"

namespace platform {

class TPopupMenu;

class TPopupList : public TObject {
 public:
  TPopupList() = default;
  ~TPopupList() override;
  TPopupList(const TPopupList&) = delete;
  TPopupList& operator=(const TPopupList&) = delete;

  // The list's window, made on first use (on the user-interface thread).
  HWND Window();
  int Count() const { return static_cast<int>(menus_.size()); }
  TPopupMenu* Items(int Index) const { return menus_.at(static_cast<std::size_t>(Index)); }
  void Add(TPopupMenu* Menu);
  void Remove(TPopupMenu* Menu);

 protected:
  // A list that takes over Previous's window and menus, and gives them
  // back when it is freed.
  explicit TPopupList(TPopupList* Previous);
  // WM_COMMAND clicks the chosen item, WM_INITMENUPOPUP brings a sub-menu
  // up to date, WM_MENUSELECT sets the application's hint from the item
  // under the selection (empty for none); the rest goes to the default
  // window procedure.
  virtual void WndProc(TMessage& Message);

 private:
  static LRESULT ListWndProc(void* Self, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
  WNDPROC Proc();

  HWND window_ = nullptr;
  std::vector<TPopupMenu*> menus_;
  TPopupList* previous_ = nullptr;
};

// The class library's popup list, made when first needed. A list that takes
// over puts itself here.
extern TPopupList* PopupList;
// Makes the popup list when there is none yet.
TPopupList* EnsurePopupList();

}  // namespace platform
