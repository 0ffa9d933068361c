// Suspend and resume, from the login manager's PrepareForSleep signal. The
// watcher keeps a delay inhibitor while the machine is awake; the windows'
// handling of the suspend releases it, which lets the machine sleep.

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <systemd/sd-bus.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <memory>

#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/system_broadcasts.h"
#include "platform/core/window_system/window.h"

namespace platform {

namespace {

constexpr char kService[] = "org.freedesktop.login1";
constexpr char kPath[] = "/org/freedesktop/login1";
constexpr char kManager[] = "org.freedesktop.login1.Manager";

struct BusCloser {
  void operator()(sd_bus* Bus) const { sd_bus_flush_close_unref(Bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusCloser>;

BusPtr OpenBus(const std::string& Address) {
  sd_bus* bus = nullptr;
  if (Address.empty()) {
    if (sd_bus_open_system(&bus) < 0) return nullptr;
    return BusPtr(bus);
  }
  if (sd_bus_new(&bus) < 0) return nullptr;
  BusPtr owned(bus);
  if (sd_bus_set_address(bus, Address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 || sd_bus_start(bus) < 0) {
    return nullptr;
  }
  return owned;
}

}  // namespace

// The inhibitor's descriptor: taken on the watcher's thread, released on the
// user-interface thread once the windows have handled the suspend.
struct PowerWatcher::Inhibitor {
  std::atomic<int> Fd{-1};
  void Release() {
    if (const int old = Fd.exchange(-1); old >= 0) ::close(old);
  }
  void Hold(int NewFd) {
    if (const int old = Fd.exchange(NewFd); old >= 0) ::close(old);
  }
  ~Inhibitor() { Release(); }
};

PowerWatcher::PowerWatcher(std::string Who, std::string Why, std::string BusAddress)
    : who_(std::move(Who)),
      why_(std::move(Why)),
      address_(std::move(BusAddress)),
      inhibitor_(std::make_shared<Inhibitor>()) {
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ >= 0) thread_ = std::thread([this] { Run(); });
}

PowerWatcher::~PowerWatcher() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
  }
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

void PowerWatcher::Run() {
  const BusPtr bus = OpenBus(address_);
  if (!bus) return;

  auto takeInhibitor = [&] {
    sd_bus_message* reply = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int fd = -1;
    if (sd_bus_call_method(bus.get(), kService, kPath, kManager, "Inhibit", &error, &reply, "ssss", "sleep",
                           who_.c_str(), why_.c_str(), "delay") >= 0 &&
        sd_bus_message_read(reply, "h", &fd) >= 0) {
      // The descriptor belongs to the message; keep a copy of our own.
      inhibitor_->Hold(::fcntl(fd, F_DUPFD_CLOEXEC, 3));
    }
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
  };

  struct Context {
    PowerWatcher* Self;
    decltype(takeInhibitor)* Take;
  } context{this, &takeInhibitor};
  auto onSignal = [](sd_bus_message* M, void* Data, sd_bus_error*) -> int {
    auto* c = static_cast<Context*>(Data);
    int sleeping = 0;
    if (sd_bus_message_read(M, "b", &sleeping) < 0) return 0;
    const WPARAM event = sleeping ? PBT_APMSUSPEND : PBT_APMRESUMESUSPEND;
    std::shared_ptr<Inhibitor> inhibitor = sleeping ? c->Self->inhibitor_ : nullptr;
    const bool queued = RunOnUiThread([event, inhibitor] {
      for (HWND h : GetThreadWindows()) SendMessageA(h, WM_POWERBROADCAST, event, 0);
      if (inhibitor) inhibitor->Release();
    });
    if (!queued && inhibitor) inhibitor->Release();
    if (!sleeping) (*c->Take)();
    return 0;
  };
  sd_bus_slot* slot = nullptr;
  if (sd_bus_match_signal(bus.get(), &slot, kService, kPath, kManager, "PrepareForSleep", onSignal, &context) < 0) {
    return;
  }
  takeInhibitor();

  for (;;) {
    int r;
    while ((r = sd_bus_process(bus.get(), nullptr)) > 0) {
    }
    if (r < 0) break;
    std::uint64_t until = 0;
    int timeoutMs = -1;
    if (sd_bus_get_timeout(bus.get(), &until) > 0 && until != UINT64_MAX) {
      timespec now{};
      ::clock_gettime(CLOCK_MONOTONIC, &now);
      const std::uint64_t nowUs = static_cast<std::uint64_t>(now.tv_sec) * 1000000u + now.tv_nsec / 1000;
      timeoutMs = until > nowUs ? static_cast<int>(std::min<std::uint64_t>((until - nowUs + 999) / 1000, INT_MAX)) : 0;
    }
    pollfd fds[2] = {{wakeFd_, POLLIN, 0},
                     {sd_bus_get_fd(bus.get()), static_cast<short>(sd_bus_get_events(bus.get())), 0}};
    if (::poll(fds, 2, timeoutMs) < 0 && errno != EINTR) break;
    if (fds[0].revents) break;
  }
  sd_bus_slot_unref(slot);
  inhibitor_->Release();
}

}  // namespace platform
