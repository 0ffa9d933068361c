#include "platform/core/os/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace platform {
namespace {

std::string LastError() {
  const char* text = dlerror();
  return text ? std::string(text) : std::string();
}

}  // namespace

DynamicLibrary::~DynamicLibrary() { Close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

bool DynamicLibrary::Open(const std::string& path) {
  Close();
  error_.clear();
  // A path with a slash is taken as it stands, never searched for.
  const std::string exact = path.find('/') == std::string::npos ? "./" + path : path;
  handle_ = dlopen(exact.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) error_ = LastError();
  return handle_ != nullptr;
}

void DynamicLibrary::Close() {
  if (handle_) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

void* DynamicLibrary::Symbol(const char* name) const {
  if (!handle_ || !name) return nullptr;
  return dlsym(handle_, name);
}

}  // namespace platform
