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
  std::uint32_t rate;
  speed_t code;
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

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

std::string Errno(const std::string& what, int err) { return what + ": " + std::strerror(err); }

}  // namespace

bool DcbToTermios(const DCB& dcb, int minBytes, termios& tio, std::string& error) {
  const auto* rate =
      std::find_if(std::begin(kRates), std::end(kRates), [&](const RateEntry& e) { return e.rate == dcb.BaudRate; });
  if (rate == std::end(kRates)) {
    error = "baud rate " + std::to_string(dcb.BaudRate) + " is not supported";
    return false;
  }
  if (dcb.ByteSize < 5 || dcb.ByteSize > 8) {
    error = std::to_string(dcb.ByteSize) + " data bits are not supported";
    return false;
  }
  if (dcb.StopBits == ONE5STOPBITS) {
    error = "1.5 stop bits are not supported";
    return false;
  }
  if (dcb.StopBits > TWOSTOPBITS || dcb.Parity > SPACEPARITY) {
    error = "invalid stop bits or parity";
    return false;
  }
  if (const std::uint32_t unsupported = dcb.Flags & ~kSupportedFlags; unsupported != 0) {
    error = "line setting flags " + Hex(unsupported) + " (DTR or DSR handshake, DSR flow, RTS toggle or " +
            "error handling) are not supported";
    return false;
  }
  // termios couples CTS output flow control with RTS input flow control.
  const bool ctsFlow = (dcb.Flags & kDcbOutxCtsFlow) != 0;
  const bool rtsHandshake = (dcb.Flags & kDcbRtsControlMask) == kDcbRtsHandshake;
  if (ctsFlow != rtsHandshake) {
    error = "CTS flow control is supported only together with the RTS handshake";
    return false;
  }

  tio = termios{};
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~CSIZE;
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[dcb.ByteSize - 5];
  switch (dcb.Parity) {
    case ODDPARITY:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      tio.c_cflag |= PARENB;
      break;
    case MARKPARITY:
      tio.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case SPACEPARITY:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  if ((dcb.Flags & kDcbParityCheck) && dcb.Parity != NOPARITY) tio.c_iflag |= INPCK;
  if (dcb.StopBits == TWOSTOPBITS) tio.c_cflag |= CSTOPB;
  if (ctsFlow) tio.c_cflag |= CRTSCTS;
  if (dcb.Flags & kDcbOutX) tio.c_iflag |= IXON;
  if (dcb.Flags & kDcbInX) tio.c_iflag |= IXOFF;
  // The limits XonLim and XoffLim belong to the driver's own buffer on Linux
  // and cannot be set; the characters can.
  if (dcb.Flags & (kDcbOutX | kDcbInX)) {
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
  }
  // With VTIME 0 the device reports readable only once VMIN bytes are
  // queued, so a reader waiting in poll sleeps until a whole chunk is there.
  tio.c_cc[VMIN] = static_cast<cc_t>(std::clamp(minBytes, 1, 255));
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, rate->code);
  cfsetospeed(&tio, rate->code);
  return true;
}

SerialProbe ProbeSerialDevice(const std::string& path) {
  if (path.empty()) return SerialProbe::Absent;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? SerialProbe::Absent : SerialProbe::Busy;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return locked ? SerialProbe::Available : SerialProbe::Busy;
}

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::Fail(std::string what) {
  lastError_ = std::move(what);
  return false;
}

bool SerialDevice::Open(const std::string& path) {
  Close();
  if (path.empty()) return Fail("no device for this port");
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(Errno(path, errno));
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    return Fail(err == EWOULDBLOCK ? path + ": in use by another program" : Errno(path, err));
  }
  termios current{};
  if (::tcgetattr(fd, &current) != 0) {
    const int err = errno;
    ::close(fd);
    return Fail(Errno(path + " is not a serial device", err));
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

bool SerialDevice::Configure(const DCB& dcb, int minBytes) {
  if (fd_ < 0) return Fail("device not open");
  termios wanted{};
  std::string reason;
  if (!DcbToTermios(dcb, minBytes, wanted, reason)) return Fail(reason);
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
  ::ioctl(fd_, (dcb.Flags & kDcbDtrEnable) ? TIOCMBIS : TIOCMBIC, &dtr);
  if ((dcb.Flags & kDcbRtsControlMask) != kDcbRtsHandshake) {
    int rts = TIOCM_RTS;
    ::ioctl(fd_, (dcb.Flags & kDcbRtsEnable) ? TIOCMBIS : TIOCMBIC, &rts);
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

long SerialDevice::Read(void* buffer, std::size_t count) {
  if (fd_ < 0) return -1;
  std::size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(fd_, out + done, count - done);
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

bool SerialDevice::Write(const void* data, std::size_t count, int timeoutMs, int cancelFd) {
  if (fd_ < 0) return Fail("device not open");
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const auto* in = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, in + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return Fail(Errno("writing", errno));
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return Fail("writing: the device took no data in time");
    pollfd p[2] = {{fd_, POLLOUT, 0}, {cancelFd, POLLIN, 0}};
    const int r = ::poll(p, 2, static_cast<int>(left));
    if (r < 0 && errno != EINTR) return Fail(Errno("waiting to write", errno));
    if (r > 0 && p[1].revents != 0) return Fail("writing: the port was closed");
    if (r > 0 && (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p[0].revents & POLLOUT)) {
      return Fail("writing: the device hung up");
    }
  }
  return true;
}

void SerialDevice::Purge(bool input, bool output) {
  if (fd_ < 0 || (!input && !output)) return;
  ::tcflush(fd_, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
}

}  // namespace platform
