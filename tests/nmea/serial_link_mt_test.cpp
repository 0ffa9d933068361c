// The link endpoint on real serial ports (pseudo-terminals): sending,
// recording, and talking to the simulated module.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "nmea/link/endpoint.h"
#include "platform/core/os/serial_ports.h"
#include "support/hashing.h"
#include "tests/nmea/serial_helpers.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using testing_serial::LinkedPty;

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(SerialLink, SendLineWritesTheSentenceWithChecksumAndLineEnd) {
  for (const int baud : {4800, 38400}) {
    LinkedPty peer("link-send");
    nmea::TNMEA2KDecoder link;
    ASSERT_TRUE(link.Open(peer.Number(), baud, nmea::kStreamText, true));
    EXPECT_EQ(link.Port(), peer.Number());
    EXPECT_EQ(link.Baud(), baud);
    link.SendLine("$PARLRHI,01", true);
    link.SendLine("$PARLRRC,SPD", true);
    const std::string expected = "$PARLRHI,01*71\r\n$PARLRRC,SPD*27\r\n";
    EXPECT_EQ(peer.Read(expected.size()), expected);
    link.Close();
    EXPECT_FALSE(link.IsOpen());
  }
}

TEST(SerialLink, ARecordingHoldsExactlyWhatThePortReceivedWhileRecording) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("veltrosa-link-" + std::to_string(::getpid()) + ".log");
  LinkedPty peer("link-log");
  testing_serial::ChunkSink received;
  nmea::TNMEA2KDecoder link;
  link.OnReceive = [&](platform::TObject*, std::string_view text) {
    received.Add(reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<int>(text.size()));
  };
  ASSERT_TRUE(link.Open(peer.Number(), 4800, nmea::kStreamText, true));

  std::size_t total = 0;
  const auto send = [&](const std::string& bytes) {
    ASSERT_TRUE(peer.Write(bytes));
    total += bytes.size();
    ASSERT_TRUE(received.WaitForBytes(total));
  };
  const std::string a = "$SDDPT,12.50,0.00,*4D\r\n$YXMTW,18.0,C*1B\r\n";
  const std::string c = "$VWVHW,,T,,M,5.70,N,10.56,K*64\r\n";
  const std::string d = "$VWVLW,1234.50,N,0.00,N*7D\r\n";
  const std::string e = "$SDDBT,41.0,f,12.50,M,6.8,F*3B\r\n";

  send("$GPGLL,before,start*00\r\n");
  link.StartLog(file.string(), nmea::kLogText, false, "START LOG\r\n");
  send(a);
  link.Suspend("POWER SUSPENDED\r\n");
  EXPECT_FALSE(link.IsOpen());
  link.Resume("POWER RESUMED\r\n");
  ASSERT_TRUE(link.IsOpen());
  send(c);
  link.PauseLog(true);
  send(d);
  link.PauseLog(false);
  send(e);
  link.StopLog();
  send("$GPGLL,after,stop*00\r\n");

  EXPECT_EQ(ReadFile(file), "START LOG\r\n" + a + "POWER SUSPENDED\r\nPOWER RESUMED\r\n" + c + e);
  std::filesystem::remove(file);
}

// dst-sim running as its own process on a virtual port.
class Simulator {
 public:
  explicit Simulator(const std::string& name) : folder_(testing_serial::UsePrivatePortFolder()) {
    const std::string program = DST_SIM_PATH;
    std::vector<std::string> args = {program, "--no-gps", "--dst-name", name, "--dst-rate", "5"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    spawned_ = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    const std::filesystem::path link = std::filesystem::path(platform::VirtualPortFolder()) / name;
    ready_ = spawned_ && testing_serial::WaitUntil([&] { return std::filesystem::exists(link); });
  }
  ~Simulator() {
    if (!spawned_) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  bool Ready() const { return ready_; }

 private:
  std::shared_ptr<testing_serial::PortFolderLease> folder_;
  pid_t pid_ = 0;
  bool spawned_ = false;
  bool ready_ = false;
};

TEST(SerialLink, TheSimulatedModuleIsIdentifiedAndReportsItsTables) {
  Simulator sim("sim-dst");
  ASSERT_TRUE(sim.Ready());
  nmea::TNMEA2KDecoder link;
  ASSERT_TRUE(link.Open(platform::SerialPortNumber("sim-dst", true), 4800, nmea::kStreamText, true));
  link.VerifyChecksum = true;

  // Polls the link, under its lock, until done holds.
  const auto waitFor = [&](auto done) {
    return testing_serial::WaitUntil([&] {
      auto lock = link.Lock();
      return done();
    });
  };
  link.SendLine("$PARLRHI,01", true);
  ASSERT_TRUE(waitFor([&] { return !link.NMEAData.Products.empty(); }));
  {
    auto lock = link.Lock();
    const nmea::tNMEAProd& product = link.NMEAData.Products.front();
    EXPECT_EQ(product.ManufacturerKey, support::StringHash("ARL"));
    EXPECT_EQ(product.ProductCode, 1u);
    EXPECT_EQ(product.SoftwareVersion, "3042");
    EXPECT_EQ(product.HardwareVersion, "123");
    EXPECT_EQ(product.SerialNumber, "123456");
    EXPECT_EQ(product.Date, 40238.0);
    EXPECT_EQ(product.SourceId, link.PortId);
  }

  // Its table replies come out as the link's calibration tables.
  link.SendLine("$PARLRSC,TMP,0,,-1.5", true);
  link.SendLine("$PARLRRC,SPD", true);
  link.SendLine("$PARLRRC,TMP", true);
  ASSERT_TRUE(waitFor([&] { return link.Curves.size() == 2 && link.Curves[0].Points.size() == 10; }));
  auto lock = link.Lock();
  EXPECT_EQ(link.Curves[0].Id, 1);
  EXPECT_EQ(link.Curves[0].Points[9].X, 30.0);
  EXPECT_EQ(link.Curves[0].Points[9].Y, 1.0);
  EXPECT_EQ(link.Curves[1].Id, 2);
  EXPECT_EQ(link.Curves[1].Points[0].Y, -1.5);
}

}  // namespace
