#include <gtest/gtest.h>

#include <QWidget>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/wide_form.h"
#include "widetext/menus/hotkeys.h"
#include "widetext/standard/static_text.h"

namespace widetext::testing {
namespace {

using WideForm = WideFormTest;

TEST_F(WideForm, AWideFormHasAUnicodeWindowAndAWideCaption) {
  auto* form = platform::Create<TWtxForm>(nullptr);
  form->SetCaption(kGreek);
  ASSERT_TRUE(platform::IsWindowUnicode(form->Handle()));
  EXPECT_EQ(platform::WindowTextW(form->WindowHandle()), kGreek);
  EXPECT_EQ(form->Caption(), "?????");
  form->SetHint(kPolish);
  EXPECT_EQ(form->GetHint(), kPolish);
  platform::Free(form);
}

TEST_F(WideForm, ShowsItsWideCaptionAsTheWindowTitle) {
  auto* form = platform::Create<TWtxForm>(nullptr);
  form->SetBounds(60, 60, 300, 120);
  form->SetCaption(u"Kalibracja prędkości – Βαθμονόμηση");
  auto* text = new TWtxStaticText(form);
  text->SetParent(form);
  text->SetBounds(12, 12, 0, 0);
  text->SetCaption(u"Współczynnik ταχύτητας: 1,02");
  form->Show();
  platform::Application->ProcessMessages();
  EXPECT_EQ(platform::ui::WidgetOf(form->Handle())->windowTitle(),
            QString::fromUtf16(u"Kalibracja prędkości – Βαθμονόμηση"));
  EXPECT_TRUE(platform::ui::SaveWindowImage(form->Handle(), "wide_form.png"));
  // The static text draws its wide caption in its font and colours.
  const QImage shown = platform::ui::Grab(text->Handle());
  EXPECT_TRUE(
      golden::MatchesDrawing(shown, QPoint(0, 0), text->ClientRect(), [&](platform::TCanvas& C, platform::TRect R) {
        C.Brush().SetColor(text->Color());
        C.FillRect(R);
        C.Font().Assign(&text->Font());
        C.Brush().SetStyle(platform::bsClear);
        const std::u16string caption = u"Współczynnik ταχύτητας: 1,02";
        platform::DrawTextW(C.Handle(), caption.c_str(), -1, &R, platform::DT_WORDBREAK | platform::DT_EXPANDTABS);
      }));
  platform::Free(form);
}

TEST_F(WideForm, AFormClassWithoutALayoutCannotBeMade) {
  class TUnlaidForm : public TWtxForm {
   public:
    using TWtxForm::TWtxForm;
  };
  EXPECT_THROW(platform::Create<TUnlaidForm>(nullptr), platform::EResNotFound);
}

TEST(HotKeys, TheHotKeyIsTheCharacterAfterTheLastSingleAmpersand) {
  EXPECT_EQ(WideGetHotkey(u"&File"), u"F");
  EXPECT_EQ(WideGetHotkey(u"Save && &Exit"), u"E");
  EXPECT_EQ(WideGetHotkeyPos(u"Save && &Exit"), 10);
  EXPECT_EQ(WideGetHotkey(u"Fish && Chips"), u"");
  EXPECT_EQ(WideGetHotkey(u"Trailing&"), u"");
  EXPECT_EQ(WideGetHotkey(u"&Ωμέγα"), u"Ω");
}

TEST(HotKeys, AKeyIsTheAcceleratorOfAWideCaptionInEitherCase) {
  EXPECT_TRUE(IsWideCharAccel(u'ω', u"&Ωμέγα"));
  EXPECT_TRUE(IsWideCharAccel('f', u"&File"));
  EXPECT_TRUE(IsWideCharAccel(0xC9, u"&énergie"));  // a keyboard byte
  EXPECT_FALSE(IsWideCharAccel('x', u"&File"));
  EXPECT_FALSE(IsWideCharAccel('f', u"File"));
}

}  // namespace
}  // namespace widetext::testing
