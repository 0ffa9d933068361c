#pragma once
// A pseudo-terminal pair whose device side can be published as a virtual
// serial port (a link in the per-user port folder), so that a program on the
// master side stands in for a serial device.

#include <string>

namespace platform {

class PseudoTerminal {
 public:
  // Opens a pair with the device side in raw mode; throws std::system_error
  // when the system has none to give.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Non-blocking; reads what the device side wrote, writes what it reads.
  int MasterFd() const { return master_; }
  const std::string& DevicePath() const { return devicePath_; }

  // Links the device side into the virtual port folder under name,
  // replacing a link of that name; returns the link's path. Throws
  // std::system_error when the folder or the link cannot be made.
  std::string Publish(const std::string& Name);
  void Unpublish();

  // Hangs up the device side: its readers see the end of the line.
  void CloseMaster();

 private:
  int master_ = -1;
  int device_ = -1;
  std::string devicePath_;
  std::string linkPath_;
};

}  // namespace platform
