#pragma once
// The control channel's socket: a Unix stream socket beside the ports that
// takes one command per line and answers each with one line. Any number of
// clients may be connected at once.

#include <poll.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace dstsim {

class ControlServer {
 public:
  using Execute = std::function<std::string(const std::string&)>;

  // Listens at path, replacing a socket left there by a simulator that has
  // ended. Throws std::system_error, also when a live simulator listens
  // there.
  explicit ControlServer(std::string path);
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  const std::string& Path() const { return path_; }
  void AddPollFds(std::vector<pollfd>& fds) const;
  // Accepts clients, reads their lines and sends back execute's answer to
  // each; fds are those of the last poll.
  void Service(const std::vector<pollfd>& fds, const Execute& execute);

 private:
  struct Client {
    int Fd = -1;
    std::string In;
  };

  void Accept();
  // False when the client has gone or misbehaved.
  bool Read(Client& client, const Execute& execute);

  std::string path_;
  int listen_ = -1;
  ino_t inode_ = 0;
  std::vector<Client> clients_;
};

}  // namespace dstsim
