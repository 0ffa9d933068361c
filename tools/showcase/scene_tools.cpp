// The tool window made of every standard control class.

#include "tests/platform/showcase_helpers.h"
#include "tools/showcase/scene.h"

namespace showcase {
namespace {

const SceneRegistration kTools("tools", "a tool window made of every standard control class",
                               [] { return BuildToolWindow().form; });

}  // namespace
}  // namespace showcase
