#pragma once
// An environment variable set for as long as the object lives; what it
// held before (or its absence) comes back after.

#include <stdlib.h>

#include <optional>
#include <string>

namespace support::testing {

class TScopedEnv {
 public:
  TScopedEnv(const char* Name, const std::string& Value) : name_(Name) {
    if (const char* old = ::getenv(Name)) old_ = old;
    ::setenv(Name, Value.c_str(), 1);
  }
  ~TScopedEnv() {
    if (old_) {
      ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace support::testing
