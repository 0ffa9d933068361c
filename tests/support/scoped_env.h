#pragma once
// An environment variable set (or, with no value, unset) for as long as the
// object lives; what it held before (or its absence) comes back after.

#include <stdlib.h>

#include <optional>
#include <string>

namespace support::testing {

class TScopedEnv {
 public:
  TScopedEnv(const char* Name, const std::optional<std::string>& Value) : name_(Name) {
    if (const char* old = ::getenv(Name)) old_ = old;
    if (Value) {
      ::setenv(Name, Value->c_str(), 1);
    } else {
      ::unsetenv(Name);
    }
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
