// The simulator's ports behave as serial lines, not pipes: output paced at
// the rate the program sets on the port, in small pieces, so that a long
// round reaches the program whole; and its log keeps the time of each
// event, so a test can see the pauses the program made.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "client/dst_sim_client.h"
#include "line_pacer.h"
#include "sentence.h"
#include "tests/tools/dst_sim_link_helpers.h"

namespace {

using namespace std::chrono_literals;
using dstsim::DstSimProcess;
using dstsim::LinePacer;
using dstsim::LogLine;
using dstsim::testing::LinkProbe;

// Milliseconds a sentence shown in a tx line (without its CR LF) needs on
// the line, less the piece in which its first byte went out.
double LineMs(const LogLine& tx, int baud) {
  const std::size_t piece = std::max(1, baud * 5 / 1000 / 10);
  return static_cast<double>(tx.Text.size() + 2 - piece) * 10.0 * 1000.0 / baud;
}

// The sentences on one line took at least the line time of all but the
// last. A tx line is stamped when the simulator hands over the piece that
// holds the sentence's first byte; woken late on a busy machine, it hands
// over up to a packet of what the line has carried meanwhile, so a stamp
// may lag the line by that much: each gap, and the whole span, may come
// short of the line time by one packet's time (and the log's whole
// milliseconds by 1 ms), but no more.
void ExpectPaced(const std::vector<LogLine>& tx, int baud) {
  ASSERT_GE(tx.size(), 2u);
  const double lag = static_cast<double>(LinePacer::kMaxPiece) * 10.0 * 1000.0 / baud + 1.0;
  double lineMs = 0;
  for (std::size_t i = 1; i < tx.size(); ++i) {
    EXPECT_GE(static_cast<double>(tx[i].Ms - tx[i - 1].Ms), LineMs(tx[i - 1], baud) - lag)
        << tx[i - 1].Text << " then " << tx[i].Text;
    lineMs += LineMs(tx[i - 1], baud);
  }
  EXPECT_GE(static_cast<double>(tx.back().Ms - tx.front().Ms), lineMs - lag);
}

// Waits until the log holds count tx lines of source after index from.
std::vector<LogLine> WaitForTx(const DstSimProcess& sim, const std::string& source, std::size_t count,
                               std::size_t from) {
  std::size_t seen = 0;
  sim.WaitForLog([&](const LogLine& l) { return l.Source == source && l.Event == "tx" && ++seen == count; }, from);
  return dstsim::testing::Lines(sim, source, "tx", from);
}

TEST(DstSimPacing, TwelveSatellitesAt4800BaudArriveWholeAndDecoded) {
  DstSimProcess sim({.Arguments = {"--no-dst", "--satellites", "12"}});
  LinkProbe gps(sim.GpsPort(), 4800);
  ASSERT_TRUE(gps.Open());

  // One whole round, each sentence framed with its checksum right: the
  // three satellite messages follow the fix sentences in order.
  const std::vector<std::string> round = {"$GPGGA",        "$GPRMC",        "$GPVTG",       "$GPGSA",
                                          "$GPGSV,3,1,12", "$GPGSV,3,2,12", "$GPGSV,3,3,12"};
  std::size_t at = 0;
  std::size_t bytes = 0;
  std::vector<std::string> sentences;
  for (std::size_t i = 0; i < round.size(); ++i) {
    const auto found = gps.WaitForSentence(round[i], at);
    ASSERT_TRUE(found) << round[i];
    sentences = gps.Sentences();
    if (i > 0 && *found != at) {
      // Not the round's next sentence: start over from this round's GGA.
      i = static_cast<std::size_t>(-1);
      bytes = 0;
      continue;
    }
    at = *found + 1;
    const std::string& s = sentences[*found];
    EXPECT_EQ(s.substr(s.size() - 2), dstsim::Checksum(s.substr(1, s.size() - 4)));
    bytes += s.size() + 2;
  }
  // More than the 400 bytes that used to arrive as one burst and be purged.
  EXPECT_GT(bytes, 400u);

  ASSERT_TRUE(gps.WaitFor([&] {
    const auto& g = gps.Link().NMEAData.GPS;
    if (g.SatsInUse != 12 || g.Satellites.Sats.size() != 12) return false;
    for (const auto& sat : g.Satellites.Sats) {
      if (sat.PRN == 0 || sat.Status != 2) return false;
    }
    return true;
  }));
  ExpectPaced(dstsim::testing::Lines(sim, "gps", "tx"), 4800);
}

TEST(DstSimPacing, OutputFollowsTheRateTheProgramSetsOnThePort) {
  DstSimProcess sim({.Arguments = {"--no-gps", "--dst-rate", "2"}});
  EXPECT_NE(sim.Command("status").find("dst-baud=4800"), std::string::npos);
  LinkProbe dst(sim.DstPort(), 2400);
  ASSERT_TRUE(dst.Open());
  const auto changed = sim.WaitForLog("dst", "state", "baud 2400");
  ASSERT_TRUE(changed);
  EXPECT_NE(sim.Command("status").find("dst-baud=2400"), std::string::npos);

  // Each sentence that started after the change went at 2400 baud, half
  // the pace of the line's own 4800.
  const std::vector<LogLine> tx = WaitForTx(sim, "dst", 12, changed->Index + 1);
  ASSERT_GE(tx.size(), 12u);
  ExpectPaced(tx, 2400);
  ASSERT_TRUE(dst.WaitFor([&] { return dst.Link().NMEAData.WaterSpeedTick != 0; }));

  // And back: the program reopens the port faster.
  dst.Link().Close();
  ASSERT_TRUE(dst.Link().Open(sim.DstPort(), 38400, nmea::kStreamText, true));
  EXPECT_TRUE(sim.WaitForLog("dst", "state", "baud 38400", changed->Index + 1));
}

TEST(DstSimPacing, TheLogKeepsThePausesTheSenderMade) {
  DstSimProcess sim({.Arguments = {"--no-gps"}});
  LinkProbe dst(sim.DstPort(), 38400);
  ASSERT_TRUE(dst.Open());
  // Each pause starts only once the log holds the line before it, so the
  // logged gap cannot be shorter than the pause.
  const auto send = [&](const std::string& body, std::size_t from) {
    dst.Send("$" + body);
    return sim.WaitForLog("dst", "rx", "$" + body + "*", from);
  };
  std::vector<LogLine> lines;
  std::size_t from = 0;
  const int knots[] = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
  std::vector<std::string> bodies = {"PARLRSC,TMP,0,,1.5", "PARLRSC,TMP,0,,1.5"};
  for (int i = 0; i < 10; ++i)
    bodies.push_back("PARLRSC,SPD," + std::to_string(i) + "," + std::to_string(knots[i]) + ",101");
  bodies.push_back("PARLRSC,SPD,END,10");
  for (const std::string& body : bodies) {
    const auto line = send(body, from);
    ASSERT_TRUE(line) << body;
    EXPECT_EQ(line->Verdict(), "accepted");
    lines.push_back(*line);
    from = line->Index + 1;
    std::this_thread::sleep_for(200ms);
  }
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i].Ms - lines[i - 1].Ms, 200) << lines[i].Text;
  const auto committed = sim.WaitForLog("dst", "state", "speed table committed");
  ASSERT_TRUE(committed);
  EXPECT_GE(committed->Ms, lines.back().Ms);
}

TEST(DstSimPacing, APacerHandsOverNoMoreThanTheLineCarried) {
  using Clock = LinePacer::Clock;
  const Clock::time_point t0{};
  LinePacer pacer(4800);
  pacer.Start(t0);
  // 480 bytes a second, in pieces of 2 (what 5 ms carry).
  EXPECT_EQ(pacer.Due(t0, 100), 0u);
  EXPECT_EQ(pacer.NextPiece(100), t0 + pacer.Duration(2));
  EXPECT_EQ(pacer.Due(t0 + 4ms, 100), 0u);
  EXPECT_EQ(pacer.Due(t0 + 5ms, 100), 2u);
  pacer.Sent(2);

  // Run as the simulator does, waking when the next piece is due: a second
  // of line time carries 480 bytes at most.
  std::size_t total = 2;
  std::size_t pending = 10000;
  Clock::time_point now = t0 + 5ms;
  while (now < t0 + 1s) {
    now = pacer.NextPiece(pending);
    if (now > t0 + 1s) break;
    const std::size_t n = pacer.Due(now, pending);
    EXPECT_GE(n, 1u);
    EXPECT_LE(n, 3u);
    pacer.Sent(n);
    total += n;
  }
  EXPECT_LE(total, 480u);
  EXPECT_GE(total, 478u);

  // Held up for a second, it hands over one packet, not the second's worth.
  EXPECT_EQ(pacer.Due(now + 1s, pending), LinePacer::kMaxPiece);
  pacer.Sent(LinePacer::kMaxPiece);
  EXPECT_EQ(pacer.Due(now + 1s, pending), 0u);

  // A faster rate from now on; the last few bytes go as soon as they are
  // carried.
  pacer.SetBaud(38400, now + 1s);
  EXPECT_EQ(pacer.Due(now + 1s + 5ms, pending), 19u);
  pacer.Sent(19);
  EXPECT_EQ(pacer.NextPiece(1), now + 1s + pacer.Duration(20));
}

}  // namespace
