#include "platform/core/os/wake_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace platform {

WakeEvent::WakeEvent() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

WakeEvent::~WakeEvent() { ::close(fd_); }

void WakeEvent::Signal() {
  const std::uint64_t one = 1;
  while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void WakeEvent::Clear() {
  std::uint64_t value = 0;
  while (::read(fd_, &value, sizeof value) < 0 && errno == EINTR) {
  }
}

bool WakeEvent::Wait(int TimeoutMs) const {
  pollfd p{fd_, POLLIN, 0};
  int r;
  while ((r = ::poll(&p, 1, TimeoutMs)) < 0 && errno == EINTR) {
  }
  return r > 0;
}

}  // namespace platform
