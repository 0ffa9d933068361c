#pragma once
// Companion properties in form streams. A wide-string property P may come
// with "PW" (its value in UTF-8) and "P_UTF7" (in UTF-7) beside the 8-bit
// value; the 8-bit value stays in force, so both companions are read and
// dropped, and never written. A wide-character property P has the companion
// "PW" (the character as a wide string, written when the property would be
// stored) and "P_UTF7" (read only), both of which set the character.

#include <string>

#include "platform/core/classes/filer.h"
#include "platform/core/classes/persistent.h"

namespace widetext {

// Defines the companions of every published wide property of Instance; the
// DefineProperties of each wide component class calls it after the
// inherited DefineProperties.
void DefineWideProperties(platform::TFiler* Filer, platform::TPersistent* Instance);

class TWtxWideStringPropertyFiler : public platform::TObject {
 public:
  void DefineProperties(platform::TFiler* Filer, const platform::TPropInfo& PropInfo);
};

class TWtxWideCharPropertyFiler : public platform::TObject {
 public:
  void DefineProperties(platform::TFiler* Filer, platform::TPersistent* Instance, const platform::TPropInfo& PropInfo);

 private:
  bool HasData(platform::TFiler* Filer) const;
  void ReadDataW(platform::TReader& Reader);
  void ReadDataUtf7(platform::TReader& Reader);
  void WriteDataW(platform::TWriter& Writer);

  platform::TPersistent* instance_ = nullptr;
  const platform::TPropInfo* propInfo_ = nullptr;
};

}  // namespace widetext
