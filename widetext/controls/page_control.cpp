#include "widetext/controls/page_control.h"

#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"
#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_form.h"
#include "widetext/exceptions.h"
#include "widetext/platform_flags.h"

namespace widetext {

void CreateUnicodeHandle_ComCtl(platform::TWinControl* Control, const platform::TCreateParams& Params,
                                std::u16string_view SubClass) {
  if (SubClass.empty()) {
    throw EWtxInternalError("WTX Internal Error: Only call CreateUnicodeHandle_ComCtl for Common Controls.");
  }
  CreateUnicodeHandle(Control, Params, SubClass);
  if (Win32PlatformIsUnicode) platform::SendMessageW(Control->WindowHandle(), platform::CCM_SETUNICODEFORMAT, 1, 0);
}

std::u16string WidePageCaption(platform::TTabSheet* Page) {
  if (auto* wide = dynamic_cast<TWtxTabSheet*>(Page)) return wide->GetCaption();
  return WidenAnsi(Page->Caption());
}

// ------------------------------------------------------------- tab sheet

void TWtxTabSheet::CreateWindowHandle(const platform::TCreateParams& Params) { CreateUnicodeHandle(this, Params, u""); }

// ----------------------------------------------------------- page control

void TWtxPageControl::CreateWindowHandle(const platform::TCreateParams& Params) {
  CreateUnicodeHandle_ComCtl(this, Params, u"SysTabControl32");
}

platform::TTabSheet* TWtxPageControl::PageOfTab(int TabIndex) const {
  if (TabIndex < 0) return nullptr;
  for (int i = 0; i < PageCount(); ++i) {
    if (Pages(i)->TabIndex() == TabIndex) return Pages(i);
  }
  return nullptr;
}

// Tab texts are never written in 8 bits: a sheet's tab gets its wide
// caption through the Unicode form of the message.
void TWtxPageControl::SetItemText(platform::TMessage& Message) {
  auto* item = reinterpret_cast<platform::TCITEMA*>(Message.LParam);
  platform::TTabSheet* page = nullptr;
  if (item->mask & platform::TCIF_PARAM) {
    page = dynamic_cast<platform::TTabSheet*>(reinterpret_cast<platform::TObject*>(item->lParam));
  } else if (item->mask & platform::TCIF_TEXT) {
    page = PageOfTab(static_cast<int>(Message.WParam));
  }
  if (!page) {
    item->mask &= ~platform::TCIF_TEXT;
    TWideControl::WndProc(Message);
    return;
  }
  std::u16string caption = WidePageCaption(page);
  platform::TCITEMW wide;
  wide.mask = item->mask | platform::TCIF_TEXT;
  if (UseRightToLeftReading()) wide.mask |= platform::TCIF_RTLREADING;
  wide.dwState = item->dwState;
  wide.dwStateMask = item->dwStateMask;
  wide.pszText = caption.data();
  wide.cchTextMax = static_cast<int>(caption.size()) + 1;
  wide.iImage = item->iImage;
  wide.lParam = item->lParam;
  platform::TMessage w{platform::TCM_SETITEMW, Message.WParam, reinterpret_cast<platform::LPARAM>(&wide), 0};
  TWideControl::WndProc(w);
  Message.Result = w.Result;
}

bool TWtxPageControl::SelectByAccelerator(platform::WPARAM CharCode) {
  for (int i = 0; i < PageCount(); ++i) {
    platform::TTabSheet* page = Pages(i);
    if (!IsWideCharAccel(CharCode, WidePageCaption(page)) || !page->TabVisible() || !CanFocus()) continue;
    if (CanChange()) {
      platform::SendMessageW(Handle(), platform::TCM_SETCURSEL, static_cast<platform::WPARAM>(page->TabIndex()), 0);
      Change();
    }
    return true;
  }
  return false;
}

void TWtxPageControl::WndProc(platform::TMessage& Message) {
  // Without an item the tab control answers for itself.
  const bool item = Win32PlatformIsUnicode && Message.LParam != 0;
  if (item && Message.Msg == platform::TCM_SETITEMA) {
    SetItemText(Message);
    return;
  }
  if (item && Message.Msg == platform::TCM_INSERTITEMA) {
    reinterpret_cast<platform::TCITEMA*>(Message.LParam)->mask &= ~platform::TCIF_TEXT;
  }
  switch (Message.Msg) {
    case platform::CM_DIALOGCHAR:
      if (SelectByAccelerator(Message.WParam)) {
        Message.Result = 1;
        return;
      }
      break;
    case platform::CM_DOCKCLIENT:
      DockClient(Message);
      return;
    case platform::CM_DOCKNOTIFICATION:
      if (DockNotification(Message)) return;
      break;
    default:
      break;
  }
  TWideControl::WndProc(Message);
}

void TWtxPageControl::DoAddDockClient(platform::TControl* Client, const platform::TRect& ARect) {
  if (newDockSheet_) {
    Client->SetParent(newDockSheet_);
    return;
  }
  TWideControl::DoAddDockClient(Client, ARect);
}

void TWtxPageControl::DockClient(platform::TMessage& Message) {
  auto* dock = reinterpret_cast<platform::TDragDockObject*>(Message.WParam);
  if (!dock || !dock->Control()) return;
  platform::TControl* client = dock->Control();
  auto* sheet = new TWtxTabSheet(this);
  newDockSheet_ = sheet;
  try {
    if (dynamic_cast<platform::TCustomForm*>(client)) sheet->SetCaption(WideGetWindowText(client));
    sheet->SetPageControl(this);
    client->Dock(this, dock->DockRect);
    sheet->SetTabVisible(client->Visible());
    if (client->Visible()) SetActivePage(sheet);
    client->SetAlign(platform::alClient);
  } catch (...) {
    newDockSheet_ = nullptr;
    throw;
  }
  newDockSheet_ = nullptr;
  Message.Result = 1;
}

// A new text of a docked client up to its first line break, as wide as
// the client's window holds it.
bool TWtxPageControl::DockNotification(platform::TMessage& Message) {
  auto* client = reinterpret_cast<platform::TControl*>(Message.WParam);
  const auto* notify = reinterpret_cast<const platform::TDockNotifyRec*>(Message.LParam);
  if (!notify || notify->ClientMsg != platform::WM_SETTEXT) return false;
  auto* page = dynamic_cast<TWtxTabSheet*>(GetPageFromDockClient(client));
  if (!page) return false;
  std::u16string text;
  if (notify->MsgLParam != 0) {
    auto* windowed = dynamic_cast<platform::TWinControl*>(client);
    if (windowed && windowed->HandleAllocated() && platform::IsWindowUnicode(windowed->WindowHandle())) {
      text = reinterpret_cast<const char16_t*>(notify->MsgLParam);
    } else {
      text = WidenAnsi(reinterpret_cast<const char*>(notify->MsgLParam));
    }
  }
  page->SetCaption(std::u16string_view(text).substr(0, text.find_first_of(u"\r\n")));
  return true;
}

}  // namespace widetext
