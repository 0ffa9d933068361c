#pragma once
// Wide pages: tab sheets with wide captions and hints, and the page control
// whose tab control (a Unicode "SysTabControl32") shows each sheet's wide
// caption on its tab.

#include <string>
#include <string_view>

#include "platform/ui/controls/comctrls.h"
#include "widetext/controls/wide_control.h"

namespace widetext {

// An 8-bit caption given to a sheet while it has no window stands over an
// older wide one by the consistency rule, so its next window shows it.
class TWtxTabSheet : public TWideControl<platform::TTabSheet> {
 public:
  using TWideControl::TWideControl;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
};

// On a platform with Unicode support the tab texts are never written in 8
// bits: a sheet's tab gets its wide caption through the Unicode form of
// the message, read right to left when the control reads so. A docked
// client gets a wide sheet of its own, captioned with a form's wide
// caption and later with the client's new texts.
class TWtxPageControl : public TWideControl<platform::TPageControl> {
 public:
  using TWideControl::TWideControl;
  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void DoAddDockClient(platform::TControl* Client, const platform::TRect& ARect) override;

 private:
  platform::TTabSheet* PageOfTab(int TabIndex) const;
  void SetItemText(platform::TMessage& Message);
  bool SelectByAccelerator(platform::WPARAM CharCode);
  void DockClient(platform::TMessage& Message);
  bool DockNotification(platform::TMessage& Message);
  // The page being made for a docked client.
  TWtxTabSheet* newDockSheet_ = nullptr;
};

// For a platform common control being extended (SubClass, not empty):
// its Unicode window, told to send Unicode notifications.
void CreateUnicodeHandle_ComCtl(platform::TWinControl* Control, const platform::TCreateParams& Params,
                                std::u16string_view SubClass);

// A page's wide caption: the wide one of a wide sheet, else the 8-bit one
// widened.
std::u16string WidePageCaption(platform::TTabSheet* Page);

}  // namespace widetext
