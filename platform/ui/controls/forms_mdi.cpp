// The class library's multiple-document forms: the MDI frame with its
// client window, and MDI child forms made inside that client.

#include <algorithm>

#include "platform/core/os/os_error.h"
#include "platform/core/window_system/mdi.h"
#include "platform/ui/controls/forms.h"

namespace platform {
namespace {

HWND MainFormClient(const TCustomForm* Form) {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  return main && main != Form ? main->ClientHandle() : nullptr;
}

}  // namespace

HWND TCustomForm::ClientHandle() const { return clientHandle_ && IsWindow(clientHandle_) ? clientHandle_ : nullptr; }

TCustomForm* TCustomForm::ActiveMDIChild() const {
  const HWND client = ClientHandle();
  if (!client) return nullptr;
  return dynamic_cast<TCustomForm*>(FindControl(reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0))));
}

void TCustomForm::Cascade() {
  if (const HWND client = ClientHandle()) SendMessageW(client, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (const HWND client = ClientHandle()) {
    SendMessageW(client, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
  }
}

// Without an MDI main form the window stays a top-level one, and making
// it fails (CreateWindowHandle).
void TCustomForm::MdiChildParams(TCreateParams& Params) const {
  const HWND client = MainFormClient(this);
  if (!client) return;
  Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
  Params.ExStyle = (Params.ExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) | WS_EX_MDICHILD;
  Params.WndParent = client;
  if (Position == poDefault) Params.X = Params.Y = CW_USEDEFAULT;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (formStyle_ != fsMDIForm || ClientHandle()) return;
  CLIENTCREATESTRUCT ccs;
  ccs.idFirstChild = 0xFF00;
  clientHandle_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, u"MDICLIENT", u"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                      0, 0, 0, WindowHandle(), 0, nullptr, &ccs);
  if (!clientHandle_) throw EOutOfResources("Error creating window");
  Realign();
}

void TCustomForm::CreateWindowHandle(const TCreateParams& Params) {
  if (formStyle_ == fsMDIChild && !Parent()) {
    const HWND client = MainFormClient(this);
    if (!client) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    DefWndProc = MakeWndProc<&DefMDIChildProcA>(false);
    const HWND h =
        CreateMDIWindowA(Params.WinClassName, Params.Caption, Params.Style, Params.X, Params.Y, Params.Width,
                         Params.Height, client, Params.WindowClass.hInstance, reinterpret_cast<LPARAM>(Params.Param));
    if (!h) RaiseLastOSError();
    SetWindowHandle(h);
    FormState |= fsCreatedMDIChild;
    return;
  }
  TWinControl::CreateWindowHandle(Params);
  FormState &= ~static_cast<unsigned>(fsCreatedMDIChild);
  ApplyLayeredAttributes();
}

void TCustomForm::DestroyWindowHandle() {
  if (FormState & fsCreatedMDIChild) {
    FormState &= ~static_cast<unsigned>(fsCreatedMDIChild);
    const HWND h = WindowHandle();
    const HWND client = h ? GetParent(h) : nullptr;
    if (IsMdiClient(client)) SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
  }
  TWinControl::DestroyWindowHandle();
  clientHandle_ = nullptr;
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  const HWND client = ClientHandle();
  if (!client || !HandleAllocated() || Message.Msg == WM_SIZE) {
    TWinControl::DefaultHandler(Message);
    return;
  }
  Message.Result = DefFrameProcA(WindowHandle(), client, Message.Msg, Message.WParam, Message.LParam);
}

void TCustomForm::AlignControls(TControl* AControl) {
  TWinControl::AlignControls(AControl);
  const HWND client = ClientHandle();
  if (!client) return;
  TRect area = ClientRect();
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible()) continue;
    switch (c->Align()) {
      case alTop:
        area.top = std::max(area.top, c->Top() + c->Height());
        break;
      case alBottom:
        area.bottom = std::min(area.bottom, c->Top());
        break;
      case alLeft:
        area.left = std::max(area.left, c->Left() + c->Width());
        break;
      case alRight:
        area.right = std::min(area.right, c->Left());
        break;
      default:
        break;
    }
  }
  MoveWindow(client, area.left, area.top, std::max(area.Width(), 0), std::max(area.Height(), 0), true);
}

}  // namespace platform
