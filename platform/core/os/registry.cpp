#include "platform/core/os/registry.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/core/text/utf16.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

bool SameText(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
         });
}

std::string_view Trim(std::string_view S) {
  while (!S.empty() && (S.front() == ' ' || S.front() == '\t')) S.remove_prefix(1);
  while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r')) S.remove_suffix(1);
  return S;
}

// The file's text as UTF-8: UTF-16 little-endian after its byte-order mark,
// otherwise UTF-8 (with or without a mark).
std::string DecodeText(const std::string& Bytes) {
  if (Bytes.size() >= 2 && static_cast<unsigned char>(Bytes[0]) == 0xFF &&
      static_cast<unsigned char>(Bytes[1]) == 0xFE) {
    std::string out;
    for (std::size_t i = 2; i + 1 < Bytes.size(); i += 2) {
      std::uint32_t unit = static_cast<unsigned char>(Bytes[i]) | (static_cast<unsigned char>(Bytes[i + 1]) << 8);
      if (IsHighSurrogate(unit) && i + 3 < Bytes.size()) {
        const std::uint32_t low =
            static_cast<unsigned char>(Bytes[i + 2]) | (static_cast<unsigned char>(Bytes[i + 3]) << 8);
        if (IsLowSurrogate(low)) {
          unit = CombineSurrogates(unit, low);
          i += 2;
        }
      }
      AppendUtf8(out, unit);
    }
    return out;
  }
  if (Bytes.size() >= 3 && Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Bytes.substr(3);
  return Bytes;
}

// UTF-8 text as UTF-16 little-endian bytes with a byte-order mark.
std::string EncodeText(std::string_view Text) {
  std::string out = "\xFF\xFE";
  auto put = [&out](std::uint32_t Unit) {
    out.push_back(static_cast<char>(Unit & 0xFF));
    out.push_back(static_cast<char>(Unit >> 8));
  };
  for (std::size_t i = 0; i < Text.size();) {
    const auto c = static_cast<unsigned char>(Text[i]);
    std::uint32_t cp = c;
    std::size_t len = 1;
    if (c >= 0xF0 && i + 3 < Text.size()) {
      cp = ((c & 0x07u) << 18) | ((Text[i + 1] & 0x3Fu) << 12) | ((Text[i + 2] & 0x3Fu) << 6) | (Text[i + 3] & 0x3Fu);
      len = 4;
    } else if (c >= 0xE0 && i + 2 < Text.size()) {
      cp = ((c & 0x0Fu) << 12) | ((Text[i + 1] & 0x3Fu) << 6) | (Text[i + 2] & 0x3Fu);
      len = 3;
    } else if (c >= 0xC0 && i + 1 < Text.size()) {
      cp = ((c & 0x1Fu) << 6) | (Text[i + 1] & 0x3Fu);
      len = 2;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
    i += len;
  }
  return out;
}

// The full path of a key below the current user's root.
std::string FullPath(std::string_view Key) {
  while (!Key.empty() && Key.front() == '\\') Key.remove_prefix(1);
  while (!Key.empty() && Key.back() == '\\') Key.remove_suffix(1);
  std::string path(kRoot);
  if (!Key.empty()) path.append("\\").append(Key);
  return path;
}

// A quoted value name at the start of s ("@" is the default value); the
// rest of s after "=" goes to data. False for any other line.
bool SplitValueLine(std::string_view S, std::string& Name, std::string_view& Data) {
  std::size_t i = 0;
  Name.clear();
  if (S.starts_with("@")) {
    i = 1;
  } else if (S.starts_with("\"")) {
    for (i = 1; i < S.size() && S[i] != '"'; ++i) {
      if (S[i] == '\\' && i + 1 < S.size()) ++i;
      Name.push_back(S[i]);
    }
    if (i >= S.size()) return false;
    ++i;
  } else {
    return false;
  }
  const std::string_view rest = Trim(S.substr(i));
  if (!rest.starts_with("=")) return false;
  Data = Trim(rest.substr(1));
  return !Data.empty();
}

std::string QuoteName(std::string_view Name) {
  std::string out = "\"";
  for (const char c : Name) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

bool ParseDword(std::string_view Data, std::uint32_t& Value) {
  if (Data.size() < 7 || !SameText(Data.substr(0, 6), "dword:")) return false;
  const std::string_view digits = Data.substr(6);
  if (digits.size() > 8) return false;
  Value = 0;
  for (const char c : digits) {
    const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                  : std::isxdigit(static_cast<unsigned char>(c))
                      ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                      : -1;
    if (d < 0) return false;
    Value = Value * 16 + static_cast<std::uint32_t>(d);
  }
  return true;
}

}  // namespace

std::string UserRegistryFile() {
  fs::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home && home[0]) {
    base = fs::path(home) / ".config";
  } else {
    base = fs::temp_directory_path();
  }
  return (base / "veltrosa" / "registry.reg").string();
}

TRegistry::TRegistry(std::string FileName) : fileName_(std::move(FileName)) {}

TRegistry::~TRegistry() { CloseKey(); }

bool TRegistry::Load() {
  keys_.clear();
  std::ifstream in(fileName_, std::ios::binary);
  if (!in) return false;
  const std::string text = DecodeText(std::string(std::istreambuf_iterator<char>(in), {}));
  if (in.bad()) return false;

  bool headerSeen = false;
  Key* key = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line(Trim(std::string_view(text).substr(pos, end - pos)));
    pos = end + 1;
    // Long binary values go on over lines that end in a backslash.
    while (line.ends_with("\\") && line.find('=') != std::string::npos && pos < text.size()) {
      end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      line.pop_back();
      line += Trim(std::string_view(text).substr(pos, end - pos));
      pos = end + 1;
    }
    if (line.empty() || line.starts_with(";")) continue;
    if (!headerSeen) {
      if (line != kHeader && line != kOldHeader) return false;
      headerSeen = true;
      continue;
    }
    if (line.starts_with("[") && line.ends_with("]")) {
      const std::string_view path = std::string_view(line).substr(1, line.size() - 2);
      key = nullptr;
      if (path.empty() || path.starts_with("-")) continue;
      key = FindKey(path);
      if (!key) key = &keys_.emplace_back(Key{std::string(path), {}});
      continue;
    }
    std::string name;
    std::string_view data;
    if (!key || !SplitValueLine(line, name, data) || data == "-") continue;
    auto it =
        std::find_if(key->Values.begin(), key->Values.end(), [&](const Value& V) { return SameText(V.Name, name); });
    if (it != key->Values.end()) {
      it->Data = std::string(data);
    } else {
      key->Values.push_back(Value{std::move(name), std::string(data)});
    }
  }
  return headerSeen;
}

bool TRegistry::Save() const {
  std::string text = std::string(kHeader) + "\r\n\r\n";
  for (const Key& key : keys_) {
    text += "[" + key.Path + "]\r\n";
    for (const Value& v : key.Values) text += (v.Name.empty() ? "@" : QuoteName(v.Name)) + "=" + v.Data + "\r\n";
    text += "\r\n";
  }
  const std::string bytes = EncodeText(text);

  std::error_code ec;
  const fs::path target(fileName_);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  std::string temp = fileName_ + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = true;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      ok = false;
    }
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), fileName_.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

TRegistry::Key* TRegistry::FindKey(std::string_view Path) {
  auto it = std::find_if(keys_.begin(), keys_.end(), [&](const Key& K) { return SameText(K.Path, Path); });
  return it == keys_.end() ? nullptr : &*it;
}

const TRegistry::Value* TRegistry::FindValue(std::string_view Name) const {
  if (open_ < 0) return nullptr;
  const auto& values = keys_[static_cast<std::size_t>(open_)].Values;
  auto it = std::find_if(values.begin(), values.end(), [&](const Value& V) { return SameText(V.Name, Name); });
  return it == values.end() ? nullptr : &*it;
}

bool TRegistry::OpenKeyReadOnly(std::string_view KeyPath) {
  CloseKey();
  if (!Load()) return false;
  const TRegistry::Key* key = FindKey(FullPath(KeyPath));
  if (!key) return false;
  open_ = static_cast<int>(key - keys_.data());
  return true;
}

bool TRegistry::OpenKey(std::string_view KeyPath, bool CanCreate) {
  CloseKey();
  // A file that cannot be read is replaced by one that can.
  Load();
  const std::string path = FullPath(KeyPath);
  TRegistry::Key* key = FindKey(path);
  if (!key) {
    if (!CanCreate) return false;
    key = &keys_.emplace_back(TRegistry::Key{path, {}});
    changed_ = true;
  }
  open_ = static_cast<int>(key - keys_.data());
  writable_ = true;
  return true;
}

bool TRegistry::CloseKey() {
  const bool ok = !changed_ || Save();
  open_ = -1;
  writable_ = false;
  changed_ = false;
  return ok;
}

bool TRegistry::ValueExists(std::string_view Name) const { return FindValue(Name) != nullptr; }

std::int32_t TRegistry::ReadInteger(std::string_view Name) const {
  const Value* v = FindValue(Name);
  std::uint32_t value = 0;
  if (!v || !ParseDword(v->Data, value)) throw ERegistryException("Invalid data type for '" + std::string(Name) + "'");
  return static_cast<std::int32_t>(value);
}

void TRegistry::WriteInteger(std::string_view Name, std::int32_t Number) {
  if (open_ < 0 || !writable_) throw ERegistryException("Failed to set data for '" + std::string(Name) + "'");
  char data[16];
  std::snprintf(data, sizeof data, "dword:%08x", static_cast<std::uint32_t>(Number));
  auto& values = keys_[static_cast<std::size_t>(open_)].Values;
  auto it =
      std::find_if(values.begin(), values.end(), [&](const TRegistry::Value& V) { return SameText(V.Name, Name); });
  if (it != values.end()) {
    it->Data = data;
  } else {
    values.push_back(TRegistry::Value{std::string(Name), data});
  }
  changed_ = true;
}

}  // namespace platform
