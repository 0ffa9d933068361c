#include <gtest/gtest.h>

#include <QImage>

#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/platform/showcase_helpers.h"

namespace {

using namespace platform;

// Renders the window as the screen shows it, page by page; the pictures
// stay in the build folder for a person to look at.
TEST(Showcase, EveryControlClassRendersIntoATidyWindow) {
  InitializeApplication();
  showcase::ToolWindow w = showcase::BuildToolWindow();
  w.form->Show();
  Application->ProcessMessages();
  const char* const names[] = {"tool_window_connection.png", "tool_window_speed.png", "tool_window_tools.png"};
  for (int page = 0; page < w.pages->PageCount(); ++page) {
    w.pages->SetActivePageIndex(page);
    Application->ProcessMessages();
    ASSERT_TRUE(ui::SaveWindowImage(w.form->Handle(), names[page]));
  }
  w.pages->SetActivePageIndex(0);
  Application->ProcessMessages();
  const QImage image = ui::Grab(w.form->Handle());
  ASSERT_EQ(image.width(), 640);
  ASSERT_EQ(image.height(), 470);

  // The lamp is lit in the middle, and the form's face is the button face.
  const TPoint lamp = w.form->ScreenToClient(w.lamp->ClientToScreen(TPoint{8, 8}));
  EXPECT_EQ(image.pixelColor(lamp.X, lamp.Y), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(630, 320), QColor(240, 240, 240));
  Free(w.form);
}

}  // namespace
