#pragma once
// The current user's registry: keys holding typed values, kept in one file
// in the registry's own export text format ("Windows Registry Editor
// Version 5.00", UTF-16 with a byte-order mark, CR LF lines). Reading also
// takes UTF-8 and, byte by byte where that is not UTF-8, the ANSI code page
// of hand-edited files; it takes every line it understands and skips the
// rest, so a damaged file gives what can still be read, and a file without
// the export header holds nothing. Writing replaces the file atomically (a
// temporary file beside it, then a rename), keeping every key and value it
// does not change; a file that could not be read whole is kept beside the
// new one under DamagedFileName, so that nothing of it is lost.
//
// Key paths are given below HKEY_CURRENT_USER, with or without a leading
// backslash ("\SOFTWARE\Maker\Program"); names compare without regard to
// case. Key paths and value names are UTF-8 without line breaks: the file
// could not give others back as they were, so they are refused. Only the
// user-interface thread uses it.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/object.h"

namespace platform {

// A value that is missing or of another type, or a key that is not open.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// $XDG_CONFIG_HOME/veltrosa/registry.reg ($HOME/.config when the variable
// is unset or not absolute).
std::string UserRegistryFile();

class TRegistry : public TObject {
 public:
  explicit TRegistry(std::string FileName = UserRegistryFile());
  // Closes the open key (see CloseKey).
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // Opens an existing key for reading; false when the file or the key is
  // not there or the file cannot be read.
  bool OpenKeyReadOnly(std::string_view KeyPath);
  // Opens a key for reading and writing, making it when CanCreate; false
  // also for a path the store refuses.
  bool OpenKey(std::string_view KeyPath, bool CanCreate);
  // Writes what changed while the key was open; false when the file could
  // not be written (the file then stays as it was).
  bool CloseKey();

  bool ValueExists(std::string_view Name) const;
  // A REG_DWORD value; ERegistryException when there is none of that type.
  std::int32_t ReadInteger(std::string_view Name) const;
  // ERegistryException unless a key is open for writing, and for a name the
  // store refuses.
  void WriteInteger(std::string_view Name, std::int32_t Number);
  // A REG_SZ value (UTF-8); ERegistryException when there is none of that
  // type.
  std::string ReadString(std::string_view Name) const;
  // ERegistryException unless a key is open for writing, and for a name or a
  // text the file cannot hold (a line break, bytes that are not UTF-8).
  void WriteString(std::string_view Name, std::string_view Text);

  const std::string& FileName() const { return fileName_; }
  // FileName with ".damaged" appended.
  std::string DamagedFileName() const { return fileName_ + ".damaged"; }

 private:
  struct Value {
    std::string Name;
    // The text right of "=" as the file holds it, e.g. dword:00001a2b.
    std::string Data;
  };
  struct Key {
    std::string Path;  // below the root, without leading backslash
    std::vector<Value> Values;
  };

  // Tests look at every key and value a load took in.
  friend class TRegistryInspector;

  bool Load();
  bool Save();
  bool KeepDamagedFile() const;
  void WriteData(std::string_view Name, std::string Data);
  Key* FindKey(std::string_view Path);
  const Value* FindValue(std::string_view Name) const;

  std::string fileName_;
  std::vector<Key> keys_;
  int open_ = -1;  // index into keys_
  bool writable_ = false;
  bool changed_ = false;
  // The last load left something of the file out.
  bool damaged_ = false;
};

}  // namespace platform
