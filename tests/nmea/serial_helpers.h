#pragma once
// Pseudo-terminals published as virtual ports in a folder of this test
// process, and a thread-safe collector of what a reader thread delivers.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/os/pseudo_terminal.h"

namespace testing_serial {

// Points the virtual port folder of this process at a private folder in
// /tmp for as long as a holder of the returned lease lives; the folder goes
// with the last holder, and the environment is restored.
class PortFolderLease;
std::shared_ptr<PortFolderLease> UsePrivatePortFolder();

// Calls done until it holds or timeoutMs have passed; true when it held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

class LinkedPty {
 public:
  explicit LinkedPty(std::string name);
  int Number() const { return number_; }
  platform::PseudoTerminal& Pty() { return pty_; }
  // Writes all of bytes unless the port takes none for timeoutMs.
  bool Write(std::string_view bytes, int timeoutMs = 5000);
  // What the port wrote, once want bytes have come or timeoutMs has passed.
  std::string Read(std::size_t want, int timeoutMs = 2000);
  // Bytes the port wrote that are waiting to be read here.
  std::size_t Queued() const;

 private:
  std::shared_ptr<PortFolderLease> folder_;
  platform::PseudoTerminal pty_;
  int number_;
};

class ChunkSink {
 public:
  void Add(const std::uint8_t* data, int count);
  // Waits until at least bytes have arrived in all; true when they did.
  bool WaitForBytes(std::size_t bytes, int timeoutMs = 2000);
  std::string Joined() const;
  std::vector<std::string> Chunks() const;
  std::size_t ChunkCount() const;

 private:
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::vector<std::string> chunks_;
  std::size_t bytes_ = 0;
};

// User and system CPU time of the whole process.
double ProcessCpuSeconds();

}  // namespace testing_serial
