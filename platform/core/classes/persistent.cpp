#include "platform/core/classes/persistent.h"

namespace platform {

void TPersistent::Assign(const TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::GetPublishedProperties(std::vector<TPropInfo>&) const {}

void TPersistent::GetPublishedMethods(std::vector<TMethodInfo>&) const {}

void TPersistent::DefineProperties(TFiler*) {}

void TPersistent::AssignTo(TPersistent* Dest) const {
  if (Dest) Dest->AssignError(this);
  throw EConvertError("Cannot assign a " + ClassNameOf(*this) + " to nil");
}

void TPersistent::AssignError(const TPersistent* Source) const {
  const std::string from = Source ? ClassNameOf(*Source) : "nil";
  throw EConvertError("Cannot assign a " + from + " to a " + ClassNameOf(*this));
}

}  // namespace platform
