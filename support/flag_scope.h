#pragma once
// Sets a flag for as long as a scope runs and then gives it back the value
// it had, so that scopes on one flag may nest.

namespace support {

class FlagScope {
 public:
  explicit FlagScope(bool& Flag) : flag_(Flag), outer_(Flag) { flag_ = true; }
  ~FlagScope() { flag_ = outer_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  const bool outer_;
};

}  // namespace support
