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
    form_ = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
    form_->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override {
    platform::Free(form_);
    platform::Application->ProcessMessages();
  }
  platform::TForm* form_ = nullptr;
};

// A control that logs the mouse entering ("enter") and leaving ("leave")
// it.
template <class Base>
class MouseLogging : public Base {
 public:
  using Base::Base;
  std::vector<std::string> log;
  void WndProc(platform::TMessage& m) override {
    if (m.Msg == platform::CM_MOUSEENTER) log.push_back("enter");
    if (m.Msg == platform::CM_MOUSELEAVE) log.push_back("leave");
    Base::WndProc(m);
  }
};

}  // namespace fixture
