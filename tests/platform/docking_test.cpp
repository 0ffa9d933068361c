#include <gtest/gtest.h>

#include "platform/ui/controls/docking.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/form_fixture.h"

namespace {

using namespace platform;

// Stands in front of a control's WindowProc, as a subclassing layer does,
// and counts what passes.
class OuterHook {
 public:
  explicit OuterHook(TControl& Control) : control_(Control), next_(Control.WindowProc) {
    Control.WindowProc = MakeWndMethod<&OuterHook::Proc>(this);
  }
  ~OuterHook() { control_.WindowProc = next_; }
  OuterHook(const OuterHook&) = delete;
  OuterHook& operator=(const OuterHook&) = delete;
  int Passed = 0;

 private:
  void Proc(TMessage& Message) {
    ++Passed;
    next_(Message);
  }
  TControl& control_;
  TWndMethod next_;
};

class DockManager : public fixture::FormTest {
 protected:
  // A shown site that places its clients with a manager.
  TPanel* Site() {
    Form->Show();
    auto* site = new TPanel(Form);
    site->SetParent(Form);
    site->SetBounds(0, 0, 300, 100);
    site->SetDockSite(true);
    site->SetUseDockManager(true);
    return site;
  }
};

TEST_F(DockManager, ClientsShareTheSiteInTheirOrderAndFollowItsSize) {
  TPanel* site = Site();
  auto* first = new TPanel(Form);
  auto* second = new TPanel(Form);
  auto* third = new TPanel(Form);
  ASSERT_TRUE(first->ManualDock(site));
  ASSERT_TRUE(second->ManualDock(site));
  // Dropped on the first one's left, the third goes before it.
  ASSERT_TRUE(third->ManualDock(site, first, alLeft));
  EXPECT_EQ(third->BoundsRect(), Rect(0, 0, 100, 100));
  EXPECT_EQ(first->BoundsRect(), Rect(100, 0, 200, 100));
  EXPECT_EQ(second->BoundsRect(), Rect(200, 0, 300, 100));
  site->SetBounds(0, 0, 450, 100);
  EXPECT_EQ(second->BoundsRect(), Rect(300, 0, 450, 100));
  Free(first);
  EXPECT_EQ(site->DockClientCount(), 2);
  EXPECT_EQ(third->BoundsRect(), Rect(0, 0, 225, 100));
  EXPECT_EQ(second->BoundsRect(), Rect(225, 0, 450, 100));
}

// A hook put in front of the site's WindowProc after the manager came
// keeps working when the manager goes, and the site's messages still pass.
TEST_F(DockManager, GoesWhileAnotherHookStandsInFrontOfTheSite) {
  TPanel* site = Site();
  auto* client = new TPanel(Form);
  ASSERT_TRUE(client->ManualDock(site));
  {
    OuterHook outer(*site);
    site->SetUseDockManager(false);
    EXPECT_EQ(site->DockManager(), nullptr);
    site->SetBounds(0, 0, 200, 100);
    EXPECT_GT(outer.Passed, 0);
    // Without a manager the client stays where it was.
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 100));
    site->SetUseDockManager(true);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 200, 100));
  }
  site->SetBounds(0, 0, 250, 100);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 250, 100));
}

}  // namespace
