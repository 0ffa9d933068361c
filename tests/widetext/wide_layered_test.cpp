#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/core/window_system/layered_windows.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/screen_image.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/wide_form.h"
#include "widetext/standard/static_text.h"

namespace widetext::testing {
namespace {

struct Attributes {
  platform::COLORREF Key = 0;
  platform::BYTE Alpha = 0;
  platform::DWORD Flags = 0;
  bool operator==(const Attributes&) const = default;
};

// The window's attributes; none (all 0) when it is not layered.
Attributes LayeredOf(platform::TWinControl* Control) {
  Attributes a;
  if (!platform::GetLayeredWindowAttributes(Control->Handle(), &a.Key, &a.Alpha, &a.Flags)) return {};
  return a;
}

using LayeredForm = WideFormTest;

TEST_F(LayeredForm, TheOpacityReachesEveryNewWindow) {
  auto* form = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  form->SetAlphaBlendValue(128);
  form->SetAlphaBlend(true);
  EXPECT_EQ(LayeredOf(form), (Attributes{0, 128, platform::LWA_ALPHA}));
  form->RecreateWnd();
  EXPECT_TRUE(platform::IsWindowUnicode(form->WindowHandle()));
  EXPECT_EQ(LayeredOf(form), (Attributes{0, 128, platform::LWA_ALPHA}));
  form->SetAlphaBlendValue(200);
  EXPECT_EQ(LayeredOf(form).Alpha, 200);
  form->SetAlphaBlend(false);
  EXPECT_FALSE(platform::GetWindowLong(form->WindowHandle(), platform::GWL_EXSTYLE) & platform::WS_EX_LAYERED);
  EXPECT_EQ(LayeredOf(form), Attributes{});
  platform::Free(form);
}

TEST_F(LayeredForm, TheTransparentColourReachesEveryNewWindowOfAWideOrAPlainForm) {
  auto* wide = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  auto* plain = new platform::TForm(nullptr, platform::TCustomForm::CreateNew);
  for (platform::TCustomForm* form :
       {static_cast<platform::TCustomForm*>(wide), static_cast<platform::TCustomForm*>(plain)}) {
    form->SetTransparentColorValue(platform::clFuchsia);
    form->SetTransparentColor(true);
    form->Handle();
    form->RecreateWnd();
    EXPECT_EQ(LayeredOf(form), (Attributes{platform::RGB(255, 0, 255), 255, platform::LWA_COLORKEY}));
    form->SetAlphaBlend(true);
    EXPECT_EQ(LayeredOf(form).Flags, platform::LWA_ALPHA | platform::LWA_COLORKEY);
  }
  // A window that loses the style loses its attributes.
  const platform::HWND h = wide->WindowHandle();
  platform::SetWindowLong(h, platform::GWL_EXSTYLE, 0);
  platform::SetWindowLong(h, platform::GWL_EXSTYLE, platform::WS_EX_LAYERED);
  EXPECT_FALSE(platform::GetLayeredWindowAttributes(h, nullptr, nullptr, nullptr));
  platform::Free(wide);
  platform::Free(plain);
}

TEST_F(LayeredForm, AHalfTransparentFormShowsTheFormBehindIt) {
  Form->SetColor(platform::clNavy);
  Form->SetBounds(0, 0, 400, 250);
  Form->Show();
  auto* over = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  over->SetBounds(120, 80, 300, 180);
  over->SetColor(platform::clWhite);
  over->SetCaption(u"Półprzezroczysty – ημιδιαφανής");
  auto* text = new TWtxStaticText(over);
  text->SetParent(over);
  text->SetBounds(16, 16, 0, 0);
  text->SetCaption(u"Współczynnik ταχύτητας 1,02");
  // The colour key: this corner of the form does not show at all.
  auto* hole = new platform::TPanel(over);
  hole->SetParent(over);
  hole->SetBounds(220, 110, 80, 70);
  hole->SetColor(platform::clFuchsia);
  hole->BevelOuter = platform::bvNone;
  over->SetTransparentColorValue(platform::clFuchsia);
  over->SetTransparentColor(true);
  over->SetAlphaBlendValue(128);
  over->SetAlphaBlend(true);
  over->Show();
  platform::Application->ProcessMessages();
  ASSERT_TRUE(platform::ui::SaveScreenImage(platform::RECT{0, 0, 440, 280}, "wide_layered_form.png"));
  // Read back from where it was saved, whatever the working folder.
  const QImage screen(platform::ui::PictureFile("wide_layered_form.png"));
  ASSERT_FALSE(screen.isNull());
  // Navy behind, white in front at half opacity.
  const QColor mixed = screen.pixelColor(130, 150);
  EXPECT_NEAR(mixed.red(), 128, 3);
  EXPECT_NEAR(mixed.blue(), 192, 3);
  // Where the colour key is, the form behind shows unmixed.
  EXPECT_EQ(screen.pixelColor(360, 220), QColor(0, 0, 128));
  platform::Free(over);
}

}  // namespace
}  // namespace widetext::testing
