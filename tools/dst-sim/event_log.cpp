#include "event_log.h"

#include <fcntl.h>
#include <unistd.h>

namespace dstsim {

EventLog::EventLog() : start_(Clock::now()) {}

EventLog::~EventLog() {
  if (fd_ >= 0) ::close(fd_);
}

bool EventLog::OpenFile(const std::string& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  return true;
}

long long EventLog::Millis(Clock::time_point t) const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(t - start_).count();
}

void EventLog::Write(std::string_view source, std::string_view event, std::string_view text) {
  std::string line = std::to_string(Millis(Clock::now()));
  line += ' ';
  line += source;
  line += ' ';
  line += event;
  line += ' ';
  line += text;
  line += '\n';
  // One write per line, so that a reader taking whole lines only never
  // waits long for the rest of one.
  if (fd_ >= 0) {
    for (std::size_t done = 0; done < line.size();) {
      const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
  }
  if (echo_) {
    std::fwrite(line.data(), 1, line.size(), echo_);
    std::fflush(echo_);
  }
}

}  // namespace dstsim
