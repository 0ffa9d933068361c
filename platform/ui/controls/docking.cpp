#include "platform/ui/controls/docking.h"

#include <algorithm>

namespace platform {

// ---------------------------------------------------------------- clients

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
  if (!NewDockSite || NewDockSite == this) return false;
  TDragDockObject dock(this);
  dock.DropOnControl = DropControl;
  dock.DropAlign = ControlSide;
  const TPoint origin = NewDockSite->ClientToScreen(TPoint{0, 0});
  dock.DockRect = Bounds(origin.X, origin.Y, FWidth, FHeight);
  return NewDockSite->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(&dock), 0) != 0;
}

void TControl::Dock(TWinControl* NewDockSite, const TRect& ARect) {
  if (hostDockSite_) hostDockSite_->DoRemoveDockClient(this);
  hostDockSite_ = NewDockSite;
  if (!NewDockSite) return;
  NewDockSite->dockClients_.push_back(this);
  NewDockSite->DoAddDockClient(this, ARect);
}

void TControl::SendDockNotification(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!hostDockSite_) return;
  TDockNotifyRec rec{Msg, WParam, LParam};
  hostDockSite_->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&rec));
}

// ------------------------------------------------------------------ sites

void TWinControl::SetDockSite(bool Value) {
  if (Value == dockSite_) return;
  dockSite_ = Value;
  UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool Value) {
  if (Value == useDockManager_) return;
  useDockManager_ = Value;
  UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
  if (!dockSite_ || !useDockManager_) {
    dockManager_.reset();
    return;
  }
  if (dockManager_) return;
  std::unique_ptr<TDockManager> manager = CreateDockManager();
  for (TControl* client : dockClients_) manager->InsertControl(client, alNone, nullptr);
  dockManager_ = std::move(manager);
}

std::unique_ptr<TDockManager> TWinControl::CreateDockManager() { return std::make_unique<TDockTree>(this); }

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
  Client->SetParent(this);
  if (ARect.Width() <= 0 || ARect.Height() <= 0) return;
  const TPoint at = ScreenToClient(TPoint{ARect.left, ARect.top});
  Client->SetBounds(at.X, at.Y, ARect.Width(), ARect.Height());
}

void TWinControl::DoRemoveDockClient(TControl* Client) {
  std::erase(dockClients_, Client);
  if (dockManager_) dockManager_->RemoveControl(Client);
}

void TWinControl::CMDockClient(TMessage& Message) {
  auto* dock = reinterpret_cast<TDragDockObject*>(Message.WParam);
  if (!dock || !dock->Control()) return;
  TControl* client = dock->Control();
  client->Dock(this, dock->DockRect);
  if (dockManager_) dockManager_->InsertControl(client, dock->DropAlign, dock->DropOnControl);
  Message.Result = 1;
}

void TWinControl::ReleaseDockClients() {
  dockManager_.reset();
  for (TControl* client : dockClients_) client->hostDockSite_ = nullptr;
  dockClients_.clear();
}

// -------------------------------------------------------------- dock tree

void TDockTree::InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl) {
  if (std::find(clients_.begin(), clients_.end(), Control) != clients_.end()) return;
  auto at = std::find(clients_.begin(), clients_.end(), DropCtl);
  if (at != clients_.end() && InsertAt != alLeft && InsertAt != alTop) ++at;
  clients_.insert(at, Control);
  ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control) {
  if (std::erase(clients_, Control) > 0) ResetBounds(true);
}

void TDockTree::ResetBounds(bool) {
  std::vector<TControl*> shown;
  for (TControl* c : clients_) {
    if (c->Visible() && c->Parent() == site_) shown.push_back(c);
  }
  if (shown.empty()) return;
  const TRect area = site_->ClientRect();
  const int n = static_cast<int>(shown.size());
  for (int i = 0; i < n; ++i) {
    const int left = area.left + area.Width() * i / n;
    const int right = area.left + area.Width() * (i + 1) / n;
    shown[static_cast<std::size_t>(i)]->SetBounds(left, area.top, right - left, area.Height());
  }
}

}  // namespace platform
