#include "platform/core/os/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

namespace platform {
namespace {

struct RateEntry {
  std::uint32_t Rate;
  speed_t Code;
};

constexpr RateEntry kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

// The flag bits that termios can honour; anything else is refused.
constexpr std::uint32_t kSupportedFlags = kDcbBinary | kDcbParityCheck | kDcbOutxCtsFlow | kDcbDtrEnable |
                                          kDcbTxContinueOnXoff | kDcbOutX | kDcbInX | kDcbRtsEnable | kDcbRtsHandshake;

constexpr tcflag_t kComparedCflags = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
constexpr tcflag_t kComparedIflags = IXON | IXOFF | INPCK;

std::string Hex(std::uint32_t Value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(Value));
  return text;
}

std::string Errno(const std::string& What, int Err) { return What + ": " + std::strerror(Err); }

}  // namespace

bool DcbToTermios(const DCB& Dcb, int MinBytes, termios& Tio, std::string& Error) {
  const auto* rate =
      std::find_if(std::begin(kRates), std::end(kRates), [&](const RateEntry& E) { return E.Rate == Dcb.BaudRate; });
  if (rate == std::end(kRates)) {
    Error = "baud rate " + std::to_string(Dcb.BaudRate) + " is not supported";
    return false;
  }
  if (Dcb.ByteSize < 5 || Dcb.ByteSize > 8) {
    Error = std::to_string(Dcb.ByteSize) + " data bits are not supported";
    return false;
  }
  if (Dcb.StopBits == ONE5STOPBITS) {
    Error = "1.5 stop bits are not supported";
    return false;
  }
  if (Dcb.StopBits > TWOSTOPBITS || Dcb.Parity > SPACEPARITY) {
    Error = "invalid stop bits or parity";
    return false;
  }
  if (const std::uint32_t unsupported = Dcb.Flags & ~kSupportedFlags; unsupported != 0) {
    Error = "line setting flags " + Hex(unsupported) + " (DTR or DSR handshake, DSR flow, RTS toggle or " +
            "error handling) are not supported";
    return false;
  }
  // termios couples CTS output flow control with RTS input flow control.
  const bool ctsFlow = (Dcb.Flags & kDcbOutxCtsFlow) != 0;
  const bool rtsHandshake = (Dcb.Flags & kDcbRtsControlMask) == kDcbRtsHandshake;
  if (ctsFlow != rtsHandshake) {
    Error = "CTS flow control is supported only together with the RTS handshake";
    return false;
  }

  Tio = termios{};
  cfmakeraw(&Tio);
  Tio.c_cflag |= CLOCAL | CREAD;
  Tio.c_cflag &= ~CSIZE;
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  Tio.c_cflag |= kSizes[Dcb.ByteSize - 5];
  switch (Dcb.Parity) {
    case ODDPARITY:
      Tio.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      Tio.c_cflag |= PARENB;
      break;
    case MARKPARITY:
      Tio.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case SPACEPARITY:
      Tio.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  if ((Dcb.Flags & kDcbParityCheck) && Dcb.Parity != NOPARITY) Tio.c_iflag |= INPCK;
  if (Dcb.StopBits == TWOSTOPBITS) Tio.c_cflag |= CSTOPB;
  if (ctsFlow) Tio.c_cflag |= CRTSCTS;
  if (Dcb.Flags & kDcbOutX) Tio.c_iflag |= IXON;
  if (Dcb.Flags & kDcbInX) Tio.c_iflag |= IXOFF;
  // The limits XonLim and XoffLim belong to the driver's own buffer on Linux
  // and cannot be set; the characters can.
  if (Dcb.Flags & (kDcbOutX | kDcbInX)) {
    Tio.c_cc[VSTART] = static_cast<cc_t>(Dcb.XonChar);
    Tio.c_cc[VSTOP] = static_cast<cc_t>(Dcb.XoffChar);
  }
  // With VTIME 0 the device reports readable only once VMIN bytes are
  // queued, so a reader waiting in poll sleeps until a whole chunk is there.
  Tio.c_cc[VMIN] = static_cast<cc_t>(std::clamp(MinBytes, 1, 255));
  Tio.c_cc[VTIME] = 0;
  cfsetispeed(&Tio, rate->Code);
  cfsetospeed(&Tio, rate->Code);
  return true;
}

SerialProbe ProbeSerialDevice(const std::string& Path) {
  if (Path.empty()) return SerialProbe::Absent;
  const int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? SerialProbe::Absent : SerialProbe::Busy;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return locked ? SerialProbe::Available : SerialProbe::Busy;
}

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::Fail(std::string What) {
  lastError_ = std::move(What);
  return false;
}

bool SerialDevice::Open(const std::string& Path) {
  Close();
  if (Path.empty()) return Fail("no device for this port");
  const int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(Errno(Path, errno));
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    return Fail(err == EWOULDBLOCK ? Path + ": in use by another program" : Errno(Path, err));
  }
  termios current{};
  if (::tcgetattr(fd, &current) != 0) {
    const int err = errno;
    ::close(fd);
    return Fail(Errno(Path + " is not a serial device", err));
  }
  // Keeps other openers out where the driver allows it; the lock above
  // covers the cases where it does not (privileged openers).
  ::ioctl(fd, TIOCEXCL);
  fd_ = fd;
  lastError_.clear();
  TakeLineErrors();
  return true;
}

void SerialDevice::Close() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

bool SerialDevice::Configure(const DCB& Dcb, int MinBytes) {
  if (fd_ < 0) return Fail("device not open");
  termios wanted{};
  std::string reason;
  if (!DcbToTermios(Dcb, MinBytes, wanted, reason)) return Fail(reason);
  termios previous{};
  if (::tcgetattr(fd_, &previous) != 0) return Fail(Errno("reading line settings", errno));
  if (::tcsetattr(fd_, TCSANOW, &wanted) != 0) return Fail(Errno("applying line settings", errno));
  // tcsetattr succeeds when any part was applied; drivers quietly drop what
  // their hardware lacks (a pseudo-terminal keeps 8 data bits and no
  // parity), so compare what the device now holds.
  termios applied{};
  const bool readBack = ::tcgetattr(fd_, &applied) == 0;
  if (!readBack || (applied.c_cflag & kComparedCflags) != (wanted.c_cflag & kComparedCflags) ||
      (applied.c_iflag & kComparedIflags) != (wanted.c_iflag & kComparedIflags) ||
      cfgetospeed(&applied) != cfgetospeed(&wanted)) {
    ::tcsetattr(fd_, TCSANOW, &previous);
    return Fail("the device does not support these line settings");
  }
  // The modem control lines as the flag word asks; devices without them
  // (pseudo-terminals) refuse the request, which is harmless.
  int dtr = TIOCM_DTR;
  ::ioctl(fd_, (Dcb.Flags & kDcbDtrEnable) ? TIOCMBIS : TIOCMBIC, &dtr);
  if ((Dcb.Flags & kDcbRtsControlMask) != kDcbRtsHandshake) {
    int rts = TIOCM_RTS;
    ::ioctl(fd_, (Dcb.Flags & kDcbRtsEnable) ? TIOCMBIS : TIOCMBIC, &rts);
  }
  return true;
}

int SerialDevice::QueuedInput() const {
  int count = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &count) != 0) return 0;
  return count;
}

int SerialDevice::QueuedOutput() const {
  int count = 0;
  if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &count) != 0) return 0;
  return count;
}

std::uint32_t SerialDevice::TakeLineErrors() {
  serial_icounter_struct now{};
  if (fd_ < 0 || ::ioctl(fd_, TIOCGICOUNT, &now) != 0) return 0;
  const int counts[5] = {now.buf_overrun, now.overrun, now.parity, now.frame, now.brk};
  static constexpr std::uint32_t kBits[5] = {kLineErrorRxOver, kLineErrorOverrun, kLineErrorParity, kLineErrorFrame,
                                             kLineErrorBreak};
  std::uint32_t errors = 0;
  for (int i = 0; i < 5; ++i) {
    if (counts[i] != counted_[i]) errors |= kBits[i];
    counted_[i] = counts[i];
  }
  return errors;
}

long SerialDevice::Read(void* Buffer, std::size_t Count) {
  if (fd_ < 0) return -1;
  std::size_t done = 0;
  auto* out = static_cast<char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::read(fd_, out + done, Count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN) {
      break;
    } else {
      return done > 0 ? static_cast<long>(done) : -1;
    }
  }
  return static_cast<long>(done);
}

bool SerialDevice::Write(const void* Data, std::size_t Count, int TimeoutMs, int CancelFd) {
  if (fd_ < 0) return Fail("device not open");
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
  const auto* in = static_cast<const char*>(Data);
  std::size_t done = 0;
  while (done < Count) {
    const ssize_t n = ::write(fd_, in + done, Count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return Fail(Errno("writing", errno));
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return Fail("writing: the device took no data in time");
    pollfd p[2] = {{fd_, POLLOUT, 0}, {CancelFd, POLLIN, 0}};
    const int r = ::poll(p, 2, static_cast<int>(left));
    if (r < 0 && errno != EINTR) return Fail(Errno("waiting to write", errno));
    if (r > 0 && p[1].revents != 0) return Fail("writing: the port was closed");
    if (r > 0 && (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p[0].revents & POLLOUT)) {
      return Fail("writing: the device hung up");
    }
  }
  return true;
}

void SerialDevice::Purge(bool Input, bool Output) {
  if (fd_ < 0 || (!Input && !Output)) return;
  ::tcflush(fd_, Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH);
}

}  // namespace platform
