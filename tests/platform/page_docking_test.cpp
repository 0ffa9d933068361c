#include <gtest/gtest.h>

#include "platform/ui/controls/comctrls.h"
#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

using PageDocking = fixture::FormTest;

TEST_F(PageDocking, ADockedFormGetsAPageCaptionedWithItsTexts) {
  auto* pages = new TPageControl(Form);
  pages->SetParent(Form);
  pages->SetBounds(0, 0, 300, 200);
  auto* docked = new TForm(nullptr, TCustomForm::CreateNew);
  docked->SetCaption("Speed");
  docked->Show();
  ASSERT_TRUE(docked->ManualDock(pages));
  ASSERT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->Pages(0)->Caption(), "Speed");
  EXPECT_EQ(docked->Parent(), pages->Pages(0));
  EXPECT_TRUE(GetWindowLong(docked->WindowHandle(), GWL_STYLE) & WS_CHILD);
  docked->SetCaption("Temperature\r\n2");
  EXPECT_EQ(pages->Pages(0)->Caption(), "Temperature");
  Free(docked);
}

}  // namespace
