#include "serial_line.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>
#include <utility>

#include "sentence.h"

namespace dstsim {
namespace {

struct Rate {
  int baud;
  speed_t code;
};

constexpr std::array<Rate, 9> kRates{{{1200, B1200},
                                      {2400, B2400},
                                      {4800, B4800},
                                      {9600, B9600},
                                      {19200, B19200},
                                      {38400, B38400},
                                      {57600, B57600},
                                      {115200, B115200},
                                      {230400, B230400}}};

// Input nobody reads is kept for this long at most: a program that opens
// the port later finds little of the past on it, as on a real line, and one
// that reads never comes near the limit.
constexpr std::chrono::seconds kUnreadKept{2};
constexpr int kMinUnreadKept = 512;

}  // namespace

bool SupportedBaud(int baud) {
  for (const Rate& r : kRates) {
    if (r.baud == baud) return true;
  }
  return false;
}

SerialLine::SerialLine(std::string source, std::string portName, int baud, EventLog& log)
    : source_(std::move(source)), portName_(std::move(portName)), log_(log), pacer_(baud) {}

SerialLine::~SerialLine() {
  if (device_ >= 0) ::close(device_);
}

int SerialLine::Fd() const { return pty_ ? pty_->MasterFd() : -1; }

void SerialLine::Plug() {
  auto pty = std::make_unique<platform::PseudoTerminal>();
  const int device = ::open(pty->DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (device < 0) throw std::system_error(errno, std::generic_category(), "pseudo-terminal device side");
  // The line starts at its own rate; the controlling side's settings are
  // the device side's.
  termios tio{};
  ::tcgetattr(pty->MasterFd(), &tio);
  for (const Rate& r : kRates) {
    if (r.baud == pacer_.Baud()) {
      ::cfsetispeed(&tio, r.code);
      ::cfsetospeed(&tio, r.code);
    }
  }
  ::tcsetattr(pty->MasterFd(), TCSANOW, &tio);
  try {
    linkPath_ = pty->Publish(portName_);
  } catch (...) {
    ::close(device);
    throw;
  }
  pty_ = std::move(pty);
  device_ = device;
  log_.Write(source_, "state", "port " + portName_ + " published at " + linkPath_ + " -> " + pty_->DevicePath());
}

void SerialLine::Unplug() {
  if (!pty_) return;
  ::close(device_);
  device_ = -1;
  pty_.reset();
  linkPath_.clear();
  queue_.clear();
  offset_ = pending_ = 0;
  holding_ = false;
  log_.Write(source_, "state", "hung up, port " + portName_ + " gone");
}

void SerialLine::SetSilent(bool silent) {
  silent_ = silent;
  if (silent) {
    queue_.clear();
    offset_ = pending_ = 0;
    holding_ = false;
  }
}

void SerialLine::Queue(std::string bytes, Clock::duration gap) {
  if (!pty_ || silent_) return;
  std::string_view shown = bytes;
  if (shown.size() >= 2 && shown.substr(shown.size() - 2) == "\r\n") shown.remove_suffix(2);
  if (queue_.empty()) pacer_.Start(Clock::now());
  pending_ += bytes.size();
  Item item{std::move(bytes), Printable(shown), gap};
  queue_.push_back(std::move(item));
}

std::string SerialLine::Receive() {
  std::string got;
  if (!pty_) return got;
  char buf[512];
  ssize_t n;
  while ((n = ::read(pty_->MasterFd(), buf, sizeof buf)) > 0) got.append(buf, static_cast<std::size_t>(n));
  return got;
}

void SerialLine::FollowBaud(Clock::time_point now) {
  termios tio{};
  if (::tcgetattr(pty_->MasterFd(), &tio) != 0) return;
  const speed_t code = ::cfgetospeed(&tio);
  for (const Rate& r : kRates) {
    if (r.code == code && r.baud != pacer_.Baud()) {
      pacer_.SetBaud(r.baud, now);
      log_.Write(source_, "state", "baud " + std::to_string(r.baud));
    }
  }
}

void SerialLine::DropUnread() {
  int unread = 0;
  if (::ioctl(device_, FIONREAD, &unread) != 0) return;
  const auto kept =
      std::max<long long>(kMinUnreadKept, static_cast<long long>(pacer_.Baud()) / 10 * kUnreadKept.count());
  if (unread > kept) ::tcflush(device_, TCIFLUSH);
}

void SerialLine::Write(const std::string& piece) {
  // A full device queue means nobody reads: the rest is lost on the line.
  std::size_t done = 0;
  while (done < piece.size()) {
    const ssize_t n = ::write(pty_->MasterFd(), piece.data() + done, piece.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;
    }
  }
}

std::optional<SerialLine::Clock::time_point> SerialLine::HeldUntil(Clock::time_point now) const {
  if (queue_.empty() || offset_ != 0 || queue_.front().Gap <= Clock::duration::zero()) return std::nullopt;
  const auto ready = lastStart_ + queue_.front().Gap;
  if (now >= ready) return std::nullopt;
  return ready;
}

std::optional<SerialLine::Clock::time_point> SerialLine::Pump(Clock::time_point now) {
  if (!pty_) return std::nullopt;
  FollowBaud(now);
  if (queue_.empty()) return std::nullopt;
  if (const auto held = HeldUntil(now)) {
    holding_ = true;
    return held;
  }
  if (holding_) {
    // The line stood idle while the item waited.
    holding_ = false;
    pacer_.Start(now);
  }
  std::size_t due = pacer_.Due(now, pending_);
  std::string piece;
  while (due > 0 && !queue_.empty()) {
    const Item& front = queue_.front();
    if (offset_ == 0) {
      // An item with a gap starts a piece of its own once the gap is over.
      if (front.Gap > Clock::duration::zero() && !piece.empty()) break;
      lastStart_ = now;
      log_.Write(source_, "tx", front.Shown);
    }
    const std::size_t take = std::min(due, front.Bytes.size() - offset_);
    piece.append(front.Bytes, offset_, take);
    offset_ += take;
    due -= take;
    if (offset_ == front.Bytes.size()) {
      queue_.pop_front();
      offset_ = 0;
    }
  }
  if (!piece.empty()) {
    pacer_.Sent(piece.size());
    pending_ -= piece.size();
    DropUnread();
    Write(piece);
  }
  if (queue_.empty()) return std::nullopt;
  if (const auto held = HeldUntil(now)) {
    holding_ = true;
    return held;
  }
  return pacer_.NextPiece(pending_);
}

}  // namespace dstsim
