// Recording against the simulated module: the file holds exactly what the
// module sent while it recorded, across a stop and start and across a
// suspend and resume, each part after its marker.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/window_system/messages.h"
#include "tests/app/tools_helpers.h"
#include "widetext/custom_drawn/xp_button.h"

namespace {

using apptest::DialogAnswers;
using apptest::FileChoices;
using apptest::FileText;
using apptest::kModuleSentences;
using apptest::WithMarkersNamed;

class RecordingSimulatorTest : public apptest::SimulatorAppTest {
 protected:
  std::vector<std::string> SimulatorArguments() const override { return {"--dst-rate", "4"}; }

  // The module sends its data for three rounds, then falls quiet; returns
  // what it sent in between, as sent.
  std::string RunModule() {
    const std::size_t begin = Sim().Log().size();
    Sim().Command("mark part begins");
    for (const char* id : kModuleSentences) Sim().Command(std::string("sentence ") + id + " on");
    std::size_t from = begin;
    for (int round = 0; round < 3; ++round) {
      const auto line = Sim().WaitForLog("dst", "tx", "$SDDBT", from);
      EXPECT_TRUE(line.has_value());
      if (!line) return {};
      from = line->Index + 1;
    }
    QuietenModule();
    std::string sent;
    for (const dstsim::LogLine& line : Sim().Log()) {
      if (line.Index >= begin && line.Source == "dst" && line.Event == "tx") sent += line.Text + "\r\n";
    }
    return sent;
  }
};

TEST_F(RecordingSimulatorTest, TheFileHoldsWhatTheModuleSentAcrossStopStartSuspendAndResume) {
  app::TMainForm& form = ShowOnSimulator();
  ASSERT_TRUE(form.DstLink->IsOpen());
  // The test alone speaks to the module.
  form.MainTimer->SetEnabled(false);
  QuietenModule();
  const auto file = Scratch / "dst.txt";
  DialogAnswers answers(true);
  {
    FileChoices files(file);
    form.ButOpenDstLog->Click();
  }
  ASSERT_TRUE(form.DstLink->IsLogging());

  const std::string first = RunModule();
  form.ButStartDstLog->Click();
  form.ButStartDstLog->Click();
  const std::string second = RunModule();
  platform::SendMessageA(form.Handle(), platform::WM_POWERBROADCAST, platform::PBT_APMSUSPEND, 0);
  EXPECT_FALSE(form.ButStartDstLog->Enabled());
  platform::SendMessageA(form.Handle(), platform::WM_POWERBROADCAST, platform::PBT_APMRESUMESUSPEND, 0);
  ASSERT_TRUE(form.DstLink->IsOpen());
  EXPECT_TRUE(form.ButStartDstLog->Enabled());
  EXPECT_EQ(form.ButStartDstLog->Caption(), u"Stop");
  const std::string third = RunModule();
  form.ButStartDstLog->Click();

  EXPECT_NE(first.find("$PARLIHS"), std::string::npos);
  EXPECT_EQ(WithMarkersNamed(FileText(file)),
            "<START LOG>" + first + "<START LOG>" + second + "<POWER SUSPENDED><POWER RESUMED>" + third);
}

}  // namespace
