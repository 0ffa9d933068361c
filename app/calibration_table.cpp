#include "app/calibration_table.h"

#include <algorithm>
#include <utility>

#include "support/arithmetic.h"

namespace app {

using support::TDoubleArray;
using support::TFloatPointArray;

void SortSamples(TFloatPointArray& Points, int Lo, int Hi) {
  if (Lo < 0 || Hi >= static_cast<int>(Points.size()) || Lo >= Hi) return;
  const double pivot = Points[static_cast<std::size_t>((Lo + Hi) / 2)].X;
  int i = Lo;
  int j = Hi;
  do {
    while (Points[static_cast<std::size_t>(i)].X < pivot) ++i;
    while (Points[static_cast<std::size_t>(j)].X > pivot) --j;
    if (i <= j) {
      std::swap(Points[static_cast<std::size_t>(i)], Points[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (j > Lo) SortSamples(Points, Lo, j);
  if (i < Hi) SortSamples(Points, i, Hi);
}

void MergeSamples(TFloatPointArray& Points) {
  if (Points.size() < 2) return;
  TFloatPointArray merged{Points.front()};
  for (std::size_t i = 1; i < Points.size(); ++i) {
    if (Points[i].X == merged.back().X) {
      merged.back().Y = (merged.back().Y + Points[i].Y) / 2;
    } else {
      merged.push_back(Points[i]);
    }
  }
  Points = std::move(merged);
}

int FindSampleBelow(const TFloatPointArray& Points, double X) {
  for (std::size_t i = 0; i < Points.size(); ++i) {
    if (Points[i].X > X) return static_cast<int>(i) - 1;
  }
  return static_cast<int>(Points.size()) - 1;
}

void InterpolateTable(const TFloatPointArray& Points, TDoubleArray& Table, int Size, double Default) {
  Table.assign(static_cast<std::size_t>(std::max(Size, 0)), Default);
  if (Points.empty()) return;
  if (Points.size() == 1) {
    std::fill(Table.begin(), Table.end(), Points.front().Y);
    return;
  }
  const int count = static_cast<int>(Points.size());
  int left = 0;
  for (int k = 0; k < Size && k <= Points.front().X; ++k) {
    Table[static_cast<std::size_t>(k)] = Points.front().Y;
    left = k + 1;
  }
  int right = Size;
  for (int k = Size - 1; k >= 0 && k >= Points.back().X; --k) {
    Table[static_cast<std::size_t>(k)] = Points.back().Y;
    right = k;
  }
  for (int k = left; k < right; ++k) {
    const int below = FindSampleBelow(Points, k);
    if (below < 0 || below >= count - 1) continue;
    const support::TFloatPoint& a = Points[static_cast<std::size_t>(below)];
    const support::TFloatPoint& b = Points[static_cast<std::size_t>(below) + 1];
    Table[static_cast<std::size_t>(k)] = support::LinearInterpolate(a.X, a.Y, b.X, b.Y, k);
  }
}

TDoubleArray BuildTable(TFloatPointArray Points, int Size) {
  SortSamples(Points, 0, static_cast<int>(Points.size()) - 1);
  MergeSamples(Points);
  TDoubleArray table;
  InterpolateTable(Points, table, Size, kNoCorrection);
  return table;
}

bool HasStoredSpeedTable(const TDoubleArray& Table) {
  return Table.size() > static_cast<std::size_t>(kSpeedPoints.back());
}

double StoredCoefficient(const TDoubleArray& Table, double X) {
  if (!HasStoredSpeedTable(Table)) return kNoCorrection;
  for (std::size_t i = 0; i < Table.size(); ++i) {
    const double reported = static_cast<double>(i) * Table[i];
    if (reported < X) continue;
    const std::size_t lo = i == 0 ? 0 : i - 1;
    return support::LinearInterpolate(static_cast<double>(lo) * Table[lo], Table[lo], reported, Table[i], X);
  }
  return kNoCorrection;
}

TFloatPointArray RescaleSamples(const TFloatPointArray& Samples, const TDoubleArray& Table) {
  TFloatPointArray rescaled;
  rescaled.reserve(Samples.size());
  for (const support::TFloatPoint& sample : Samples) {
    const double stored = StoredCoefficient(Table, sample.X);
    rescaled.push_back({static_cast<double>(support::SafeDivide(sample.X, stored)), sample.Y * stored});
  }
  return rescaled;
}

TDoubleArray NewSpeedTable(const TFloatPointArray& Samples, const TDoubleArray& Stored) {
  TDoubleArray table;
  InterpolateTable(HasStoredSpeedTable(Stored) ? RescaleSamples(Samples, Stored) : Samples, table, kSpeedTableSize,
                   kNoCorrection);
  return table;
}

}  // namespace app
