#pragma once
// The two exception classes through which the wide-text layer reports its
// own failures: general errors come from bad input (an invalid UTF-7 text),
// internal errors from states the layer should never reach.

#include <string>

#include "platform/core/classes/sysutils.h"

namespace widetext {

class EWtxGeneralError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

class EWtxInternalError : public platform::Exception {
 public:
  using platform::Exception::Exception;
};

}  // namespace widetext
