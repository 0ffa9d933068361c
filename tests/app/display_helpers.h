#pragma once
// What the tests of the live pages and the calibration share: the main
// window with both channels on virtual ports, a clock the test moves (the
// window's own timer stopped), and sentences (bodies without "$") sent on
// either channel and awaited until parsed.

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/os/clock.h"
#include "tests/app/app_helpers.h"

namespace apptest {

class DisplayTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Chooses the channel's port in its list, as the user does.
  void OpenDst();
  void OpenGps();
  // The clock moves on by a millisecond; then the sentences are sent on
  // the channel, and awaited until the tick that TickOf reads from the
  // link's values is theirs.
  using TTickOf = std::function<nmea::TTick(const nmea::tNMEAData&)>;
  void SendDst(std::initializer_list<std::string_view> Bodies, const TTickOf& TickOf);
  void SendGps(std::initializer_list<std::string_view> Bodies, const TTickOf& TickOf);
  // The same for a table the module sends back, awaited until the link's
  // table of that id was updated by it.
  void SendDstTable(const std::vector<std::string>& Bodies, std::uint8_t CurveId);
  // The clock moves on by Ms; then the pages are refreshed at its time.
  void Refresh(std::uint32_t Ms = 0);

  // The texts the language gives these pages.
  void UseEnglishTexts();

  std::atomic<std::uint32_t> Now{100000};

 private:
  void Send(VirtualPort& Port, nmea::TNMEA2KDecoder& Link, const std::vector<std::string>& Bodies,
            const std::function<nmea::TTick(const nmea::TNMEA2KDecoder&)>& TickOf);

  std::unique_ptr<platform::ScopedClockOverride> clock_;
  std::unique_ptr<VirtualPort> dst_;
  std::unique_ptr<VirtualPort> gps_;
};

}  // namespace apptest
