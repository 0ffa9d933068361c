#include "platform/core/window_system/window.h"

#include "platform/core/window_system/thread_check.h"
#include "platform/core/window_system/window_table.h"

namespace platform {

using detail::Lower;
using detail::W;
using detail::Window;

bool SetPropA(HWND hWnd, std::string_view Name, HANDLE Data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || Name.empty()) return false;
  w->NamedProps[Lower(Name)] = Data;
  return true;
}

HANDLE GetPropA(HWND hWnd, std::string_view Name) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->NamedProps.find(Lower(Name));
  return it == w->NamedProps.end() ? 0 : it->second;
}

HANDLE RemovePropA(HWND hWnd, std::string_view Name) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->NamedProps.find(Lower(Name));
  if (it == w->NamedProps.end()) return 0;
  const HANDLE data = it->second;
  w->NamedProps.erase(it);
  return data;
}

bool SetPropAtom(HWND hWnd, ATOM Atom, HANDLE Data) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w || Atom == 0) return false;
  w->AtomProps[Atom] = Data;
  return true;
}

HANDLE GetPropAtom(HWND hWnd, ATOM Atom) {
  RequireUiThread();
  const Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->AtomProps.find(Atom);
  return it == w->AtomProps.end() ? 0 : it->second;
}

HANDLE RemovePropAtom(HWND hWnd, ATOM Atom) {
  RequireUiThread();
  Window* w = W(hWnd);
  if (!w) return 0;
  auto it = w->AtomProps.find(Atom);
  if (it == w->AtomProps.end()) return 0;
  const HANDLE data = it->second;
  w->AtomProps.erase(it);
  return data;
}

}  // namespace platform
