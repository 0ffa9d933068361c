#include <gtest/gtest.h>

#include "nmea/link/endpoint.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

// While the hold flag is set (a reader on the user-interface thread wants
// the values to stand still), sentences are dropped whole: nothing stored,
// counted or passed on as a sentence. The monitor still sees the bytes, and
// the sentences after the hold are taken again.
TEST(HeldInput, SentencesArrivingWhileHeldAreDroppedButStillShown) {
  TNMEA2KDecoder link;
  link.StreamMode = kStreamText;
  link.CollectStatistics = true;
  testing::EventLog raw;
  testing::EventLog shown;
  link.OnRawMessage = raw.Handler();
  link.OnReceive = shown.Handler();

  link.HoldInput = true;
  testing::Feed(link, "$SDDBT,7.8,f,2.4,M,1.3,F\r\n");
  EXPECT_EQ(link.NMEAData.DepthTick, 0u);
  EXPECT_TRUE(raw.Lines.empty());
  EXPECT_TRUE(link.Talkers.empty());
  ASSERT_EQ(shown.Lines.size(), 1u);

  link.HoldInput = false;
  testing::Feed(link, "$SDDBT,7.8,f,2.4,M,1.3,F\r\n");
  EXPECT_FLOAT_EQ(link.NMEAData.Depth, 2.4f);
  EXPECT_EQ(raw.Lines.size(), 1u);
  EXPECT_EQ(link.Talkers.size(), 1u);
}

}  // namespace
}  // namespace nmea
