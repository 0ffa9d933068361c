#include "platform/core/classes/class_registry.h"

#include <memory>
#include <mutex>
#include <vector>

#include "platform/core/classes/sysutils.h"

namespace platform {
namespace {

struct Registry {
  std::mutex M;
  std::vector<std::unique_ptr<TPersistentClass>> Classes;
};

Registry& Classes() {
  static auto* registry = new Registry;
  return *registry;
}

}  // namespace

bool RegisterClass(TPersistentClass Class) {
  Registry& r = Classes();
  const std::lock_guard lock(r.M);
  for (const auto& c : r.Classes) {
    if (SameText(c->Name, Class.Name)) return false;
  }
  r.Classes.push_back(std::make_unique<TPersistentClass>(std::move(Class)));
  return true;
}

void UnRegisterClass(std::string_view Name) {
  Registry& r = Classes();
  const std::lock_guard lock(r.M);
  std::erase_if(r.Classes, [&](const auto& C) { return SameText(C->Name, Name); });
}

const TPersistentClass* GetClass(std::string_view Name) {
  Registry& r = Classes();
  const std::lock_guard lock(r.M);
  for (const auto& c : r.Classes) {
    if (SameText(c->Name, Name)) return c.get();
  }
  return nullptr;
}

}  // namespace platform
