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

using DockManager = fixture::FormTest;

// The manager places the clients as the site's size changes; a hook put in
// front of the site's WindowProc after the manager came keeps working when
// the manager goes.
TEST_F(DockManager, GoesWhileAnotherHookStandsInFrontOfTheSite) {
  Form->Show();
  auto* site = new TPanel(Form);
  site->SetParent(Form);
  site->SetBounds(0, 0, 300, 100);
  site->SetDockSite(true);
  site->SetUseDockManager(true);
  auto* client = new TPanel(Form);
  auto* first = new TPanel(Form);
  ASSERT_TRUE(client->ManualDock(site));
  ASSERT_TRUE(first->ManualDock(site, client, alLeft));
  EXPECT_EQ(first->BoundsRect(), Rect(0, 0, 150, 100));
  Free(first);
  {
    OuterHook outer(*site);
    site->SetUseDockManager(false);
    EXPECT_EQ(site->DockManager(), nullptr);
    site->SetBounds(0, 0, 200, 100);
    EXPECT_GT(outer.Passed, 0);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 100));
    site->SetUseDockManager(true);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 200, 100));
  }
  site->SetBounds(0, 0, 250, 100);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 250, 100));
}

}  // namespace
