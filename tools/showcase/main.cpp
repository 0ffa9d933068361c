// showcase [--screenshot FILE]: shows a tool window made of every control
// class. With --screenshot it waits for the window to be on the screen,
// saves the whole screen as a PNG and quits.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/showcase_helpers.h"

int main(int argc, char** argv) {
  std::string screenshot;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0) screenshot = argv[i + 1];
  }
  using namespace platform;
  InitializeApplication();
  showcase::ToolWindow w = showcase::BuildToolWindow();
  Application->SetMainForm(w.form);
  if (!screenshot.empty()) {
    TTimer* timer = new TTimer(w.form);
    timer->SetInterval(1500);
    timer->OnTimer = [timer, screenshot](TObject*) {
      timer->SetEnabled(false);
      QScreen* screen = QGuiApplication::primaryScreen();
      const bool saved = screen && screen->grabWindow(0).save(QString::fromStdString(screenshot), "PNG");
      std::printf("%s %s\n", saved ? "saved" : "could not save", screenshot.c_str());
      Application->Terminate();
    };
  }
  Application->Run();
  return 0;
}
