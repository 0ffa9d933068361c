#include "platform/core/serial_device.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "platform/core/pseudo_terminal.h"

namespace {

using platform::SerialProbe;

platform::DCB Line(const char* text) {
  platform::DCB dcb;
  EXPECT_TRUE(platform::BuildCommDCB(text, dcb));
  dcb.Flags = 0x1001;
  return dcb;
}

std::string ReadMaster(int fd, std::size_t want, int ms = 2000) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (got.size() < want && std::chrono::steady_clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char buf[256];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

bool Readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms) > 0 && (p.revents & POLLIN);
}

TEST(SerialDevice, OpensExclusivelyAndProbesAccordingly) {
  platform::PseudoTerminal pty;
  EXPECT_EQ(platform::ProbeSerialDevice(pty.DevicePath()), SerialProbe::Available);
  EXPECT_EQ(platform::ProbeSerialDevice("/dev/pts/999999"), SerialProbe::Absent);
  EXPECT_EQ(platform::ProbeSerialDevice(""), SerialProbe::Absent);

  platform::SerialDevice first;
  ASSERT_TRUE(first.Open(pty.DevicePath())) << first.LastError();
  EXPECT_EQ(platform::ProbeSerialDevice(pty.DevicePath()), SerialProbe::Busy);
  platform::SerialDevice second;
  EXPECT_FALSE(second.Open(pty.DevicePath()));
  EXPECT_NE(second.LastError().find("in use"), std::string::npos) << second.LastError();
  first.Close();
  EXPECT_EQ(platform::ProbeSerialDevice(pty.DevicePath()), SerialProbe::Available);
  EXPECT_TRUE(second.Open(pty.DevicePath())) << second.LastError();

  platform::SerialDevice notSerial;
  EXPECT_FALSE(notSerial.Open("/dev/null"));
  EXPECT_FALSE(notSerial.IsOpen());
}

TEST(SerialDevice, PassesBytesUnchangedAndWakesOnlyAtTheThreshold) {
  platform::PseudoTerminal pty;
  platform::SerialDevice dev;
  ASSERT_TRUE(dev.Open(pty.DevicePath()));
  ASSERT_TRUE(dev.Configure(Line("baud=4800 parity=N data=8 stop=1"), 6)) << dev.LastError();

  // Control characters that a cooked line would act on.
  const std::string sent = "$A\r\n\x03\x04\x11\x13\x7F\xFF";
  ASSERT_TRUE(dev.Write(sent.data(), sent.size(), 1000)) << dev.LastError();
  EXPECT_EQ(ReadMaster(pty.MasterFd(), sent.size()), sent);

  ASSERT_EQ(::write(pty.MasterFd(), "12345", 5), 5);
  EXPECT_FALSE(Readable(dev.Fd(), 100));
  EXPECT_EQ(dev.QueuedInput(), 5);
  ASSERT_EQ(::write(pty.MasterFd(), "\r", 1), 1);
  EXPECT_TRUE(Readable(dev.Fd(), 1000));
  char buf[16];
  ASSERT_EQ(dev.Read(buf, sizeof buf), 6);
  EXPECT_EQ(std::string(buf, 6), "12345\r");

  ASSERT_EQ(::write(pty.MasterFd(), "xyz", 3), 3);
  EXPECT_TRUE(ReadMaster(pty.MasterFd(), 1, 100).empty());  // no echo came back
  dev.Purge(true, false);
  EXPECT_EQ(dev.QueuedInput(), 0);
}

TEST(SerialDevice, RefusesSettingsTheDeviceDropsAndKeepsTheOldOnes) {
  platform::PseudoTerminal pty;
  platform::SerialDevice dev;
  ASSERT_TRUE(dev.Open(pty.DevicePath()));
  ASSERT_TRUE(dev.Configure(Line("baud=38400 parity=N data=8 stop=1"), 6));
  // A pseudo-terminal has no parity and only 8 data bits.
  EXPECT_FALSE(dev.Configure(Line("baud=38400 parity=E data=7 stop=1"), 6));
  EXPECT_FALSE(dev.LastError().empty());
  termios now{};
  ASSERT_EQ(::tcgetattr(dev.Fd(), &now), 0);
  EXPECT_EQ(cfgetospeed(&now), static_cast<speed_t>(B38400));
  EXPECT_EQ(now.c_cc[VMIN], 6);
  EXPECT_FALSE(dev.Configure(Line("baud=4800 stop=1.5"), 6));
  EXPECT_EQ(dev.LastError(), "1.5 stop bits are not supported");
}

TEST(SerialDevice, AWriteNobodyTakesGivesUpAfterItsTimeLimit) {
  platform::PseudoTerminal pty;
  platform::SerialDevice dev;
  ASSERT_TRUE(dev.Open(pty.DevicePath()));
  ASSERT_TRUE(dev.Configure(Line("baud=4800 parity=N data=8 stop=1"), 1));
  const std::string block(4096, 'x');
  const auto start = std::chrono::steady_clock::now();
  bool ok = true;
  for (int i = 0; i < 64 && ok; ++i) ok = dev.Write(block.data(), block.size(), 200);
  const auto spent = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(ok);
  EXPECT_LT(spent, std::chrono::seconds(5));
  EXPECT_NE(dev.LastError().find("in time"), std::string::npos) << dev.LastError();

  pty.CloseMaster();
  EXPECT_FALSE(dev.Write("x", 1, 200));
}

}  // namespace
