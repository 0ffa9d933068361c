#include "platform/core/os/registry.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/core/os/registry_text.h"

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

// The lines of a text, broken at CR LF, CR or LF.
class TLines {
 public:
  explicit TLines(std::string_view Text) : text_(Text) {}
  std::optional<std::string_view> Next() {
    if (pos_ >= text_.size()) return std::nullopt;
    std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = text_.size();
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    return line;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The next line of the file, joined with the lines that continue it: a value
// goes on over lines that end in a backslash, up to the end of the file.
std::optional<std::string> NextLine(TLines& Lines) {
  const std::optional<std::string_view> first = Lines.Next();
  if (!first) return std::nullopt;
  std::string line(Trim(*first));
  while (line.ends_with('\\') && line.find('=') != std::string::npos) {
    line.pop_back();
    if (const std::optional<std::string_view> next = Lines.Next()) line += Trim(*next);
    line = std::string(Trim(line));
  }
  return line;
}

// How reading the whole file went.
enum class TFileRead { Read, Missing, Failed };

TFileRead ReadFile(const std::string& FileName, std::string& Bytes) {
  Bytes.clear();
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? TFileRead::Missing : TFileRead::Failed;
  char buffer[8192];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (n > 0) {
      Bytes.append(buffer, static_cast<std::size_t>(n));
    } else if (errno != EINTR) {
      break;
    }
  }
  ::close(fd);
  return n == 0 ? TFileRead::Read : TFileRead::Failed;
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

// A name or a text between quotes, with backslashes and quotes escaped.
std::string QuoteName(std::string_view Name) {
  std::string out = "\"";
  for (const char c : Name) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// A name the file holds as it is. A line break would end the name's line
// and leave the rest of it to be read as lines of their own, perhaps as
// another key or value; bytes that are not UTF-8 would come back as other
// characters, perhaps as the name of another value.
bool IsStorableName(std::string_view Name) {
  return Name.find_first_of("\r\n") == std::string_view::npos && IsUtf8(Name);
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
  damaged_ = false;
  std::string bytes;
  const TFileRead read = ReadFile(fileName_, bytes);
  if (read != TFileRead::Read) {
    damaged_ = read == TFileRead::Failed;
    return false;
  }
  const TRegistryText decoded = DecodeRegistryText(bytes);
  bool whole = decoded.Whole;
  bool headerSeen = false;
  Key* key = nullptr;
  TLines lines(decoded.Text);
  while (const std::optional<std::string> line = NextLine(lines)) {
    if (line->empty() || line->starts_with(";")) continue;
    if (!headerSeen) {
      if (*line != kHeader && *line != kOldHeader) {
        damaged_ = true;
        return false;
      }
      headerSeen = true;
      continue;
    }
    if (line->starts_with("[") && line->ends_with("]")) {
      const std::string_view path = std::string_view(*line).substr(1, line->size() - 2);
      key = nullptr;
      if (path.empty() || path.starts_with("-")) {
        whole = false;
        continue;
      }
      key = FindKey(path);
      if (!key) key = &keys_.emplace_back(Key{std::string(path), {}});
      continue;
    }
    std::string name;
    std::string_view data;
    if (!key || !SplitValueLine(*line, name, data) || data == "-") {
      whole = false;
      continue;
    }
    auto it =
        std::find_if(key->Values.begin(), key->Values.end(), [&](const Value& V) { return SameText(V.Name, name); });
    if (it != key->Values.end()) {
      it->Data = std::string(data);
    } else {
      key->Values.push_back(Value{std::move(name), std::string(data)});
    }
  }
  damaged_ = !whole;
  return headerSeen;
}

bool TRegistry::Save() {
  std::string text = std::string(kHeader) + "\r\n\r\n";
  for (const Key& key : keys_) {
    text += "[" + key.Path + "]\r\n";
    for (const Value& v : key.Values) text += (v.Name.empty() ? "@" : QuoteName(v.Name)) + "=" + v.Data + "\r\n";
    text += "\r\n";
  }
  const std::string bytes = EncodeRegistryText(text);

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
  ok = ok && (!damaged_ || KeepDamagedFile());
  ok = ok && std::rename(temp.c_str(), fileName_.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  if (ok) damaged_ = false;
  return ok;
}

// A second name for the file as it stands, so that the rename that follows
// leaves it in place for the user; a copy where the file system has no
// hard links.
bool TRegistry::KeepDamagedFile() const {
  const std::string kept = DamagedFileName();
  if (::unlink(kept.c_str()) != 0 && errno != ENOENT) return false;
  if (::link(fileName_.c_str(), kept.c_str()) == 0) return true;
  // Gone since it was read: nothing is left to keep.
  if (errno == ENOENT) return true;
  std::error_code ec;
  return fs::copy_file(fileName_, kept, fs::copy_options::overwrite_existing, ec);
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
  if (!IsStorableName(KeyPath)) return false;
  // A file that cannot be read whole is written afresh at CloseKey, the old
  // one kept beside it.
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
  char data[16];
  std::snprintf(data, sizeof data, "dword:%08x", static_cast<std::uint32_t>(Number));
  WriteData(Name, data);
}

std::string TRegistry::ReadString(std::string_view Name) const {
  const Value* v = FindValue(Name);
  if (!v || v->Data.size() < 2 || !v->Data.starts_with('"') || !v->Data.ends_with('"')) {
    throw ERegistryException("Invalid data type for '" + std::string(Name) + "'");
  }
  std::string text;
  for (std::size_t i = 1; i + 1 < v->Data.size(); ++i) {
    if (v->Data[i] == '\\' && i + 2 < v->Data.size()) ++i;
    text.push_back(v->Data[i]);
  }
  return text;
}

void TRegistry::WriteString(std::string_view Name, std::string_view Text) {
  if (!IsStorableName(Text)) {
    throw ERegistryException("A text with a line break or with bytes that are not UTF-8 cannot be stored in '" +
                             std::string(Name) + "'");
  }
  WriteData(Name, QuoteName(Text));
}

void TRegistry::WriteData(std::string_view Name, std::string Data) {
  if (open_ < 0 || !writable_) throw ERegistryException("Failed to set data for '" + std::string(Name) + "'");
  if (!IsStorableName(Name)) {
    throw ERegistryException("A value name with a line break or with bytes that are not UTF-8 cannot be stored");
  }
  auto& values = keys_[static_cast<std::size_t>(open_)].Values;
  auto it =
      std::find_if(values.begin(), values.end(), [&](const TRegistry::Value& V) { return SameText(V.Name, Name); });
  if (it != values.end()) {
    it->Data = std::move(Data);
  } else {
    values.push_back(TRegistry::Value{std::string(Name), std::move(Data)});
  }
  changed_ = true;
}

}  // namespace platform
