#pragma once
// Docking. A windowed control that is a dock site takes other controls
// (forms among them) as its docked clients. ManualDock sends the site
// CM_DOCKCLIENT with the drag-dock object (wParam); the site's default
// handling docks the client (Dock: DoAddDockClient makes the site, or a
// part of it, the client's parent) and, when the site uses a dock manager,
// lets the manager place it. A docked client tells its site of a change
// the site may show, so far a new text (WM_SETTEXT as the client's window
// received it), with CM_DOCKNOTIFICATION: wParam the client, lParam a
// TDockNotifyRec.

#include <vector>

#include "platform/ui/controls/controls.h"

namespace platform {

struct TDockNotifyRec {
  UINT ClientMsg = 0;
  WPARAM MsgWParam = 0;
  LPARAM MsgLParam = 0;
};

class TDragDockObject : public TObject {
 public:
  explicit TDragDockObject(TControl* AControl) : control_(AControl) {}
  TControl* Control() const { return control_; }
  // Where the client goes, in screen coordinates.
  TRect DockRect;
  TAlign DropAlign = alNone;
  TControl* DropOnControl = nullptr;

 private:
  TControl* control_;
};

// What lays out the clients of a dock site that uses one.
class TDockManager {
 public:
  virtual ~TDockManager() = default;
  virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) = 0;
  virtual void RemoveControl(TControl* Control) = 0;
  // Places the clients in the site's client area again.
  virtual void ResetBounds(bool Force) = 0;
};

// The class library's dock manager: the clients side by side, in the order
// they came (a client dropped on another's left or top goes before it),
// sharing the site's client area. The site has it place the clients again
// when its size changes (WM_SIZE). It hooks nothing on the site: a hook in
// the site's WindowProc chain could not leave it while a later one stood in
// front, and would be called after the manager went.
class TDockTree : public TDockManager {
 public:
  explicit TDockTree(TWinControl* DockSite) : site_(DockSite) {}
  void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) override;
  void RemoveControl(TControl* Control) override;
  void ResetBounds(bool Force) override;
  const std::vector<TControl*>& Clients() const { return clients_; }

 private:
  TWinControl* site_;
  std::vector<TControl*> clients_;
};

}  // namespace platform
