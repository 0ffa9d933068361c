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

class TWtxPageControl : public TWideControl<platform::TPageControl> {
 public:
  using TWideControl::TWideControl;
  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;

 private:
  platform::TTabSheet* PageOfTab(int TabIndex) const;
  void SetItemText(platform::TMessage& Message);
  bool SelectByAccelerator(platform::WPARAM CharCode);
};

// For a platform common control being extended (SubClass, not empty):
// its Unicode window, told to send Unicode notifications.
void CreateUnicodeHandle_ComCtl(platform::TWinControl* Control, const platform::TCreateParams& Params,
                                std::u16string_view SubClass);

// A page's wide caption: the wide one of a wide sheet, else the 8-bit one
// widened.
std::u16string WidePageCaption(platform::TTabSheet* Page);

}  // namespace widetext
