#pragma once
// A shown form for the custom-drawn controls, made before each test and
// freed after it, with what the tests need to look at a control and to
// act on it as the user does.

#include <gtest/gtest.h>

#include <QImage>

#include "platform/ui/controls/forms.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace xpfixture {

class ShownFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::InitializeApplication(); }
  void SetUp() override {
    form_ = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
    form_->SetBounds(50, 50, 320, 200);
    form_->Show();
    platform::Application->ProcessMessages();
  }
  void TearDown() override {
    platform::Free(form_);
    platform::Application->ProcessMessages();
  }

  // What the window shows now.
  static QImage Look(platform::TWinControl* control) {
    platform::Application->ProcessMessages();
    return platform::ui::Grab(control->Handle());
  }
  static platform::COLORREF At(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return platform::RGB(static_cast<platform::BYTE>(c.red()), static_cast<platform::BYTE>(c.green()),
                         static_cast<platform::BYTE>(c.blue()));
  }
  static platform::COLORREF Rgb(platform::TColor colour) { return platform::ColorToRGB(colour); }
  static platform::LRESULT Send(platform::TWinControl* control, platform::UINT msg, platform::WPARAM w = 0, int x = 0,
                                int y = 0) {
    return platform::SendMessageW(control->Handle(), msg, w,
                                  platform::MAKELPARAM(static_cast<platform::WORD>(x), static_cast<platform::WORD>(y)));
  }

  platform::TForm* form_ = nullptr;
};

}  // namespace xpfixture
