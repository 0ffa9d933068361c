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
    Form = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
    Form->SetBounds(50, 50, 320, 200);
    Form->Show();
    platform::Application->ProcessMessages();
  }
  void TearDown() override {
    platform::Free(Form);
    platform::Application->ProcessMessages();
  }

  // What the window shows now.
  static QImage Look(platform::TWinControl* Control) {
    platform::Application->ProcessMessages();
    return platform::ui::Grab(Control->Handle());
  }
  static platform::COLORREF At(const QImage& Image, int X, int Y) {
    const QColor c = Image.pixelColor(X, Y);
    return platform::RGB(static_cast<platform::BYTE>(c.red()), static_cast<platform::BYTE>(c.green()),
                         static_cast<platform::BYTE>(c.blue()));
  }
  static platform::COLORREF Rgb(platform::TColor Colour) { return platform::ColorToRGB(Colour); }
  static platform::LRESULT Send(platform::TWinControl* Control, platform::UINT Msg, platform::WPARAM wParam = 0,
                                int X = 0, int Y = 0) {
    return platform::SendMessageW(Control->Handle(), Msg, wParam,
                                  platform::MAKELPARAM(static_cast<platform::WORD>(X), static_cast<platform::WORD>(Y)));
  }

  platform::TForm* Form = nullptr;
};

}  // namespace xpfixture
