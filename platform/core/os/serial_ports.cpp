#include "platform/core/os/serial_ports.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/core/os/ui_language.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

// Device families with numbers of their own: name prefix + k (k < 1000)
// is Base + k.
struct Family {
  std::string_view Prefix;
  std::int32_t Base;
};

constexpr std::array<Family, 5> kFamilies{{
    {"ttyS", 1},
    {"ttyUSB", 1001},
    {"ttyACM", 2001},
    {"ttyAMA", 3001},
    {"rfcomm", 4001},
}};
constexpr std::int32_t kFamilySize = 1000;
// Other device names and virtual port names are hashed into ranges of their
// own, above every family.
constexpr std::int32_t kHashedDeviceBase = 10000;
constexpr std::int32_t kHashedDeviceSpan = 0x40000000 - kHashedDeviceBase;
constexpr std::int32_t kVirtualBase = 0x40000000;
constexpr std::int32_t kVirtualSpan = 0x3FFFFFFF;

std::uint32_t Fnv1a(std::string_view Text) {
  std::uint32_t h = 2166136261u;
  for (const char c : Text) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h;
}

// k when name is prefix followed by 1 to 3 decimal digits without a
// leading zero (except "0" itself), else -1.
int FamilyIndex(std::string_view Name, std::string_view Prefix) {
  if (Name.size() <= Prefix.size() || Name.substr(0, Prefix.size()) != Prefix) return -1;
  const std::string_view digits = Name.substr(Prefix.size());
  if (digits.size() > 3 || (digits.size() > 1 && digits[0] == '0')) return -1;
  int k = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return -1;
    k = k * 10 + (c - '0');
  }
  return k;
}

// One line of a small sysfs attribute, without its line end; bounded.
std::string ReadAttribute(const fs::path& File) {
  std::ifstream in(File);
  if (!in) return {};
  std::string line;
  line.resize(256);
  in.read(line.data(), static_cast<std::streamsize>(line.size()));
  line.resize(static_cast<std::size_t>(in.gcount()));
  if (const auto nl = line.find_first_of("\r\n"); nl != std::string::npos) line.resize(nl);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// Maker and product of the USB device an adapter's tty sits below.
std::string UsbDescription(const fs::path& TtyEntry) {
  std::error_code ec;
  fs::path dir = fs::canonical(TtyEntry / "device", ec);
  if (ec) return {};
  for (int depth = 0; depth < 8 && dir.has_relative_path(); ++depth, dir = dir.parent_path()) {
    if (!fs::exists(dir / "idVendor", ec)) continue;
    const std::string maker = ReadAttribute(dir / "manufacturer");
    const std::string product = ReadAttribute(dir / "product");
    if (maker.empty()) return product;
    if (product.empty()) return maker;
    return maker + " " + product;
  }
  return {};
}

bool IsDevicePort(const fs::path& TtyEntry, const std::string& Name) {
  std::error_code ec;
  if (!fs::exists(TtyEntry / "device", ec)) return false;
  // A ttyS port whose UART type is unknown (0) has no hardware behind it.
  if (FamilyIndex(Name, "ttyS") >= 0 && ReadAttribute(TtyEntry / "type") == "0") return false;
  return true;
}

void ListDevices(const SerialPortRoots& Roots, std::vector<SerialPortEntry>& Out) {
  std::error_code ec;
  for (fs::directory_iterator it(Roots.SysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!IsDevicePort(it->path(), name)) continue;
    const fs::path node = fs::path(Roots.Dev) / name;
    if (!fs::exists(node, ec)) continue;
    Out.push_back({SerialPortNumber(name, false), name, node.string(), UsbDescription(it->path()), false});
  }
}

// A real folder (not a link to one) of the user's own that no one else may
// enter: a link another user could put there would be opened as a port.
bool IsPrivateFolder(const fs::path& Dir) {
  struct stat st {};
  return ::lstat(Dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 0077) == 0;
}

void ListVirtual(const SerialPortRoots& Roots, std::vector<SerialPortEntry>& Out) {
  if (Roots.VirtualFolder.empty() || !IsPrivateFolder(Roots.VirtualFolder)) return;
  std::error_code ec;
  for (fs::directory_iterator it(Roots.VirtualFolder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code linkEc;
    if (!it->is_symlink(linkEc)) continue;
    // A link whose pseudo-terminal has gone is no port.
    if (!fs::exists(it->path(), linkEc)) continue;
    const std::string name = it->path().filename().string();
    // Hidden names are links still being put in place.
    if (name.empty() || name[0] == '.') continue;
    Out.push_back({SerialPortNumber(name, true), name, it->path().string(),
                   std::string(GetSystemText(SystemText::VirtualPort)), true});
  }
}

}  // namespace

std::string VirtualPortFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    return (fs::path(runtime) / "veltrosa" / "ports").string();
  }
  return (fs::path("/tmp") / ("veltrosa-" + std::to_string(::getuid())) / "ports").string();
}

std::string EnsureVirtualPortFolder() {
  const fs::path folder = VirtualPortFolder();
  // Each level is made private, so that the fallback below /tmp cannot be
  // prepared by another user.
  for (const fs::path& dir : {folder.parent_path(), folder}) {
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
    if (!IsPrivateFolder(dir)) return {};
  }
  return folder.string();
}

SerialPortRoots DefaultSerialPortRoots() {
  SerialPortRoots roots;
  roots.VirtualFolder = VirtualPortFolder();
  return roots;
}

std::int32_t SerialPortNumber(std::string_view Name, bool IsVirtual) {
  if (Name.empty()) return 0;
  if (IsVirtual) return kVirtualBase + static_cast<std::int32_t>(Fnv1a(Name) % kVirtualSpan);
  for (const Family& family : kFamilies) {
    if (const int k = FamilyIndex(Name, family.Prefix); k >= 0 && k < kFamilySize) return family.Base + k;
  }
  return kHashedDeviceBase + static_cast<std::int32_t>(Fnv1a(Name) % kHashedDeviceSpan);
}

std::vector<SerialPortEntry> ListSerialPorts(const SerialPortRoots& Roots) {
  std::vector<SerialPortEntry> ports;
  ListDevices(Roots, ports);
  ListVirtual(Roots, ports);
  std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& A, const SerialPortEntry& B) {
    return A.Number != B.Number ? A.Number < B.Number : A.Name < B.Name;
  });
  // Two names that hash to one number: the first by name keeps it, so the
  // choice does not depend on the order the folders list them in.
  ports.erase(std::unique(ports.begin(), ports.end(),
                          [](const SerialPortEntry& A, const SerialPortEntry& B) { return A.Number == B.Number; }),
              ports.end());
  return ports;
}

std::string SerialPortPath(std::int32_t Number, const SerialPortRoots& Roots) {
  if (Number < 1) return {};
  for (const Family& family : kFamilies) {
    if (Number >= family.Base && Number < family.Base + kFamilySize) {
      return (fs::path(Roots.Dev) / (std::string(family.Prefix) + std::to_string(Number - family.Base))).string();
    }
  }
  for (const SerialPortEntry& port : ListSerialPorts(Roots)) {
    if (port.Number == Number) return port.Path;
  }
  return {};
}

}  // namespace platform
