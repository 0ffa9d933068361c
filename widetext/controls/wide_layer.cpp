#include "widetext/controls/wide_layer.h"

#include <memory>

#include "platform/ui/controls/controls.h"
#include "widetext/controls/control_trap.h"
#include "widetext/controls/wide_application.h"
#include "widetext/error_messages.h"

namespace widetext {
namespace {

struct Layer {
  std::unique_ptr<platform::TComponentList> Helpers;
  std::unique_ptr<platform::TComponentList> Traps;
  platform::ATOM WindowAtom = 0;
  platform::ATOM ControlAtom = 0;
  bool Finished = false;
};

// User-interface thread only. Never destroyed: windows may still go while
// the program's static objects are destroyed.
Layer& TheLayer() {
  static auto* layer = new Layer;
  return *layer;
}

void MakeLists(Layer& L) {
  if (!L.Helpers) L.Helpers = std::make_unique<platform::TComponentList>();
  if (!L.Traps) L.Traps = std::make_unique<platform::TComponentList>();
}

// The lists, for code that runs when the layer has finished (a wide
// control freed afterwards) as well as before: only the first use starts
// the layer.
Layer& ListsOf() {
  Layer& layer = TheLayer();
  if (layer.Finished) {
    MakeLists(layer);
  } else if (!layer.Helpers) {
    StartWideLayer();
  }
  return layer;
}

}  // namespace

void StartWideLayer() {
  Layer& layer = TheLayer();
  if (layer.WindowAtom && !layer.Finished) return;
  WtxDestroyWindowMessage();
  MakeLists(layer);
  layer.WindowAtom = Win32CheckAtom(platform::GlobalAddAtomA(platform::WindowAtomString()));
  layer.ControlAtom = Win32CheckAtom(platform::GlobalAddAtomA(platform::ControlAtomString()));
  layer.Finished = false;
}

void FinishWideLayer() {
  Layer& layer = TheLayer();
  if (layer.Finished || !layer.WindowAtom) return;
  FreeWtxApplication();
  platform::GlobalDeleteAtom(layer.WindowAtom);
  platform::GlobalDeleteAtom(layer.ControlAtom);
  layer.WindowAtom = layer.ControlAtom = 0;
  while (layer.Helpers->Count() > 0) delete layer.Helpers->Items(layer.Helpers->Count() - 1);
  layer.Helpers.reset();
  // The traps stay with their controls, which free them.
  layer.Traps.reset();
  layer.Finished = true;
}

bool WideLayerFinished() { return TheLayer().Finished; }

platform::TComponentList& WideHelperList() { return *ListsOf().Helpers; }

platform::TComponentList& WideTrapList() { return *ListsOf().Traps; }

}  // namespace widetext
