// The control channel: values and sentences changed while the simulator
// runs, seen in its next round; commands checked and answered; and the
// client's start and stop, which leave nothing behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "client/dst_sim_client.h"
#include "tests/support/scratch_folder.h"
#include "tests/tools/dst_sim_link_helpers.h"

extern char** environ;

namespace {

using dstsim::DstSimProcess;
using dstsim::LogLine;
using dstsim::testing::Fields;
using dstsim::testing::LinkProbe;

// The field of the count-th sentence with this tag that went out after the
// log line at index from.
std::string FieldAfter(const DstSimProcess& sim, std::size_t from, const std::string& source, const std::string& tag,
                       int count, std::size_t field) {
  int seen = 0;
  const auto line = sim.WaitForLog(
      [&](const LogLine& l) {
        return l.Source == source && l.Event == "tx" && l.Text.rfind("$" + tag + ",", 0) == 0 && ++seen == count;
      },
      from);
  return line ? Fields(line->Text).at(field) : "not sent";
}

TEST(DstSimControl, AChangeShowsInTheNextRound) {
  DstSimProcess sim({.Arguments = {"--dst-rate", "4", "--gps-rate", "4"}});
  LinkProbe dst(sim.DstPort(), 38400);
  LinkProbe gps(sim.GpsPort(), 38400);
  ASSERT_TRUE(dst.Open() && gps.Open());
  ASSERT_TRUE(dst.WaitForSentence("$VWVHW"));

  for (const char* command : {"set speed 8", "set water-temp 21.5", "set depth 7.25", "set sog 9.5"}) {
    sim.Command(command);
  }
  const std::size_t at = sim.WaitForLog("control", "rx", "set sog 9.5")->Index;
  // A round already on its way keeps the old values; the next one has the
  // new.
  EXPECT_EQ(FieldAfter(sim, at, "dst", "VWVHW", 2, 5), "7.60");
  EXPECT_EQ(FieldAfter(sim, at, "dst", "YXMTW", 2, 1), "21.5");
  EXPECT_EQ(FieldAfter(sim, at, "dst", "SDDBT", 2, 3), "7.25");
  EXPECT_EQ(FieldAfter(sim, at, "gps", "GPVTG", 2, 5), "9.5");
  EXPECT_TRUE(dst.WaitFor([&] {
    const auto& d = dst.Link().NMEAData;
    return d.WaterSpeed == 7.6 && d.WaterTemperature == 21.5 && d.Depth == 7.25f;
  }));
  EXPECT_TRUE(gps.WaitFor([&] { return gps.Link().NMEAData.SOG == 9.5; }));
}

TEST(DstSimControl, TheLogsErrorCanDependOnSpeed) {
  DstSimProcess sim({.Arguments = {"--no-gps", "--dst-rate", "4"}});
  LinkProbe dst(sim.DstPort(), 38400);
  ASSERT_TRUE(dst.Open());
  const auto logShows = [&](double knots) {
    return dst.WaitFor([&] { return std::abs(dst.Link().NMEAData.WaterSpeed - knots) < 0.005; });
  };
  sim.Command("log-error 2:0.90 10:1.10");
  sim.Command("set speed 6");
  EXPECT_TRUE(logShows(6.0));
  sim.Command("set speed 10");
  EXPECT_TRUE(logShows(11.0));
  sim.Command("set speed 1");
  EXPECT_TRUE(logShows(0.9));
  sim.Command("log-error off");
  sim.Command("set speed 10");
  EXPECT_TRUE(logShows(9.5));
  sim.Command("set log-factor 1.2");
  EXPECT_TRUE(logShows(12.0));
}

TEST(DstSimControl, APreloadedTableIsReportedAndApplied) {
  DstSimProcess sim({.Arguments = {"--no-gps", "--dst-rate", "4"}});
  LinkProbe dst(sim.DstPort(), 38400);
  ASSERT_TRUE(dst.Open());
  sim.Command("table 100 100 100 100 110 100 100 100 100 100");
  dst.Send("$PARLRRC,SPD");
  ASSERT_TRUE(dst.WaitFor([&] {
    const nmea::TNMEACurve* speed = dstsim::testing::Curve(dst.Link(), nmea::kCurveSpeed);
    return speed && speed->Points.size() == 10;
  }));
  {
    auto lock = dst.Link().Lock();
    EXPECT_DOUBLE_EQ(dstsim::testing::Curve(dst.Link(), nmea::kCurveSpeed)->Points[4].Y, 1.10);
  }
  // 6 knots read as 5.7, corrected by 1.07 between the points at 5 and 6.
  EXPECT_TRUE(dst.WaitFor([&] { return dst.Link().NMEAData.WaterSpeed == 6.1; }));

  sim.Command("table none");
  const std::size_t from = sim.Log().size();
  dst.Send("$PARLRRC,SPD");
  EXPECT_TRUE(sim.WaitForLog("dst", "state", "no speed table to send", from));
  EXPECT_TRUE(dst.WaitFor([&] { return dst.Link().NMEAData.WaterSpeed == 5.7; }));
}

// The sentences of the whole round (starting with first) that began
// second after the log line at index from: every round before it may have
// been on its way already.
std::vector<std::string> SecondRound(const DstSimProcess& sim, std::size_t from, const std::string& source,
                                     const std::string& first) {
  const auto starts = [&](const LogLine& l) {
    return l.Source == source && l.Event == "tx" && l.Text.rfind(first, 0) == 0;
  };
  int seen = 0;
  const auto third = sim.WaitForLog([&](const LogLine& l) { return starts(l) && ++seen == 3; }, from);
  std::vector<std::string> round;
  if (!third) return round;
  seen = 0;
  for (const LogLine& l : sim.Log()) {
    if (l.Index <= from || l.Index >= third->Index || l.Source != source || l.Event != "tx") continue;
    seen += starts(l);
    if (seen == 2) round.push_back(Fields(l.Text)[0]);
  }
  return round;
}

TEST(DstSimControl, SentencesSwitchOffAndOn) {
  DstSimProcess sim({.Arguments = {"--dst-rate", "4", "--gps-rate", "4"}});
  LinkProbe dst(sim.DstPort(), 38400);
  LinkProbe gps(sim.GpsPort(), 38400);
  ASSERT_TRUE(dst.Open() && gps.Open());
  sim.Command("sentence MTW off");
  sim.Command("sentence GSV off");
  const std::size_t off = sim.WaitForLog("control", "rx", "sentence GSV off")->Index;
  EXPECT_EQ(SecondRound(sim, off, "dst", "$SDDBT"), (std::vector<std::string>{"SDDBT", "SDDPT", "VWVHW", "VWVLW"}));
  EXPECT_EQ(SecondRound(sim, off, "gps", "$GPGGA"), (std::vector<std::string>{"GPGGA", "GPRMC", "GPVTG", "GPGSA"}));

  sim.Command("sentence MTW on");
  const std::size_t on = sim.WaitForLog("control", "rx", "sentence MTW on")->Index;
  EXPECT_EQ(SecondRound(sim, on, "dst", "$SDDBT"),
            (std::vector<std::string>{"SDDBT", "SDDPT", "VWVHW", "VWVLW", "YXMTW"}));
  EXPECT_TRUE(dst.WaitFor([&] { return dst.Link().NMEAData.WaterTemperatureTick != 0; }));
}

TEST(DstSimControl, CommandsAreCheckedAndAnswered) {
  DstSimProcess sim({.Arguments = {"--no-gps"}});
  const std::vector<std::pair<std::string, std::string>> exchanges = {
      {"ping", "ok"},
      {"", "error empty command"},
      {"bogus", "error unknown command bogus"},
      {"set speed fast", "error fast is not a number from 0 to 100"},
      {"set speed 120", "error 120 is not a number from 0 to 100"},
      {"set speed", "error missing value"},
      {"set nothing 1", "error unknown setting nothing"},
      {"set satellites 3.5", "error 3.5 is not a whole number"},
      {"set firmware 3041", "ok"},
      {"table 1 2", "error a table has 10 coefficients (x 100)"},
      {"table 100 100 100 100 100 100 100 100 100 0", "error 0 is not a number from 1 to 9999"},
      {"sentence XYZ on", "error no line sends XYZ"},
      {"sentence MTW maybe", "error maybe is neither on nor off"},
      {"log-error 5", "error 5 is not speed:factor"},
      {"clamp on off", "error unexpected off"},
      {"fault nothing", "error unknown fault nothing"},
      {"fault delay 10 20", "error unexpected 20"},
      {"fault silent gps on", "error no gps line"},
      {"fault partial-table 11", "error 11 is not a number from 0 to 10"},
      {"garbage nothing", "error unknown garbage nothing"},
      {"garbage zero-coefficient 10", "error 10 is not a number from 0 to 9"},
      {"mark step two", "ok"},
      {"fault clear", "ok"},
  };
  for (const auto& [command, answer] : exchanges) EXPECT_EQ(sim.Reply(command), answer) << command;
  EXPECT_THROW(sim.Command("bogus"), std::runtime_error);
  const std::string status = sim.Command("status");
  EXPECT_NE(status.find("dst-baud=4800 firmware=3041 product=1"), std::string::npos) << status;
  EXPECT_EQ(status.find("gps-baud"), std::string::npos);
  // Every command is in the log with its answer.
  EXPECT_TRUE(sim.WaitForLog("control", "rx", "mark step two -> ok"));
  EXPECT_TRUE(sim.WaitForLog("control", "rx", "set speed 120 -> error 120 is not a number from 0 to 100"));
}

TEST(DstSimControl, TheClientStartsAndStopsLeavingNothingBehind) {
  const char* previous = std::getenv("XDG_RUNTIME_DIR");
  const std::string before = previous ? previous : "";
  std::filesystem::path folder;
  {
    DstSimProcess sim;
    folder = sim.Folder();
    EXPECT_EQ(std::string(std::getenv("XDG_RUNTIME_DIR")), folder.string());
    const std::filesystem::path ports = folder / "veltrosa/ports";
    for (const char* name : {"dst-sim", "gps-sim", "dst-sim.control"})
      EXPECT_TRUE(std::filesystem::exists(ports / name));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(sim.Stop(), 0);
    const std::vector<LogLine> log = sim.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Text, "stopped");
    for (const char* name : {"dst-sim", "gps-sim", "dst-sim.control"}) {
      EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(ports / name))) << name;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
  const char* after = std::getenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(after ? after : "", before);

  try {
    DstSimProcess wrong({.Arguments = {"--dst-baud", "1234"}});
    ADD_FAILURE() << "started with a rate no line has";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("invalid value '1234' for --dst-baud"), std::string::npos) << e.what();
  }
}

TEST(DstSimControl, TheSimulatorEndsWhenItsStandardInputCloses) {
  support::testing::TScratchFolder folder;
  int in[2];
  ASSERT_EQ(::pipe2(in, O_CLOEXEC), 0);
  std::vector<std::string> args = {DST_SIM_PATH, "--stdin-lifeline",           "--no-gps", "--dst-name", "lifeline",
                                   "--control",  (folder / "control").string()};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  // Its ports go into the scratch folder too.
  std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + folder.Path().string()};
  std::vector<char*> envp = {env[0].data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(::posix_spawn(&pid, DST_SIM_PATH, &actions, nullptr, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(in[1]);

  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  ASSERT_GE(pidfd, 0);
  pollfd p{pidfd, POLLIN, 0};
  const bool ended = ::poll(&p, 1, static_cast<int>(dstsim::testing::kDeadline.count())) == 1;
  ::close(pidfd);
  if (!ended) ::kill(pid, SIGKILL);
  int status = -1;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "veltrosa/ports/lifeline")));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "control")));
}

}  // namespace
