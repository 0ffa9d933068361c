#pragma once
// Small wide controls the core tests stand on: one without a window, one
// painting its own Unicode window, and an edit on the platform's EDIT
// class; each counts what its class library side sees.

#include <string>
#include <vector>

#include "platform/ui/controls/stdctrls.h"
#include "widetext/controls/unicode_windows.h"
#include "widetext/controls/wide_control.h"

namespace widetext::testing {

class TWideGraphic : public TWideControl<platform::TGraphicControl> {
 public:
  using TWideControl::TWideControl;
  int TextChanges = 0;
  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::CM_TEXTCHANGED) ++TextChanges;
    TWideControl::WndProc(Message);
  }
};

class TWideWindow : public TWideControl<platform::TCustomControl> {
 public:
  using TWideControl::TWideControl;
  int TextChanges = 0;
  void WndProc(platform::TMessage& Message) override {
    if (Message.Msg == platform::CM_TEXTCHANGED) ++TextChanges;
    TWideControl::WndProc(Message);
  }

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override { CreateUnicodeHandle(this, Params, u""); }
};

// Records the characters its 8-bit key handling sees, and may replace them.
class TWideEdit : public TWideControl<platform::TCustomEdit> {
 public:
  using TWideControl::TWideControl;
  std::vector<char> Pressed;
  std::vector<platform::UINT> Messages;
  int Replacement = -1;
  void WndProc(platform::TMessage& Message) override {
    Messages.push_back(Message.Msg);
    TWideControl::WndProc(Message);
  }

 protected:
  void CreateWindowHandle(const platform::TCreateParams& Params) override {
    CreateUnicodeHandle(this, Params, u"EDIT");
  }
  void KeyPress(char& Key) override {
    Pressed.push_back(Key);
    if (Replacement >= 0) Key = static_cast<char>(Replacement);
    TWideControl::KeyPress(Key);
  }
};

}  // namespace widetext::testing
