// The monitors' rules for what waits to be shown: each chunk as if it came
// alone, in order, the limit applied after every one of them.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/app_helpers.h"
#include "widetext/standard/memo.h"

namespace {

class MonitorsTest : public apptest::AppTest {};

TEST_F(MonitorsTest, ChunksThatWaitedAreShownInOrderAndTheLimitFallsBetweenThem) {
  MakeMainForm();
  ShowMainForm();
  Form->MainTimer.reset();
  std::u16string lines;
  for (int i = 0; i < 299; ++i) lines += u"line\r\n";
  Form->MemoDST->SetText(lines);
  Form->MemoDST->SetSelStart(static_cast<int>(lines.size()));
  for (const char* chunk : {"$A*00\r\n", "$B*00\r\n", "$C*00\r\n", "$D", "*00\r\n"})
    Form->DstLineReceived(nullptr, chunk);
  Form->GpsLineReceived(nullptr, "$GPGGA*00\r\n");
  Form->ShowReceivedText();
  // The 301st line empties the monitor; what came after it starts afresh.
  EXPECT_EQ(Form->MemoDST->GetText(), u"$C*00\r\n$D*00\r\n");
  EXPECT_EQ(Form->MemoGPS->GetText(), u"$GPGGA*00\r\n");
  Form->ShowReceivedText();
  EXPECT_EQ(Form->MemoDST->GetText(), u"$C*00\r\n$D*00\r\n");
}

TEST_F(MonitorsTest, TextThatCameBeforeAPauseIsShownAndTextThatCameDuringItIsNot) {
  MakeMainForm();
  ShowMainForm();
  Form->MainTimer.reset();
  Form->GpsLineReceived(nullptr, "$GPRMC*00\r\n");
  Form->ButGPPauseClick(nullptr);
  EXPECT_EQ(Form->MemoGPS->GetText(), u"$GPRMC*00\r\n");
  Form->GpsLineReceived(nullptr, "$GPVTG*00\r\n");
  Form->ShowReceivedText();
  EXPECT_EQ(Form->MemoGPS->GetText(), u"$GPRMC*00\r\n");
  Form->GpsLineReceived(nullptr, "$GPGSA*00\r\n");
  Form->ButGPPauseClick(nullptr);
  Form->ShowReceivedText();
  EXPECT_EQ(Form->MemoGPS->GetText(), u"");
}

}  // namespace
