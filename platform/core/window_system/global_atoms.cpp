#include "platform/core/window_system/window.h"

#include <mutex>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

// Global atoms and registered window messages: names that every thread of
// the process shares.

using detail::Atom;
using detail::Lower;
using detail::S;

ATOM GlobalAddAtomA(std::string_view Name) {
  if (Name.empty() || Name.size() > 255) return 0;
  std::lock_guard lock(S().M);
  const std::string key = Lower(Name);
  for (auto& [atom, a] : S().Atoms) {
    if (Lower(a.Name) == key) {
      ++a.Count;
      return atom;
    }
  }
  for (ATOM atom = 0xC000; atom != 0; ++atom) {
    if (!S().Atoms.contains(atom)) {
      S().Atoms[atom] = Atom{std::string(Name), 1};
      return atom;
    }
  }
  return 0;
}

ATOM GlobalFindAtomA(std::string_view Name) {
  std::lock_guard lock(S().M);
  const std::string key = Lower(Name);
  for (const auto& [atom, a] : S().Atoms) {
    if (Lower(a.Name) == key) return atom;
  }
  return 0;
}

ATOM GlobalDeleteAtom(ATOM Atom) {
  std::lock_guard lock(S().M);
  auto it = S().Atoms.find(Atom);
  if (it == S().Atoms.end()) return Atom;
  if (--it->second.Count <= 0) S().Atoms.erase(it);
  return 0;
}

std::string GlobalGetAtomNameA(ATOM Atom) {
  std::lock_guard lock(S().M);
  auto it = S().Atoms.find(Atom);
  return it == S().Atoms.end() ? std::string() : it->second.Name;
}

UINT RegisterWindowMessageA(std::string_view Name) {
  if (Name.empty()) return 0;
  std::lock_guard lock(S().M);
  auto [it, added] = S().RegisteredMessages.emplace(Lower(Name), S().NextMessage);
  if (added) {
    if (S().NextMessage > 0xFFFF) {
      S().RegisteredMessages.erase(it);
      return 0;
    }
    ++S().NextMessage;
  }
  return it->second;
}

UINT RegisterWindowMessageW(std::u16string_view Name) { return RegisterWindowMessageA(Utf16ToCp1252(Name)); }

}  // namespace platform
