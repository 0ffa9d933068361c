#pragma once
// How a calibration table is built from measured points: sorted by speed,
// points of equal speed merged, then spread over whole knots (or whole
// degrees) by straight lines between the points. The module's own tables
// are read back through the same steps, and samples taken on the water
// are first brought back to what the log read before the stored table
// corrected it.

#include <array>
#include <cstdint>

#include "support/arrays.h"

namespace app {

// The ten speeds, in whole knots, that the module's table holds.
inline constexpr std::array<int, 10> kSpeedPoints = {2, 3, 4, 5, 6, 8, 12, 15, 20, 30};
// Entries of a speed table: knots 0 to the last point plus one.
inline constexpr int kSpeedTableSize = kSpeedPoints.back() + 2;
// The ten water temperatures, in whole degrees Celsius, of the
// temperature table.
inline constexpr std::array<int, 10> kTempPoints = {4, 8, 12, 16, 20, 24, 28, 32, 36, 40};
inline constexpr int kTempTableSize = kTempPoints.back() + 2;
// What an entry holds when nothing says otherwise: no correction.
inline constexpr double kNoCorrection = 1.0;

// Quicksort of Points[Lo..Hi] by X. Equal speeds are swapped like any
// others, so three equal ones added as a, b, c end as c, b, a, which
// decides how MergeSamples averages them.
void SortSamples(support::TFloatPointArray& Points, int Lo, int Hi);
// In points sorted by X, a point of the same X as the one before is folded
// into it: the kept Y becomes the mean of itself and the new Y.
void MergeSamples(support::TFloatPointArray& Points);
// The index of the last point at or below X in sorted points: the one
// before the first point above X; -1 when the first point is above X.
int FindSampleBelow(const support::TFloatPointArray& Points, double X);
// Table gets Size entries. Without points every entry is Default; one
// point gives its Y everywhere. Otherwise the first point's Y reaches down
// to entry 0, the last point's Y up to the last entry, and the entries
// between lie on the lines between neighbouring points. Nothing outside
// the table is written, however far the points lie.
void InterpolateTable(const support::TFloatPointArray& Points, support::TDoubleArray& Table, int Size, double Default);
// Sorts, merges and interpolates Points into a table of Size entries.
support::TDoubleArray BuildTable(support::TFloatPointArray Points, int Size);

// A speed table counts as stored when it reaches the last point.
bool HasStoredSpeedTable(const support::TDoubleArray& Table);
// The stored coefficient that the module applied to a speed it reported
// as X. Entry k corrects a raw reading of k knots, which the module then
// reports as k x Table[k]: the two entries whose reported speeds bracket X
// are found, and the coefficient is interpolated between them in reported
// speed. 1.0 without a stored table or beyond its last entry.
double StoredCoefficient(const support::TDoubleArray& Table, double X);
// Samples (log speed as reported, coefficient against it) brought back to
// the raw reading and the whole coefficient: X / S and Y x S, S being the
// stored coefficient at X. The order is kept.
support::TFloatPointArray RescaleSamples(const support::TFloatPointArray& Samples, const support::TDoubleArray& Table);
// The new speed table from sorted, merged samples: rescaled by the stored
// table when there is one.
support::TDoubleArray NewSpeedTable(const support::TFloatPointArray& Samples, const support::TDoubleArray& Stored);

}  // namespace app
