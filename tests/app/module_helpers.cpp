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
  clock_ =
      std::make_unique<platform::ScopedClockOverride>(platform::ClockSources{.Tick = [this] { return now_.load(); }});
  port_ = std::make_unique<VirtualPort>("dst-module");
  MakeMainForm();
  ShowMainForm();
  form_->MainTimer.reset();
  // The first tick brings the controls and labels up to date.
  form_->LastStatusTick = 0;
  ASSERT_TRUE(ChoosePort(*form_, *form_->CmbDstPort, port_->Number()));
  ASSERT_TRUE(form_->DstLink->IsOpen());
  Sent();
}

void ModuleTest::TearDown() {
  AppTest::TearDown();
  port_.reset();
  clock_.reset();
}

void ModuleTest::Tick(std::uint32_t Ms) {
  now_ += Ms;
  form_->MainTimerTick(nullptr);
}

std::string ModuleTest::Sent() {
  std::string all;
  for (std::string got = port_->Read(0); !got.empty(); got = port_->Read(0)) all += got;
  return all;
}

void ModuleTest::ModuleSends(std::string_view Body, const std::function<bool()>& Stored) {
  // A tick of its own, so that the update is seen.
  const std::uint32_t stamp = ++now_;
  port_->Write(Sentence(Body));
  nmea::TNMEA2KDecoder& link = *form_->DstLink;
  ASSERT_TRUE(PumpUntil([&] {
    const nmea::TEndpointLock lock = link.Lock();
    return Stored ? Stored() : link.NMEAData.LastUpdateTick == stamp;
  })) << Body;
}

void ModuleTest::Identify(std::uint32_t Firmware) {
  ModuleSends("SDDPT,12.50,0.00,");
  Tick(250);
  ASSERT_EQ(Sent(), Sentence("PARLRHI,01"));
  ModuleSends(IdentificationBody(1, Firmware));
  Tick(250);
  ASSERT_TRUE(form_->DstReady);
  ASSERT_EQ(form_->ExchangeState, app::exReady);
}

void ModuleTest::LetTableReadsEnd() {
  Tick(250);
  ASSERT_EQ(Sent(), Sentence("PARLRRC,SPD"));
  Tick(2001);
  ASSERT_EQ(Sent(), Sentence("PARLRRC,TMP"));
  Tick(1001);
  ASSERT_EQ(form_->ExchangeState, app::exReady);
  ASSERT_TRUE(form_->CommandQueue.empty());
  ASSERT_EQ(Sent(), "");
}

}  // namespace apptest
