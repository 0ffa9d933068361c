#include "support/serial_ports.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "platform/core/pseudo_terminal.h"
#include "platform/core/serial_ports.h"

namespace {

TEST(EnumerateComPorts, ListsALinkedPseudoTerminalByItsNumberAndName) {
  char folder[] = "/tmp/veltrosa-enum-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  ::setenv("XDG_RUNTIME_DIR", folder, 1);
  {
    platform::PseudoTerminal pty;
    const std::string link = pty.Publish("bench-gps");
    const std::int32_t number = platform::SerialPortNumber("bench-gps", true);

    support::TIdStringArray ports;
    ASSERT_TRUE(support::EnumerateComPorts(ports));
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(),
                               [](const auto& a, const auto& b) { return a.Id < b.Id; }));
    const auto found = std::find_if(ports.begin(), ports.end(), [&](const auto& p) { return p.Id == number; });
    ASSERT_NE(found, ports.end());
    EXPECT_EQ(found->Str, "bench-gps  -  virtual port");
    EXPECT_EQ(support::ComPortName(number), link);

    pty.Unpublish();
    EXPECT_EQ(support::ComPortName(number), "");
  }
  EXPECT_EQ(support::ComPortName(0), "");
  EXPECT_EQ(support::ComPortName(-3), "");
  EXPECT_EQ(support::ComPortName(1), "/dev/ttyS0");
  std::filesystem::remove_all(folder);
}

}  // namespace
