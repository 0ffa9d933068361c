#include <gtest/gtest.h>

#include <QTabBar>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/widetext/golden_helpers.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/image.h"
#include "widetext/controls/page_control.h"

namespace widetext::testing {
namespace {

class PageControl : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Pages = new TWtxPageControl(Form);
    Pages->SetParent(Form);
    Pages->SetBounds(8, 8, 460, 200);
    for (const std::u16string& caption : {std::u16string(u"&Σύνδεση"), kPolish, std::u16string(u"Ł&ódź")}) {
      auto* sheet = new TWtxTabSheet(Form);
      sheet->SetPageControl(Pages);
      sheet->SetCaption(caption);
    }
  }
  std::u16string TabText(int Index) {
    char16_t buffer[64] = {};
    platform::TCITEMW item;
    item.mask = platform::TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 64;
    platform::SendMessageW(Pages->Handle(), platform::TCM_GETITEMW, static_cast<platform::WPARAM>(Index),
                           reinterpret_cast<platform::LPARAM>(&item));
    return buffer;
  }
  TWtxPageControl* Pages = nullptr;
};

TEST_F(PageControl, TabsShowTheWideCaptionsAlsoAfterANewWindow) {
  const auto unicodeNotifications = [&] {
    return platform::SendMessageW(Pages->WindowHandle(), platform::CCM_GETUNICODEFORMAT, 0, 0);
  };
  Pages->Handle();
  EXPECT_TRUE(platform::IsWindowUnicode(Pages->WindowHandle()));
  // The tab control notifies in UTF-16 although its 8-bit parent asked for
  // 8 bits.
  EXPECT_EQ(unicodeNotifications(), 1);
  EXPECT_EQ(TabText(0), u"&Σύνδεση");
  EXPECT_EQ(TabText(1), kPolish);
  Pages->RecreateWnd();
  EXPECT_EQ(unicodeNotifications(), 1);
  EXPECT_EQ(TabText(1), kPolish);
  EXPECT_EQ(static_cast<TWtxTabSheet*>(Pages->Pages(2))->GetCaption(), u"Ł&ódź");

  static_cast<TWtxTabSheet*>(Pages->Pages(1))->SetCaption(kGreek);
  EXPECT_EQ(TabText(1), kGreek);
  // An 8-bit tab message without its item is refused, not followed.
  const platform::HWND h = Pages->WindowHandle();
  EXPECT_EQ(platform::SendMessageA(h, platform::TCM_SETITEMA, 1, 0), 0);
  EXPECT_EQ(platform::SendMessageA(h, platform::TCM_INSERTITEMA, 1, 0), -1);
  EXPECT_EQ(TabText(1), kGreek);
}

TEST_F(PageControl, AnEightBitCaptionGivenToASheetWithoutAWindowBecomesItsWideCaption) {
  auto* sheet = static_cast<TWtxTabSheet*>(Pages->Pages(0));
  sheet->platform::TControl::SetCaption("Depth");
  EXPECT_EQ(sheet->GetCaption(), u"Depth");
  Pages->Handle();
  EXPECT_EQ(TabText(0), u"Depth");
}

TEST_F(PageControl, TheAcceleratorOfAWideCaptionSelectsItsPage) {
  Form->Show();
  int changes = 0;
  Pages->OnChange = [&](platform::TObject*) { ++changes; };
  EXPECT_EQ(Pages->Perform(platform::CM_DIALOGCHAR, u'Ó', 0), 1);
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_EQ(changes, 1);
  bool allow = false;
  Pages->OnChanging = [&](platform::TObject*, bool& AllowChange) { AllowChange = allow; };
  EXPECT_EQ(Pages->Perform(platform::CM_DIALOGCHAR, u'σ', 0), 1);
  EXPECT_EQ(Pages->ActivePageIndex(), 2);
  EXPECT_EQ(Pages->Perform(platform::CM_DIALOGCHAR, u'q', 0), 0);
}

TEST_F(PageControl, RendersItsTabsWithTheirOwnCharacters) {
  auto* image = new TWtxImage(Form);
  image->SetParent(Pages->Pages(0));
  image->SetBounds(10, 10, 40, 40);
  image->GetPicture().Bitmap().SetSize(40, 40);
  image->GetPicture().Bitmap().Canvas().Brush().SetColor(platform::clNavy);
  image->GetPicture().Bitmap().Canvas().FillRect(platform::Rect(0, 0, 40, 40));
  Form->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), "wide_page_control.png"));
  // The tabs show the wide captions in the order of the pages, each with
  // its accelerator underlined, on the picture of the form.
  auto* bar = platform::ui::WidgetOf(Pages->Handle())->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->count(), 3);
  const QImage picture = platform::ui::Grab(Form->Handle());
  QWidget* form = platform::ui::WidgetOf(Form->Handle());
  const std::u16string captions[] = {u"&Σύνδεση", kPolish, u"Ł&ódź"};
  int right = 0;
  for (int i = 0; i < 3; ++i) {
    const QRect tab(bar->mapTo(form, bar->tabRect(i).topLeft()), bar->tabRect(i).size());
    EXPECT_GE(tab.left(), right) << "tab " << i;
    right = tab.right();
    EXPECT_TRUE(golden::ShowsTextIn(picture, tab.adjusted(4, 4, -4, -4),
                                    {platform::ui::ToQString(captions[i]), bar->font(), Qt::LeftToRight, true}))
        << "tab " << i;
  }
  // The picture on the first page.
  const QImage page = platform::ui::Grab(Pages->Pages(0)->Handle());
  EXPECT_EQ(page.pixelColor(30, 30), QColor(0, 0, 0x80));
}

TEST_F(PageControl, TheWidePictureKeepsTheImagesHandlers) {
  auto* image = new TWtxImage(Form);
  image->SetParent(Form);
  image->AutoSize = true;
  platform::TBitmap bitmap;
  bitmap.SetSize(33, 21);
  image->GetPicture().SetGraphic(&bitmap);
  EXPECT_EQ(image->Width(), 33);
  EXPECT_EQ(image->Height(), 21);
  image->SetHint(kGreek);
  EXPECT_EQ(image->GetHint(), kGreek);
}

}  // namespace
}  // namespace widetext::testing
