// The two channels as the user drives them: choosing ports and rates
// (reopening only what changed, falling back to "none" when a port cannot
// be had) and the monitors that show what arrives.

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/controls/extctrls.h"
#include "tests/app/app_helpers.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/memo.h"

namespace {

using apptest::AppTest;
using apptest::PumpUntil;
using apptest::VirtualPort;

class ChannelsTest : public AppTest {
 protected:
  // Chooses the port in the DST list as the user does.
  void ChooseDstPort(const VirtualPort& Port) {
    const auto& numbers = Form->PortNumbers;
    const auto it = std::find(numbers.begin(), numbers.end(), Port.Number());
    ASSERT_NE(it, numbers.end());
    Form->CmbDstPort->SetItemIndex(static_cast<int>(it - numbers.begin()) + 1);
    Form->CmbDstPort->Click();
  }
  void ChooseDstBaud(int Item) {
    Form->CmbDstBaud->SetItemIndex(Item);
    Form->CmbDstBaud->Click();
  }
  std::u16string DstMonitor() { return Form->MemoDST->GetText(); }
};

TEST_F(ChannelsTest, ChoosingAPortOpensItAndOnlyAChangedChoiceReopensIt) {
  VirtualPort port("dst-choice");
  MakeMainForm();
  ShowMainForm();
  ChooseDstPort(port);
  ASSERT_TRUE(Form->DstLink->IsOpen());
  EXPECT_EQ(Form->DSTComPort, port.Number());
  EXPECT_EQ(Form->LedDst->Brush().Color(), app::kLampOn);

  // The same port and rate again: the module stays identified.
  Form->DstReady = true;
  ChooseDstPort(port);
  EXPECT_TRUE(Form->DstReady);
  // Another rate reopens the port and starts the identification afresh.
  ChooseDstBaud(1);
  EXPECT_EQ(Form->DSTBaudRate, 38400);
  EXPECT_EQ(Form->DstLink->Baud(), 38400);
  EXPECT_FALSE(Form->DstReady);
}

TEST_F(ChannelsTest, APortThatCannotBeHadFallsBackToNoneAndTheChoiceIsNotKept) {
  VirtualPort port("dst-busy");
  nmea::TNMEA2KDecoder holder;
  ASSERT_TRUE(holder.Open(port.Number(), 4800, nmea::kStreamText, true));
  MakeMainForm();
  ShowMainForm();
  ChooseDstPort(port);
  EXPECT_FALSE(Form->DstLink->IsOpen());
  EXPECT_EQ(Form->CmbDstPort->ItemIndex(), 0);
  EXPECT_EQ(Form->DSTComPort, 0);
  EXPECT_EQ(Form->LedDst->Brush().Color(), app::kLampOff);
}

TEST_F(ChannelsTest, TheMonitorShowsWhatArrivesUnlessPausedAndStartsAgainWhenFull) {
  VirtualPort port("dst-monitor");
  MakeMainForm();
  ShowMainForm();
  ChooseDstPort(port);
  ASSERT_TRUE(Form->DstLink->IsOpen());
  port.Write("$SDDBT,1.0,f,0.3,M,0.2,F*06\r\n");
  ASSERT_TRUE(PumpUntil([&] { return DstMonitor().find(u"$SDDBT") != std::u16string::npos; }));

  // Paused, the monitor keeps its text (the pause button clicked as the
  // user clicks it, so that a click taken twice would undo itself).
  apptest::ClickWindow(*Form->ButDSTPause);
  EXPECT_TRUE(Form->DstPaused);
  // The offset comes with this sentence only: once it is stored, the text
  // is on its way to the monitor.
  port.Write("$SDDPT,2.0,0.5*50\r\n");
  ASSERT_TRUE(PumpUntil([&] {
    const auto lock = Form->DstLink->Lock();
    return Form->DstLink->NMEAData.TransducerOffsetTick != 0;
  }));
  platform::Application->ProcessMessages();
  EXPECT_EQ(DstMonitor().find(u"$SDDPT"), std::u16string::npos);
  // Running again, it starts empty.
  apptest::ClickWindow(*Form->ButDSTPause);
  EXPECT_FALSE(Form->DstPaused);
  EXPECT_EQ(DstMonitor(), u"");

  // Past 300 lines the monitor empties at the next chunk.
  std::u16string lines;
  for (int i = 0; i < 301; ++i) lines += u"line\r\n";
  Form->MemoDST->SetText(lines);
  port.Write("$SDDPT,3.0,0.5*51\r\n");
  EXPECT_TRUE(PumpUntil([&] { return DstMonitor().empty() || DstMonitor().size() < lines.size(); }));
}

TEST_F(ChannelsTest, ReceivedTextGoesWhereTheUserLeftTheCaret) {
  VirtualPort port("dst-caret");
  MakeMainForm();
  ShowMainForm();
  ChooseDstPort(port);
  Form->MemoDST->SetText(u"END");
  Form->MemoDST->SetSelStart(0);
  port.Write("$SDDPT,2.0,0.5*50\r\n");
  ASSERT_TRUE(PumpUntil([&] { return DstMonitor().find(u"$SDDPT") != std::u16string::npos; }));
  EXPECT_EQ(DstMonitor().substr(DstMonitor().size() - 3), u"END");
}

}  // namespace
