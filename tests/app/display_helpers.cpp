#include "tests/app/display_helpers.h"

#include "tests/app/module_helpers.h"
#include "widetext/standard/combo_box.h"

namespace apptest {

void DisplayTest::SetUp() {
  AppTest::SetUp();
  clock_ =
      std::make_unique<platform::ScopedClockOverride>(platform::ClockSources{.Tick = [this] { return Now.load(); }});
  dst_ = std::make_unique<VirtualPort>("display-dst");
  gps_ = std::make_unique<VirtualPort>("display-gps");
  MakeMainForm();
  ShowMainForm();
  // The tests refresh the pages themselves, at the clock they set.
  Form->MainTimer.reset();
  UseEnglishTexts();
}

void DisplayTest::TearDown() {
  FreeMainForm();
  dst_.reset();
  gps_.reset();
  clock_.reset();
  AppTest::TearDown();
}

void DisplayTest::OpenDst() { ASSERT_TRUE(ChoosePort(*Form, *Form->CmbDstPort, dst_->Number())); }

void DisplayTest::OpenGps() { ASSERT_TRUE(ChoosePort(*Form, *Form->CmbGPSPort, gps_->Number())); }

void DisplayTest::SendDst(std::initializer_list<std::string_view> Bodies, const TTickOf& TickOf) {
  Send(*dst_, *Form->DstLink, {Bodies.begin(), Bodies.end()},
       [&](const nmea::TNMEA2KDecoder& Link) { return TickOf(Link.NMEAData); });
}

void DisplayTest::SendGps(std::initializer_list<std::string_view> Bodies, const TTickOf& TickOf) {
  Send(*gps_, *Form->GpsLink, {Bodies.begin(), Bodies.end()},
       [&](const nmea::TNMEA2KDecoder& Link) { return TickOf(Link.NMEAData); });
}

void DisplayTest::SendDstTable(const std::vector<std::string>& Bodies, std::uint8_t CurveId) {
  Send(*dst_, *Form->DstLink, Bodies, [CurveId](const nmea::TNMEA2KDecoder& Link) {
    for (const nmea::TNMEACurve& curve : Link.Curves) {
      if (curve.Id == CurveId) return curve.UpdateTick;
    }
    return nmea::TTick{0};
  });
}

void DisplayTest::Send(VirtualPort& Port, nmea::TNMEA2KDecoder& Link, const std::vector<std::string>& Bodies,
                       const std::function<nmea::TTick(const nmea::TNMEA2KDecoder&)>& TickOf) {
  const nmea::TTick batch = ++Now;
  std::string text;
  for (const std::string& body : Bodies) text += Sentence(body);
  Port.Write(text);
  ASSERT_TRUE(PumpUntil([&] {
    const auto lock = Link.Lock();
    return TickOf(Link) == batch;
  })) << text;
}

void DisplayTest::Refresh(std::uint32_t Ms) {
  Now += Ms;
  Form->NowTicks = Now;
  Form->RefreshDisplay();
}

void DisplayTest::UseEnglishTexts() {
  app::TMainForm& f = *Form;
  f.TxtNoValue = u"- - -";
  f.TxtBelowKeel = u"Depth Below Keel:";
  f.TxtBelowSurface = u"Depth Below Surface:";
  f.TxtStored = u"Stored";
  f.TxtNew = u"New";
  f.TxtCoeff = u"Coeff.";
  f.TxtAttention = u"Attention!";
  f.TxtAskClearList = u"Are you sure to delete the coefficient list?";
  f.TxtAskResetSpeed = u"Are you sure to delete all the speed calibrations from the DST internal memory?";
  f.InitCalibrationGrids();
}

}  // namespace apptest
