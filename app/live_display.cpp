// The live values of the Depth, Speed, Temperature and GPS pages, and the
// two figures the calibration works with: the speed coefficient (speed
// over ground over the filtered log speed) and the water temperature
// offset (the real temperature the user typed minus the module's).
//
// Each link's values are copied under the link's lock, so that what one
// refresh shows belongs together and the reader thread never waits for
// drawing; the pages are written from the copies.

#include <string>
#include <vector>

#include "app/control_helpers.h"
#include "app/live_values.h"
#include "app/main_form.h"
#include "app/tick_ages.h"
#include "nmea/nmea0183/position_format.h"
#include "platform/ui/controls/chart.h"
#include "support/arithmetic.h"
#include "support/conversions.h"
#include "support/date_time.h"
#include "widetext/standard/label.h"
#include "widetext/standard/static_text.h"

namespace app {
namespace {

using nmea::tNMEAData;

// The format of positions on the GPS page: degrees, minutes, seconds and
// hundredths.
constexpr std::uint8_t kDmsFormat = 2;

// The values of a link that is open, copied under its lock into Into;
// nothing when it is not open.
const tNMEAData* CopyValues(const std::unique_ptr<nmea::TNMEA2KDecoder>& Link, tNMEAData& Into) {
  if (!Link || !Link->IsOpen()) return nullptr;
  Link->CopyData(Into);
  return &Into;
}

// Writes a caption only when it changes, so an unchanged value is not
// redrawn four times a second.
template <class Control>
void ShowCaption(Control* Target, const std::u16string& Text) {
  if (Target->GetCaption() != Text) Target->SetCaption(Text);
}

void ShowText(platform::TEdit* Target, const std::string& Text) {
  if (Target->Text() != Text) Target->SetText(Text);
}

// The GPS page's quantities that one link delivered fresh.
struct GpsShown {
  bool Position = false;
  bool Altitude = false;
  bool Sog = false;
  bool Cog = false;
  bool Utc = false;
  bool Fix = false;
};

class PageWriter {
 public:
  explicit PageWriter(TMainForm& Form) : f_(Form) {}

  bool Fresh(nmea::TTick Tick) const { return IsFresh(static_cast<std::uint32_t>(f_.NowTicks), Tick, kFreshMs); }

  bool Position(const tNMEAData& D) {
    const bool fresh = Fresh(D.PositionTick);
    ShowCaption(f_.EditLAT, fresh ? nmea::FormatLatitude(kDmsFormat, D.Latitude) + u" " : u"");
    ShowCaption(f_.EditLon, fresh ? nmea::FormatLongitude(kDmsFormat, D.Longitude) + u" " : u"");
    return fresh;
  }

  bool Altitude(const tNMEAData& D) {
    const bool fresh = Fresh(D.AltitudeTick);
    std::u16string text;
    if (fresh) {
      text = f_.UnitsDepth == 1 ? Fixed(D.Altitude / kMetresPerFoot, 1) + u" ft " : Fixed(D.Altitude, 1) + u" m ";
    }
    ShowCaption(f_.EditAlt, text);
    return fresh;
  }

  // From the GPS receiver the Speed page shows the bare number; taken
  // from the module's channel it shows the GPS page's text with its unit.
  bool Sog(const tNMEAData& D, bool FromGps) {
    const bool fresh = Fresh(D.SOGTick);
    ShowCaption(f_.EditSog, fresh ? Fixed(D.SOG, 1) + u" kn " : u"");
    ShowCaption(f_.EditSogCal, fresh && FromGps ? Fixed(D.SOG, 1) : f_.EditSog->GetCaption());
    return fresh;
  }

  bool Cog(const tNMEAData& D) {
    const bool fresh = Fresh(D.COGTick);
    ShowCaption(f_.EditCog, fresh ? Fixed(D.COG, 1) + u" °T " : u"");
    return fresh;
  }

  bool Utc(const tNMEAData& D) {
    const bool fresh = Fresh(D.UtcTimeTick) && Fresh(D.UtcDateTick);
    std::u16string text;
    if (fresh) {
      const support::TDateTimeRec rec{D.UtcDay, D.UtcMonth, D.UtcYear, D.UtcHour, D.UtcMinute, D.UtcSecond};
      text = FromUtf8(support::FormatDateTimeRec(rec, false, true, " ", false)) + u" ";
    }
    ShowCaption(f_.EditUTC, text);
    return fresh;
  }

  // Satellites in use, dilutions, fix mode and the signal bars; true when
  // any of them was fresh.
  bool Fix(const tNMEAData& D) {
    const nmea::tGPS& gps = D.GPS;
    bool any = false;
    const auto field = [&](TWtxStaticText* Target, nmea::TTick Tick, const auto& Text) {
      const bool fresh = Fresh(Tick);
      ShowCaption(Target, fresh ? Text() + u" " : u"");
      any = any || fresh;
    };
    field(f_.EditSat, gps.SatsInUseTick, [&] { return FromUtf8(std::to_string(gps.SatsInUse)); });
    field(f_.EditHDOP, gps.HDOPTick, [&] { return Fixed(gps.HDOP, 1); });
    field(f_.EditVDop, gps.VDOPTick, [&] { return Fixed(gps.VDOP, 1); });
    field(f_.EditSatMode, gps.FixQualityTick, [&] { return FixModeText(gps.FixQuality); });
    std::vector<Bar> bars;
    if (Fresh(gps.SatellitesTick)) {
      any = true;
      for (const nmea::tSatEntry& sat : gps.Satellites.Sats) {
        // Not-a-number fails this test too.
        if (sat.SNR > 0) bars.push_back({sat.SNR, std::to_string(sat.PRN)});
      }
    }
    ShowBars(bars);
    return any;
  }

 private:
  struct Bar {
    double Height;
    std::string Label;
  };

  // The satellites' bars, numbered 1, 2, ... in the order given; the chart
  // is redrawn only when they changed.
  void ShowBars(const std::vector<Bar>& Bars) {
    platform::TBarChart& chart = *f_.SatChart;
    bool same = chart.BarCount() == static_cast<int>(Bars.size());
    for (int i = 0; same && i < chart.BarCount(); ++i) {
      const Bar& bar = Bars[static_cast<std::size_t>(i)];
      same = chart.BarValue(i) == bar.Height && chart.BarLabel(i) == bar.Label;
    }
    if (same) return;
    chart.Clear();
    for (std::size_t i = 0; i < Bars.size(); ++i)
      chart.AddBar(static_cast<double>(i + 1), Bars[i].Height, Bars[i].Label);
  }

  TMainForm& f_;
};

}  // namespace

void TMainForm::RefreshDisplay() {
  DepthSeen = SpeedSeen = TempSeen = false;
  bool logSpeedValid = false;
  bool tempValid = false;
  double sog = 0;
  double logSpeed = 0;
  double temp = 0;
  PageWriter page(*this);
  GpsShown shown;

  const tNMEAData* gps = CopyValues(GpsLink, GpsValues);
  if (gps) {
    shown.Position = page.Position(*gps);
    shown.Altitude = page.Altitude(*gps);
    shown.Sog = page.Sog(*gps, true);
    if (shown.Sog) sog = gps->SOG;
    shown.Cog = page.Cog(*gps);
    shown.Utc = page.Utc(*gps);
    shown.Fix = page.Fix(*gps);
  }

  const tNMEAData* dst = CopyValues(DstLink, DstValues);
  if (dst) {
    const tNMEAData& d = *dst;
    const bool offsetFresh = page.Fresh(d.TransducerOffsetTick);
    const double offset = offsetFresh ? d.TransducerOffset : 0;
    if (offsetFresh) {
      DepthSeen = true;
      if (!OffsetEditFilled) {
        ShowText(EditDptOfs, ToUtf8(UnitsDepth == 1 ? Fixed(offset / kMetresPerFoot, 1) : Fixed(offset, 2)));
        OffsetEditFilled = true;
      }
      const bool keel = offset < 0;
      ShowCaption(LblDepthTot, keel ? TxtBelowKeel : TxtBelowSurface);
      ShowCaption(keel ? LblOfsNeg : LblOfsPos, LengthText(offset, UnitsDepth));
      LblOfsNeg->SetVisible(keel);
      LblOfsPos->SetVisible(!keel);
    } else {
      ShowCaption(LblOfsPos, TxtNoValue);
      ShowCaption(LblOfsNeg, TxtNoValue);
      ShowCaption(LblDepthTotVal, TxtNoValue);
    }

    if (page.Fresh(d.DepthTick)) {
      const double depth = d.Depth;
      DepthSeen = true;
      ShowCaption(LblDBTVal, LengthText(depth, UnitsDepth));
      ShowCaption(LblDepthTotVal, offsetFresh ? LengthText(depth + offset, UnitsDepth) : TxtNoValue);
    } else {
      ShowCaption(LblDBTVal, TxtNoValue);
      ShowCaption(LblDepthTotVal, TxtNoValue);
    }

    const bool tripFresh = page.Fresh(d.TripWaterDistanceTick);
    if (tripFresh) SpeedSeen = true;
    ShowCaption(EditLogDist, tripFresh ? Fixed(d.TripWaterDistance, 2) + u" NM " : u"");

    if (page.Fresh(d.WaterSpeedTick) && SpeedFilter) {
      logSpeedValid = SpeedSeen = true;
      // The filter takes each reading once, however often it is shown.
      SpeedFilter->AddSample(d.WaterSpeedTick, d.WaterSpeed);
      logSpeed = SpeedFilter->Output;
      ShowCaption(EditLogCal, Fixed(logSpeed, 1) + u" kn ");
    } else {
      ShowCaption(EditLogCal, u"");
    }

    if (page.Fresh(d.WaterTemperatureTick)) {
      temp = d.WaterTemperature;
      tempValid = TempSeen = true;
      ShowCaption(EditSeaTemp,
                  UnitsTemp == 1 ? Fixed(CelsiusToFahrenheit(temp), 1) + u" °F " : Fixed(temp, 1) + u" °C ");
    } else {
      ShowCaption(EditSeaTemp, u"");
    }
    ShowCaption(EditSeaTempO, EditSeaTemp->GetCaption());

    // What the GPS receiver did not deliver comes from the module's channel.
    if (!shown.Position) page.Position(d);
    if (!shown.Altitude) page.Altitude(d);
    if (!shown.Cog) page.Cog(d);
    if (!shown.Utc) page.Utc(d);
    if (!shown.Sog && page.Sog(d, false)) {
      shown.Sog = true;
      sog = d.SOG;
    }
    if (!shown.Fix) page.Fix(d);
  }

  if (!gps && !dst) {
    ShowCaption(LblDepthTot, TxtBelowSurface);
    ShowText(EditDptOfs, "0.00");
    for (TWtxLabel* label : {LblOfsPos, LblOfsNeg, LblDepthTotVal, LblDBTVal}) ShowCaption(label, TxtNoValue);
    LblOfsPos->SetVisible(true);
    LblOfsNeg->SetVisible(false);
    // The log speed goes too: it would otherwise stay on the Speed page as
    // if it were still being received.
    for (TWtxStaticText* box :
         {EditLogDist, EditLogCal, EditUTC, EditCog, EditAlt, EditSat, EditHDOP, EditVDop, EditSatMode, EditLAT,
          EditLon, EditSog, EditSogCal, EditCoeffLog, EditSeaTemp, EditSeaTempO, EditCoeffTemp, EditOffsetTemp}) {
      ShowCaption(box, u"");
    }
    SatChart->Clear();
    CurrentCoefficient = CurrentLogSpeed = 0;
    TempOffset = 0;
    return;
  }

  const double coefficient = logSpeedValid && shown.Sog ? static_cast<double>(support::SafeDivide(sog, logSpeed)) : 0;
  if (coefficient >= kLowestCoefficient && coefficient <= kHighestCoefficient) {
    ShowCaption(EditCoeffLog, Fixed(coefficient, 2));
    CurrentCoefficient = coefficient;
    CurrentLogSpeed = logSpeed;
  } else {
    ShowCaption(EditCoeffLog, TxtNoValue);
    CurrentCoefficient = CurrentLogSpeed = 0;
  }

  if (!tempValid) {
    ShowCaption(EditCoeffTemp, TxtNoValue);
    ShowCaption(EditOffsetTemp, TxtNoValue);
    TempOffset = 0;
    return;
  }
  const auto typed = [this](platform::TEdit* Box) {
    const double value = support::SafeStrToFloat(Box->Text());
    return UnitsTemp == 1 ? FahrenheitToCelsius(value) : value;
  };
  const double real = typed(EditTempCal);
  const double offset = typed(EditTempCalO) - temp;
  const double ratio = static_cast<double>(support::SafeDivide(real, temp));
  ShowCaption(EditCoeffTemp, ratio >= kLowestCoefficient && ratio <= kHighestCoefficient ? Fixed(ratio, 2)
                                                                                         : std::u16string(TxtNoValue));
  if (offset >= -kLargestTempOffset && offset <= kLargestTempOffset) {
    // An offset is a difference of temperatures: no 32 is added in Fahrenheit.
    ShowCaption(EditOffsetTemp, Fixed(UnitsTemp == 1 ? offset * 1.8 : offset, 1));
    TempOffset = offset;
    TempOffsetInvalid = false;
  } else {
    ShowCaption(EditOffsetTemp, TxtNoValue);
    TempOffset = 0;
    TempOffsetInvalid = true;
  }
}

}  // namespace app
