#include <gtest/gtest.h>

#include <string>

#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/widetext/wide_form_fixture.h"
#include "widetext/controls/page_control.h"
#include "widetext/controls/wide_form.h"

namespace widetext::testing {
namespace {

class Docking : public WideFormTest {
 protected:
  void SetUp() override {
    WideFormTest::SetUp();
    Pages = new TWtxPageControl(Form);
    Pages->SetParent(Form);
    Pages->SetBounds(8, 8, 400, 240);
    Pages->SetDockSite(true);
    auto* first = new TWtxTabSheet(Form);
    first->SetPageControl(Pages);
    first->SetCaption(u"Σύνδεση");
    Form->Show();
  }
  TWtxPageControl* Pages = nullptr;
};

TEST_F(Docking, ADockedFormGetsAWidePageOfItsOwnCaptionedWithItsTexts) {
  auto* docked = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  docked->SetCaption(kGreek);
  docked->Show();
  ASSERT_TRUE(docked->ManualDock(Pages));
  ASSERT_EQ(Pages->PageCount(), 2);
  auto* page = dynamic_cast<TWtxTabSheet*>(Pages->Pages(1));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->GetCaption(), kGreek);
  EXPECT_EQ(Pages->ActivePage(), page);
  EXPECT_TRUE(page->TabVisible());
  EXPECT_EQ(docked->Parent(), page);
  EXPECT_EQ(docked->HostDockSite(), Pages);
  EXPECT_EQ(docked->Align(), platform::alClient);
  EXPECT_EQ(Pages->DockClientCount(), 1);

  // A new text of the client up to its first line break.
  docked->SetCaption(kPolish + u"\r\nsecond line");
  EXPECT_EQ(page->GetCaption(), kPolish);
  platform::Free(docked);
  EXPECT_EQ(Pages->DockClientCount(), 0);
}

TEST_F(Docking, AnEightBitClientsTextIsWidened) {
  auto* panel = new platform::TPanel(Form);
  panel->SetParent(Form);
  panel->SetVisible(false);
  ASSERT_TRUE(panel->ManualDock(Pages));
  auto* page = dynamic_cast<TWtxTabSheet*>(Pages->Pages(1));
  ASSERT_NE(page, nullptr);
  // An invisible client's page keeps its tab hidden and is not chosen.
  EXPECT_FALSE(page->TabVisible());
  EXPECT_NE(Pages->ActivePage(), page);
  panel->SetCaption("Temperatur\xE4\nx");
  EXPECT_EQ(page->GetCaption(), u"Temperaturä");
}

// A form whose dock manager places its clients: its window is made before
// the manager.
TEST(DockManager, AWideDockSiteHasItsWindowBeforeItsManager) {
  platform::InitializeApplication();
  auto* site = new TWtxForm(nullptr, platform::TCustomForm::CreateNew);
  site->SetBounds(10, 10, 300, 200);
  site->SetDockSite(true);
  EXPECT_FALSE(site->HandleAllocated());
  site->SetUseDockManager(true);
  ASSERT_TRUE(site->HandleAllocated());
  ASSERT_NE(site->DockManager(), nullptr);

  auto* left = new platform::TPanel(site);
  auto* right = new platform::TPanel(site);
  left->ManualDock(site);
  right->ManualDock(site);
  EXPECT_EQ(left->BoundsRect(), platform::Rect(0, 0, 150, 200));
  EXPECT_EQ(right->BoundsRect(), platform::Rect(150, 0, 300, 200));
  // A new window keeps both the trap and the manager on the form.
  site->SetCaption(kGreek);
  site->RecreateWnd();
  site->SetBounds(10, 10, 400, 200);
  EXPECT_EQ(right->BoundsRect(), platform::Rect(200, 0, 400, 200));
  EXPECT_EQ(platform::WindowTextW(site->WindowHandle()), kGreek);
  site->SetUseDockManager(false);
  EXPECT_EQ(site->DockManager(), nullptr);
  platform::Free(site);
}

}  // namespace
}  // namespace widetext::testing
