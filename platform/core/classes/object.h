#pragma once
// The root of the class hierarchy: every object that raises events passes
// itself as the Sender, so events can carry one common pointer type.

#include <functional>

namespace platform {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace platform
