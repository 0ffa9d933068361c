#pragma once
// The two exception classes through which the wide-text layer reports its
// own failures: general errors come from bad input (an invalid UTF-7 text),
// internal errors from states the layer should never reach.

#include <stdexcept>
#include <string>

namespace widetext {

class EWtxGeneralError : public std::runtime_error {
 public:
  explicit EWtxGeneralError(const std::string& message) : std::runtime_error(message) {}
};

class EWtxInternalError : public std::runtime_error {
 public:
  explicit EWtxInternalError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace widetext
