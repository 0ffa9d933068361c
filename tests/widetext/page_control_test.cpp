#include <gtest/gtest.h>

#include "platform/ui/window_classes/presentation.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/image.h"
#include "widetext/controls/page_control.h"

namespace widetext::testing {
namespace {

class PageControl : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    pages_ = new TWtxPageControl(form_);
    pages_->SetParent(form_);
    pages_->SetBounds(8, 8, 460, 200);
    for (const std::u16string& caption : {std::u16string(u"&Σύνδεση"), kPolish, std::u16string(u"Ł&ódź")}) {
      auto* sheet = new TWtxTabSheet(form_);
      sheet->SetPageControl(pages_);
      sheet->SetCaption(caption);
    }
  }
  std::u16string TabText(int index) {
    char16_t buffer[64] = {};
    platform::TCITEMW item;
    item.mask = platform::TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 64;
    platform::SendMessageW(pages_->Handle(), platform::TCM_GETITEMW, static_cast<platform::WPARAM>(index),
                           reinterpret_cast<platform::LPARAM>(&item));
    return buffer;
  }
  TWtxPageControl* pages_ = nullptr;
};

TEST_F(PageControl, TabsShowTheWideCaptionsAlsoAfterANewWindow) {
  pages_->Handle();
  EXPECT_TRUE(platform::IsWindowUnicode(pages_->WindowHandle()));
  EXPECT_EQ(TabText(0), u"&Σύνδεση");
  EXPECT_EQ(TabText(1), kPolish);
  pages_->RecreateWnd();
  EXPECT_EQ(TabText(1), kPolish);
  EXPECT_EQ(static_cast<TWtxTabSheet*>(pages_->Pages(2))->GetCaption(), u"Ł&ódź");

  static_cast<TWtxTabSheet*>(pages_->Pages(1))->SetCaption(kGreek);
  EXPECT_EQ(TabText(1), kGreek);
}

TEST_F(PageControl, AnEightBitCaptionGivenToASheetWithoutAWindowBecomesItsWideCaption) {
  auto* sheet = static_cast<TWtxTabSheet*>(pages_->Pages(0));
  sheet->platform::TControl::SetCaption("Depth");
  EXPECT_EQ(sheet->GetCaption(), u"Depth");
  pages_->Handle();
  EXPECT_EQ(TabText(0), u"Depth");
}

TEST_F(PageControl, TheAcceleratorOfAWideCaptionSelectsItsPage) {
  form_->Show();
  int changes = 0;
  pages_->OnChange = [&](platform::TObject*) { ++changes; };
  EXPECT_EQ(pages_->Perform(platform::CM_DIALOGCHAR, u'Ó', 0), 1);
  EXPECT_EQ(pages_->ActivePageIndex(), 2);
  EXPECT_EQ(changes, 1);
  bool allow = false;
  pages_->OnChanging = [&](platform::TObject*, bool& AllowChange) { AllowChange = allow; };
  EXPECT_EQ(pages_->Perform(platform::CM_DIALOGCHAR, u'σ', 0), 1);
  EXPECT_EQ(pages_->ActivePageIndex(), 2);
  EXPECT_EQ(pages_->Perform(platform::CM_DIALOGCHAR, u'q', 0), 0);
}

TEST_F(PageControl, RendersItsTabsWithTheirOwnCharacters) {
  auto* image = new TWtxImage(form_);
  image->SetParent(pages_->Pages(0));
  image->SetBounds(10, 10, 40, 40);
  image->GetPicture().Bitmap().SetSize(40, 40);
  image->GetPicture().Bitmap().Canvas().Brush().SetColor(platform::clNavy);
  image->GetPicture().Bitmap().Canvas().FillRect(platform::Rect(0, 0, 40, 40));
  form_->Show();
  platform::Application->ProcessMessages();
  EXPECT_TRUE(platform::ui::SaveWindowImage(form_->Handle(), "wide_page_control.png"));
}

TEST_F(PageControl, TheWidePictureKeepsTheImagesHandlers) {
  auto* image = new TWtxImage(form_);
  image->SetParent(form_);
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
