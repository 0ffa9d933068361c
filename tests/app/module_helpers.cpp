#include "tests/app/module_helpers.h"

#include <cstdio>

#include "nmea/link/endpoint.h"
#include "widetext/standard/combo_box.h"

namespace apptest {

std::string Sentence(std::string_view Body) {
  const std::string text = "$" + std::string(Body);
  return text + "*" + nmea::TNMEA2KDecoder::NmeaChecksum(text, 2, static_cast<int>(text.size())) + "\r\n";
}

std::string IdentificationBody(std::uint32_t Product, std::uint32_t Firmware) {
  char body[80];
  std::snprintf(body, sizeof body, "PARLIHS,0001E240,,%u,,,,%04X,00009D2E,,7B", Product, Firmware);
  return body;
}

void ModuleTest::SetUp() {
  AppTest::SetUp();
  Clock =
      std::make_unique<platform::ScopedClockOverride>(platform::ClockSources{.Tick = [this] { return Now.load(); }});
  Port = std::make_unique<VirtualPort>("dst-module");
  MakeMainForm();
  ShowMainForm();
  Form->MainTimer.reset();
  // The first tick brings the controls and labels up to date.
  Form->LastStatusTick = 0;
  ASSERT_TRUE(ChoosePort(*Form, *Form->CmbDstPort, Port->Number()));
  ASSERT_TRUE(Form->DstLink->IsOpen());
  Sent();
}

void ModuleTest::TearDown() {
  AppTest::TearDown();
  Port.reset();
  Clock.reset();
}

void ModuleTest::Tick(std::uint32_t Ms) {
  Now += Ms;
  Form->MainTimerTick(nullptr);
}

std::string ModuleTest::Sent() {
  std::string all;
  for (std::string got = Port->Read(0); !got.empty(); got = Port->Read(0)) all += got;
  return all;
}

void ModuleTest::ModuleSends(std::string_view Body, const std::function<bool()>& Stored) {
  // A tick of its own, so that the update is seen.
  const std::uint32_t stamp = ++Now;
  Port->Write(Sentence(Body));
  nmea::TNMEA2KDecoder& link = *Form->DstLink;
  ASSERT_TRUE(PumpUntil([&] {
    const nmea::TEndpointLock lock = link.Lock();
    return Stored ? Stored() : link.NMEAData.LastUpdateTick == stamp;
  })) << Body;
}

void ModuleTest::ModuleIsAsked(std::string_view Data) {
  ModuleSends(Data);
  Tick(250);
  ASSERT_EQ(Sent(), Sentence("PARLRHI,01"));
}

void ModuleTest::Identify(std::uint32_t Firmware, std::string_view Data) {
  ModuleIsAsked(Data);
  ModuleSends(IdentificationBody(1, Firmware));
  Tick(250);
  ASSERT_TRUE(Form->DstReady);
  ASSERT_EQ(Form->ExchangeState, app::exReady);
}

void ModuleTest::LetTableReadsEnd() {
  Tick(250);
  ASSERT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  Tick(2001);
  ASSERT_EQ(Sent(), Sentence("PARLRRC,TMP"));
  Tick(1001);
  ASSERT_EQ(Form->ExchangeState, app::exReady);
  ASSERT_TRUE(Form->CommandQueue.empty());
  ASSERT_EQ(Sent(), "");
}

}  // namespace apptest
