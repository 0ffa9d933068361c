#pragma once
// A scene is one window of the showcase, built on demand. Each scene file
// registers its scenes with a SceneRegistration at namespace scope.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/controls/forms.h"

namespace showcase {

struct Scene {
  std::string Name;
  std::string Description;
  // Builds the scene's windows and returns the one that stands for the
  // scene (the main form while it runs).
  std::function<platform::TForm*()> Build;
};

const std::vector<Scene>& Scenes();

struct SceneRegistration {
  SceneRegistration(std::string Name, std::string Description, std::function<platform::TForm*()> Build);
};

}  // namespace showcase
