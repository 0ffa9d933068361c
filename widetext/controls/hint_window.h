#pragma once
// Wide hints. When a wide control is about to show its hint (CM_HINTSHOW)
// on a platform with Unicode support, the hint record is marked as wide and
// the hint window becomes a TWtxCustomHintWindow, which shows the control's
// wide short hint in a Unicode window (with its action's shortcut when the
// application shows shortcuts in hints); a record that is not marked is
// shown as the class library shows it.

#include <string>

#include "platform/ui/controls/forms.h"

namespace widetext {

// For a CM_HINTSHOW message (lParam: the THintInfo).
void PrepareWideHintShow(platform::TMessage& Message);

class TWtxCustomHintWindow : public platform::THintWindow {
 public:
  explicit TWtxCustomHintWindow(platform::TComponent* AOwner);
  void ActivateHintData(platform::TRect Rect, const std::string& AHint, void* AData) override;
  platform::TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
  void WndProc(platform::TMessage& Message) override;

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override;
  void Paint() override;

 private:
  bool activatingHint_ = false;
  bool blockPaint_ = false;
};

extern const platform::THintWindowClassInfo TWtxCustomHintWindowClass;

}  // namespace widetext
