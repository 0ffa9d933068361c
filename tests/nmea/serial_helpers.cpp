#include "tests/nmea/serial_helpers.h"

#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "platform/core/os/serial_ports.h"
#include "tests/support/scoped_env.h"

namespace testing_serial {
namespace {

std::string MakeRuntimeFolder() {
  char pattern[] = "/tmp/veltrosa-test-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp");
  return pattern;
}

}  // namespace

class PortFolderLease {
 public:
  PortFolderLease() = default;
  ~PortFolderLease() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  PortFolderLease(const PortFolderLease&) = delete;
  PortFolderLease& operator=(const PortFolderLease&) = delete;

 private:
  const std::string folder_ = MakeRuntimeFolder();
  const support::testing::TScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_};
};

std::shared_ptr<PortFolderLease> UsePrivatePortFolder() {
  static std::mutex m;
  static std::weak_ptr<PortFolderLease> current;
  std::lock_guard lock(m);
  std::shared_ptr<PortFolderLease> lease = current.lock();
  if (!lease) {
    lease = std::make_shared<PortFolderLease>();
    current = lease;
  }
  return lease;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

LinkedPty::LinkedPty(std::string name)
    : folder_(UsePrivatePortFolder()), number_(platform::SerialPortNumber(name, true)) {
  pty_.Publish(name);
}

bool LinkedPty::Write(std::string_view bytes, int timeoutMs) {
  std::size_t done = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (done < bytes.size()) {
    const ssize_t n = ::write(pty_.MasterFd(), bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (std::chrono::steady_clock::now() >= until) return false;
    pollfd p{pty_.MasterFd(), POLLOUT, 0};
    ::poll(&p, 1, 50);
  }
  return true;
}

std::string LinkedPty::Read(std::size_t want, int timeoutMs) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (got.size() < want && std::chrono::steady_clock::now() < until) {
    pollfd p{pty_.MasterFd(), POLLIN, 0};
    if (::poll(&p, 1, 20) <= 0) continue;
    char buf[512];
    const ssize_t n = ::read(pty_.MasterFd(), buf, sizeof buf);
    if (n > 0) got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

std::size_t LinkedPty::Queued() const {
  int count = 0;
  if (::ioctl(pty_.MasterFd(), FIONREAD, &count) != 0) return 0;
  return static_cast<std::size_t>(count);
}

void ChunkSink::Add(const std::uint8_t* data, int count) {
  std::lock_guard lock(m_);
  chunks_.emplace_back(reinterpret_cast<const char*>(data), static_cast<std::size_t>(count));
  bytes_ += static_cast<std::size_t>(count);
  cv_.notify_all();
}

bool ChunkSink::WaitForBytes(std::size_t bytes, int timeoutMs) {
  std::unique_lock lock(m_);
  return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return bytes_ >= bytes; });
}

std::string ChunkSink::Joined() const {
  std::lock_guard lock(m_);
  std::string all;
  for (const auto& c : chunks_) all += c;
  return all;
}

std::vector<std::string> ChunkSink::Chunks() const {
  std::lock_guard lock(m_);
  return chunks_;
}

std::size_t ChunkSink::ChunkCount() const {
  std::lock_guard lock(m_);
  return chunks_.size();
}

double ProcessCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace testing_serial
