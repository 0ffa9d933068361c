#pragma once
// Tests of the wide controls: a plain form, made (not shown) before each
// test and freed after it, for the controls under test to stand on; and
// the texts that code page 1252 cannot hold.

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/controls/forms.h"

namespace widetext::testing {

inline const std::u16string kGreek = u"Ωμέγα";
inline const std::u16string kPolish = u"Zażółć gęślą jaźń";

class WideFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    Form = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
    Form->SetBounds(50, 50, 480, 320);
  }
  void TearDown() override {
    platform::Free(Form);
    platform::Application->ProcessMessages();
  }
  platform::TForm* Form = nullptr;
};

}  // namespace widetext::testing
