// The window against the simulated module and GPS receiver on their
// pseudo-terminals, in real time: identification, each button's sentences
// as the module received them (in its log, byte for byte, with nothing in
// between), the module's state after them, the faults that exercise every
// time-out and retry of the exchange, unplugging and plugging the port
// back, the monitors, and a long stream at 115200 baud on both channels.
// Pauses are checked only as lower bounds, less what the simulator may
// take to read a line.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_form.h"
#include "client/dst_sim_client.h"
#include "platform/core/os/serial_ports.h"
#include "platform/core/window_system/system_broadcasts.h"
#include "platform/ui/controls/extctrls.h"
#include "tests/app/module_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"
#include "widetext/standard/memo.h"

namespace {

using apptest::PumpUntil;
using dstsim::LogLine;

// A sentence as the module's log shows it arrived.
std::string Line(std::string_view Body) {
  std::string sentence = apptest::Sentence(Body);
  sentence.resize(sentence.size() - 2);
  return sentence;
}

// How much later than it arrived the simulator may read a line.
constexpr long long kReadSlackMs = 40;

class SimulatedModuleTest : public apptest::AppTest {
 protected:
  void TearDown() override {
    FreeMainForm();
    Sim.reset();
    AppTest::TearDown();
  }

  // The simulator, then the window with the module's port chosen at the
  // rate of an item of its list (38400 baud by default).
  void Start(std::vector<std::string> Arguments = {}, int DstBaudItem = 1) {
    StartSimulator(std::move(Arguments));
    OpenWindow(DstBaudItem);
  }
  void StartSimulator(std::vector<std::string> Arguments) {
    Sim.emplace(dstsim::DstSimProcess::Options{.Arguments = std::move(Arguments)});
  }
  void OpenWindow(int DstBaudItem = 1) {
    MakeMainForm();
    ShowMainForm();
    Form->CmbDstBaud->SetItemIndex(DstBaudItem);
    Form->CmbDstBaud->Click();
    ASSERT_TRUE(apptest::ChoosePort(*Form, *Form->CmbDstPort, Sim->DstPort()));
    ASSERT_TRUE(Form->DstLink->IsOpen());
  }

  // Waits, handling the window's messages, for a log line at or after
  // From that Match accepts.
  std::optional<LogLine> AwaitLog(const std::function<bool(const LogLine&)>& Match, std::size_t From = 0) {
    std::optional<LogLine> found;
    PumpUntil([&] {
      for (const LogLine& line : Sim->Log()) {
        if (line.Index >= From && Match(line)) {
          found = line;
          return true;
        }
      }
      return false;
    });
    return found;
  }
  std::optional<LogLine> AwaitLog(std::string_view Source, std::string_view Event, std::string_view Text,
                                  std::size_t From = 0) {
    return AwaitLog(
        [&](const LogLine& L) {
          return L.Source == Source && L.Event == Event && L.Text.find(Text) != std::string::npos;
        },
        From);
  }
  // What the module received from From on.
  std::vector<LogLine> Commands(std::size_t From = 0) {
    std::vector<LogLine> commands;
    for (const LogLine& line : Sim->Log()) {
      if (line.Index >= From && line.Source == "dst" && line.Event == "rx") commands.push_back(line);
    }
    return commands;
  }
  std::size_t LogEnd() { return Sim->Log().size(); }

  // Identified, with both table reads over: the exchange is free.
  void AwaitReadyModule() {
    ASSERT_TRUE(PumpUntil([&] { return Form->DstReady; }));
    ASSERT_TRUE(AwaitLog("dst", "rx", Line("PARLRRC,TMP")));
    ASSERT_TRUE(PumpUntil([&] { return Form->ExchangeState == app::exReady; }));
  }

  void AnswerQuestions(bool Answer) {
    app::TDialogForm::SetAnswerHandler([Answer](const std::u16string&, const std::u16string&, int) { return Answer; });
  }

  // The commands the module received from From on are exactly Bodies, in
  // order and accepted; the first Paused of them each at least PauseMs
  // after the one before.
  void ExpectReceived(std::size_t From, const std::vector<std::string>& Bodies, long long PauseMs = 0,
                      std::size_t Paused = 0) {
    const std::vector<LogLine> got = Commands(From);
    ASSERT_EQ(got.size(), Bodies.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].Received(), Line(Bodies[i]));
      EXPECT_EQ(got[i].Verdict(), "accepted") << got[i].Text;
      if (i > 0 && i < Paused) {
        EXPECT_GE(got[i].Ms - got[i - 1].Ms, PauseMs - kReadSlackMs) << got[i].Text;
      }
    }
  }

  std::optional<dstsim::DstSimProcess> Sim;
};

TEST_F(SimulatedModuleTest, TheModuleIsIdentifiedItsTablesReadAndEachSettingButtonSendsItsSentence) {
  Start();
  AwaitReadyModule();
  EXPECT_EQ(Form->LblModuleName->GetCaption(), u"Zeruziviz DSM-2-C");
  EXPECT_EQ(Form->LblModuleVer->GetCaption(), u"3.042  01/03/2010");
  EXPECT_EQ(Form->LblHardVer->GetCaption(), u"1.23");
  EXPECT_EQ(Form->LblModuleSerial->GetCaption(), u"123456");
  EXPECT_EQ(Form->FirmwareVersion, 3042);
  // One identification (answered at once), then the speed table, then the
  // temperature table once the speed table's reply time passed.
  ExpectReceived(0, {"PARLRHI,01", "PARLRRC,SPD", "PARLRRC,TMP"});
  const std::vector<LogLine> reads = Commands();
  EXPECT_GE(reads[2].Ms - reads[1].Ms, 2000 - kReadSlackMs);

  Sim->Command("set trip 5");
  std::size_t from = LogEnd();
  Form->EditDptOfs->SetText("1.5");
  Form->ButDepthSend->Click();
  ASSERT_TRUE(AwaitLog("dst", "state", "depth offset 1.50", from));
  ExpectReceived(from, {"PARLRSC,DPT,1.50"});

  from = LogEnd();
  Form->ButTripLogReset->Click();
  ASSERT_TRUE(AwaitLog("dst", "state", "trip 0.00", from));
  ExpectReceived(from, {"PARLRRT,0.00"});
  EXPECT_NE(Sim->Command("status").find("depth-offset=1.50 trip=0.00"), std::string::npos);
}

class TemperatureOffsetTest : public SimulatedModuleTest, public ::testing::WithParamInterface<int> {};

// Each firmware takes its own form of the offset and refuses the other.
TEST_P(TemperatureOffsetTest, TheOffsetGoesOutTwiceInTheFirmwaresFormAndTheResetAsksFirst) {
  const int firmware = GetParam();
  const std::string form = firmware >= 3042 ? "TMP,0,," : "TMP,0,";
  Start({"--firmware", std::to_string(firmware), "--water-temp", "18.0"});
  AwaitReadyModule();
  Form->EditTempCalO->SetText("20.0");
  Form->TempOffset = 2.0;
  Form->TempOffsetInvalid = false;
  std::size_t from = LogEnd();
  Form->ButSetTempOffs->Click();
  ASSERT_TRUE(AwaitLog("dst", "state", "temperature offset 2.0", from));
  ASSERT_TRUE(PumpUntil([&] { return Commands(from).size() == 3; }));
  ExpectReceived(from, {"PARLRRC,TMP", "PARLRSC," + form + "2.0", "PARLRSC," + form + "2.0"});
  const std::vector<LogLine> offsets = Commands(from);
  EXPECT_GE(offsets[2].Ms - offsets[1].Ms, 100 - kReadSlackMs);

  AnswerQuestions(true);
  ASSERT_TRUE(PumpUntil([&] { return Form->ExchangeState == app::exReady; }));
  from = LogEnd();
  Form->ButResetTempOfs->Click();
  ASSERT_TRUE(PumpUntil([&] { return Commands(from).size() == 2; }));
  ExpectReceived(from, {"PARLRSC," + form + "0.0", "PARLRSC," + form + "0.0"}, 100, 2);
  EXPECT_NE(Sim->Command("status").find("temp-offset=0.0"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Firmware, TemperatureOffsetTest, ::testing::Values(3041, 3042));

TEST_F(SimulatedModuleTest, TheSpeedTableIsUploadedWholeAndReadBack) {
  Start();
  AwaitReadyModule();
  const char16_t* row[] = {u"1.00", u"1.00", u"1.00", u"1.05", u"1.10", u"1.20", u"1.20", u"1.20", u"1.20", u"1.20"};
  for (int i = 0; i < 10; ++i) Form->LogGrid->SetCells(i + 1, 2, row[i]);
  const std::size_t from = LogEnd();
  Form->ButSetLogCal->Click();
  ASSERT_TRUE(AwaitLog("dst", "state",
                       "speed table committed: 2:100 3:100 4:100 5:105 6:110 8:120 12:120 15:120 "
                       "20:120 30:120",
                       from));
  ASSERT_TRUE(PumpUntil([&] { return Commands(from).size() == 12; }));
  const std::vector<std::string> upload = {"PARLRSC,SPD,0,2,100",  "PARLRSC,SPD,1,3,100",  "PARLRSC,SPD,2,4,100",
                                           "PARLRSC,SPD,3,5,105",  "PARLRSC,SPD,4,6,110",  "PARLRSC,SPD,5,8,120",
                                           "PARLRSC,SPD,6,12,120", "PARLRSC,SPD,7,15,120", "PARLRSC,SPD,8,20,120",
                                           "PARLRSC,SPD,9,30,120", "PARLRSC,SPD,END,10",   "PARLRRC,SPD"};
  ExpectReceived(from, upload, 200, 11);
}

TEST_F(SimulatedModuleTest, AModuleThatCannotBeCalibratedShowsItsMessageAndKeepsTheControlsOff) {
  Start({"--product", "0"});
  ASSERT_TRUE(PumpUntil([&] { return Form->DeviceStatus == 3 && Form->LblModuleMsg->Visible(); }));
  EXPECT_EQ(Form->LblModuleMsg->GetCaption(), Form->TxtNotSupported);
  EXPECT_EQ(Form->LblModuleName->GetCaption(), u"Zeruziviz MUX-2");
  EXPECT_FALSE(Form->DstReady);
  EXPECT_FALSE(Form->ButResetLogCal->Enabled());
  // Asked again and again, about every two seconds, and never anything
  // else; the message stays.
  ASSERT_TRUE(PumpUntil([&] {
    EXPECT_TRUE(Form->LblModuleMsg->Visible());
    return Commands().size() >= 2;
  }));
  const std::vector<LogLine> asked = Commands();
  for (std::size_t i = 0; i < asked.size(); ++i) {
    EXPECT_EQ(asked[i].Received(), Line("PARLRHI,01"));
    if (i > 0) {
      EXPECT_GE(asked[i].Ms - asked[i - 1].Ms, 1500 - kReadSlackMs);
    }
  }

  Sim->Command("set product 1");
  Sim->Command("set firmware 3031");
  ASSERT_TRUE(PumpUntil([&] { return Form->LblModuleMsg->GetCaption() == Form->TxtFirmwareOld; }));
  EXPECT_TRUE(Form->LblModuleMsg->Visible());
  EXPECT_EQ(Form->DeviceStatus, 2);
  EXPECT_FALSE(Form->DstReady);

  Sim->Command("set firmware 3032");
  ASSERT_TRUE(PumpUntil([&] { return Form->DstReady && !Form->LblModuleMsg->Visible(); }));
  ASSERT_TRUE(PumpUntil([&] { return Form->ButResetLogCal->Enabled(); }));
}

TEST_F(SimulatedModuleTest, ALostUnansweredOrLateIdentificationIsAskedAgainUntilAnswered) {
  StartSimulator({"--dst-rate", "4"});
  Sim->Command("fault drop 1");
  OpenWindow();
  ASSERT_TRUE(AwaitLog("dst", "state", "reply dropped by fault"));
  ASSERT_TRUE(PumpUntil([&] { return Form->DstReady; }));
  std::vector<LogLine> asked = Commands();
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[0].Received(), Line("PARLRHI,01"));
  EXPECT_EQ(asked[1].Received(), Line("PARLRHI,01"));

  // A new rate: the module is identified afresh, and does not answer.
  Sim->Command("fault ignore-identification on");
  std::size_t from = LogEnd();
  Form->CmbDstBaud->SetItemIndex(0);
  Form->CmbDstBaud->Click();
  EXPECT_FALSE(Form->DstReady);
  ASSERT_TRUE(PumpUntil([&] { return Commands(from).size() >= 2; }));
  asked = Commands(from);
  for (const LogLine& line : asked)
    EXPECT_EQ(line.Text, Line("PARLRHI,01") + " -> ignored: identification ignored by fault");
  EXPECT_GE(asked[1].Ms - asked[0].Ms, 1500 - kReadSlackMs);
  EXPECT_FALSE(Form->DstReady);

  // An answer later than the reply time: the request after the time-out
  // finds it.
  Sim->Command("fault ignore-identification off");
  Sim->Command("fault delay 1700");
  from = LogEnd();
  ASSERT_TRUE(PumpUntil([&] { return Form->DstReady; }));
  ASSERT_GE(Commands(from).size(), 2u);
  for (const LogLine& line : Commands(from)) EXPECT_EQ(line.Received(), Line("PARLRHI,01"));
}

// Each part of a table that comes restarts the wait for the next one: the
// temperature table is asked for only once the speed table's reply time
// has passed after its last point, however late or slowly it came, and
// whether it came whole or in part.
TEST_F(SimulatedModuleTest, ATableThatComesLateSlowlyOrInPartIsAwaitedUntilItsLastPoint) {
  // The speed table's Points came, the last more than its reply time after
  // the request, and the temperature table was asked for more than that
  // time after the last.
  const auto expectAwaited = [&](std::size_t From, std::size_t Points) {
    const std::optional<LogLine> asked = AwaitLog("dst", "rx", Line("PARLRRC,TMP"), From);
    ASSERT_TRUE(asked);
    std::optional<LogLine> request;
    std::vector<LogLine> points;
    for (const LogLine& line : Sim->Log()) {
      if (line.Index < From || line.Index >= asked->Index) continue;
      if (line.Event == "rx" && line.Received() == Line("PARLRRC,SPD")) request = line;
      if (line.Event == "tx" && line.Text.rfind("$PARLARC,SPD,", 0) == 0) points.push_back(line);
    }
    ASSERT_TRUE(request);
    ASSERT_EQ(points.size(), Points);
    EXPECT_GT(points.back().Ms - request->Ms, 2000);
    EXPECT_GT(asked->Ms - points.back().Ms, 2000);
  };
  StartSimulator({"--dst-rate", "4"});
  Sim->Command("fault partial-table 4");
  Sim->Command("fault spread-table 400");
  Sim->Command("fault delay 1000");
  OpenWindow();
  ASSERT_NO_FATAL_FAILURE(expectAwaited(0, 4));
  EXPECT_TRUE(Form->DstReady);
  // What came is the stored table.
  EXPECT_EQ(Form->SpeedTable.size(), 32u);
}

TEST_F(SimulatedModuleTest, UnpluggingThePortGreysTheLampAndPluggingItBackReopensTheChannel) {
  Start();
  const platform::DeviceChangeWatcher devices(platform::EnsureVirtualPortFolder());
  AwaitReadyModule();
  Sim->Command("fault hangup dst never");
  ASSERT_TRUE(PumpUntil([&] { return !Form->DstLink->IsOpen(); }));
  EXPECT_EQ(Form->LedDst->Brush().Color(), app::kLampOff);
  EXPECT_EQ(Form->CmbDstPort->ItemIndex(), 0);
  ASSERT_TRUE(PumpUntil([&] { return !Form->DstReady && Form->ExchangeState == app::exIdle; }));

  const std::size_t from = LogEnd();
  Sim->Command("fault replug");
  ASSERT_TRUE(PumpUntil([&] { return Form->DstLink->IsOpen(); }));
  EXPECT_EQ(Form->LedDst->Brush().Color(), app::kLampOn);
  EXPECT_EQ(Form->DstLink->Baud(), 38400);
  // A module on a reopened channel is identified afresh.
  ASSERT_TRUE(PumpUntil([&] { return Form->DstReady; }));
  EXPECT_EQ(Commands(from).front().Received(), Line("PARLRHI,01"));
}

// The monitors' text as it stands.
std::u16string Monitor(app::TWtxMemo& Memo) { return Memo.GetText(); }

TEST_F(SimulatedModuleTest, TheMonitorsShowBothChannelsAndStartAgainPastTheirLimit) {
  Start({"--gps-baud", "115200", "--gps-rate", "20"});
  Form->CmbGPSBaud->SetItemIndex(5);
  Form->CmbGPSBaud->Click();
  ASSERT_TRUE(apptest::ChoosePort(*Form, *Form->CmbGPSPort, Sim->GpsPort()));
  ASSERT_TRUE(PumpUntil([&] {
    return Monitor(*Form->MemoDST).find(u"$SDDPT,12.50,") != std::u16string::npos &&
           Monitor(*Form->MemoGPS).find(u"$GPRMC,") != std::u16string::npos;
  }));
  // The GPS monitor fills up, is emptied past 300 lines and fills again;
  // it never holds more between two messages.
  int most = 0;
  int emptied = 0;
  int last = 0;
  ASSERT_TRUE(PumpUntil([&] {
    const int lines = Form->MemoGPS->GetLines().Count();
    most = std::max(most, lines);
    emptied += lines < last;
    last = lines;
    return emptied >= 2;
  }));
  EXPECT_LE(most, 300);
  EXPECT_GT(most, 250);
}

// Every sentence the simulator sent while both channels streamed at
// 115200 baud for a minute was framed and checked by the program: the
// sentences the simulator logged between two marks arrive in the same
// order, none missing, among what the links framed.
TEST_F(SimulatedModuleTest, AtFullSpeedOnBothChannelsNothingIsLost) {
  Start({"--dst-baud", "115200", "--gps-baud", "115200", "--dst-rate", "50", "--gps-rate", "50"}, 0);
  std::mutex mutex;
  std::vector<std::string> framed[2];
  nmea::TNMEA2KDecoder* links[2] = {Form->DstLink.get(), Form->GpsLink.get()};
  for (int i = 0; i < 2; ++i) {
    links[i]->SetReceiveEnabled(false);
    links[i]->OnRawMessage = [&, i](platform::TObject*, std::string_view Sentence) {
      const std::lock_guard<std::mutex> lock(mutex);
      framed[i].emplace_back(Sentence);
    };
    links[i]->SetReceiveEnabled(true);
  }
  // The reader threads stop filling the lists before they go, whichever way
  // the test ends.
  struct Detach {
    nmea::TNMEA2KDecoder* const* Links;
    ~Detach() {
      for (int i = 0; i < 2; ++i) {
        Links[i]->SetReceiveEnabled(false);
        Links[i]->OnRawMessage = nullptr;
        Links[i]->SetReceiveEnabled(true);
      }
    }
  } detach{links};
  // The rate the module's list does not offer, as a line at full speed.
  Form->CmbDstBaud->GetItems().Add(u"115200");
  Form->CmbDstBaud->SetItemIndex(2);
  Form->CmbDstBaud->Click();
  Form->CmbGPSBaud->SetItemIndex(5);
  Form->CmbGPSBaud->Click();
  ASSERT_TRUE(apptest::ChoosePort(*Form, *Form->CmbGPSPort, Sim->GpsPort()));
  // A link that could not open keeps reporting its rate.
  for (const nmea::TNMEA2KDecoder* link : links) {
    ASSERT_TRUE(link->IsOpen());
    ASSERT_EQ(link->Baud(), 115200);
  }

  const std::size_t start = LogEnd();
  Sim->Command("mark start");
  ASSERT_TRUE(AwaitLog("control", "rx", "mark start", start));
  const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  // A minute is longer than one pump's deadline: pumped in turns.
  while (std::chrono::steady_clock::now() <= until) {
    PumpUntil([&] { return std::chrono::steady_clock::now() > until; });
  }
  Sim->Command("mark end");

  std::vector<std::string> sent[2];
  bool counting = false;
  for (const LogLine& line : Sim->Log()) {
    if (line.Source == "control" && line.Text.find("mark ") == 0) counting = line.Text.find("mark start") == 0;
    if (!counting || line.Event != "tx" || line.Text.rfind("$", 0) != 0) continue;
    sent[line.Source == "gps" ? 1 : 0].push_back(line.Text);
  }
  for (int i = 0; i < 2; ++i) {
    ASSERT_GT(sent[i].size(), 1000u) << "channel " << i;
    // Waits until the last one arrived, then looks for the whole run.
    ASSERT_TRUE(PumpUntil([&] {
      const std::lock_guard<std::mutex> lock(mutex);
      return std::find(framed[i].begin(), framed[i].end(), sent[i].back()) != framed[i].end();
    })) << "channel "
        << i;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto first = std::search(framed[i].begin(), framed[i].end(), sent[i].begin(), sent[i].end());
    EXPECT_NE(first, framed[i].end()) << "channel " << i << ": " << sent[i].size() << " sentences sent";
    std::printf("channel %d: %zu sentences sent in a minute, all framed\n", i, sent[i].size());
  }
}

}  // namespace
