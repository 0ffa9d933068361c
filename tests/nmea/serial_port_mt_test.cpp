#include "nmea/serial/serial_port.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "nmea/serial/serial_engine.h"
#include "platform/core/os/serial_ports.h"
#include "tests/nmea/serial_helpers.h"

namespace {

using namespace std::chrono_literals;
using testing_serial::ChunkSink;
using testing_serial::LinkedPty;
using testing_serial::WaitUntil;

// A wrapper on the given port, delivering into sink.
void Prepare(nmea::TSComPort& port, int number, int baud, ChunkSink& sink) {
  port.SetPort(number);
  port.SetBaud(baud);
  port.SetOnReceive([&sink](platform::TObject*, const std::uint8_t* data, int count) { sink.Add(data, count); });
}

TEST(SerialPort, SettingsTextHasTheFixedForm) {
  EXPECT_EQ(nmea::BuildSettingsText(4800, 0, 0, 0), "baud=4800 parity=N data=8 stop=1");
  EXPECT_EQ(nmea::BuildSettingsText(38400, 4, 3, 2), "baud=38400 parity=S data=5 stop=2");
  EXPECT_EQ(nmea::BuildSettingsText(9600, 5, 0, 0), std::nullopt);
  EXPECT_EQ(nmea::BuildSettingsText(9600, 0, -1, 0), std::nullopt);
  EXPECT_EQ(nmea::BuildSettingsText(9600, 0, 0, 3), std::nullopt);
}

TEST(SerialPort, CarriesBytesBothWaysUnchangedAt4800And38400) {
  for (const int baud : {4800, 38400}) {
    LinkedPty peer("dst-" + std::to_string(baud));
    ChunkSink sink;
    nmea::TSComPort port;
    Prepare(port, peer.Number(), baud, sink);
    port.Open();
    ASSERT_TRUE(port.IsOpen()) << port.LastError();

    const std::string command = "$PARLRHI,01*71\r\n";
    ASSERT_TRUE(port.WriteString(command));
    EXPECT_EQ(peer.Read(command.size()), command);

    const std::string reply = "$PARLIHS,0001E240,X,1,A,B,C,0BE2,00009C5A,D,7B*3C\r\n\x11\x13\x03\x04\x7F";
    ASSERT_TRUE(peer.Write(reply));
    ASSERT_TRUE(sink.WaitForBytes(reply.size())) << baud;
    EXPECT_EQ(sink.Joined(), reply);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.WriteString("x"));
  }
}

TEST(SerialPort, BytesShortOfTheThresholdComeOnceTheLineIsQuiet) {
  LinkedPty peer("threshold");
  ChunkSink sink;
  nmea::TSComPort port;
  Prepare(port, peer.Number(), 4800, sink);
  port.Open();
  ASSERT_TRUE(port.IsOpen());

  // The last bytes of a sentence, alone on the line.
  ASSERT_TRUE(peer.Write("*4D\r\n"));
  ASSERT_TRUE(sink.WaitForBytes(5));
  ASSERT_TRUE(peer.Write("$GPGGA,1\r\n"));
  ASSERT_TRUE(sink.WaitForBytes(15));
  EXPECT_EQ(sink.Chunks(), (std::vector<std::string>{"*4D\r\n", "$GPGGA,1\r\n"}));
}

TEST(SerialPort, APeerHangUpNeitherSpinsNorStopsTheNextOpen) {
  ChunkSink sink;
  nmea::TSComPort port;
  {
    LinkedPty peer("hangup");
    Prepare(port, peer.Number(), 4800, sink);
    port.Open();
    ASSERT_TRUE(port.IsOpen());
    peer.Pty().CloseMaster();

    const double before = testing_serial::ProcessCpuSeconds();
    std::this_thread::sleep_for(1s);
    const double used = testing_serial::ProcessCpuSeconds() - before;
    EXPECT_LT(used, 0.1) << "CPU seconds used in one second after the hang-up";
    port.Close();
  }
  // The peer comes back on a new pseudo-terminal under the same name.
  LinkedPty again("hangup");
  port.Open();
  ASSERT_TRUE(port.IsOpen()) << port.LastError();
  ASSERT_TRUE(again.Write("$GPVTG,,*00\r\n"));
  ASSERT_TRUE(sink.WaitForBytes(13));
  EXPECT_EQ(sink.Joined(), "$GPVTG,,*00\r\n");
}

TEST(SerialPort, NoDeliveryAfterDetachOrClose) {
  LinkedPty peer("streaming");
  ChunkSink sink;
  ChunkSink later;
  std::atomic<bool> inHandler{false};
  nmea::TSComPort port;
  Prepare(port, peer.Number(), 38400, sink);
  port.Open();
  ASSERT_TRUE(port.IsOpen());
  std::jthread writer([&](std::stop_token stop) {
    while (!stop.stop_requested() && peer.Write("$SDDPT,12.5,0.3,*55\r\n")) std::this_thread::sleep_for(2ms);
  });
  ASSERT_TRUE(sink.WaitForBytes(200));

  // Replacing the handler waits for the chunk in hand.
  port.SetOnReceive([&](platform::TObject*, const std::uint8_t* data, int count) {
    inHandler = true;
    std::this_thread::sleep_for(100ms);
    sink.Add(data, count);
    inHandler = false;
  });
  ASSERT_TRUE(WaitUntil([&] { return inHandler.load(); }));
  port.SetOnReceive(nullptr);
  EXPECT_FALSE(inHandler);
  const std::size_t afterDetach = sink.ChunkCount();

  // The reader goes on delivering, to the new handler only.
  port.SetOnReceive([&later](platform::TObject*, const std::uint8_t* data, int count) { later.Add(data, count); });
  ASSERT_TRUE(later.WaitForBytes(100));
  EXPECT_EQ(sink.ChunkCount(), afterDetach);
  // Closing joins the reader: nothing can come after it.
  port.Close();
  const std::size_t afterClose = later.ChunkCount();
  writer.request_stop();
  writer.join();
  EXPECT_EQ(later.ChunkCount(), afterClose);
}

TEST(SerialPort, ProbesAndRefusesSettingsItCannotApply) {
  LinkedPty peer("probe");
  EXPECT_EQ(nmea::TSComPort::ProbePort(0), nmea::TSComPort::kPortInvalid);
  EXPECT_EQ(nmea::TSComPort::ProbePort(999), nmea::TSComPort::kPortAbsent);
  EXPECT_EQ(nmea::TSComPort::ProbePort(peer.Number()), nmea::TSComPort::kPortAvailable);

  nmea::TSComPort port;
  port.SetBaud(4800);
  port.Open();  // port 0: settings applied, nothing opened
  EXPECT_FALSE(port.IsOpen());

  // Settings termios cannot express, or the device drops (a pseudo-terminal
  // has no parity), leave the port closed and say why.
  struct Refused {
    int stop, flow, parity, baud;
    const char* reason;
  };
  port.SetPort(peer.Number());
  for (const Refused& r :
       {Refused{1, 0, 0, 4800, "1.5 stop bits are not supported"}, Refused{0, 2, 0, 4800, "not supported"},
        Refused{0, 7, 0, 4800, "out of range"}, Refused{0, 0, 2, 4800, "does not support"},
        Refused{0, 0, 0, 4801, "baud rate 4801 is not supported"}}) {
    port.SetStopBitsIndex(r.stop);
    port.SetFlowIndex(r.flow);
    port.SetParityIndex(r.parity);
    port.SetBaud(r.baud);
    port.Open();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(port.LastError().find(r.reason), std::string::npos) << port.LastError();
  }
  EXPECT_EQ(nmea::TSComPort::ProbePort(peer.Number()), nmea::TSComPort::kPortAvailable);
  port.SetParityIndex(0);

  port.SetBaud(4800);
  port.Open();
  ASSERT_TRUE(port.IsOpen()) << port.LastError();
  EXPECT_EQ(nmea::TSComPort::ProbePort(peer.Number()), nmea::TSComPort::kPortBusy);
  nmea::TSComPort second;
  second.SetPort(peer.Number());
  second.SetBaud(4800);
  second.Open();
  EXPECT_FALSE(second.IsOpen());
  EXPECT_NE(second.LastError().find("in use"), std::string::npos) << second.LastError();

  // A write the peer never takes gives up instead of blocking for good.
  const std::string block(64, 'x');
  const auto start = std::chrono::steady_clock::now();
  bool written = true;
  for (int i = 0; i < 20000 && written; ++i) written = port.WriteString(block);
  EXPECT_FALSE(written);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_NE(port.LastError().find("in time"), std::string::npos) << port.LastError();
}

TEST(SerialEngine, AnExceptionInDeliveryGoesToTheErrorHandlerAndReadingGoesOn) {
  LinkedPty peer("throwing");
  ChunkSink sink;
  std::atomic<int> errors{0};
  std::atomic<int> kind{0};
  nmea::TComPortCore core;
  platform::DCB dcb;
  ASSERT_TRUE(platform::BuildCommDCB("baud=4800 parity=N data=8 stop=1", dcb));
  ASSERT_TRUE(core.SetDCB(dcb));
  core.RxThreshold = 1;
  core.OnError = [&](platform::TObject* sender, std::uint8_t k, std::exception_ptr e) {
    EXPECT_EQ(sender, &core);
    EXPECT_NE(e, nullptr);
    kind = k;
    ++errors;
  };
  core.OnDataReceived = [&](platform::TObject*, const std::uint8_t* data, int count) {
    if (data[0] == '!') throw std::runtime_error("bad chunk");
    sink.Add(data, count);
  };
  ASSERT_TRUE(core.OpenComPort(peer.Number()));
  EXPECT_FALSE(core.OpenComPort(peer.Number()));  // already open
  ASSERT_TRUE(peer.Write("!"));
  ASSERT_TRUE(WaitUntil([&] { return errors > 0; }));
  EXPECT_EQ(kind, nmea::TComPortCore::kErrorException);
  ASSERT_TRUE(peer.Write("ok"));
  ASSERT_TRUE(sink.WaitForBytes(2));
  EXPECT_EQ(sink.Joined(), "ok");
}

TEST(SerialHelpers, ThePortFolderGoesWithTheLastPort) {
  std::filesystem::path folder;
  {
    LinkedPty first("first");
    LinkedPty second("second");
    folder = std::filesystem::path(platform::VirtualPortFolder()).parent_path().parent_path();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(platform::VirtualPortFolder()) / "second"));
  }
  EXPECT_FALSE(std::filesystem::exists(folder)) << folder;
}

}  // namespace
