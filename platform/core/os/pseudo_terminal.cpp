#include "platform/core/os/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/core/os/serial_ports.h"

namespace platform {
namespace {

[[noreturn]] void Throw(const char* What) { throw std::system_error(errno, std::generic_category(), What); }

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master_ < 0) Throw("posix_openpt");
  char name[128];
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
    const int err = errno;
    ::close(master_);
    errno = err;
    Throw("pseudo-terminal setup");
  }
  devicePath_ = name;
  // Holding the device side open keeps the master readable while no client
  // has it open, and lets the line start in raw mode: a cooked line would
  // echo everything written on the master back to it.
  device_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  termios tio{};
  if (device_ < 0 || ::tcgetattr(device_, &tio) != 0) {
    const int err = errno;
    if (device_ >= 0) ::close(device_);
    ::close(master_);
    errno = err;
    Throw("pseudo-terminal device side");
  }
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  ::tcsetattr(device_, TCSANOW, &tio);
}

PseudoTerminal::~PseudoTerminal() {
  Unpublish();
  CloseMaster();
}

std::string PseudoTerminal::Publish(const std::string& Name) {
  const std::string folder = EnsureVirtualPortFolder();
  if (folder.empty()) {
    errno = EACCES;
    Throw("virtual port folder");
  }
  Unpublish();
  const std::string link = folder + "/" + Name;
  const std::string temp = folder + "/." + Name + "." + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(devicePath_.c_str(), temp.c_str()) != 0) Throw("virtual port link");
  if (::rename(temp.c_str(), link.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    errno = err;
    Throw("virtual port link");
  }
  linkPath_ = link;
  return link;
}

void PseudoTerminal::Unpublish() {
  if (linkPath_.empty()) return;
  // Only our own link: another instance may have replaced it meanwhile.
  char target[256];
  const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
  if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == devicePath_) ::unlink(linkPath_.c_str());
  linkPath_.clear();
}

void PseudoTerminal::CloseMaster() {
  if (device_ >= 0) ::close(device_);
  if (master_ >= 0) ::close(master_);
  device_ = master_ = -1;
}

}  // namespace platform
