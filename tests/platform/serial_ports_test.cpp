#include "platform/core/serial_ports.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;
using platform::SerialPortNumber;

// A fake /sys/class/tty and /dev beside a virtual port folder.
class FakeMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/veltrosa-ports-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    roots_.SysClassTty = (root_ / "sys/class/tty").string();
    roots_.Dev = (root_ / "dev").string();
    roots_.VirtualFolder = (root_ / "ports").string();
    for (const auto& dir : {roots_.SysClassTty, roots_.Dev, roots_.VirtualFolder}) fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(root_); }

  static void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }

  // A tty entry; with a device folder unless device is empty.
  void AddTty(const std::string& name, const fs::path& device, const std::string& uartType = "") {
    const fs::path entry = fs::path(roots_.SysClassTty) / name;
    fs::create_directories(entry);
    if (!device.empty()) {
      fs::create_directories(device);
      fs::create_directory_symlink(device, entry / "device");
    }
    if (!uartType.empty()) Write(entry / "type", uartType + "\n");
    Write(fs::path(roots_.Dev) / name, "");
  }

  fs::path root_;
  platform::SerialPortRoots roots_;
};

TEST(SerialPortNumber, FollowsFromTheNameAlone) {
  EXPECT_EQ(SerialPortNumber("ttyS0", false), 1);
  EXPECT_EQ(SerialPortNumber("ttyS12", false), 13);
  EXPECT_EQ(SerialPortNumber("ttyUSB0", false), 1001);
  EXPECT_EQ(SerialPortNumber("ttyUSB3", false), 1004);
  EXPECT_EQ(SerialPortNumber("ttyACM1", false), 2002);
  EXPECT_EQ(SerialPortNumber("ttyAMA0", false), 3001);
  EXPECT_EQ(SerialPortNumber("rfcomm2", false), 4003);
  EXPECT_EQ(SerialPortNumber("", false), 0);

  // Other names, and names a family cannot number, are hashed above the
  // families; virtual ports into a range of their own, even under a
  // device's name.
  for (const char* name : {"ttymxc0", "ttyS1000", "ttyUSB01", "ttySAC2"}) {
    const auto n = SerialPortNumber(name, false);
    EXPECT_GE(n, 10000) << name;
    EXPECT_LT(n, 0x40000000) << name;
    EXPECT_EQ(n, SerialPortNumber(name, false)) << name;
  }
  EXPECT_NE(SerialPortNumber("ttymxc0", false), SerialPortNumber("ttymxc1", false));
  for (const char* name : {"dst", "gps", "ttyS0"}) {
    EXPECT_GE(SerialPortNumber(name, true), 0x40000000) << name;
    EXPECT_LE(SerialPortNumber(name, true), 0x7FFFFFFE) << name;
  }
}

TEST_F(FakeMachine, ListsRealDevicesWithTheirUsbMakerAndVirtualPorts) {
  const fs::path devices = root_ / "sys/devices";
  AddTty("ttyS0", devices / "pnp0/00:01", "4");
  AddTty("ttyS1", devices / "platform/serial8250", "0");  // no UART behind it
  AddTty("tty1", "");                                       // a console
  const fs::path usb = devices / "pci0/usb1/1-1";
  Write(usb / "idVendor", "0403\n");
  Write(usb / "manufacturer", "FTDI\n");
  Write(usb / "product", "FT232R USB UART\n");
  AddTty("ttyUSB0", usb / "1-1:1.0/ttyUSB0");
  AddTty("ttymxc2", devices / "soc/serial");

  fs::create_symlink(fs::path(roots_.Dev) / "ttyS0", fs::path(roots_.VirtualFolder) / "dst");
  fs::create_symlink(root_ / "gone", fs::path(roots_.VirtualFolder) / "stale");
  Write(fs::path(roots_.VirtualFolder) / "plainfile", "");

  const auto ports = platform::ListSerialPorts(roots_);
  ASSERT_EQ(ports.size(), 4u);
  EXPECT_EQ(ports[0].Name, "ttyS0");
  EXPECT_EQ(ports[0].Number, 1);
  EXPECT_EQ(ports[0].Description, "");
  EXPECT_EQ(ports[1].Name, "ttyUSB0");
  EXPECT_EQ(ports[1].Number, 1001);
  EXPECT_EQ(ports[1].Description, "FTDI FT232R USB UART");
  EXPECT_EQ(ports[1].Path, (fs::path(roots_.Dev) / "ttyUSB0").string());
  EXPECT_EQ(ports[2].Name, "ttymxc2");
  EXPECT_EQ(ports[3].Name, "dst");
  EXPECT_TRUE(ports[3].Virtual);
  EXPECT_EQ(ports[3].Path, (fs::path(roots_.VirtualFolder) / "dst").string());
  for (std::size_t i = 1; i < ports.size(); ++i) EXPECT_LT(ports[i - 1].Number, ports[i].Number);

  // Numbers lead back to the paths: families by rule, even for an absent
  // device; hashed and virtual numbers only while their port is present.
  EXPECT_EQ(platform::SerialPortPath(1001, roots_), ports[1].Path);
  EXPECT_EQ(platform::SerialPortPath(1005, roots_), (fs::path(roots_.Dev) / "ttyUSB4").string());
  EXPECT_EQ(platform::SerialPortPath(ports[2].Number, roots_), ports[2].Path);
  EXPECT_EQ(platform::SerialPortPath(ports[3].Number, roots_), ports[3].Path);
  EXPECT_EQ(platform::SerialPortPath(SerialPortNumber("stale", true), roots_), "");
  EXPECT_EQ(platform::SerialPortPath(0, roots_), "");
}

TEST(VirtualPortFolder, UsesTheRuntimeFolderOrAPrivateFallback) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string keep = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
  EXPECT_EQ(platform::VirtualPortFolder(), "/run/user/4242/veltrosa/ports");
  ::unsetenv("XDG_RUNTIME_DIR");
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

  if (saved) {
    ::setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
}

}  // namespace
