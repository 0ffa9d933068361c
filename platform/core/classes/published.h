#pragma once
// Published properties of the common kinds, described once: the accessors,
// the names of their values and the declared default that a writer leaves
// out.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/classes/persistent.h"

namespace platform {

// Filed as the identifiers False and True.
TPropInfo BooleanProperty(std::string Name, std::function<bool()> Get, std::function<void(bool)> Set,
                          std::int64_t Default = kNoDefault);
TPropInfo IntegerProperty(std::string Name, std::function<std::int64_t()> Get, std::function<void(std::int64_t)> Set,
                          std::int64_t Default = kNoDefault);
// Values 0, 1, ... named by Names.
TPropInfo EnumProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                       std::function<void(std::int64_t)> Set, std::int64_t Default = kNoDefault);
// Bit i named by Names[i].
TPropInfo SetProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                      std::function<void(std::int64_t)> Set, std::int64_t Default = 0);
// An object whose properties are filed with the owner's; IsStored empty:
// always.
TPropInfo ClassProperty(std::string Name, std::function<TPersistent*()> GetObject, std::function<bool()> IsStored = {});

}  // namespace platform
