// Pictures of windows land beside the test program, in the build tree: a
// test started from the source folder must leave nothing there.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/os/modules.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/screen_image.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

class WindowImageTest : public fixture::FormTest {};

TEST_F(WindowImageTest, ARelativeNameIsTakenBesideTheProgramNotInTheWorkingFolder) {
  support::testing::TScratchFolder working;
  const fs::path before = fs::current_path();
  fs::current_path(working.Path());
  Form->Show();
  const bool saved = platform::ui::SaveWindowImage(Form->Handle(), "window_image_relative.png");
  const bool screenSaved = platform::ui::SaveScreenImage(platform::RECT{0, 0, 40, 30}, "screen_image_relative.png");
  fs::current_path(before);
  ASSERT_TRUE(saved);
  ASSERT_TRUE(screenSaved);
  const fs::path beside = fs::path(platform::ProgramFileName()).parent_path();
  for (const char* name : {"window_image_relative.png", "screen_image_relative.png"}) {
    EXPECT_TRUE(fs::exists(beside / name)) << name;
    EXPECT_FALSE(fs::exists(working / name)) << name;
  }
}

}  // namespace
