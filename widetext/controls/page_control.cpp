#include "widetext/controls/page_control.h"

#include "widetext/controls/ansi_image.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_form.h"
#include "widetext/exceptions.h"

namespace widetext {

void CreateUnicodeHandle_ComCtl(platform::TWinControl* Control, const platform::TCreateParams& Params,
                                std::u16string_view SubClass) {
  if (SubClass.empty()) {
    throw EWtxInternalError("WTX Internal Error: Only call CreateUnicodeHandle_ComCtl for Common Controls.");
  }
  CreateUnicodeHandle(Control, Params, SubClass);
  platform::SendMessageW(Control->WindowHandle(), platform::CCM_SETUNICODEFORMAT, 1, 0);
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
  switch (Message.Msg) {
    case platform::TCM_SETITEMA:
      SetItemText(Message);
      return;
    case platform::TCM_INSERTITEMA:
      reinterpret_cast<platform::TCITEMA*>(Message.LParam)->mask &= ~platform::TCIF_TEXT;
      break;
    case platform::CM_DIALOGCHAR:
      if (SelectByAccelerator(Message.WParam)) {
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWideControl::WndProc(Message);
}

}  // namespace widetext
