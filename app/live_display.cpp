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

// One refresh, step by step; it carries what a step hands on to the
// later ones.
class DisplayRefresh {
 public:
  // Nothing seen yet in this refresh.
  explicit DisplayRefresh(TMainForm& Form) : f_(Form), page_(Form) {
    f_.DepthSeen = f_.SpeedSeen = f_.TempSeen = false;
  }

  // The GPS page from the GPS channel; false when it is not open.
  bool GpsChannel() {
    const tNMEAData* gps = CopyValues(f_.GpsLink, f_.GpsValues);
    if (!gps) return false;
    shown_.Position = page_.Position(*gps);
    shown_.Altitude = page_.Altitude(*gps);
    shown_.Sog = page_.Sog(*gps, true);
    if (shown_.Sog) sog_ = gps->SOG;
    shown_.Cog = page_.Cog(*gps);
    shown_.Utc = page_.Utc(*gps);
    shown_.Fix = page_.Fix(*gps);
    return true;
  }

  // The Depth, Speed and Temperature pages from the module's
  // channel, and what the GPS channel left out of the GPS page; false when
  // it is not open.
  bool DstChannel() {
    const tNMEAData* dst = CopyValues(f_.DstLink, f_.DstValues);
    if (!dst) return false;
    Depth(*dst);
    Speed(*dst);
    WaterTemperature(*dst);
    GpsFallBack(*dst);
    return true;
  }

  // Neither channel open.
  void ResetPages() {
    ShowCaption(f_.LblDepthTot, f_.TxtBelowSurface);
    ShowText(f_.EditDptOfs, "0.00");
    for (TWtxLabel* label : {f_.LblOfsPos, f_.LblOfsNeg, f_.LblDepthTotVal, f_.LblDBTVal}) {
      ShowCaption(label, f_.TxtNoValue);
    }
    f_.LblOfsPos->SetVisible(true);
    f_.LblOfsNeg->SetVisible(false);
    // The log speed goes too: it would otherwise stay on the Speed page as
    // if it were still being received.
    for (TWtxStaticText* box :
         {f_.EditLogDist, f_.EditLogCal, f_.EditUTC, f_.EditCog, f_.EditAlt, f_.EditSat, f_.EditHDOP, f_.EditVDop,
          f_.EditSatMode, f_.EditLAT, f_.EditLon, f_.EditSog, f_.EditSogCal, f_.EditCoeffLog, f_.EditSeaTemp,
          f_.EditSeaTempO, f_.EditCoeffTemp, f_.EditOffsetTemp}) {
      ShowCaption(box, u"");
    }
    f_.SatChart->Clear();
    f_.CurrentCoefficient = f_.CurrentLogSpeed = 0;
    f_.TempOffset = 0;
  }

  // The speed coefficient, speed over ground over the filtered
  // log speed.
  void SpeedCoefficient() {
    const double coefficient =
        logSpeedValid_ && shown_.Sog ? static_cast<double>(support::SafeDivide(sog_, logSpeed_)) : 0;
    if (coefficient >= kLowestCoefficient && coefficient <= kHighestCoefficient) {
      ShowCaption(f_.EditCoeffLog, Fixed(coefficient, 2));
      f_.CurrentCoefficient = coefficient;
      f_.CurrentLogSpeed = logSpeed_;
    } else {
      ShowCaption(f_.EditCoeffLog, f_.TxtNoValue);
      f_.CurrentCoefficient = f_.CurrentLogSpeed = 0;
    }
  }

  // The water temperature offset (and the hidden ratio) against
  // what the user typed.
  void TemperatureOffset() {
    if (!tempValid_) {
      ShowCaption(f_.EditCoeffTemp, f_.TxtNoValue);
      ShowCaption(f_.EditOffsetTemp, f_.TxtNoValue);
      f_.TempOffset = 0;
      return;
    }
    const auto typed = [this](platform::TEdit* Box) {
      const double value = support::SafeStrToFloat(Box->Text());
      return f_.UnitsTemp == 1 ? FahrenheitToCelsius(value) : value;
    };
    const double real = typed(f_.EditTempCal);
    const double offset = typed(f_.EditTempCalO) - temp_;
    const double ratio = static_cast<double>(support::SafeDivide(real, temp_));
    ShowCaption(f_.EditCoeffTemp, ratio >= kLowestCoefficient && ratio <= kHighestCoefficient
                                      ? Fixed(ratio, 2)
                                      : std::u16string(f_.TxtNoValue));
    if (offset >= -kLargestTempOffset && offset <= kLargestTempOffset) {
      // An offset is a difference of temperatures: no 32 is added in
      // Fahrenheit.
      ShowCaption(f_.EditOffsetTemp, Fixed(f_.UnitsTemp == 1 ? offset * 1.8 : offset, 1));
      f_.TempOffset = offset;
      f_.TempOffsetInvalid = false;
    } else {
      ShowCaption(f_.EditOffsetTemp, f_.TxtNoValue);
      f_.TempOffset = 0;
      f_.TempOffsetInvalid = true;
    }
  }

 private:
  // The transducer offset, the depth below the
  // transducer and the total depth.
  void Depth(const tNMEAData& D) {
    const bool offsetFresh = page_.Fresh(D.TransducerOffsetTick);
    const double offset = offsetFresh ? D.TransducerOffset : 0;
    if (offsetFresh) {
      f_.DepthSeen = true;
      if (!f_.OffsetEditFilled) {
        ShowText(f_.EditDptOfs, ToUtf8(f_.UnitsDepth == 1 ? Fixed(offset / kMetresPerFoot, 1) : Fixed(offset, 2)));
        f_.OffsetEditFilled = true;
      }
      const bool keel = offset < 0;
      ShowCaption(f_.LblDepthTot, keel ? f_.TxtBelowKeel : f_.TxtBelowSurface);
      ShowCaption(keel ? f_.LblOfsNeg : f_.LblOfsPos, LengthText(offset, f_.UnitsDepth));
      f_.LblOfsNeg->SetVisible(keel);
      f_.LblOfsPos->SetVisible(!keel);
    } else {
      ShowCaption(f_.LblOfsPos, f_.TxtNoValue);
      ShowCaption(f_.LblOfsNeg, f_.TxtNoValue);
      ShowCaption(f_.LblDepthTotVal, f_.TxtNoValue);
    }

    if (page_.Fresh(D.DepthTick)) {
      const double depth = D.Depth;
      f_.DepthSeen = true;
      ShowCaption(f_.LblDBTVal, LengthText(depth, f_.UnitsDepth));
      ShowCaption(f_.LblDepthTotVal, offsetFresh ? LengthText(depth + offset, f_.UnitsDepth) : f_.TxtNoValue);
    } else {
      ShowCaption(f_.LblDBTVal, f_.TxtNoValue);
      ShowCaption(f_.LblDepthTotVal, f_.TxtNoValue);
    }
  }

  // The trip distance and the filtered log speed.
  void Speed(const tNMEAData& D) {
    const bool tripFresh = page_.Fresh(D.TripWaterDistanceTick);
    if (tripFresh) f_.SpeedSeen = true;
    ShowCaption(f_.EditLogDist, tripFresh ? Fixed(D.TripWaterDistance, 2) + u" NM " : u"");

    if (page_.Fresh(D.WaterSpeedTick) && f_.SpeedFilter) {
      logSpeedValid_ = f_.SpeedSeen = true;
      // The filter takes each reading once, however often it is shown.
      f_.SpeedFilter->AddSample(D.WaterSpeedTick, D.WaterSpeed);
      logSpeed_ = f_.SpeedFilter->Output;
      ShowCaption(f_.EditLogCal, Fixed(logSpeed_, 1) + u" kn ");
    } else {
      ShowCaption(f_.EditLogCal, u"");
    }
  }

  // The module's water temperature, in the unit chosen.
  void WaterTemperature(const tNMEAData& D) {
    if (page_.Fresh(D.WaterTemperatureTick)) {
      temp_ = D.WaterTemperature;
      tempValid_ = f_.TempSeen = true;
      ShowCaption(f_.EditSeaTemp,
                  f_.UnitsTemp == 1 ? Fixed(CelsiusToFahrenheit(temp_), 1) + u" °F " : Fixed(temp_, 1) + u" °C ");
    } else {
      ShowCaption(f_.EditSeaTemp, u"");
    }
    ShowCaption(f_.EditSeaTempO, f_.EditSeaTemp->GetCaption());
  }

  // What the GPS receiver did not deliver comes from the
  // module's channel; the fix group only as a whole.
  void GpsFallBack(const tNMEAData& D) {
    if (!shown_.Position) page_.Position(D);
    if (!shown_.Altitude) page_.Altitude(D);
    if (!shown_.Cog) page_.Cog(D);
    if (!shown_.Utc) page_.Utc(D);
    if (!shown_.Sog && page_.Sog(D, false)) {
      shown_.Sog = true;
      sog_ = D.SOG;
    }
    if (!shown_.Fix) page_.Fix(D);
  }

  TMainForm& f_;
  PageWriter page_;
  GpsShown shown_;
  bool logSpeedValid_ = false;
  bool tempValid_ = false;
  double sog_ = 0;
  double logSpeed_ = 0;
  double temp_ = 0;
};

}  // namespace

void TMainForm::RefreshDisplay() {
  DisplayRefresh refresh(*this);
  const bool gpsOpen = refresh.GpsChannel();
  const bool dstOpen = refresh.DstChannel();
  if (!gpsOpen && !dstOpen) {
    refresh.ResetPages();
    return;
  }
  refresh.SpeedCoefficient();
  refresh.TemperatureOffset();
}

}  // namespace app
