#include "tests/nmea/gateway_standin_helpers.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>

#include "nmea/nmea2000/gateway_link.h"

namespace nmea::testing {
namespace {

template <typename F>
F Resolve(void* handle, const char* name) {
  void* symbol = dlsym(handle, name);
  if (!symbol) throw std::runtime_error(std::string("stand-in lacks ") + name);
  return reinterpret_cast<F>(symbol);
}

}  // namespace

std::string TestProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  std::string folder(path, n > 0 ? static_cast<std::size_t>(n) : 0);
  folder.erase(folder.rfind('/') + 1);
  return folder;
}

std::string PartialStandInFolder() { return TestProgramFolder() + "standin_partial/"; }

StandIn::StandIn(const std::string& folder) {
  const std::string path = folder + kGatewayLibraryName;
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw std::runtime_error("cannot load the stand-in at " + path);
  reset_ = Resolve<void (*)()>(handle_, "StandIn_Reset");
  setCreate_ = Resolve<void (*)(std::int32_t, std::int32_t)>(handle_, "StandIn_SetCreate");
  setOpenResult_ = Resolve<void (*)(std::int32_t)>(handle_, "StandIn_SetOpenResult");
  setThrow_ = Resolve<void (*)(std::int32_t)>(handle_, "StandIn_SetThrow");
  callCount_ = Resolve<std::int32_t (*)()>(handle_, "StandIn_CallCount");
  getCall_ = Resolve<void (*)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, std::int32_t*)>(
      handle_, "StandIn_GetCall");
  reset_();
}

StandIn::~StandIn() { dlclose(handle_); }

void StandIn::Reset() { reset_(); }
void StandIn::SetCreate(std::int32_t result, std::int32_t handle) { setCreate_(result, handle); }
void StandIn::SetOpenResult(std::int32_t result) { setOpenResult_(result); }
void StandIn::SetThrow(std::int32_t entry) { setThrow_(entry); }

std::vector<StandInCall> StandIn::Calls() const {
  std::vector<StandInCall> calls(static_cast<std::size_t>(callCount_()));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    getCall_(static_cast<std::int32_t>(i), &calls[i].entry, &calls[i].a, &calls[i].b, &calls[i].c);
  }
  return calls;
}

std::vector<std::int32_t> StandIn::Entries() const {
  std::vector<std::int32_t> entries;
  for (const StandInCall& call : Calls()) entries.push_back(call.entry);
  return entries;
}

}  // namespace nmea::testing
