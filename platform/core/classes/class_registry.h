#pragma once
// The classes a form stream may name: each registered under its name, with
// what makes an object of it (nothing for a class that is only a base).

#include <functional>
#include <string>
#include <string_view>

#include "platform/core/classes/component.h"

namespace platform {

struct TPersistentClass {
  std::string Name;
  std::function<TComponent*(TComponent* Owner)> Create;
};

// A second class of the same name (any case) is not registered: false.
bool RegisterClass(TPersistentClass Class);
void UnRegisterClass(std::string_view Name);
// Null when no class of that name is registered.
const TPersistentClass* GetClass(std::string_view Name);

}  // namespace platform
