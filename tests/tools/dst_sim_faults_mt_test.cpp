// Faults switched on through the control channel while the simulator runs,
// each seen from the program's link.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "client/dst_sim_client.h"
#include "platform/core/os/serial_ports.h"
#include "sentence.h"
#include "tests/tools/dst_sim_link_helpers.h"

namespace {

using namespace std::chrono_literals;
using dstsim::DstSimProcess;
using dstsim::LogLine;
using dstsim::testing::LinkProbe;

std::size_t Count(const std::vector<std::string>& sentences, const std::string& prefix, std::size_t from = 0) {
  std::size_t n = 0;
  for (std::size_t i = from; i < sentences.size(); ++i) n += sentences[i].rfind(prefix, 0) == 0;
  return n;
}

// The simulator with both lines, rounds four times a second, and the
// program's link on the module's port at 38400 baud.
struct Bench {
  Bench() : Sim({.Arguments = {"--dst-rate", "4"}}), Dst(Sim.DstPort(), 38400) {}

  // Sends a command and waits until the module's verdict is in the log.
  LogLine Ask(const std::string& body) {
    Dst.Send("$" + body);
    const auto line = Sim.WaitForLog("dst", "rx", "$" + body + "*", next_);
    EXPECT_TRUE(line) << body;
    if (!line) return {};
    next_ = line->Index + 1;
    return *line;
  }

  // Waits for the reply of a read of the temperature table: every reply
  // sent before it has arrived by then.
  void Settle() {
    const std::size_t from = Dst.SentenceCount();
    Ask("PARLRRC,TMP");
    ASSERT_TRUE(Dst.WaitForSentence("$PARLARC,TMP", from));
  }

  DstSimProcess Sim;
  LinkProbe Dst;
  std::size_t next_ = 0;
};

TEST(DstSimFaults, IgnoredIdentificationGetsNoReply) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  b.Sim.Command("fault ignore-identification on");
  EXPECT_EQ(b.Ask("PARLRHI,01").Verdict(), "ignored: identification ignored by fault");
  b.Settle();
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLIHS"), 0u);

  b.Sim.Command("fault ignore-identification off");
  EXPECT_EQ(b.Ask("PARLRHI,01").Verdict(), "accepted");
  EXPECT_TRUE(b.Dst.WaitFor([&] { return !b.Dst.Link().NMEAData.Products.empty(); }));
}

TEST(DstSimFaults, ADelayedReplyGoesOutAfterTheDelay) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  b.Sim.Command("fault delay 400");
  const LogLine asked = b.Ask("PARLRHI,01");
  const auto reply = b.Sim.WaitForLog("dst", "tx", "$PARLIHS", asked.Index);
  ASSERT_TRUE(reply);
  EXPECT_GE(reply->Ms - asked.Ms, 400);
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "reply delayed 400 ms by fault", asked.Index));
  EXPECT_TRUE(b.Dst.WaitFor([&] { return !b.Dst.Link().NMEAData.Products.empty(); }));
}

TEST(DstSimFaults, TheNthReplyIsDropped) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  b.Sim.Command("fault drop 2");
  b.Settle();
  b.Ask("PARLRRC,TMP");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "reply dropped by fault"));
  b.Settle();
  // Three reads, the second unanswered.
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLARC,TMP"), 2u);
}

TEST(DstSimFaults, ATableSentPartlyOrSpreadOverTime) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  b.Sim.Command("fault partial-table 4");
  b.Ask("PARLRRC,SPD");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "table sent partly by fault: 4 of 10 points"));
  b.Settle();
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLARC,SPD"), 4u);
  {
    auto lock = b.Dst.Link().Lock();
    const nmea::TNMEACurve* speed = dstsim::testing::Curve(b.Dst.Link(), nmea::kCurveSpeed);
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->Points.size(), 4u);
  }

  b.Sim.Command("fault partial-table off");
  b.Sim.Command("fault spread-table 150");
  const LogLine asked = b.Ask("PARLRRC,SPD");
  const std::size_t from = b.Dst.SentenceCount();
  ASSERT_TRUE(b.Dst.WaitForSentence("$PARLARC,SPD,9,", from));
  std::vector<LogLine> points;
  for (const LogLine& l : dstsim::testing::Lines(b.Sim, "dst", "tx", asked.Index)) {
    if (l.Text.rfind("$PARLARC,SPD", 0) == 0) points.push_back(l);
  }
  ASSERT_EQ(points.size(), 10u);
  for (std::size_t i = 1; i < points.size(); ++i) EXPECT_GE(points[i].Ms - points[i - 1].Ms, 149);
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLARC,SPD", from), 10u);
}

TEST(DstSimFaults, NoTableAfterADelete) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  b.Sim.Command("fault no-table-after-delete on");
  b.Ask("PARLRSC,SPD,END,0");
  b.Ask("PARLRRC,SPD");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "no speed table to send"));
  b.Settle();
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLARC,SPD"), 0u);
  EXPECT_NE(b.Sim.Command("status").find("table=none"), std::string::npos);
}

TEST(DstSimFaults, SilenceKeepsThePortButSendsNothing) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  ASSERT_TRUE(b.Dst.WaitForSentence("$VWVHW"));
  b.Sim.Command("fault silent on");
  const std::size_t before = b.Dst.SentenceCount();
  EXPECT_EQ(b.Ask("PARLRHI,01").Verdict(), "ignored: silent");
  // Long enough for several rounds to fall due.
  std::this_thread::sleep_for(700ms);
  EXPECT_EQ(b.Ask("PARLRRC,SPD").Verdict(), "ignored: silent");
  // At most the sentence that was on its way when the silence began.
  EXPECT_LE(b.Dst.SentenceCount(), before + 1);
  EXPECT_TRUE(b.Dst.Open());
  EXPECT_TRUE(std::filesystem::exists(b.Sim.Folder() / "veltrosa/ports/dst-sim"));

  b.Sim.Command("fault silent off");
  EXPECT_TRUE(b.Dst.WaitForSentence("$VWVHW", b.Dst.SentenceCount()));
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLIHS"), 0u);
}

TEST(DstSimFaults, AHungUpPortIsPublishedAgain) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  const std::filesystem::path port = b.Sim.Folder() / "veltrosa/ports/dst-sim";
  b.Sim.Command("fault hangup never");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "hung up, port dst-sim gone"));
  EXPECT_FALSE(std::filesystem::exists(port));
  // The program finds no port to open meanwhile.
  EXPECT_FALSE(b.Dst.Reopen());
  EXPECT_EQ(platform::SerialPortPath(b.Sim.DstPort()), "");

  const std::size_t mark = b.Sim.Log().size();
  b.Sim.Command("fault replug");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "port dst-sim published", mark));
  ASSERT_TRUE(b.Dst.Reopen());
  EXPECT_TRUE(b.Dst.WaitForSentence("$VWVHW", b.Dst.SentenceCount()));

  // Timed: gone, then back by itself.
  const std::size_t again = b.Sim.Log().size();
  b.Sim.Command("fault hangup dst 200");
  const auto gone = b.Sim.WaitForLog("dst", "state", "hung up", again);
  const auto back = b.Sim.WaitForLog("dst", "state", "port dst-sim published", again);
  ASSERT_TRUE(gone && back);
  EXPECT_GE(back->Ms - gone->Ms, 199);
  ASSERT_TRUE(b.Dst.Reopen());
  EXPECT_EQ(b.Ask("PARLRHI,01").Verdict(), "accepted");
  EXPECT_TRUE(b.Dst.WaitForSentence("$PARLIHS"));
}

TEST(DstSimFaults, GarbageOnTheLine) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  ASSERT_TRUE(b.Dst.WaitFor([&] { return b.Dst.Link().NMEAData.DepthTick != 0; }));
  // The module's depth sentences off and a new depth: only the garbage made
  // from a depth sentence can carry it. The other sentences keep the line
  // busy, so that the link's reads take every line end in.
  b.Sim.Command("sentence DBT off");
  b.Sim.Command("sentence DPT off");
  b.Sim.Command("set depth 33.3");
  b.Settle();
  const auto next = [&](const char* prefix) {
    const auto at = b.Dst.WaitForSentence(prefix, b.Dst.SentenceCount());
    return at ? b.Dst.Sentences()[*at] : std::string();
  };
  const auto depth = [&] {
    auto lock = b.Dst.Link().Lock();
    return b.Dst.Link().NMEAData.Depth;
  };

  b.Sim.Command("garbage bad-checksum dst DBT");
  EXPECT_EQ(next("$SDDBT").rfind("$SDDBT,109.3,f,33.30,M,", 0), 0u);
  b.Settle();
  EXPECT_FLOAT_EQ(depth(), 12.5f);

  // The link takes a lower-case checksum.
  b.Sim.Command("garbage lower-checksum dst DBT");
  const std::string lower = next("$SDDBT");
  EXPECT_NE(lower.find_first_of("abcdef", lower.size() - 2), std::string::npos) << lower;
  EXPECT_TRUE(b.Dst.WaitFor([&] { return b.Dst.Link().NMEAData.Depth == 33.3f; }));

  b.Sim.Command("garbage empty-field dst DBT");
  EXPECT_EQ(next("$SDDBT,,f,"), "$SDDBT,,f,33.30,M,18.2,F*10");
  EXPECT_EQ(b.Sim.Reply("garbage empty-field dst GGA"), "error the dst line sends no GGA");

  b.Sim.Command("garbage foreign");
  EXPECT_EQ(next("$PXYZIHS").rfind("$PXYZIHS,0001E240,,1,", 0), 0u);
  {
    auto lock = b.Dst.Link().Lock();
    EXPECT_TRUE(b.Dst.Link().NMEAData.Products.empty());
  }

  b.Sim.Command("garbage binary");
  b.Sim.Command("garbage overlong");
  b.Settle();
  EXPECT_NE(b.Dst.Received().find("FE FF"), std::string::npos);
  EXPECT_NE(b.Dst.Received().find(std::string(100, 'A')), std::string::npos);
  for (const std::string& s : b.Dst.Sentences()) EXPECT_LE(s.size(), 510u);

  // A zero coefficient in the next speed table reply: that point is not
  // filed.
  b.Sim.Command("garbage zero-coefficient 3");
  const std::size_t from = b.Dst.SentenceCount();
  b.Ask("PARLRRC,SPD");
  EXPECT_EQ(next("$PARLARC,SPD,3,"), "$PARLARC,SPD,3,5,0*2E");
  ASSERT_TRUE(b.Dst.WaitForSentence("$PARLARC,SPD,9,", from));
  {
    auto lock = b.Dst.Link().Lock();
    const nmea::TNMEACurve* speed = dstsim::testing::Curve(b.Dst.Link(), nmea::kCurveSpeed);
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->Points.size(), 9u);
  }

  // The receiver's line takes garbage too.
  LinkProbe gps(b.Sim.GpsPort(), 4800);
  ASSERT_TRUE(gps.Open());
  b.Sim.Command("garbage bad-checksum gps");
  EXPECT_TRUE(b.Sim.WaitForLog("control", "rx", "garbage bad-checksum gps -> ok"));
  EXPECT_TRUE(b.Sim.WaitForLog([](const LogLine& l) {
    return l.Source == "gps" && l.Event == "tx" && l.Text.rfind("$GPGGA", 0) == 0 &&
           l.Text.substr(l.Text.size() - 2) != dstsim::Checksum(l.Text.substr(1, l.Text.size() - 4));
  }));
}

}  // namespace
