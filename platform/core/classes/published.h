#pragma once
// Published properties of the common kinds, described once: the accessors,
// the names of their values and the declared default that a writer leaves
// out. Published methods, described by member and name, and the events
// that hold them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/core/classes/persistent.h"

namespace platform {

// Filed as the identifiers False and True.
TPropInfo BooleanProperty(std::string Name, std::function<bool()> Get, std::function<void(bool)> Set,
                          std::int64_t Default = kNoDefault);
TPropInfo IntegerProperty(std::string Name, std::function<std::int64_t()> Get, std::function<void(std::int64_t)> Set,
                          std::int64_t Default = kNoDefault);
// Values 0, 1, ... named by Names.
TPropInfo EnumProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                       std::function<void(std::int64_t)> Set, std::int64_t Default = kNoDefault);
// Bit i named by Names[i].
TPropInfo SetProperty(std::string Name, std::vector<std::string> Names, std::function<std::int64_t()> Get,
                      std::function<void(std::int64_t)> Set, std::int64_t Default = 0);
// An object whose properties are filed with the owner's; IsStored empty:
// always.
TPropInfo ClassProperty(std::string Name, std::function<TPersistent*()> GetObject, std::function<bool()> IsStored = {});

// What an event holds when it is bound to a published method: the object
// and the code, which the writer can tell apart from any other handler.
template <class Sig>
class TMethodCall;
template <class R, class... A>
class TMethodCall<R(A...)> {
 public:
  using TCode = R (*)(TObject*, A...);
  TMethodCall(TObject* Data, TCode Code) : data_(Data), code_(Code) {}
  R operator()(A... Args) const { return code_(data_, std::forward<A>(Args)...); }
  TMethod Method() const { return TMethod{reinterpret_cast<TMethodCode>(code_), data_, &typeid(R(A...))}; }

 private:
  TObject* data_;
  TCode code_;
};

namespace detail {
template <class M>
struct TMemberFunction;
template <class C, class R, class... A>
struct TMemberFunction<R (C::*)(A...)> {
  using TSignature = R(A...);
  template <R (C::*M)(A...)>
  static R Call(TObject* Self, A... Args) {
    return (static_cast<C*>(Self)->*M)(std::forward<A>(Args)...);
  }
};
}  // namespace detail

// The table entry of a method published under Name, for
// GetPublishedMethods: PublishedMethod<&TMainForm::ButOkClick>("ButOkClick").
template <auto M>
TMethodInfo PublishedMethod(std::string Name) {
  using TMember = detail::TMemberFunction<decltype(M)>;
  const typename TMethodCall<typename TMember::TSignature>::TCode code = &TMember::template Call<M>;
  return TMethodInfo{std::move(Name), reinterpret_cast<TMethodCode>(code), &typeid(typename TMember::TSignature)};
}

// An event handler that runs method M of Self and that a writer names by
// Self's published name for M: Button->OnClick =
// MakeMethod<&TMainForm::ButOkClick>(this).
template <auto M, class C>
auto MakeMethod(C* Self) {
  using TMember = detail::TMemberFunction<decltype(M)>;
  return TMethodCall<typename TMember::TSignature>(Self, &TMember::template Call<M>);
}

// The method Instance publishes under Name (case-insensitive).
std::optional<TMethodInfo> MethodAddress(const TPersistent& Instance, std::string_view Name);
// The name Instance publishes Code under; empty when it does not.
std::string MethodName(const TPersistent& Instance, TMethodCode Code);

// An event property over Event, which must outlive the property.
template <class R, class... A>
TPropInfo EventProperty(std::string Name, std::function<R(A...)>& Event) {
  using TCall = TMethodCall<R(A...)>;
  TPropInfo p{.Name = std::move(Name), .Kind = TTypeKind::tkMethod};
  auto* event = &Event;
  p.GetMethod = [event] {
    const TCall* call = event->template target<TCall>();
    return call ? call->Method() : TMethod{};
  };
  p.SetMethod = [event](const TMethod& Method) {
    if (!Method.Code) {
      *event = nullptr;
      return true;
    }
    if (!Method.Signature || *Method.Signature != typeid(R(A...))) return false;
    *event = TCall(Method.Data, reinterpret_cast<typename TCall::TCode>(Method.Code));
    return true;
  };
  return p;
}

}  // namespace platform
