#pragma once
// Looks at every key and value a registry load took in, and checks the
// store's promise on any file: a value written into it, the file saved and
// read again, every key and value read before stands as it was, beside the
// new one; and a file that was not read whole is kept beside the new one,
// byte for byte. Shared by the store's tests and its fuzz target.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/os/registry.h"

namespace platform {

class TRegistryInspector {
 public:
  struct TEntry {
    std::string Key;
    std::string Name;
    std::string Data;
    bool operator==(const TEntry&) const = default;
  };

  static std::vector<TEntry> Entries(const TRegistry& Registry) {
    std::vector<TEntry> entries;
    for (const TRegistry::Key& key : Registry.keys_) {
      // A key without values still shows.
      entries.push_back({key.Path, {}, {}});
      for (const TRegistry::Value& value : key.Values) entries.push_back({key.Path, value.Name, value.Data});
    }
    return entries;
  }
  static bool Damaged(const TRegistry& Registry) { return Registry.damaged_; }
};

namespace testing {

inline std::string ReadFileBytes(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Where the round trip broke the promise; empty when it held. File holds
// the bytes to start from; it and its damaged copy are left for the caller
// to remove. A name the store refuses must leave the key as it was.
inline std::string SaveAndReadAgain(const std::string& File, const std::string& Bytes, const char* Key,
                                    std::string_view Name, std::int32_t Number) {
  std::filesystem::remove(File + ".damaged");
  std::ofstream(File, std::ios::binary | std::ios::trunc) << Bytes;
  std::vector<TRegistryInspector::TEntry> before;
  bool damaged = false;
  {
    TRegistry registry(File);
    if (!registry.OpenKey(Key, true)) return "the key did not open for writing";
    damaged = TRegistryInspector::Damaged(registry);
    before = TRegistryInspector::Entries(registry);
    try {
      registry.WriteInteger(Name, Number);
    } catch (const ERegistryException&) {
      return TRegistryInspector::Entries(registry) == before ? "" : "a refused name changed the key";
    }
    before = TRegistryInspector::Entries(registry);
    if (!registry.CloseKey()) return "the store was not written";
  }
  if (std::filesystem::exists(File + ".damaged") != damaged) return "a damaged copy where none belongs, or none";
  if (damaged && ReadFileBytes(File + ".damaged") != Bytes) return "the damaged copy is not the file as it was";
  TRegistry again(File);
  if (!again.OpenKeyReadOnly(Key)) return "the key is gone";
  if (TRegistryInspector::Damaged(again)) return "the store wrote a file it cannot read whole";
  if (TRegistryInspector::Entries(again) != before) return "a key or value changed";
  if (again.ReadInteger(Name) != Number) return "the new value did not read back";
  return {};
}

}  // namespace testing
}  // namespace platform
