#include "control_server.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace dstsim {
namespace {

// Longer command lines are no commands; the client is dropped.
constexpr std::size_t kMaxLine = 4096;

[[noreturn]] void Throw(int err, const std::string& what) {
  throw std::system_error(err, std::generic_category(), what);
}

sockaddr_un Address(const std::string& path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) Throw(ENAMETOOLONG, "control socket " + path);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return addr;
}

// True when a process accepts connections at addr.
bool Live(const sockaddr_un& addr) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool live = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return live;
}

void SendLine(int fd, std::string line) {
  line += '\n';
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::send(fd, line.data() + done, line.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      // A client that does not read its answers loses them.
      return;
    }
  }
}

}  // namespace

ControlServer::ControlServer(std::string path) : path_(std::move(path)) {
  const sockaddr_un addr = Address(path_);
  struct stat st {};
  if (::lstat(path_.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode)) Throw(EEXIST, "control socket " + path_);
    if (Live(addr)) Throw(EADDRINUSE, "control socket " + path_);
    ::unlink(path_.c_str());
  }
  listen_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listen_ < 0) Throw(errno, "control socket");
  if (::bind(listen_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listen_, 8) != 0) {
    const int err = errno;
    ::close(listen_);
    Throw(err, "control socket " + path_);
  }
  if (::lstat(path_.c_str(), &st) == 0) inode_ = st.st_ino;
}

ControlServer::~ControlServer() {
  for (const Client& c : clients_) ::close(c.Fd);
  ::close(listen_);
  // Only our own socket: another simulator may have taken the path since.
  struct stat st {};
  if (::lstat(path_.c_str(), &st) == 0 && st.st_ino == inode_) ::unlink(path_.c_str());
}

void ControlServer::AddPollFds(std::vector<pollfd>& fds) const {
  fds.push_back({listen_, POLLIN, 0});
  for (const Client& c : clients_) fds.push_back({c.Fd, POLLIN, 0});
}

void ControlServer::Service(const std::vector<pollfd>& fds, const Execute& execute) {
  std::vector<int> ready;
  bool incoming = false;
  for (const pollfd& p : fds) {
    if (p.revents == 0) continue;
    if (p.fd == listen_) {
      incoming = true;
    } else {
      ready.push_back(p.fd);
    }
  }
  for (const int fd : ready) {
    const auto it = std::find_if(clients_.begin(), clients_.end(), [fd](const Client& c) { return c.Fd == fd; });
    if (it == clients_.end() || Read(*it, execute)) continue;
    ::close(it->Fd);
    clients_.erase(it);
  }
  if (incoming) Accept();
}

void ControlServer::Accept() {
  for (;;) {
    const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    clients_.push_back({fd, {}});
  }
}

bool ControlServer::Read(Client& client, const Execute& execute) {
  char buf[1024];
  for (;;) {
    const ssize_t n = ::recv(client.Fd, buf, sizeof buf, 0);
    if (n == 0) return false;
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    client.In.append(buf, static_cast<std::size_t>(n));
    std::size_t nl;
    while ((nl = client.In.find('\n')) != std::string::npos) {
      std::string line = client.In.substr(0, nl);
      client.In.erase(0, nl + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      SendLine(client.Fd, execute(line));
    }
    if (client.In.size() > kMaxLine) {
      SendLine(client.Fd, "error line too long");
      return false;
    }
  }
}

}  // namespace dstsim
