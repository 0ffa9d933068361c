// Recording a channel from the Tools page as the user does it: choosing the
// file (and the offer to record at once), start and stop, appending after a
// start marker, and the buttons and lamps.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/controls/extctrls.h"
#include "platform/ui/controls/stdctrls.h"
#include "tests/app/tools_helpers.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"

namespace {

using apptest::AppTest;
using apptest::DialogAnswers;
using apptest::FileChoices;
using apptest::FileText;
using apptest::HasSentence;
using apptest::PumpUntil;
using apptest::Sentence;
using apptest::VirtualPort;
using apptest::WithMarkersNamed;

class RecordingTest : public AppTest {
 protected:
  // The window shown with its DST channel saved on this port.
  app::TMainForm& ShowWithPort(std::int32_t Dst) {
    WriteSettings(apptest::PortSettings(Dst, 38400, 0));
    app::TMainForm& form = MakeMainForm();
    ShowMainForm();
    return form;
  }
  // Writes the sentences to the port and waits until the link has taken in
  // the last of them (recorded too, when it records).
  static void Feed(VirtualPort& Port, nmea::TNMEA2KDecoder& link, const std::string& Bytes, std::string_view talker,
                   std::string_view id) {
    link.ClearTalkers();
    Port.Write(Bytes);
    ASSERT_TRUE(PumpUntil([&] { return HasSentence(link, talker, id); }));
  }
  static std::u16string FileBox(platform::TEdit* Edit) { return widetext::WideGetWindowText(Edit); }
  bool DstRecordingShown() const {
    return Form->ButStartDstLog->Caption() == u"Stop" && Form->LedLogDst->Brush().Color() == app::kLampOn;
  }
  bool DstIdleShown() const {
    return Form->ButStartDstLog->Caption() == u"Start" && Form->LedLogDst->Brush().Color() == app::kLampOff;
  }
};

const std::string kDepth = Sentence("SDDPT,10.00,0.50,");
const std::string kSpeed = Sentence("VWVHW,,T,,M,5.00,N,9.26,K");
const std::string kTemperature = Sentence("YXMTW,20.0,C");

TEST_F(RecordingTest, AFileChosenWhileTheChannelIsClosedIsShownWithoutAQuestionAndStartStaysOff) {
  app::TMainForm& form = MakeMainForm();
  ShowMainForm();
  DialogAnswers answers(true);
  const auto dstFile = Scratch / "dst.txt";
  {
    FileChoices files(dstFile);
    form.ButOpenDstLog->Click();
    ASSERT_EQ(files.Asked.size(), 1u);
    const platform::TFileChoice& asked = files.Asked[0];
    EXPECT_TRUE(asked.Save);
    EXPECT_EQ(asked.Title, u"Save DST Input Channel");
    EXPECT_EQ(asked.Filter, u"NMEA raw ASCII File (*.txt)|*.txt");
    EXPECT_EQ(asked.FilterIndex, 1);
    EXPECT_EQ(asked.FileName, u"DST_Log_New");
    EXPECT_EQ(asked.DefaultExt, u"txt");
  }
  EXPECT_EQ(FileBox(form.EditDstLog), dstFile.u16string());
  EXPECT_EQ(form.DstLogFile, dstFile.u16string());
  EXPECT_TRUE(answers.Asked.empty());
  EXPECT_FALSE(form.ButStartDstLog->Enabled());
  EXPECT_FALSE(std::filesystem::exists(dstFile));

  {
    FileChoices files(Scratch / "gps.txt");
    form.ButOpenGPSLog->Click();
    ASSERT_EQ(files.Asked.size(), 1u);
    EXPECT_EQ(files.Asked[0].Title, u"Save GPS Input Channel");
    EXPECT_EQ(files.Asked[0].FileName, u"GPS_Log_New");
  }
  EXPECT_EQ(FileBox(form.EditGPSLog), (Scratch / "gps.txt").u16string());
  // Cancelling keeps the file chosen before.
  FileChoices cancel({});
  form.ButOpenDstLog->Click();
  EXPECT_EQ(FileBox(form.EditDstLog), dstFile.u16string());
  EXPECT_TRUE(answers.Asked.empty());
}

TEST_F(RecordingTest, YesRecordsEverythingReceivedAfterAStartMarkerAppendedToTheFile) {
  VirtualPort port("dst-rec");
  app::TMainForm& form = ShowWithPort(port.Number());
  // The buttons clicked as the user clicks them, so that a click taken
  // twice or not at all shows. The channel is open, but without a file
  // there is nothing to start.
  form.TabPag->SetActivePage(form.PaTools);
  EXPECT_FALSE(form.ButStartDstLog->Enabled());
  const auto file = Scratch / "dst.txt";
  std::ofstream(file, std::ios::binary) << "an earlier recording\r\n";
  DialogAnswers answers(true);
  FileChoices files(file);
  apptest::ClickWindow(*form.ButOpenDstLog);
  ASSERT_EQ(answers.Asked.size(), 1u);
  EXPECT_EQ(answers.Asked[0].Title, u"Attention!");
  EXPECT_EQ(answers.Asked[0].Message, u"Do you want to start recording now?");
  EXPECT_EQ(answers.Asked[0].Mode, 2);
  EXPECT_TRUE(form.ButStartDstLog->Enabled());
  EXPECT_TRUE(form.DstLink->IsLogging());
  EXPECT_TRUE(DstRecordingShown());

  Feed(port, *form.DstLink, kDepth + kSpeed + kTemperature, "YX", "MTW");
  apptest::ClickWindow(*form.ButStartDstLog);
  EXPECT_FALSE(form.DstLink->IsLogging());
  EXPECT_TRUE(DstIdleShown());
  EXPECT_TRUE(form.ButStartDstLog->Enabled());

  // Received while stopped: not recorded.
  Feed(port, *form.DstLink, kDepth, "SD", "DPT");
  apptest::ClickWindow(*form.ButStartDstLog);
  EXPECT_TRUE(DstRecordingShown());
  Feed(port, *form.DstLink, kSpeed, "VW", "VHW");
  apptest::ClickWindow(*form.ButStartDstLog);

  EXPECT_EQ(WithMarkersNamed(FileText(file)),
            "an earlier recording\r\n<START LOG>" + kDepth + kSpeed + kTemperature + "<START LOG>" + kSpeed);
}

TEST_F(RecordingTest, NoKeepsTheRunningRecordingUntilTheNextClickStopsIt) {
  VirtualPort port("dst-rec");
  app::TMainForm& form = ShowWithPort(port.Number());
  DialogAnswers answers(true);
  const auto first = Scratch / "first.txt";
  const auto second = Scratch / "second.txt";
  {
    FileChoices files(first);
    form.ButOpenDstLog->Click();
  }
  answers.Answer = false;
  {
    FileChoices files(second);
    form.ButOpenDstLog->Click();
  }
  EXPECT_EQ(answers.Asked.size(), 2u);
  EXPECT_EQ(FileBox(form.EditDstLog), second.u16string());
  EXPECT_TRUE(DstRecordingShown());
  Feed(port, *form.DstLink, kDepth, "SD", "DPT");
  form.ButStartDstLog->Click();
  EXPECT_TRUE(DstIdleShown());
  EXPECT_EQ(WithMarkersNamed(FileText(first)), "<START LOG>" + kDepth);
  EXPECT_FALSE(std::filesystem::exists(second));

  // Yes while recording ends the old recording and starts the new one.
  form.ButStartDstLog->Click();
  answers.Answer = true;
  {
    FileChoices files(first);
    form.ButOpenDstLog->Click();
  }
  Feed(port, *form.DstLink, kSpeed, "VW", "VHW");
  form.ButStartDstLog->Click();
  EXPECT_EQ(WithMarkersNamed(FileText(second)), "<START LOG>");
  EXPECT_EQ(WithMarkersNamed(FileText(first)), "<START LOG>" + kDepth + "<START LOG>" + kSpeed);
}

TEST_F(RecordingTest, ClosingTheChannelEndsItsRecordingAndTheButtonsShowIt) {
  VirtualPort port("dst-rec");
  app::TMainForm& form = ShowWithPort(port.Number());
  DialogAnswers answers(true);
  FileChoices files(Scratch / "dst.txt");
  form.ButOpenDstLog->Click();
  ASSERT_TRUE(DstRecordingShown());
  form.CmbDstPort->SetItemIndex(0);
  form.CmbDstPort->Click();
  EXPECT_FALSE(form.DstLink->IsLogging());
  EXPECT_TRUE(DstIdleShown());
  EXPECT_FALSE(form.ButStartDstLog->Enabled());
}

TEST_F(RecordingTest, TheChosenNameIsKeptWholeAndAFileThatCannotBeMadeRecordsNothing) {
  VirtualPort port("dst-rec");
  app::TMainForm& form = ShowWithPort(port.Number());
  DialogAnswers answers(true);
  // Letters the 8-bit code page has no room for.
  const auto wide = Scratch / std::filesystem::path(u8"registrazione \u03A9 \u0416.txt");
  {
    FileChoices files(wide);
    form.ButOpenDstLog->Click();
  }
  EXPECT_EQ(form.DstLogFile, wide.u16string());
  Feed(port, *form.DstLink, kDepth, "SD", "DPT");
  form.ButStartDstLog->Click();
  EXPECT_EQ(WithMarkersNamed(FileText(wide)), "<START LOG>" + kDepth);

  {
    FileChoices files(Scratch / "no such folder" / "dst.txt");
    form.ButOpenDstLog->Click();
  }
  EXPECT_FALSE(form.DstLink->IsLogging());
  EXPECT_TRUE(DstIdleShown());
  EXPECT_TRUE(form.ButStartDstLog->Enabled());
}

}  // namespace
