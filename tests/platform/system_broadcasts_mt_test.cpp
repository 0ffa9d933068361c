// The system's broadcasts reach the program's windows: links coming and
// going in the virtual port folder, and the login manager's suspend and
// resume on a bus of the test's own, with its delay inhibitor held until
// the windows have handled the suspend.

#include "platform/core/window_system/system_broadcasts.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/window_system/messages.h"
#include "platform/ui/controls/forms.h"
#include "tests/platform/pump_helpers.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace platform;

// A hidden form that notes the broadcasts it gets.
class ListeningForm : public TForm {
 public:
  ListeningForm() : TForm(nullptr, CreateNew) { HandleNeeded(); }
  struct Got {
    UINT Msg;
    WPARAM Event;
    DWORD DeviceType;
    std::string Name;
  };
  std::vector<Got> Received;
  std::function<void(const Got&)> OnGot;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_DEVICECHANGE || M.Msg == WM_POWERBROADCAST) {
      Got g{M.Msg, M.WParam, 0, {}};
      if (const auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(M.LParam)) {
        g.DeviceType = hdr->dbch_devicetype;
        if (hdr->dbch_devicetype == DBT_DEVTYP_PORT)
          g.Name = reinterpret_cast<const DEV_BROADCAST_PORT*>(hdr)->dbcp_name;
      }
      Received.push_back(g);
      if (OnGot) OnGot(g);
      return;
    }
    TForm::WndProc(M);
  }
};

using fixture::PumpUntil;

class BroadcastTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeApplication(); }
  void SetUp() override { Form = new ListeningForm; }
  void TearDown() override {
    Free(Form);
    Application->ProcessMessages();
  }
  ListeningForm* Form = nullptr;
  support::testing::TScratchFolder Scratch;
};

TEST_F(BroadcastTest, LinksComingAndGoingInThePortFolderArePortArrivalsAndRemovals) {
  DeviceChangeWatcher watcher(Scratch.Path().string());
  ASSERT_TRUE(watcher.WatchesFolder());
  namespace fs = std::filesystem;
  // A link is put in place under a passing name, as ports are published.
  fs::create_symlink("/dev/null", Scratch / ".dst-sim.1");
  fs::rename(Scratch / ".dst-sim.1", Scratch / "dst-sim");
  ASSERT_TRUE(PumpUntil([&] { return !Form->Received.empty(); }));
  fs::remove(Scratch / "dst-sim");
  ASSERT_TRUE(PumpUntil([&] { return Form->Received.size() >= 2; }));
  ASSERT_EQ(Form->Received.size(), 2u);
  EXPECT_EQ(Form->Received[0].Msg, WM_DEVICECHANGE);
  EXPECT_EQ(Form->Received[0].Event, DBT_DEVICEARRIVAL);
  EXPECT_EQ(Form->Received[0].DeviceType, DBT_DEVTYP_PORT);
  EXPECT_EQ(Form->Received[0].Name, "dst-sim");
  EXPECT_EQ(Form->Received[1].Event, DBT_DEVICEREMOVECOMPLETE);
  EXPECT_EQ(Form->Received[1].Name, "dst-sim");
}

TEST_F(BroadcastTest, AMissingFolderIsNotWatched) {
  DeviceChangeWatcher watcher((Scratch / "missing").string());
  EXPECT_FALSE(watcher.WatchesFolder());
}

// A message bus of the test's own, with a login manager that hands out
// delay inhibitors (the read end of each stays here) and announces sleep.
class FakeLoginManager {
 public:
  explicit FakeLoginManager(const std::string& Folder) {
    const std::string socket = Folder + "/bus";
    int out[2];
    if (::pipe(out) != 0) return;
    daemon_ = ::fork();
    if (daemon_ == 0) {
      ::dup2(out[1], 1);
      // The daemon's complaints about limits it may not raise are no news.
      if (const int null = ::open("/dev/null", O_WRONLY); null >= 0) ::dup2(null, 2);
      ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--print-address=1",
               ("--address=unix:path=" + socket).c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    char c;
    pollfd p{out[0], POLLIN, 0};
    while (::poll(&p, 1, 10000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n') line.push_back(c);
    ::close(out[0]);
    address_ = line;
    wake_ = ::eventfd(0, EFD_CLOEXEC);
    if (!address_.empty()) thread_ = std::thread([this] { Serve(); });
  }
  ~FakeLoginManager() {
    if (thread_.joinable()) {
      Post([](sd_bus*) { return false; });
      thread_.join();
    }
    for (const int fd : heldEnds_) ::close(fd);
    if (wake_ >= 0) ::close(wake_);
    if (daemon_ > 0) {
      ::kill(daemon_, SIGTERM);
      ::waitpid(daemon_, nullptr, 0);
    }
  }

  const std::string& Address() const { return address_; }
  bool Ready() const { return ready_; }
  int Inhibitors() const { return inhibitors_; }
  // True while the last inhibitor handed out is still held by its taker.
  bool LastInhibitorHeld() {
    std::lock_guard lock(m_);
    if (heldEnds_.empty()) return false;
    pollfd p{heldEnds_.back(), POLLIN, 0};
    return ::poll(&p, 1, 0) == 0;
  }
  void AnnounceSleep(bool Sleeping) {
    Post([Sleeping](sd_bus* Bus) {
      sd_bus_emit_signal(Bus, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                         static_cast<int>(Sleeping));
      return true;
    });
  }

 private:
  void Post(std::function<bool(sd_bus*)> Job) {
    {
      std::lock_guard lock(m_);
      jobs_.push_back(std::move(Job));
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
  }

  static int Inhibit(sd_bus_message* M, void* Data, sd_bus_error*) {
    auto* self = static_cast<FakeLoginManager*>(Data);
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return -errno;
    {
      std::lock_guard lock(self->m_);
      self->heldEnds_.push_back(ends[0]);
    }
    const int r = sd_bus_reply_method_return(M, "h", ends[1]);
    ::close(ends[1]);
    ++self->inhibitors_;
    return r;
  }

  void Serve() {
    sd_bus* bus = nullptr;
    sd_bus_new(&bus);
    sd_bus_set_address(bus, address_.c_str());
    sd_bus_set_bus_client(bus, 1);
    static const sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("Inhibit", "ssss", "h", &FakeLoginManager::Inhibit, 0),
        SD_BUS_SIGNAL("PrepareForSleep", "b", 0),
        SD_BUS_VTABLE_END,
    };
    if (sd_bus_start(bus) < 0 ||
        sd_bus_add_object_vtable(bus, nullptr, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", vtable,
                                 this) < 0 ||
        sd_bus_request_name(bus, "org.freedesktop.login1", 0) < 0) {
      sd_bus_flush_close_unref(bus);
      return;
    }
    ready_ = true;
    for (;;) {
      while (sd_bus_process(bus, nullptr) > 0) {
      }
      pollfd fds[2] = {{wake_, POLLIN, 0}, {sd_bus_get_fd(bus), static_cast<short>(sd_bus_get_events(bus)), 0}};
      ::poll(fds, 2, 1000);
      if (fds[0].revents) {
        std::uint64_t n;
        [[maybe_unused]] const ssize_t r = ::read(wake_, &n, sizeof n);
        std::vector<std::function<bool(sd_bus*)>> jobs;
        {
          std::lock_guard lock(m_);
          jobs.swap(jobs_);
        }
        for (auto& job : jobs) {
          if (!job(bus)) {
            sd_bus_flush_close_unref(bus);
            return;
          }
        }
        sd_bus_flush(bus);
      }
    }
  }

  pid_t daemon_ = -1;
  std::string address_;
  int wake_ = -1;
  std::thread thread_;
  std::atomic<bool> ready_{false};
  std::atomic<int> inhibitors_{0};
  std::mutex m_;
  std::vector<int> heldEnds_;
  std::vector<std::function<bool(sd_bus*)>> jobs_;
};

TEST_F(BroadcastTest, SuspendReachesTheWindowsBeforeTheMachineMaySleepAndResumeFollows) {
  if (::system("command -v dbus-daemon >/dev/null 2>&1") != 0) GTEST_SKIP() << "no dbus-daemon to run a bus";
  FakeLoginManager manager(Scratch.Path().string());
  ASSERT_FALSE(manager.Address().empty());
  ASSERT_TRUE(PumpUntil([&] { return manager.Ready(); }));

  PowerWatcher watcher("Veltrosa", "Marks the recordings and closes the ports", manager.Address());
  ASSERT_TRUE(PumpUntil([&] { return manager.Inhibitors() == 1 && manager.LastInhibitorHeld(); }));

  bool heldWhileHandled = false;
  Form->OnGot = [&](const ListeningForm::Got& G) {
    if (G.Event == PBT_APMSUSPEND) heldWhileHandled = manager.LastInhibitorHeld();
  };
  manager.AnnounceSleep(true);
  ASSERT_TRUE(PumpUntil([&] { return !Form->Received.empty(); }));
  EXPECT_EQ(Form->Received[0].Msg, WM_POWERBROADCAST);
  EXPECT_EQ(Form->Received[0].Event, PBT_APMSUSPEND);
  EXPECT_TRUE(heldWhileHandled);
  EXPECT_FALSE(manager.LastInhibitorHeld());

  manager.AnnounceSleep(false);
  ASSERT_TRUE(PumpUntil([&] { return Form->Received.size() >= 2 && manager.Inhibitors() == 2; }));
  EXPECT_EQ(Form->Received[1].Event, PBT_APMRESUMESUSPEND);
  ASSERT_TRUE(PumpUntil([&] { return manager.LastInhibitorHeld(); }));
}

}  // namespace
