#pragma once
// Test access to the stand-in gateway library. Holding a StandIn keeps the
// library loaded, so its call log survives the link unloading it.

#include <cstdint>
#include <string>
#include <vector>

namespace nmea::testing {

// Entry numbers as the stand-in logs them.
enum StandInEntry : std::int32_t {
  kCreate = 1,
  kDestroyAll = 3,
  kOpen = 4,
  kClose = 5,
  kN2kFlushRx = 6,
  kN2kFlushTx = 7,
  kBinFlushRx = 8,
  kBinFlushTx = 9,
};

struct StandInCall {
  std::int32_t entry;
  std::int32_t a;
  std::int32_t b;
  std::int32_t c;
  bool operator==(const StandInCall&) const = default;
};

// Folder of the test program, where the stand-in lies under the link's name.
std::string TestProgramFolder();
// Folder of the stand-in that lacks the entry point ZCommsN2K_FlushRx.
std::string PartialStandInFolder();

class StandIn {
 public:
  explicit StandIn(const std::string& folder = TestProgramFolder());
  ~StandIn();
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  void Reset();
  void SetCreate(std::int32_t result, std::int32_t handle);
  void SetOpenResult(std::int32_t result);
  void SetThrow(std::int32_t entry);
  std::vector<StandInCall> Calls() const;
  // The entry numbers of the calls, in order.
  std::vector<std::int32_t> Entries() const;

 private:
  void* handle_;
  void (*reset_)();
  void (*setCreate_)(std::int32_t, std::int32_t);
  void (*setOpenResult_)(std::int32_t);
  void (*setThrow_)(std::int32_t);
  std::int32_t (*callCount_)();
  void (*getCall_)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, std::int32_t*);
};

}  // namespace nmea::testing
