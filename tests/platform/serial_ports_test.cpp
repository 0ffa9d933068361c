#include "platform/core/os/serial_ports.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/scoped_env.h"

namespace {
namespace fs = std::filesystem;
using platform::SerialPortNumber;

void Write(const fs::path& File, const std::string& Text) {
  fs::create_directories(File.parent_path());
  std::ofstream(File) << Text;
}

TEST(SerialPorts, NumbersFollowFromTheNameAlone) {
  EXPECT_EQ(SerialPortNumber("ttyS0", false), 1);
  EXPECT_EQ(SerialPortNumber("ttyUSB3", false), 1004);
  EXPECT_EQ(SerialPortNumber("ttyACM1", false), 2002);
  EXPECT_EQ(SerialPortNumber("", false), 0);
  // Names a family cannot number are hashed above the families; virtual
  // ports into a range of their own, even under a device's name.
  for (const char* name : {"ttymxc0", "ttyS1000", "ttyUSB01"}) {
    EXPECT_GE(SerialPortNumber(name, false), 10000) << name;
    EXPECT_LT(SerialPortNumber(name, false), 0x40000000) << name;
  }
  EXPECT_NE(SerialPortNumber("ttymxc0", false), SerialPortNumber("ttymxc1", false));
  EXPECT_GE(SerialPortNumber("ttyS0", true), 0x40000000);
}

TEST(SerialPorts, ListsRealDevicesWithTheirUsbMakerAndVirtualPorts) {
  char pattern[] = "/tmp/veltrosa-ports-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path root = pattern;
  const platform::SerialPortRoots roots{(root / "class").string(), (root / "dev").string(), (root / "ports").string()};
  fs::create_directories(roots.VirtualFolder);
  fs::permissions(roots.VirtualFolder, fs::perms::owner_all, fs::perm_options::replace);
  const auto addTty = [&](const std::string& Name, const fs::path& Device, const std::string& UartType) {
    const fs::path entry = fs::path(roots.SysClassTty) / Name;
    fs::create_directories(entry);
    if (!Device.empty()) {
      fs::create_directories(Device);
      fs::create_directory_symlink(Device, entry / "device");
    }
    if (!UartType.empty()) Write(entry / "type", UartType + "\n");
    Write(fs::path(roots.Dev) / Name, "");
  };
  addTty("ttyS0", root / "devices/pnp0/00:01", "4");
  addTty("ttyS1", root / "devices/platform/serial8250", "0");  // no UART behind it
  addTty("tty1", "", "");                                      // a console
  const fs::path usb = root / "devices/pci0/usb1/1-1";
  Write(usb / "idVendor", "0403\n");
  Write(usb / "manufacturer", "FTDI\n");
  Write(usb / "product", "FT232R USB UART\n");
  addTty("ttyUSB0", usb / "1-1:1.0/ttyUSB0", "");
  fs::create_symlink(fs::path(roots.Dev) / "ttyS0", fs::path(roots.VirtualFolder) / "dst");
  fs::create_symlink(root / "gone", fs::path(roots.VirtualFolder) / "stale");

  const auto ports = platform::ListSerialPorts(roots);
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0].Name, "ttyS0");
  EXPECT_EQ(ports[0].Description, "");
  EXPECT_EQ(ports[1].Name, "ttyUSB0");
  EXPECT_EQ(ports[1].Description, "FTDI FT232R USB UART");
  EXPECT_EQ(ports[2].Name, "dst");
  EXPECT_EQ(ports[2].Description, "virtual port");

  // Family numbers lead to their device by rule, even an absent one; hashed
  // numbers only while their port is there.
  EXPECT_EQ(platform::SerialPortPath(1001, roots), ports[1].Path);
  EXPECT_EQ(platform::SerialPortPath(1005, roots), roots.Dev + "/ttyUSB4");
  EXPECT_EQ(platform::SerialPortPath(ports[2].Number, roots), roots.VirtualFolder + "/dst");
  EXPECT_EQ(platform::SerialPortPath(SerialPortNumber("stale", true), roots), "");
  fs::remove_all(root);
}

TEST(SerialPorts, VirtualPortsAreListedOnlyFromAFolderOfTheUsersOwnClosedToOthers) {
  char pattern[] = "/tmp/veltrosa-ports-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path root = pattern;
  const fs::path folder = root / "ports";
  fs::create_directories(folder);
  std::ofstream(root / "pty");
  fs::create_symlink(root / "pty", folder / "dst");
  const auto listed = [](const fs::path& VirtualFolder) {
    const platform::SerialPortRoots roots{"", "", VirtualFolder.string()};
    return platform::ListSerialPorts(roots).size();
  };

  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(listed(folder), 1u);
  for (const fs::perms open : {fs::perms::others_write, fs::perms::group_write, fs::perms::others_read}) {
    fs::permissions(folder, fs::perms::owner_all | open, fs::perm_options::replace);
    EXPECT_EQ(listed(folder), 0u) << static_cast<int>(open);
  }
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
  // A link to the folder could be turned to another one at any time.
  fs::create_directory_symlink(folder, root / "elsewhere");
  EXPECT_EQ(listed(root / "elsewhere"), 0u);
  // A folder of another user (only root can hand one over).
  if (::chown(folder.c_str(), ::getuid() + 1, static_cast<gid_t>(-1)) == 0) {
    EXPECT_EQ(listed(folder), 0u);
  }
  fs::remove_all(root);
}

TEST(SerialPorts, VirtualPortsLiveInAPrivateRuntimeFolder) {
  // The runtime folder comes back as it was, so that the tests after this one
  // (and what Qt or D-Bus make there) do not land in a removed folder or /tmp.
  const support::testing::TScopedEnv restored("XDG_RUNTIME_DIR", std::nullopt);
  EXPECT_EQ(platform::VirtualPortFolder(), "/tmp/veltrosa-" + std::to_string(::getuid()) + "/ports");
  char pattern[] = "/tmp/veltrosa-runtime-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  ::setenv("XDG_RUNTIME_DIR", pattern, 1);
  const std::string folder = platform::EnsureVirtualPortFolder();
  EXPECT_EQ(folder, std::string(pattern) + "/veltrosa/ports");
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  // A folder others may write to is not trusted.
  fs::permissions(folder, fs::perms::others_write, fs::perm_options::add);
  EXPECT_EQ(platform::EnsureVirtualPortFolder(), "");
  fs::remove_all(pattern);
}

}  // namespace
