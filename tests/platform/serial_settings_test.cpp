#include "platform/core/os/serial_settings.h"

#include <gtest/gtest.h>

#include "platform/core/os/serial_device.h"

namespace {

using platform::DCB;

TEST(BuildCommDCB, ReadsTheSettingsTextAndRefusesWhatItCannotRead) {
  DCB dcb;
  ASSERT_TRUE(platform::BuildCommDCB("baud=4800 parity=N data=8 stop=1", dcb));
  EXPECT_EQ(dcb, (DCB{.BaudRate = 4800, .Flags = platform::kDcbBinary, .ByteSize = 8}));
  ASSERT_TRUE(platform::BuildCommDCB("stop=1.5  data=5 parity=s baud=115200", dcb));
  EXPECT_EQ(dcb, (DCB{.BaudRate = 115200,
                      .Flags = platform::kDcbBinary | platform::kDcbParityCheck,
                      .ByteSize = 5,
                      .Parity = platform::SPACEPARITY,
                      .StopBits = platform::ONE5STOPBITS}));

  const DCB before = dcb;
  for (const char* bad : {"", "parity=N data=8", "baud=0", "baud=48x0", "baud=4800 parity=X", "baud=4800 data=9",
                          "baud=4800 stop=1.0", "baud=4800 speed=1", "baud=4800 parity"}) {
    EXPECT_FALSE(platform::BuildCommDCB(bad, dcb)) << bad;
    EXPECT_EQ(dcb, before) << bad;
  }
}

DCB Settings(const char* Text, std::uint32_t Flags = 0x1001) {
  DCB dcb;
  EXPECT_TRUE(platform::BuildCommDCB(Text, dcb)) << Text;
  dcb.Flags = Flags;
  dcb.XonChar = 17;
  dcb.XoffChar = 19;
  return dcb;
}

TEST(DcbToTermios, GivesRawModeWithTheRequestedFramingOrRefuses) {
  termios tio{};
  std::string error;
  ASSERT_TRUE(platform::DcbToTermios(Settings("baud=4800 parity=N data=8 stop=1"), 6, tio, error)) << error;
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B4800));
  EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD),
            static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
  // Raw: no line editing, echo, signals, CR or LF translation or output
  // processing; readable once six bytes are queued.
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_iflag & (ICRNL | INLCR | IXON | IXOFF), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_cc[VMIN], 6);
  EXPECT_EQ(tio.c_cc[VTIME], 0);

  struct Case {
    const char* Text;
    std::uint32_t Flags;
    tcflag_t Cflags;
    tcflag_t Iflags;
  };
  for (const Case& c : {Case{"baud=38400 parity=O data=7 stop=2", 0x1001, CS7 | PARENB | PARODD | CSTOPB, 0},
                        Case{"baud=38400 parity=E data=6", 0x1001, CS6 | PARENB, 0},
                        Case{"baud=38400 parity=M data=5", 0x1001, CS5 | PARENB | PARODD | CMSPAR, 0},
                        Case{"baud=38400 parity=S", 0x1001, CS8 | PARENB | CMSPAR, 0},
                        Case{"baud=9600", 0x1301, CS8, IXON | IXOFF}, Case{"baud=9600", 0x2005, CS8 | CRTSCTS, 0}}) {
    ASSERT_TRUE(platform::DcbToTermios(Settings(c.Text, c.Flags), 1, tio, error)) << c.Text << ": " << error;
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS), c.Cflags) << c.Text;
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), c.Iflags) << c.Text;
  }

  // 1.5 stop bits, rates without a termios code, the DTR handshake and CTS
  // flow without the RTS handshake have no termios form.
  for (const DCB& dcb : {Settings("baud=4800 stop=1.5"), Settings("baud=4801"), Settings("baud=9600", 0x1025),
                         Settings("baud=9600", 0x1325), Settings("baud=9600", 0x1005)}) {
    error.clear();
    EXPECT_FALSE(platform::DcbToTermios(dcb, 1, tio, error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
