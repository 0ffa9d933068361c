// The reader thread feeds the endpoint while another thread reads, clears,
// detaches and closes it; run under ThreadSanitizer in CI.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "nmea/link/endpoint.h"
#include "nmea/serial/serial_transport.h"
#include "tests/nmea/link_helpers.h"

namespace nmea {
namespace {

const std::string kTraffic = testing::WithChecksum("PARLARC,SPD,3,6,105") + "\r\n" +
                             testing::WithChecksum("PARLIHS,0001E240,X,1,A,B,C,0BE2,00009C5A,D,7B") + "\r\n" +
                             testing::WithChecksum("GPZDA,201530.25,04,07,2099,00,00") + "\r\n" +
                             testing::WithChecksum("PMTK590,3") + "\r\n" + testing::WithChecksum("PGRMM,WGS 84") +
                             "\r\n";

TEST(EndpointThreads, ReaderAndUserInterfaceShareTheLinkSafely) {
  testing::TestTransports transports;
  TNMEA2KDecoder link;
  link.CollectStatistics = true;
  link.VerifyChecksum = true;
  std::atomic<int> received{0};
  link.OnRawMessage = [&](platform::TObject*, std::string_view) { ++received; };
  ASSERT_TRUE(link.Open(1, 4800, kStreamText, true));
  const auto logPath = std::filesystem::temp_directory_path() / ("veltrosa_mt_" + std::to_string(::getpid()));
  link.StartLog(logPath, kLogText, false, "START LOG\r\n");

  std::atomic<bool> stop{false};
  std::thread reader([&] {
    while (!stop) {
      for (std::size_t at = 0; at < kTraffic.size(); at += 37) transports.Deliver(kTraffic.substr(at, 37));
    }
  });

  std::size_t seen = 0;
  // At least a few thousand rounds, and on until the reader has got through,
  // however the threads are scheduled.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (int round = 0; round < 3000 || (received < 200 && std::chrono::steady_clock::now() < deadline); ++round) {
    {
      auto lock = link.Lock();
      seen += link.NMEAData.Products.size() + link.Curves.size() + link.Talkers.size();
      seen += link.NMEAData.GPS.Datum.Str.size() + link.KeyName(1, 0).size();
    }
    link.ClearCurves(round % 3);
    if (round % 10 == 0) {
      auto lock = link.Lock();
      link.NMEAData.Products.clear();
      link.ClearTalkers();
    }
    if (round % 7 == 0) {
      link.SetReceiveEnabled(false);
      {
        auto lock = link.Lock();
        seen += link.Curves.size();
      }
      link.SetReceiveEnabled(true);
    }
    if (round % 50 == 0) {
      link.Suspend("POWER SUSPENDED");
      link.Resume("POWER RESUMED");
    }
    link.HoldInput = round % 2 == 0;
  }
  link.HoldInput = false;
  stop = true;
  reader.join();
  link.Close();
  std::filesystem::remove(logPath);
  EXPECT_GT(received.load(), 0);
  EXPECT_GT(seen, 0u);
}

// A port with a reader thread of its own that delivers while holding its
// handler, so that replacing the handler waits for a delivery in flight and
// closing the port joins the thread: the strictest port the endpoint meets.
class ThreadedPort : public ISerialTransport {
 public:
  ~ThreadedPort() override { Close(); }
  int GetPort() const override { return port_; }
  void SetPort(int Port) override { port_ = Port; }
  int GetBaud() const override { return baud_; }
  void SetBaud(int Baud) override { baud_ = Baud; }
  void SetDataBitsIndex(int) override {}
  void SetStopBitsIndex(int) override {}
  void SetParityIndex(int) override {}
  void SetFlowIndex(int) override {}
  void Open() override {
    if (reader_.joinable()) return;
    stop_ = false;
    reader_ = std::thread([this] {
      std::size_t at = 0;
      while (!stop_) {
        {
          std::lock_guard lock(handlerMutex_);
          if (handler_) {
            const std::size_t n = std::min<std::size_t>(23, kTraffic.size() - at);
            handler_(nullptr, reinterpret_cast<const std::uint8_t*>(kTraffic.data() + at), static_cast<int>(n));
            at = (at + n) % kTraffic.size();
          }
        }
        std::this_thread::yield();
      }
    });
  }
  void Close() override {
    stop_ = true;
    if (reader_.joinable()) reader_.join();
  }
  bool IsOpen() const override { return reader_.joinable(); }
  void Purge() override {}
  bool WriteString(std::string_view) override { return true; }
  void SetOnReceive(TComDataEvent Handler) override {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(Handler);
  }

 private:
  int port_ = 0;
  int baud_ = 0;
  std::atomic<bool> stop_{false};
  std::thread reader_;
  std::mutex handlerMutex_;
  TComDataEvent handler_;
};

TEST(EndpointThreads, StoppingOrDetachingNeverDeadlocksWithAChunkInFlight) {
  SetSerialTransportFactory([] { return std::make_unique<ThreadedPort>(); });
  std::atomic<int> received{0};
  std::atomic<int> chunks{0};
  // Lets the port deliver a few chunks, so that what follows meets one in
  // flight.
  const auto awaitChunks = [&chunks] {
    const int target = chunks + 3;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (chunks < target && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  };
  for (int round = 0; round < 40; ++round) {
    auto link = std::make_unique<TNMEA2KDecoder>();
    link->OnRawMessage = [&](platform::TObject*, std::string_view) { ++received; };
    link->OnReceive = [&](platform::TObject*, std::string_view) { ++chunks; };
    ASSERT_TRUE(link->Open(1, 4800, kStreamText, true));
    for (int i = 0; i < 20; ++i) {
      if (i % 2 == 1) awaitChunks();
      {
        auto lock = link->Lock();
        link->ClearCurves(0);
      }
      link->SetReceiveEnabled(i % 2 == 0);
      if (i % 5 == 0) {
        link->Suspend("");
        link->Resume("");
      }
    }
    link->SetReceiveEnabled(true);
    awaitChunks();
    if (round % 2 == 0) link->Close();
    link.reset();
  }
  SetSerialTransportFactory(nullptr);
  EXPECT_GT(received.load(), 0);
}

}  // namespace
}  // namespace nmea
