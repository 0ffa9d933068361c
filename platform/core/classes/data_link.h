#pragma once
// The class library's field link: how a data-aware control learns that the
// value it shows has changed. No data sets exist here; whatever holds the
// value hands its display text over through the link, and the control that
// owns the link takes it in OnDataChange.

#include <string>

#include "platform/core/classes/object.h"

namespace platform {

class TFieldDataLink : public TObject {
 public:
  TNotifyEvent OnDataChange;
  const std::u16string& FieldText() const { return fieldText_; }
  // Stores Value and tells the control.
  void SetFieldText(const std::u16string& Value);

 private:
  std::u16string fieldText_;
};

}  // namespace platform
