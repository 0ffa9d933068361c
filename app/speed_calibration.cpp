// The speed calibration of the Speed page: samples of the live
// coefficient collected in a list, the new table calculated from them
// against the table the module holds, and the grid that shows both.

#include <algorithm>
#include <exception>

#include "app/calibration_grid.h"
#include "app/calibration_table.h"
#include "app/control_helpers.h"
#include "app/dialog_form.h"
#include "app/live_values.h"
#include "app/main_form.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/list_box.h"

namespace app {

using platform::TObject;

void TMainForm::BindDisplayEvents() {
  ButAddLogCal->OnClick = [this](TObject* Sender) { ButAddLogCalClick(Sender); };
  ButCalcLogVal->OnClick = [this](TObject* Sender) { ButCalcLogValClick(Sender); };
  ButDelLogVal->OnClick = [this](TObject* Sender) { ButDelLogValClick(Sender); };
  ButResetLogVal->OnClick = [this](TObject* Sender) { ButResetLogValClick(Sender); };
  ButResetLogCal->OnClick = [this](TObject* Sender) { ButResetLogCalClick(Sender); };
  LogGrid->OnClick = [this](TObject* Sender) { LogGridClick(Sender); };
  LogCoeffListBox->OnClick = [this](TObject* Sender) { LogCoeffListBoxClick(Sender); };
  ButAddTempCal->OnClick = [this](TObject* Sender) { ButAddTempCalClick(Sender); };
}

void TMainForm::InitCalibrationGrids() {
  InitLogGrid();
  InitTempGrid();
  ResetNewTempRow();
  ResetNewSpeedRow();
}

void TMainForm::InitLogGrid() {
  LayOutCalibrationGrid(*LogGrid);
  SetRowTitles(*LogGrid, TxtStored, TxtNew);
  for (int i = 0; i < kPointColumns; ++i) {
    LogGrid->SetCells(kFirstPointColumn + i, kPointsRow, FromUtf8(std::to_string(kSpeedPoints[i])) + u" kn");
  }
  ShowStoredSpeedTable(false);
}

void TMainForm::ShowStoredSpeedTable(bool CopyToNew) {
  if (!HasStoredSpeedTable(SpeedTable)) {
    FillPointRow(*LogGrid, kStoredRow, TxtNoValue);
  } else {
    for (int i = 0; i < kPointColumns; ++i) {
      const std::u16string text = Fixed(SpeedTable[static_cast<std::size_t>(kSpeedPoints[i])], 2);
      LogGrid->SetCells(kFirstPointColumn + i, kStoredRow, text);
      if (CopyToNew) LogGrid->SetCells(kFirstPointColumn + i, kNewRow, text);
    }
  }
  LogGrid->SetCells(0, kStoredRow, TxtStored);
}

void TMainForm::ResetNewSpeedRow() { FillPointRow(*LogGrid, kNewRow, Fixed(kNoCorrection, 2)); }

bool TMainForm::ReadCalibrationTable(std::uint8_t CurveId) {
  // A table no longer known is no longer shown as stored either.
  const auto forgetSpeedTable = [this] {
    if (SpeedTable.empty()) return;
    SpeedTable.clear();
    ShowStoredSpeedTable(false);
  };
  if (!DstReady) {
    forgetSpeedTable();
    return false;
  }
  if (!DstLink) return false;
  // Whatever fails while the table is taken over leaves the previous one in
  // place, as a read that found nothing new does.
  try {
    bool noTables = false;
    bool found = false;
    support::TFloatPointArray points;
    {
      // Copied under the lock, so the reader keeps receiving meanwhile.
      const auto lock = DstLink->Lock();
      const nmea::TNMEACurveArray& curves = DstLink->Curves;
      noTables = curves.empty();
      const auto curve = std::find_if(curves.begin(), curves.end(), [&](const nmea::TNMEACurve& C) {
        return C.Id == CurveId && C.UpdateTick != LastTableTick;
      });
      if (curve != curves.end()) {
        found = true;
        LastTableTick = curve->UpdateTick;
        for (const nmea::TNMEACurvePoint& point : curve->Points) points.push_back({point.X, point.Y});
      }
    }
    if (noTables) {
      TempTable.clear();
      forgetSpeedTable();
    }
    if (!found || points.empty()) return false;
    if (CurveId == nmea::kCurveSpeed) {
      SpeedTable = BuildTable(std::move(points), kSpeedTableSize);
    } else {
      TempTable = BuildTable(std::move(points), kTempTableSize);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TMainForm::RefreshCoeffList() {
  auto& items = LogCoeffListBox->GetItems();
  items.BeginUpdate();
  items.Clear();
  for (const support::TFloatPoint& sample : Samples) {
    items.Add(Fixed(sample.X, 1) + u" kn    " + TxtCoeff + u" = " + Fixed(sample.Y, 2));
  }
  items.EndUpdate();
  ButDelLogVal->SetEnabled(LogCoeffListBox->ItemIndex() > -1);
  ButCalcLogVal->SetEnabled(items.Count() > 0);
  ButResetLogVal->SetEnabled(ButCalcLogVal->Enabled());
}

double TMainForm::StoredCoeffAt(double X) { return StoredCoefficient(SpeedTable, X); }

void TMainForm::ButAddLogCalClick(TObject*) {
  if (CurrentCoefficient <= 0) return;
  Samples.push_back({CurrentLogSpeed, CurrentCoefficient});
  RefreshCoeffList();
}

void TMainForm::ButCalcLogValClick(TObject*) {
  if (Samples.empty()) return;
  ShowNewRow = false;
  SortSamples(Samples, 0, static_cast<int>(Samples.size()) - 1);
  MergeSamples(Samples);
  RefreshCoeffList();
  const support::TDoubleArray table = NewSpeedTable(Samples, SpeedTable);
  for (int i = 0; i < kPointColumns; ++i) {
    LogGrid->SetCells(kFirstPointColumn + i, kNewRow, Fixed(table[static_cast<std::size_t>(kSpeedPoints[i])], 2));
  }
}

void TMainForm::ButDelLogValClick(TObject*) {
  const int index = LogCoeffListBox->ItemIndex();
  if (index < 0 || index >= static_cast<int>(Samples.size())) return;
  Samples.erase(Samples.begin() + index);
  RefreshCoeffList();
}

void TMainForm::ButResetLogValClick(TObject*) {
  if (!Confirm(TxtAttention, TxtAskClearList)) return;
  Samples.clear();
  RefreshCoeffList();
}

void TMainForm::ButResetLogCalClick(TObject*) {
  if (!DstReady || !DstLink) return;
  // The question waits for the user while the window runs on; the module
  // may have gone meanwhile.
  if (!Confirm(TxtAttention, TxtAskResetSpeed) || !DstReady) return;
  ResetNewSpeedRow();
  ShowNewRow = false;
  ClearCommandQueue();
  DstLink->ClearCurves(nmea::kCurveSpeed);
  SpeedTable.clear();
  ShowStoredSpeedTable(false);
  QueueCommand(cmdDeleteSpeedTable);
}

void TMainForm::LogGridClick(TObject*) { ShowNewRow = false; }

void TMainForm::LogCoeffListBoxClick(TObject*) {
  ButDelLogVal->SetEnabled(DstReady && LogCoeffListBox->ItemIndex() > -1);
}

}  // namespace app
