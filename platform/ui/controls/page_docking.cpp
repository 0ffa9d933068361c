// The page control as a dock site: each docked client on a page of its own.

#include "platform/core/text/cp1252.h"
#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"

namespace platform {
namespace {

// Clears the reference to the page being made, also when docking fails.
class NewSheetScope {
 public:
  NewSheetScope(TTabSheet*& Reference, TTabSheet* Sheet) : reference_(Reference) { reference_ = Sheet; }
  ~NewSheetScope() { reference_ = nullptr; }
  NewSheetScope(const NewSheetScope&) = delete;
  NewSheetScope& operator=(const NewSheetScope&) = delete;

 private:
  TTabSheet*& reference_;
};

// The text a WM_SETTEXT carried, as the client's window received it, up to
// its first line break.
std::string FirstLine(TControl* Client, LPARAM Text) {
  std::string text;
  if (Text != 0) {
    auto* windowed = dynamic_cast<TWinControl*>(Client);
    if (windowed && windowed->HandleAllocated() && IsWindowUnicode(windowed->WindowHandle())) {
      text = Utf16ToCp1252(reinterpret_cast<const char16_t*>(Text));
    } else {
      text = reinterpret_cast<const char*>(Text);
    }
  }
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

TTabSheet* TPageControl::GetPageFromDockClient(TControl* Client) const {
  for (TTabSheet* page : pages_) {
    if (Client && Client->HostDockSite() == this && page->ContainsControl(Client)) return page;
  }
  return nullptr;
}

void TPageControl::DoAddDockClient(TControl* Client, const TRect& ARect) {
  if (newDockSheet_) {
    Client->SetParent(newDockSheet_);
    return;
  }
  TWinControl::DoAddDockClient(Client, ARect);
}

void TPageControl::CMDockClient(TMessage& Message) {
  auto* dock = reinterpret_cast<TDragDockObject*>(Message.WParam);
  if (!dock || !dock->Control()) return;
  TControl* client = dock->Control();
  auto* sheet = new TTabSheet(this);
  {
    const NewSheetScope making(newDockSheet_, sheet);
    if (auto* form = dynamic_cast<TCustomForm*>(client)) sheet->SetCaption(form->Caption());
    sheet->SetPageControl(this);
    client->Dock(this, dock->DockRect);
    sheet->SetTabVisible(client->Visible());
    if (client->Visible()) SetActivePage(sheet);
    client->SetAlign(alClient);
  }
  Message.Result = 1;
}

void TPageControl::CMDockNotification(TMessage& Message) {
  auto* client = reinterpret_cast<TControl*>(Message.WParam);
  const auto* notify = reinterpret_cast<const TDockNotifyRec*>(Message.LParam);
  TTabSheet* page = GetPageFromDockClient(client);
  if (page && notify && notify->ClientMsg == WM_SETTEXT) page->SetCaption(FirstLine(client, notify->MsgLParam));
}

}  // namespace platform
