// The endpoint's data stores: devices heard on the link, keyed integers,
// the calibration tables the module sends, and the reset of the record.

#include <algorithm>

#include "nmea/link/endpoint.h"

namespace nmea {
namespace {

// The module's tables have a few dozen points; a peer that keeps inventing
// indexes must not grow a table without end, so points of new indexes
// beyond this many are dropped, as sensors beyond the sensor list's bound
// are.
constexpr std::size_t kMaxCurvePoints = 256;

}  // namespace

void TNMEA2KDecoder::InitProduct(tNMEAProd& Rec) { Rec = tNMEAProd{}; }

int TNMEA2KDecoder::AddProduct(const tNMEAProd& Rec, tNmeaProdArray& Products) {
  for (std::size_t i = 0; i < Products.size(); ++i) {
    const tNMEAProd& p = Products[i];
    if (p.SourceId == Rec.SourceId && p.ManufacturerKey == Rec.ManufacturerKey && p.Protocol == Rec.Protocol &&
        p.ClassCode == Rec.ClassCode && p.ProductCode == Rec.ProductCode) {
      Products[i] = Rec;
      return static_cast<int>(i);
    }
  }
  Products.push_back(Rec);
  return static_cast<int>(Products.size()) - 1;
}

int TNMEA2KDecoder::SetExtra(const tNmeaExtraInt& Rec, tNmeaExtraArrayInt& Extras) {
  ExtrasBusy = true;
  int index = -1;
  for (std::size_t i = 0; i < Extras.size(); ++i) {
    if (Extras[i].Key == Rec.Key) {
      Extras[i] = Rec;
      index = static_cast<int>(i);
      break;
    }
  }
  if (index < 0) {
    Extras.push_back(Rec);
    index = static_cast<int>(Extras.size()) - 1;
  }
  ExtrasBusy = false;
  return index;
}

void TNMEA2KDecoder::AddCurvePoint(const TNMEACurvePointRec& Point, TTick Tick) {
  if (Point.Index < 0 || Point.X == -999.0) return;
  auto curve = std::find_if(Curves.begin(), Curves.end(), [&](const TNMEACurve& C) { return C.Id == Point.Id; });
  if (curve == Curves.end()) {
    Curves.push_back(TNMEACurve{Point.Id, 0, {}});
    curve = Curves.end() - 1;
  }
  auto& points = curve->Points;
  auto point =
      std::find_if(points.begin(), points.end(), [&](const TNMEACurvePoint& P) { return P.Index == Point.Index; });
  if (point == points.end()) {
    if (points.size() >= kMaxCurvePoints) return;
    points.push_back({});
    point = points.end() - 1;
  }
  *point = TNMEACurvePoint{Point.Index, Point.X, Point.Y};
  curve->UpdateTick = Tick;
}

void TNMEA2KDecoder::ClearCurves(std::uint8_t CurveId) {
  auto lock = Lock();
  if (CurveId == 0) {
    Curves.clear();
    return;
  }
  std::erase_if(Curves, [CurveId](const TNMEACurve& C) { return C.Id == CurveId; });
}

int TNMEA2KDecoder::AddAlarm(const tALR_Rec&) { return 0; }

void TNMEA2KDecoder::ResetData(tNMEAData& Data) {
  auto lock = Lock();
  TalkerNames.clear();
  SentenceNames.clear();
  Talkers.clear();
  Alarms.clear();
  Data = tNMEAData{};
  std::fill(std::begin(QuantityTicks), std::end(QuantityTicks), 0u);
}

}  // namespace nmea
