#include "platform/core/classes/data_link.h"

namespace platform {

void TFieldDataLink::SetFieldText(const std::u16string& Value) {
  fieldText_ = Value;
  if (OnDataChange) OnDataChange(this);
}

}  // namespace platform
