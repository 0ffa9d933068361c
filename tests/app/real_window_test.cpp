// The main window on a real display (ctest runs this under Xvfb): the
// window manager is told that its size is fixed and that it has no
// maximise button. Elsewhere (the headless runs) it is skipped.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include "platform/ui/window_classes/qt_peer.h"
#include "tests/app/app_helpers.h"

namespace {

using apptest::AppTest;
using apptest::PumpUntil;

// What another X client reads of the window's properties.
std::string WindowProperties(unsigned long Id) {
  const std::string command =
      "xprop -id " + std::to_string(Id) + " WM_NORMAL_HINTS _MOTIF_WM_HINTS WM_NAME 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string text;
  char buffer[256];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

class RealWindowTest : public AppTest {};

TEST_F(RealWindowTest, TheWindowManagerSeesAFixedSizeWindowWithoutAMaximiseButton) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs a real display";
  MakeMainForm();
  ShowMainForm();
  const unsigned long id = platform::ui::WidgetOf(Form->Handle())->winId();
  std::string properties;
  ASSERT_TRUE(PumpUntil([&] {
    properties = WindowProperties(id);
    return properties.find("maximum size") != std::string::npos &&
           properties.find("_MOTIF_WM_HINTS(") != std::string::npos;
  })) << properties;
  EXPECT_NE(properties.find("program specified minimum size: 746 by 525"), std::string::npos) << properties;
  EXPECT_NE(properties.find("program specified maximum size: 746 by 525"), std::string::npos) << properties;
  EXPECT_NE(properties.find("WM_NAME(STRING) = \"Veltrosa\""), std::string::npos) << properties;
  // The second number is what the window manager may do with the window.
  std::smatch hints;
  ASSERT_TRUE(std::regex_search(properties, hints, std::regex(R"(_MOTIF_WM_HINTS\S* = 0x[0-9a-f]+, (0x[0-9a-f]+))")))
      << properties;
  const unsigned long functions = std::stoul(hints[1].str(), nullptr, 16);
  constexpr unsigned long kMaximise = 0x10;
  constexpr unsigned long kMinimise = 0x08;
  EXPECT_EQ(functions & kMaximise, 0u);
  EXPECT_NE(functions & kMinimise, 0u);
}

}  // namespace
