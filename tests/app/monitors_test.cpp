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
  form_->MainTimer.reset();
  std::u16string lines;
  for (int i = 0; i < 299; ++i) lines += u"line\r\n";
  form_->MemoDST->SetText(lines);
  form_->MemoDST->SetSelStart(static_cast<int>(lines.size()));
  for (const char* chunk : {"$A*00\r\n", "$B*00\r\n", "$C*00\r\n", "$D", "*00\r\n"})
    form_->DstLineReceived(nullptr, chunk);
  form_->GpsLineReceived(nullptr, "$GPGGA*00\r\n");
  form_->ShowReceivedText();
  // The 301st line empties the monitor; what came after it starts afresh.
  EXPECT_EQ(form_->MemoDST->GetText(), u"$C*00\r\n$D*00\r\n");
  EXPECT_EQ(form_->MemoGPS->GetText(), u"$GPGGA*00\r\n");
  form_->ShowReceivedText();
  EXPECT_EQ(form_->MemoDST->GetText(), u"$C*00\r\n$D*00\r\n");
}

TEST_F(MonitorsTest, TextThatCameBeforeAPauseIsShownAndTextThatCameDuringItIsNot) {
  MakeMainForm();
  ShowMainForm();
  form_->MainTimer.reset();
  form_->GpsLineReceived(nullptr, "$GPRMC*00\r\n");
  form_->ButGPPauseClick(nullptr);
  EXPECT_EQ(form_->MemoGPS->GetText(), u"$GPRMC*00\r\n");
  form_->GpsLineReceived(nullptr, "$GPVTG*00\r\n");
  form_->ShowReceivedText();
  EXPECT_EQ(form_->MemoGPS->GetText(), u"$GPRMC*00\r\n");
  form_->GpsLineReceived(nullptr, "$GPGSA*00\r\n");
  form_->ButGPPauseClick(nullptr);
  form_->ShowReceivedText();
  EXPECT_EQ(form_->MemoGPS->GetText(), u"");
}

}  // namespace
