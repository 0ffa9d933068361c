#pragma once
// The wide layer's popup list. Made when the layer starts, it takes over
// the class library's popup list with its window and menus; while it
// stands, the application's wide hint follows the item under the selection
// of a popup menu, and a right-to-left system's popup menus are fixed up
// as their loop begins.

#include "platform/ui/controls/popup_list.h"

namespace widetext {

class TWtxPopupList : public platform::TPopupList {
 public:
  // Over the class library's popup list, which gets its window and menus
  // back when this one is freed.
  TWtxPopupList();

 protected:
  // WM_MENUSELECT: the application's wide hint becomes the long part of
  // the wide hint of the item found in the list's menus (by command, or by
  // sub-menu for a sub-menu's item); with none found it is emptied and the
  // class library's handling follows. WM_ENTERMENULOOP: this list becomes
  // the class library's popup list and its menus are fixed up for
  // right-to-left systems.
  void WndProc(platform::TMessage& Message) override;
};

// The list made at start-up (WtxStartPopupList), or null.
TWtxPopupList* WtxPopupList();
void WtxStartPopupList();
// Frees it at shut-down.
void WtxFinishPopupList();

}  // namespace widetext
