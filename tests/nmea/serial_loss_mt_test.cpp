// Nothing received is lost while another thread holds the endpoint's lock:
// a stream paced at 115200 baud over a pseudo-terminal, while the lock is
// held 100 ms of every 250 ms, as a busy window would hold it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "nmea/link/endpoint.h"
#include "tests/nmea/link_helpers.h"
#include "tests/nmea/serial_helpers.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(SerialLoss, EverySentenceIsReceivedAndCountedWhileTheLockIsHeld) {
  constexpr int kSentences = 600;
  testing_serial::LinkedPty peer("loss");
  nmea::TNMEA2KDecoder link;
  link.VerifyChecksum = true;
  link.CollectStatistics = true;
  std::mutex m;
  std::condition_variable changed;
  std::vector<int> seen;
  link.OnRawMessage = [&](platform::TObject*, std::string_view text) {
    // "$SDDPT,<n>.0,0.0,*hh": the sentence's number is its depth.
    const std::size_t comma = text.find(',');
    const int number = std::stoi(std::string(text.substr(comma + 1)));
    std::lock_guard lock(m);
    seen.push_back(number);
    changed.notify_all();
  };
  ASSERT_TRUE(link.Open(peer.Number(), 115200, nmea::kStreamText, true));

  bool done = false;
  std::thread holder([&] {
    std::unique_lock lock(m);
    while (!done) {
      lock.unlock();
      {
        auto held = link.Lock();
        std::this_thread::sleep_for(100ms);
      }
      lock.lock();
      changed.wait_for(lock, 150ms, [&] { return done; });
    }
  });

  // At the line's pace: 11,520 bytes a second.
  auto next = Clock::now();
  for (int i = 0; i < kSentences; ++i) {
    const std::string sentence = nmea::testing::WithChecksum("SDDPT," + std::to_string(i) + ".0,0.0,") + "\r\n";
    if (!peer.Write(sentence)) {
      ADD_FAILURE() << "the port took nothing";
      break;
    }
    next += std::chrono::microseconds(1000000 * static_cast<long>(sentence.size()) / 11520);
    std::this_thread::sleep_until(next);
  }
  {
    std::unique_lock lock(m);
    changed.wait_for(lock, 30s, [&] { return seen.size() >= static_cast<std::size_t>(kSentences); });
    done = true;
    changed.notify_all();
  }
  holder.join();

  std::vector<int> expected(kSentences);
  for (int i = 0; i < kSentences; ++i) expected[i] = i;
  {
    std::lock_guard lock(m);
    EXPECT_EQ(seen, expected);
  }
  // And every one was parsed: the last depth stands.
  nmea::tNMEAData data;
  link.CopyData(data);
  EXPECT_EQ(data.Depth, static_cast<float>(kSentences - 1));
  link.Close();
}

}  // namespace
