#include "platform/core/serial_settings.h"

#include <gtest/gtest.h>

#include "platform/core/serial_device.h"

namespace {

using platform::DCB;

TEST(BuildCommDCB, ReadsEveryValueOfTheSettingsText) {
  DCB dcb;
  ASSERT_TRUE(platform::BuildCommDCB("baud=4800 parity=N data=8 stop=1", dcb));
  EXPECT_EQ(dcb.BaudRate, 4800u);
  EXPECT_EQ(dcb.Parity, platform::NOPARITY);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.StopBits, platform::ONESTOPBIT);
  EXPECT_EQ(dcb.Flags, platform::kDcbBinary);

  ASSERT_TRUE(platform::BuildCommDCB("stop=1.5  data=5 parity=s baud=115200", dcb));
  EXPECT_EQ(dcb.BaudRate, 115200u);
  EXPECT_EQ(dcb.Parity, platform::SPACEPARITY);
  EXPECT_EQ(dcb.ByteSize, 5);
  EXPECT_EQ(dcb.StopBits, platform::ONE5STOPBITS);
  EXPECT_EQ(dcb.Flags, platform::kDcbBinary | platform::kDcbParityCheck);

  const char* parities = "NOEMS";
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(platform::BuildCommDCB(std::string("baud=9600 parity=") + parities[i], dcb));
    EXPECT_EQ(dcb.Parity, i);
  }
  ASSERT_TRUE(platform::BuildCommDCB("baud=9600 stop=2", dcb));
  EXPECT_EQ(dcb.StopBits, platform::TWOSTOPBITS);
}

TEST(BuildCommDCB, RefusesWhatItCannotReadAndKeepsTheRecord) {
  DCB dcb;
  ASSERT_TRUE(platform::BuildCommDCB("baud=4800 parity=N data=8 stop=1", dcb));
  const DCB before = dcb;
  for (const char* bad : {"", "parity=N data=8 stop=1", "baud=0", "baud=48x0", "baud=4800 parity=X",
                          "baud=4800 data=9", "baud=4800 data=4", "baud=4800 stop=3", "baud=4800 stop=1.0",
                          "baud=4800 speed=1", "baud=4800 parity"}) {
    EXPECT_FALSE(platform::BuildCommDCB(bad, dcb)) << bad;
    EXPECT_EQ(dcb, before) << bad;
  }
}

DCB Settings(const char* text, std::uint32_t flags = 0x1001) {
  DCB dcb;
  EXPECT_TRUE(platform::BuildCommDCB(text, dcb)) << text;
  dcb.Flags = flags;
  dcb.XonChar = 17;
  dcb.XoffChar = 19;
  return dcb;
}

TEST(DcbToTermios, GivesRawModeWithTheRequestedFraming) {
  termios tio{};
  std::string error;
  ASSERT_TRUE(platform::DcbToTermios(Settings("baud=4800 parity=N data=8 stop=1"), 6, tio, error)) << error;
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B4800));
  EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B4800));
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
  EXPECT_NE(tio.c_cflag & CREAD, 0u);
  // Raw: no line editing, echo, signals, translation of CR or LF, or output
  // processing.
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(tio.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_cc[VMIN], 6);
  EXPECT_EQ(tio.c_cc[VTIME], 0);

  struct Case {
    const char* text;
    tcflag_t cflags;
  };
  for (const Case& c : {Case{"baud=38400 parity=O data=7 stop=2", CS7 | PARENB | PARODD | CSTOPB},
                        Case{"baud=38400 parity=E data=6 stop=1", CS6 | PARENB},
                        Case{"baud=38400 parity=M data=5 stop=1", CS5 | PARENB | PARODD | CMSPAR},
                        Case{"baud=38400 parity=S data=8 stop=1", CS8 | PARENB | CMSPAR}}) {
    ASSERT_TRUE(platform::DcbToTermios(Settings(c.text), 1, tio, error)) << c.text << ": " << error;
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.cflags) << c.text;
  }
}

TEST(DcbToTermios, MapsSoftwareFlowControlAndRefusesWhatTermiosLacks) {
  termios tio{};
  std::string error;
  ASSERT_TRUE(platform::DcbToTermios(Settings("baud=9600", 0x1301), 1, tio, error)) << error;
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  EXPECT_EQ(tio.c_cc[VSTART], 17);
  EXPECT_EQ(tio.c_cc[VSTOP], 19);

  // 1.5 stop bits, rates without a termios code, the DTR handshake and CTS
  // flow control without the RTS handshake have no termios form.
  for (const DCB& dcb : {Settings("baud=4800 stop=1.5"), Settings("baud=4801"), Settings("baud=9600", 0x1025),
                         Settings("baud=9600", 0x1325), Settings("baud=9600", 0x1005)}) {
    error.clear();
    EXPECT_FALSE(platform::DcbToTermios(dcb, 1, tio, error));
    EXPECT_FALSE(error.empty());
  }
  error.clear();
  EXPECT_FALSE(platform::DcbToTermios(Settings("baud=4800 stop=1.5"), 1, tio, error));
  EXPECT_EQ(error, "1.5 stop bits are not supported");

  // CTS flow with the RTS handshake is what termios calls CRTSCTS.
  ASSERT_TRUE(platform::DcbToTermios(Settings("baud=9600", 0x2005), 1, tio, error)) << error;
  EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
}

}  // namespace
