// How top-level windows stand on the screen: the title they are made with,
// and an owned window kept above its owner by the window manager.

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace {

using namespace platform;

class WindowFrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui::InitializeUi();
    WNDCLASS wc;
    wc.lpfnWndProc = MakeWndProc<&DefWindowProcW>(true);
    wc.lpszClassName = u"FrameTestWindow";
    RegisterClassW(wc);
  }
  void TearDown() override {
    for (HWND h : made_) DestroyWindow(h);
  }
  HWND Make(std::u16string_view Title, HWND Owner) {
    const HWND h = CreateWindowExW(0, u"FrameTestWindow", Title, WS_CAPTION | WS_SYSMENU, 10, 10, 200, 100, Owner, 0,
                                   nullptr, nullptr);
    made_.insert(made_.begin(), h);
    return h;
  }

 private:
  std::vector<HWND> made_;
};

TEST_F(WindowFrameTest, AWindowMadeWithATitleShowsIt) {
  EXPECT_EQ(ui::WidgetOf(Make(u"Veltrosa · NMEA", nullptr))->windowTitle(), QStringLiteral("Veltrosa · NMEA"));
}

TEST_F(WindowFrameTest, AnOwnedWindowIsADialogTransientForItsOwner) {
  const HWND owner = Make(u"Owner", nullptr);
  const HWND owned = Make(u"Question", owner);
  QWidget* ownerWidget = ui::WidgetOf(owner);
  QWidget* ownedWidget = ui::WidgetOf(owned);
  EXPECT_EQ(ownerWidget->windowType(), Qt::Window);
  EXPECT_EQ(ownedWidget->windowType(), Qt::Dialog);
  ShowWindow(owner, SW_SHOW);
  ShowWindow(owned, SW_SHOW);
  ASSERT_NE(ownedWidget->windowHandle(), nullptr);
  EXPECT_EQ(ownedWidget->windowHandle()->transientParent(), ownerWidget->windowHandle());
}

}  // namespace
