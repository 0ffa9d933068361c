#pragma once
// A shared library loaded at run time. Each open object holds one counted
// reference to the library, so two owners of the same library never unload
// it under each other.

#include <string>

namespace platform {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  DynamicLibrary(DynamicLibrary&& Other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& Other) noexcept;

  // Takes a reference to the library at Path, loading it when no one has it
  // loaded yet. Releases any library held before. False when the file is
  // missing or is no loadable library (Error() then tells why).
  bool Open(const std::string& Path);
  // Drops the reference; the library unloads when it was the last one.
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  // The address of an exported symbol, or null when there is none.
  void* Symbol(const char* Name) const;

  const std::string& Error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace platform
