// Serial devices coming and going, from the device manager's tty events and
// from the links of the virtual port folder.

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/system_broadcasts.h"
#include "platform/core/window_system/window.h"

namespace platform {

struct DeviceChangeWatcher::Udev {
  udev* Context = nullptr;
  udev_monitor* Monitor = nullptr;
  ~Udev() {
    if (Monitor) udev_monitor_unref(Monitor);
    if (Context) udev_unref(Context);
  }
};

namespace {

void SendPortChange(WPARAM Event, std::string_view Name) {
  DEV_BROADCAST_PORT port;
  port.hdr.dbch_size = sizeof port;
  port.hdr.dbch_devicetype = DBT_DEVTYP_PORT;
  const std::size_t n = std::min(Name.size(), sizeof port.dbcp_name - 1);
  std::memcpy(port.dbcp_name, Name.data(), n);
  RunOnUiThread([Event, port]() mutable {
    for (HWND h : GetThreadWindows()) SendMessageA(h, WM_DEVICECHANGE, Event, reinterpret_cast<LPARAM>(&port));
  });
}

}  // namespace

DeviceChangeWatcher::DeviceChangeWatcher(std::string VirtualFolder) : udev_(std::make_unique<Udev>()) {
  udev_->Context = udev_new();
  if (udev_->Context) udev_->Monitor = udev_monitor_new_from_netlink(udev_->Context, "udev");
  if (udev_->Monitor && udev_monitor_filter_add_match_subsystem_devtype(udev_->Monitor, "tty", nullptr) >= 0 &&
      udev_monitor_enable_receiving(udev_->Monitor) >= 0) {
    udevFd_ = udev_monitor_get_fd(udev_->Monitor);
  }
  if (!VirtualFolder.empty()) {
    folderFd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (folderFd_ >= 0 && ::inotify_add_watch(folderFd_, VirtualFolder.c_str(),
                                              IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO) < 0) {
      ::close(folderFd_);
      folderFd_ = -1;
    }
  }
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ >= 0 && (udevFd_ >= 0 || folderFd_ >= 0)) thread_ = std::thread([this] { Run(); });
}

DeviceChangeWatcher::~DeviceChangeWatcher() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
  }
  if (folderFd_ >= 0) ::close(folderFd_);
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

void DeviceChangeWatcher::Run() {
  for (;;) {
    pollfd fds[3] = {{wakeFd_, POLLIN, 0}, {udevFd_, POLLIN, 0}, {folderFd_, POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;
    if (fds[1].revents & POLLIN) ReadDevice();
    if (fds[2].revents & POLLIN) ReadFolder();
  }
}

void DeviceChangeWatcher::ReadDevice() {
  udev_device* device = udev_monitor_receive_device(udev_->Monitor);
  if (!device) return;
  const char* action = udev_device_get_action(device);
  const char* name = udev_device_get_sysname(device);
  if (action && name) {
    if (std::strcmp(action, "add") == 0) SendPortChange(DBT_DEVICEARRIVAL, name);
    if (std::strcmp(action, "remove") == 0) SendPortChange(DBT_DEVICEREMOVECOMPLETE, name);
  }
  udev_device_unref(device);
}

void DeviceChangeWatcher::ReadFolder() {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(folderFd_, buffer, sizeof buffer);
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      const std::string_view name = event->len ? std::string_view(event->name) : std::string_view();
      // Links are put in place under a passing name first; only the final
      // name is a port.
      if (name.empty() || name.front() == '.') continue;
      if (event->mask & (IN_CREATE | IN_MOVED_TO)) SendPortChange(DBT_DEVICEARRIVAL, name);
      if (event->mask & (IN_DELETE | IN_MOVED_FROM)) SendPortChange(DBT_DEVICEREMOVECOMPLETE, name);
    }
  }
}

}  // namespace platform
