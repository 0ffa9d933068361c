#pragma once
// Methods as filing sees them. A class publishes some of its methods under
// their names; an event bound to one of them is written as that name and,
// on reading, bound again to the method of that name on the form being
// read into.

#include <string>
#include <typeinfo>

#include "platform/core/classes/object.h"

namespace platform {

// A method's code with its signature erased; it is called only after being
// turned back into the signature recorded with it.
using TMethodCode = void (*)();

// A method bound to the object it runs on: what an event holds. Signature
// is the event type the code fits (the type of void(TObject*) for a
// notification).
struct TMethod {
  TMethodCode Code = nullptr;
  TObject* Data = nullptr;
  const std::type_info* Signature = nullptr;
};

// An entry of a class's table of published methods.
struct TMethodInfo {
  std::string Name;
  TMethodCode Code = nullptr;
  const std::type_info* Signature = nullptr;
};

}  // namespace platform
