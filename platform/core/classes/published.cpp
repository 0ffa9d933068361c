#include "platform/core/classes/published.h"

#include "platform/core/classes/sysutils.h"

namespace platform {

TPropInfo BooleanProperty(std::string Name, std::function<bool()> Get, std::function<void(bool)> Set,
                          std::int64_t Default) {
  return EnumProperty(
      std::move(Name), {"False", "True"}, [get = std::move(Get)]() -> std::int64_t { return get() ? 1 : 0; },
      [set = std::move(Set)](std::int64_t V) { set(V != 0); }, Default);
}

TPropInfo IntegerProperty(std::string Name, std::function<std::int64_t()> Get, std::function<void(std::int64_t)> Set,
                          std::int64_t Default) {
  TPropInfo p{.Name = std::move(Name), .Kind = TTypeKind::tkInteger};
  p.Default = Default;
  p.GetOrd = std::move(Get);
  p.SetOrd = std::move(Set);
  return p;
}

TPropInfo EnumProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                       std::function<void(std::int64_t)> Set, std::int64_t Default) {
  TPropInfo p{.Name = std::move(Name), .Kind = TTypeKind::tkEnumeration};
  p.Default = Default;
  p.GetOrd = std::move(Get);
  p.SetOrd = std::move(Set);
  p.OrdToIdent = [Names](std::int64_t V) {
    return V >= 0 && V < static_cast<std::int64_t>(Names.size()) ? Names[static_cast<std::size_t>(V)] : std::string();
  };
  p.IdentToOrd = [Names](std::string_view Ident) -> std::optional<std::int64_t> {
    for (std::size_t i = 0; i < Names.size(); ++i) {
      if (SameText(Names[i], Ident)) return static_cast<std::int64_t>(i);
    }
    return std::nullopt;
  };
  return p;
}

TPropInfo SetProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                      std::function<void(std::int64_t)> Set, std::int64_t Default) {
  TPropInfo p{.Name = std::move(Name), .Kind = TTypeKind::tkSet};
  p.Default = Default;
  p.GetOrd = std::move(Get);
  p.SetOrd = std::move(Set);
  p.SetElements = std::move(Names);
  return p;
}

TPropInfo ClassProperty(std::string Name, std::function<TPersistent*()> GetObject, std::function<bool()> IsStored) {
  TPropInfo p{.Name = std::move(Name), .Kind = TTypeKind::tkClass};
  p.GetObject = std::move(GetObject);
  p.IsStored = std::move(IsStored);
  return p;
}

std::optional<TMethodInfo> MethodAddress(const TPersistent& Instance, std::string_view Name) {
  std::vector<TMethodInfo> methods;
  Instance.GetPublishedMethods(methods);
  for (TMethodInfo& m : methods) {
    if (SameText(m.Name, Name)) return std::move(m);
  }
  return std::nullopt;
}

std::string MethodName(const TPersistent& Instance, TMethodCode Code) {
  if (!Code) return {};
  std::vector<TMethodInfo> methods;
  Instance.GetPublishedMethods(methods);
  for (const TMethodInfo& m : methods) {
    if (m.Code == Code) return m.Name;
  }
  return {};
}

}  // namespace platform
