// showcase [--scene NAME] [--screenshot FILE] [--list]: shows one scene (the
// tool window made of every control class unless another is named) on a
// real screen, to look at and click through. With --screenshot it waits for
// the window to be on the screen, saves the whole screen as a PNG and quits.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/core/window_system/queue.h"
#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/forms.h"
#include "tools/showcase/scene.h"

int main(int argc, char** argv) {
  std::string screenshot;
  std::string sceneName = "tools";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--list") == 0) {
      for (const showcase::Scene& s : showcase::Scenes()) std::printf("%-12s %s\n", s.Name.c_str(), s.Description.c_str());
      return 0;
    }
    if (i + 1 >= argc) break;
    if (std::strcmp(argv[i], "--screenshot") == 0) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--scene") == 0) sceneName = argv[++i];
  }
  const auto& scenes = showcase::Scenes();
  const auto scene = std::find_if(scenes.begin(), scenes.end(),
                                  [&](const showcase::Scene& s) { return s.Name == sceneName; });
  if (scene == scenes.end()) {
    std::fprintf(stderr, "showcase: no scene \"%s\" (--list shows them)\n", sceneName.c_str());
    return 2;
  }
  using namespace platform;
  InitializeApplication();
  TForm* form = scene->Build();
  Application->SetMainForm(form);
  if (!screenshot.empty()) {
    TTimer* timer = new TTimer(form);
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
