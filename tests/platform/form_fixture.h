#pragma once
// A test with a form of its own: made (not shown) before each test and
// freed after it, with the messages its freeing posted handled.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/controls/forms.h"

namespace fixture {

class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Form = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
    Form->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override {
    platform::Free(Form);
    platform::Application->ProcessMessages();
  }
  platform::TForm* Form = nullptr;
};

// A control that logs the mouse entering ("enter") and leaving ("leave")
// it.
template <class Base>
class MouseLogging : public Base {
 public:
  using Base::Base;
  std::vector<std::string> Log;
  void WndProc(platform::TMessage& M) override {
    if (M.Msg == platform::CM_MOUSEENTER) Log.push_back("enter");
    if (M.Msg == platform::CM_MOUSELEAVE) Log.push_back("leave");
    Base::WndProc(M);
  }
};

}  // namespace fixture
