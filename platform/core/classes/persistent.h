#pragma once
// Objects that can be assigned to one another and filed: the class
// library's TPersistent, with the published-property table that filing and
// the wide layer walk.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/method.h"
#include "platform/core/classes/object.h"
#include "platform/core/classes/sysutils.h"

namespace platform {

class TFiler;
class TPersistent;

enum class TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkString,
  tkWChar,
  tkLString,
  tkWString,
  tkSet,
  tkClass,
  tkMethod,
};

// The declared default that means "none".
constexpr std::int64_t kNoDefault = static_cast<std::int64_t>(0x80000000u);

// One published property. Accessors that the kind does not use stay empty;
// an empty IsStored means always stored. A set is filed as the names of its
// elements (bit i: SetElements[i]) and compared with its default as bits; a
// class property as the properties of its object, each under the
// property's name and a dot; an event as the name of the published method
// it is bound to.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkUnknown;
  std::function<bool()> IsStored;
  bool HasRead = true;
  bool HasWrite = true;
  std::int64_t Default = kNoDefault;
  std::function<std::int64_t()> GetOrd;
  std::function<void(std::int64_t)> SetOrd;
  std::function<std::string()> GetStr;
  std::function<void(const std::string&)> SetStr;
  std::function<std::u16string()> GetWideStr;
  std::function<void(const std::u16string&)> SetWideStr;
  // The names of ordinal values: an enumeration's (a Boolean's "False" and
  // "True"), or an integer's named constants (colours). An empty name files
  // the value as a number.
  std::function<std::string(std::int64_t)> OrdToIdent;
  std::function<std::optional<std::int64_t>(std::string_view)> IdentToOrd;
  std::vector<std::string> SetElements;
  std::function<TPersistent*()> GetObject;
  // The object a reader fills when GetObject has none (an optional part).
  std::function<TPersistent*()> NewObject;
  // An event: the method it holds (no Code when it holds none, or a handler
  // that is not a published method); SetMethod is false when the method
  // does not fit the event.
  std::function<TMethod()> GetMethod;
  std::function<bool(const TMethod&)> SetMethod;
};

class TPersistent : public TObject {
 public:
  // Source->AssignTo(this); EConvertError when neither side knows the other.
  virtual void Assign(const TPersistent* Source);
  // The published properties in declaration order, base classes first.
  // Classes append theirs after calling the inherited version.
  virtual void GetPublishedProperties(std::vector<TPropInfo>& Props) const;
  // The published methods, which events read from a stream are bound to;
  // classes append theirs after calling the inherited version.
  virtual void GetPublishedMethods(std::vector<TMethodInfo>& Methods) const;
  // Declares properties that are filed by code rather than by the table.
  virtual void DefineProperties(TFiler* Filer);

 protected:
  virtual void AssignTo(TPersistent* Dest) const;
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace platform
