#include "tools/showcase/scene.h"

namespace showcase {
namespace {

std::vector<Scene>& Registry() {
  static std::vector<Scene> scenes;
  return scenes;
}

}  // namespace

const std::vector<Scene>& Scenes() { return Registry(); }

SceneRegistration::SceneRegistration(std::string Name, std::string Description,
                                     std::function<platform::TForm*()> Build) {
  Registry().push_back({std::move(Name), std::move(Description), std::move(Build)});
}

}  // namespace showcase
