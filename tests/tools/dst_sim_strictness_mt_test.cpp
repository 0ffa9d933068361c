// The simulated module is strict where the protocol is precise: every
// command form the program sends, on both firmware generations, accepted
// or refused with its reason, as seen from the program's link and in the
// simulator's log.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/dst_sim_client.h"
#include "sentence.h"
#include "tests/tools/dst_sim_link_helpers.h"

namespace {

using dstsim::DstSimProcess;
using dstsim::testing::LinkProbe;

// The simulator without its receiver, and the program's link on the
// module's port; 38400 baud keeps the replies short.
struct Bench {
  explicit Bench(std::vector<std::string> args = {})
      : Sim(DstSimProcess::Options{.Arguments =
                                       [&] {
                                         args.insert(args.end(), {"--no-gps", "--dst-rate", "5"});
                                         return args;
                                       }()}),
        Dst(Sim.DstPort(), 38400) {}

  // Sends a command as the program does and returns the module's verdict.
  std::string Verdict(const std::string& body) { return Raw(dstsim::Sentence(body)); }

  // Sends bytes as they stand; the verdict on the line they hold.
  std::string Raw(const std::string& bytes) {
    Dst.SendRaw(bytes);
    const std::string line = bytes.substr(0, bytes.find_first_of("\r\n"));
    const auto rx = Sim.WaitForLog(
        [&](const dstsim::LogLine& l) { return l.Source == "dst" && l.Event == "rx" && l.Received() == line; }, next_);
    if (!rx) return "no log line";
    next_ = rx->Index + 1;
    return rx->Verdict();
  }

  std::string Status() { return Sim.Command("status"); }

  DstSimProcess Sim;
  LinkProbe Dst;
  std::size_t next_ = 0;
};

std::size_t Count(const std::vector<std::string>& sentences, const std::string& prefix) {
  std::size_t n = 0;
  for (const std::string& s : sentences) n += s.rfind(prefix, 0) == 0;
  return n;
}

TEST(DstSimStrictness, EachCommandFormOnBothFirmwareGenerations) {
  const int knots[] = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
  for (const int firmware : {3041, 3042}) {
    SCOPED_TRACE(firmware);
    const bool newer = firmware >= 3042;
    Bench b({"--firmware", std::to_string(firmware)});
    ASSERT_TRUE(b.Dst.Open());

    EXPECT_EQ(b.Verdict("PARLRHI,01"), "accepted");
    for (int i = 0; i < 10; ++i) {
      const std::string point = std::to_string(i) + "," + std::to_string(knots[i]) + "," + (i == 4 ? "105" : "100");
      EXPECT_EQ(b.Verdict("PARLRSC,SPD," + point), "accepted");
    }
    EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,10"), "accepted");
    EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "speed table committed: 2:100 3:100 4:100 5:100 6:105 8:100"));
    EXPECT_EQ(b.Verdict("PARLRRC,SPD"), "accepted");

    // Each firmware takes its own temperature form and refuses the other.
    const std::string older = b.Verdict("PARLRSC,TMP,0,-5.0");
    const std::string current = b.Verdict("PARLRSC,TMP,0,,-5.0");
    EXPECT_EQ(newer ? current : older, "accepted");
    EXPECT_EQ(newer ? older : current,
              newer ? "refused: TMP,0,<offset> is the form of firmware below 3042; firmware 3042"
                    : "refused: TMP,0,,<offset> is the form of firmware 3042 and later; firmware 3041");
    EXPECT_EQ(b.Verdict("PARLRRC,TMP"), "accepted");

    EXPECT_EQ(b.Verdict("PARLRSC,DPT,32.76"), "accepted");
    EXPECT_EQ(b.Verdict("PARLRSC,DPT,-0.61"), "accepted");
    EXPECT_EQ(b.Verdict("PARLRRT,0.00"), "accepted");

    // The link decodes what the module answered: its identity and both
    // tables, the temperature offset in the firmware's own reply form.
    ASSERT_TRUE(b.Dst.WaitFor([&] {
      const auto& link = b.Dst.Link();
      const nmea::TNMEACurve* speed = dstsim::testing::Curve(link, nmea::kCurveSpeed);
      return !link.NMEAData.Products.empty() && speed && speed->Points.size() == 10 &&
             dstsim::testing::Curve(link, nmea::kCurveTemperature);
    }));
    {
      auto lock = b.Dst.Link().Lock();
      const auto& link = b.Dst.Link();
      EXPECT_EQ(link.NMEAData.Products[0].SoftwareVersion, std::to_string(firmware));
      const nmea::TNMEACurve* speed = dstsim::testing::Curve(link, nmea::kCurveSpeed);
      const nmea::TNMEACurve* temperature = dstsim::testing::Curve(link, nmea::kCurveTemperature);
      ASSERT_TRUE(speed && temperature);
      EXPECT_DOUBLE_EQ(speed->Points[4].Y, 1.05);
      EXPECT_EQ(speed->Points[9].X, 30.0);
      EXPECT_NEAR(temperature->Points[0].Y, -5.0, 1e-9);
    }
    EXPECT_TRUE(b.Dst.WaitFor([&] { return b.Dst.Link().NMEAData.TransducerOffset == -0.61; }));

    // The reset form of each generation.
    const std::string resetOlder = b.Verdict("PARLRSC,TMP,0,0.0");
    const std::string resetNewer = b.Verdict("PARLRSC,TMP,0,,0.0");
    EXPECT_EQ(newer ? resetNewer : resetOlder, "accepted");
    EXPECT_EQ((newer ? resetOlder : resetNewer).rfind("refused: ", 0), 0u);
    EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,0"), "accepted");
    EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "speed table deleted"));
    EXPECT_NE(b.Status().find("temp-offset=0.0 depth-offset=-0.61 trip=0.00"), std::string::npos);
  }
}

TEST(DstSimStrictness, ACommandWithoutARightUpperCaseChecksumGetsNoReply) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  EXPECT_EQ(b.Raw("$PARLRHI,01\r\n"), "refused: no checksum");
  EXPECT_EQ(b.Raw("$PARLRHI,01*70\r\n"), "refused: bad checksum 70, computed 71");
  EXPECT_EQ(b.Raw("$PARLRHI,01*7\r\n"), "refused: checksum is not two hex digits");
  EXPECT_EQ(b.Raw("$PARLRHI,01*7G\r\n"), "refused: checksum is not two hex digits");
  EXPECT_EQ(b.Raw("$PARLRSC,TMP,0,,1.5*1e\r\n"), "refused: checksum in lower case");
  std::string longBody = "PARLRSC,DPT,0.50";
  while (longBody.size() < 80) longBody += ",0";
  EXPECT_EQ(b.Verdict(longBody), "refused: longer than 82 characters");

  // Replies go out in order, so a reply to any of the refused commands
  // would arrive before the one to the right command.
  EXPECT_EQ(b.Verdict("PARLRHI,01"), "accepted");
  ASSERT_TRUE(b.Dst.WaitForSentence("$PARLIHS"));
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLIHS"), 1u);
  EXPECT_NE(b.Status().find("temp-offset=0.0"), std::string::npos);
}

TEST(DstSimStrictness, IdentificationChecksItsArgument) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  EXPECT_EQ(b.Verdict("PARLRHI,02"), "refused: identification argument 02 is not 01");
  EXPECT_EQ(b.Verdict("PARLRHI,1"), "refused: identification argument 1 is not 01");
  EXPECT_EQ(b.Verdict("PARLRHI"), "refused: identification takes one field, 01");
  EXPECT_EQ(b.Verdict("PARLRHI,01,01"), "refused: identification takes one field, 01");
  EXPECT_EQ(b.Verdict("PARLRXX,01"), "refused: unknown command PARLRXX");
  EXPECT_EQ(b.Verdict("GPGLL,4343.0,N,01024.0,E"), "refused: not a command of this module: GPGLL");
  EXPECT_EQ(b.Verdict("PARLRHI,01"), "accepted");
  ASSERT_TRUE(b.Dst.WaitForSentence("$PARLIHS"));
  EXPECT_EQ(Count(b.Dst.Sentences(), "$PARLIHS"), 1u);
}

TEST(DstSimStrictness, OffsetsOutOfRangeOrFormatAreRefusedUnlessClamping) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,5.1"), "refused: 5.1 outside -5.0 to 5.0");
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,-5.1"), "refused: -5.1 outside -5.0 to 5.0");
  EXPECT_EQ(b.Verdict("PARLRSC,DPT,32.77"), "refused: 32.77 outside -32.76 to 32.76");
  EXPECT_EQ(b.Verdict("PARLRSC,DPT,-40.00"), "refused: -40.00 outside -32.76 to 32.76");
  EXPECT_EQ(b.Verdict("PARLRRT,-1.00"), "refused: trip -1.00 is below 0.00");
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,1.50"), "refused: offset 1.50 is not a number with 1 decimal");
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,+1.0"), "refused: offset +1.0 is not a number with 1 decimal");
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,1,,1.0"), "refused: temperature point 1: the module keeps point 0 only");
  EXPECT_EQ(b.Verdict("PARLRSC,DPT,1.5"), "refused: offset 1.5 is not a number with 2 decimals");
  EXPECT_EQ(b.Verdict("PARLRSC,DPT,1,50"), "refused: a depth offset takes one field");
  EXPECT_EQ(b.Verdict("PARLRSC,XYZ,1"), "refused: unknown setting XYZ");
  EXPECT_NE(b.Status().find("temp-offset=0.0 depth-offset=0.00 trip=0.00 clamp=off"), std::string::npos);

  b.Sim.Command("clamp on");
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,7.5"), "accepted, clamped to 5.0");
  EXPECT_EQ(b.Verdict("PARLRSC,DPT,-40.00"), "accepted, clamped to -32.76");
  EXPECT_EQ(b.Verdict("PARLRRT,-1.00"), "accepted, clamped to 0.00");
  EXPECT_NE(b.Status().find("temp-offset=5.0 depth-offset=-32.76 trip=0.00 clamp=on"), std::string::npos);
  // Clamping never excuses a wrong form.
  EXPECT_EQ(b.Verdict("PARLRSC,TMP,0,,7.55"), "refused: offset 7.55 is not a number with 1 decimal");

  Bench clamping({"--clamp"});
  ASSERT_TRUE(clamping.Dst.Open());
  EXPECT_EQ(clamping.Verdict("PARLRSC,TMP,0,,-9.9"), "accepted, clamped to -5.0");
}

TEST(DstSimStrictness, ASpeedTableIsTakenOnlyWholeAndUninterrupted) {
  Bench b;
  ASSERT_TRUE(b.Dst.Open());
  const auto point = [](int i, int coefficient) {
    const int knots[] = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
    return "PARLRSC,SPD," + std::to_string(i) + "," + std::to_string(knots[i]) + "," + std::to_string(coefficient);
  };
  const std::string factory = "table=100,100,100,100,100,100,100,100,100,100";

  for (int i = 0; i < 10; ++i) {
    if (i != 4) {
      EXPECT_EQ(b.Verdict(point(i, 110)), "accepted");
    }
  }
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,10"), "refused: upload incomplete: point 4 missing");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "upload discarded: point 4 missing"));
  EXPECT_NE(b.Status().find(factory), std::string::npos);

  for (int i = 0; i < 5; ++i) b.Verdict(point(i, 110));
  EXPECT_EQ(b.Verdict("PARLRRC,TMP"), "accepted");
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "command during upload: PARLRRC,TMP"));
  EXPECT_TRUE(b.Sim.WaitForLog("dst", "state", "upload discarded: interrupted"));
  for (int i = 5; i < 10; ++i) b.Verdict(point(i, 110));
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,10"), "refused: upload incomplete: point 0 missing");

  EXPECT_EQ(b.Verdict(point(3, 0)), "refused: coefficient 0 is not a whole number above 0");
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,10,40,100"), "refused: speed point index 10 is not 0 to 9");
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,1,3.5,100"), "refused: speed 3.5 is not a whole number of knots");
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,5"), "refused: END with 5 points; a table has 10");
  EXPECT_NE(b.Status().find(factory), std::string::npos);

  for (int i = 0; i < 10; ++i) b.Verdict(point(i, 95 + i));
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,10"), "accepted");
  EXPECT_NE(b.Status().find("table=95,96,97,98,99,100,101,102,103,104"), std::string::npos);
  EXPECT_EQ(b.Verdict("PARLRSC,SPD,END,0"), "accepted");
  EXPECT_NE(b.Status().find(factory), std::string::npos);
}

}  // namespace
