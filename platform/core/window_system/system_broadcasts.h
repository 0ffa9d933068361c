#pragma once
// The system's broadcasts to the program's windows. While a watcher runs,
// every top-level window of the user-interface thread gets, as the window
// system sends them:
//
// - WM_DEVICECHANGE with DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and a
//   DEV_BROADCAST_PORT, when a serial device comes or goes (the device
//   manager's tty events, through libudev) or a link appears in or leaves
//   the virtual port folder;
// - WM_POWERBROADCAST with PBT_APMSUSPEND before the machine sleeps and
//   PBT_APMRESUMESUSPEND after it woke (the login manager's PrepareForSleep
//   signal on the system bus). The watcher holds a delay inhibitor, so the
//   machine waits for the windows to handle the suspend (for as long as
//   the login manager allows) before it sleeps.
//
// Each watcher waits on a thread of its own and hands the messages to the
// user-interface thread; a watcher whose source is missing (no device
// manager, no system bus) simply delivers nothing. Make and destroy them on
// the user-interface thread.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace platform {

class DeviceChangeWatcher {
 public:
  // VirtualFolder: the folder of virtual port links to watch (see
  // EnsureVirtualPortFolder); empty or missing watches no folder.
  explicit DeviceChangeWatcher(std::string VirtualFolder);
  ~DeviceChangeWatcher();
  DeviceChangeWatcher(const DeviceChangeWatcher&) = delete;
  DeviceChangeWatcher& operator=(const DeviceChangeWatcher&) = delete;

  bool WatchesDevices() const { return udevFd_ >= 0; }
  bool WatchesFolder() const { return folderFd_ >= 0; }

 private:
  struct Udev;
  void Run();
  void ReadDevice();
  void ReadFolder();

  std::unique_ptr<Udev> udev_;
  int udevFd_ = -1;
  int folderFd_ = -1;
  int wakeFd_ = -1;
  std::thread thread_;
};

class PowerWatcher {
 public:
  // Who and Why name the program and its reason in the login manager's
  // list of inhibitors. BusAddress empty: the system bus.
  PowerWatcher(std::string Who, std::string Why, std::string BusAddress = {});
  ~PowerWatcher();
  PowerWatcher(const PowerWatcher&) = delete;
  PowerWatcher& operator=(const PowerWatcher&) = delete;

 private:
  struct Inhibitor;
  void Run();

  const std::string who_;
  const std::string why_;
  const std::string address_;
  std::shared_ptr<Inhibitor> inhibitor_;
  int wakeFd_ = -1;
  std::thread thread_;
};

}  // namespace platform
