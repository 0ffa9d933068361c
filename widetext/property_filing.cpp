#include "widetext/property_filing.h"

#include <typeinfo>
#include <vector>

#include "platform/core/classes/streams.h"
#include "platform/core/text/codepages.h"
#include "widetext/codepage.h"
#include "widetext/utf7.h"

namespace widetext {
namespace {

void Store(const platform::TPropInfo& Prop, std::u16string_view Text) {
  if (Text.size() >= 2) throw platform::EReadError("Invalid property value");
  if (Prop.SetOrd) Prop.SetOrd(Text.empty() ? 0 : Text.front());
}

}  // namespace

void DefineWideProperties(platform::TFiler* Filer, platform::TPersistent* Instance) {
  std::vector<platform::TPropInfo> props;
  Instance->GetPublishedProperties(props);
  for (const platform::TPropInfo& prop : props) {
    if (prop.Kind == platform::TTypeKind::tkWString) {
      TWtxWideStringPropertyFiler filer;
      filer.DefineProperties(Filer, prop);
    } else if (prop.Kind == platform::TTypeKind::tkWChar) {
      TWtxWideCharPropertyFiler filer;
      filer.DefineProperties(Filer, Instance, prop);
    }
  }
}

void TWtxWideStringPropertyFiler::DefineProperties(platform::TFiler* Filer, const platform::TPropInfo& PropInfo) {
  const auto dropValue = [](platform::TReader& Reader) { Reader.ReadString(); };
  Filer->DefineProperty(PropInfo.Name + "W", dropValue, nullptr, false);
  Filer->DefineProperty(PropInfo.Name + "_UTF7", dropValue, nullptr, false);
}

void TWtxWideCharPropertyFiler::DefineProperties(platform::TFiler* Filer, platform::TPersistent* Instance,
                                                 const platform::TPropInfo& PropInfo) {
  instance_ = Instance;
  propInfo_ = &PropInfo;
  Filer->DefineProperty(
      PropInfo.Name + "W", [this](platform::TReader& Reader) { ReadDataW(Reader); },
      [this](platform::TWriter& Writer) { WriteDataW(Writer); }, HasData(Filer));
  Filer->DefineProperty(
      PropInfo.Name + "_UTF7", [this](platform::TReader& Reader) { ReadDataUtf7(Reader); }, nullptr, false);
}

bool TWtxWideCharPropertyFiler::HasData(platform::TFiler* Filer) const {
  const platform::TPropInfo& prop = *propInfo_;
  if ((prop.IsStored && !prop.IsStored()) || !prop.HasRead || !prop.HasWrite || !prop.GetOrd) return false;
  const std::int64_t value = prop.GetOrd();
  if (Filer->Ancestor && typeid(*Filer->Ancestor) == typeid(*instance_)) {
    std::vector<platform::TPropInfo> ancestorProps;
    Filer->Ancestor->GetPublishedProperties(ancestorProps);
    for (const platform::TPropInfo& ancestorProp : ancestorProps) {
      if (ancestorProp.Name == prop.Name && ancestorProp.GetOrd) return value != ancestorProp.GetOrd();
    }
    return true;
  }
  return prop.Default == platform::kNoDefault || value != prop.Default;
}

void TWtxWideCharPropertyFiler::ReadDataW(platform::TReader& Reader) {
  switch (Reader.NextValue()) {
    case platform::vaString:
    case platform::vaLString:
      Store(*propInfo_, StringToWideStringEx(Reader.ReadString(), platform::CP_ACP));
      return;
    case platform::vaWString:
      Store(*propInfo_, Reader.ReadWideString());
      return;
    default:
      throw platform::EReadError("Invalid property value");
  }
}

void TWtxWideCharPropertyFiler::ReadDataUtf7(platform::TReader& Reader) {
  const std::u16string text = UTF7ToWideString(Reader.ReadString());
  if (propInfo_->SetOrd) propInfo_->SetOrd(text.empty() ? 0 : text.front());
}

void TWtxWideCharPropertyFiler::WriteDataW(platform::TWriter& Writer) {
  Writer.WriteWideString(std::u16string(1, static_cast<char16_t>(propInfo_->GetOrd())));
}

}  // namespace widetext
