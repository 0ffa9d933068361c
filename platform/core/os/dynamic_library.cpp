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

DynamicLibrary::DynamicLibrary(DynamicLibrary&& Other) noexcept
    : handle_(std::exchange(Other.handle_, nullptr)), error_(std::move(Other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& Other) noexcept {
  if (this != &Other) {
    Close();
    handle_ = std::exchange(Other.handle_, nullptr);
    error_ = std::move(Other.error_);
  }
  return *this;
}

bool DynamicLibrary::Open(const std::string& Path) {
  Close();
  error_.clear();
  // A path with a slash is taken as it stands, never searched for.
  const std::string exact = Path.find('/') == std::string::npos ? "./" + Path : Path;
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

void* DynamicLibrary::Symbol(const char* Name) const {
  if (!handle_ || !Name) return nullptr;
  return dlsym(handle_, Name);
}

}  // namespace platform
