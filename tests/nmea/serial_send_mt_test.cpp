// Sending on one thread while another closes the link: the write in
// progress is cut short at once, not left to its time-out.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>

#include "nmea/link/endpoint.h"
#include "tests/nmea/serial_helpers.h"

namespace {

using namespace std::chrono_literals;

TEST(SerialSend, ClosingCutsAWriteInProgressShort) {
  for (const bool suspend : {false, true}) {
    testing_serial::LinkedPty peer("send-close");
    nmea::TNMEA2KDecoder link;
    std::atomic<int> sent{0};
    link.OnSend = [&sent](platform::TObject*, std::string_view) { ++sent; };
    ASSERT_TRUE(link.Open(peer.Number(), 4800, nmea::kStreamText, true));

    // Far more than the line holds while the peer reads nothing: the write
    // waits for room, up to a minute at 4800 baud.
    const std::string line(1 << 20, 'x');
    auto sending = std::async(std::launch::async, [&] { link.SendLine(line, false); });
    ASSERT_TRUE(testing_serial::WaitUntil([&] { return peer.Queued() > 0; }));
    auto closing = std::async(std::launch::async, [&] {
      if (suspend) {
        link.Suspend("");
      } else {
        link.Close();
      }
    });
    EXPECT_EQ(closing.wait_for(20s), std::future_status::ready) << (suspend ? "suspend" : "close");
    EXPECT_EQ(sending.wait_for(20s), std::future_status::ready) << (suspend ? "suspend" : "close");
    EXPECT_EQ(sent, 0);
  }
}

}  // namespace
