#pragma once
// A sliding-window mean over the most recent samples: of plain values, of
// angles (the mean direction through sine and cosine sums), or of
// magnitude-and-angle vectors. Each sample costs O(1): the running sums drop
// the replaced sample's share instead of being summed again.

#include <cstdint>

#include "platform/core/classes/object.h"
#include "support/arrays.h"

namespace support {

class TMAverageFilter : public platform::TObject {
 public:
  // Linear means with a pass-through window, checking stamps.
  TMAverageFilter();

  // Reset(0): pass-through, outputs zero.
  void Clear();
  // A window of N + 1 samples for N > 0, else pass-through. The new window
  // starts with the current mean as its only sample (none when the outputs
  // are zero).
  void Reset(std::int32_t N);
  // One sample by Mode; angles in degrees.
  void Add(double X);
  // One vector sample (modes 2 and 3). The first one after a plain window
  // restarts that window empty, keeping its length.
  void AddVector(double Magnitude, double AngleDeg);
  // Add(X), except that with CheckStamp a Stamp equal to the last accepted
  // one is ignored.
  void AddSample(std::uint32_t Stamp, double X);

  std::int32_t Count() const { return count_; }
  std::int32_t WindowSize() const { return windowSize_; }
  std::uint32_t LastStamp() const { return lastStamp_; }

  // 0 linear mean; 1 mean angle limited to -90..90; 2 mean angle in
  // -180..180; 3 mean angle in 0..360. Other values ignore samples.
  std::uint8_t Mode = 0;
  bool CheckStamp = true;
  // The mean; the magnitude of the mean vector in vector use.
  double Output = 0;
  // The angle of the mean vector in degrees (vector use).
  double Output2 = 0;

  // Longest window Reset gives, so that a wild N cannot exhaust memory.
  static constexpr std::int32_t kMaxWindowSize = 1 << 20;

 private:
  void AddAngle(double Degrees);
  double WrapByMode(double Degrees) const;

  TDoubleArray values_;      // the samples, or the cosine parts in vector use
  TDoubleArray vecSamples_;  // the sine parts in vector use; empty otherwise
  std::int32_t nextIndex_ = 0;
  std::int32_t count_ = 0;
  std::int32_t windowSize_ = 0;
  double sum_ = 0;
  double sumSin_ = 0;
  double sumCos_ = 0;
  std::uint32_t lastStamp_ = 0;
};

}  // namespace support
