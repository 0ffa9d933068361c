#pragma once
// What the tests of the exchange with the module share: sentences as a
// device writes them, and a fixture where the test plays the module on a
// pseudo-terminal and turns the clock, tick by tick, with the window's own
// timer stopped.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/os/clock.h"
#include "tests/app/app_helpers.h"

namespace apptest {

// "$", the body, "*", its checksum and CR LF.
std::string Sentence(std::string_view Body);
// The body of the module's identification reply (serial 123456, firmware
// date 1 March 2010, hardware 1.23).
std::string IdentificationBody(std::uint32_t Product, std::uint32_t Firmware);

class ModuleTest : public AppTest {
 protected:
  // The clock starts two seconds before the tick counter wraps, so every
  // test crosses the wrap.
  static constexpr std::uint32_t kStart = 0xFFFFF831u;

  void SetUp() override;
  void TearDown() override;

  // Advances the clock and runs the main timer's tick.
  void Tick(std::uint32_t Ms);
  // Everything the program wrote to the module since the last call.
  std::string Sent();
  // The module sends a sentence; returns once the link has stored it
  // (Stored, looked at under the link's lock; by default a new update
  // tick).
  void ModuleSends(std::string_view Body, const std::function<bool()>& Stored = {});
  // The module sends a data sentence and the next tick asks it who it is.
  void ModuleIsAsked(std::string_view Data = "SDDPT,12.50,0.00,");
  // The module sends data, is asked who it is and answers: the exchange
  // is ready, no command outstanding.
  void Identify(std::uint32_t Firmware = 3042, std::string_view Data = "SDDPT,12.50,0.00,");
  // Lets the exchange read both tables (they stay unanswered) until it is
  // ready again with no command outstanding.
  void LetTableReadsEnd();

  std::atomic<std::uint32_t> Now{kStart};
  std::unique_ptr<platform::ScopedClockOverride> Clock;
  std::unique_ptr<VirtualPort> Port;
};

}  // namespace apptest
