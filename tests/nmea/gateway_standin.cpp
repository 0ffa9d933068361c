// A stand-in for the gateway maker's library: the same 14 entry points, no
// device behind them. It records every call and can be told to fail, to hand
// out odd handles or to throw, so that every path of the gateway link runs in
// tests. Built with STANDIN_OMIT=<n> it lacks entry point n (1-based).

#include <cstdint>
#include <stdexcept>
#include <vector>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Call {
  std::int32_t entry;
  std::int32_t a;
  std::int32_t b;
  std::int32_t c;
};

struct State {
  std::vector<Call> calls;
  std::int32_t createResult = 0;
  bool fixedHandle = false;  // else the handles 1, 2, 3, ... are handed out
  std::int32_t handleToWrite = 0;
  std::int32_t nextHandle = 1;
  std::int32_t openResult = 0;
  std::int32_t throwEntry = 0;
};

State& S() {
  static State state;
  return state;
}

void Record(std::int32_t entry, std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0) {
  S().calls.push_back({entry, a, b, c});
  if (S().throwEntry == entry) throw std::runtime_error("stand-in failure");
}

}  // namespace

#ifndef STANDIN_OMIT
#define STANDIN_OMIT 0
#endif
#define STANDIN_ENTRY(n) ((STANDIN_OMIT) != (n))

#if STANDIN_ENTRY(1)
STANDIN_EXPORT std::int32_t ZCommsCreate(std::int32_t* handle) {
  Record(1);
  if (S().createResult != 0) return S().createResult;
  *handle = S().fixedHandle ? S().handleToWrite : S().nextHandle++;
  return 0;
}
#endif
#if STANDIN_ENTRY(2)
STANDIN_EXPORT std::int32_t ZCommsDestroy(std::int32_t handle) {
  Record(2, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(3)
STANDIN_EXPORT std::int32_t ZCommsDestroyAll() {
  Record(3);
  return 0;
}
#endif
#if STANDIN_ENTRY(4)
STANDIN_EXPORT std::int32_t ZCommsOpen(std::int32_t handle, std::int32_t port, std::int32_t baud) {
  Record(4, handle, port, baud);
  return S().openResult;
}
#endif
#if STANDIN_ENTRY(5)
STANDIN_EXPORT std::int32_t ZCommsClose(std::int32_t handle) {
  Record(5, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(6)
STANDIN_EXPORT std::int32_t ZCommsN2K_FlushRx(std::int32_t handle) {
  Record(6, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(7)
STANDIN_EXPORT std::int32_t ZCommsN2K_FlushTx(std::int32_t handle) {
  Record(7, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(8)
STANDIN_EXPORT std::int32_t ZCommsBIN_FlushRx(std::int32_t handle) {
  Record(8, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(9)
STANDIN_EXPORT std::int32_t ZCommsBIN_FlushTx(std::int32_t handle) {
  Record(9, handle);
  return 0;
}
#endif
#if STANDIN_ENTRY(10)
STANDIN_EXPORT std::int32_t ZCommsN2K_SetRxCallback() { return -1; }
#endif
#if STANDIN_ENTRY(11)
STANDIN_EXPORT std::int32_t ZCommsN2K_Write() { return -1; }
#endif
#if STANDIN_ENTRY(12)
STANDIN_EXPORT std::int32_t ZCommsN2K_Read() { return -1; }
#endif
#if STANDIN_ENTRY(13)
STANDIN_EXPORT std::int32_t ZCommsN2K_GetRxQSize() { return -1; }
#endif
#if STANDIN_ENTRY(14)
STANDIN_EXPORT std::int32_t ZCommsCommand_GetTotalTime() { return -1; }
#endif

// Test controls; the link never resolves these.

STANDIN_EXPORT void StandIn_Reset() { S() = State{}; }

// A Result other than 0 makes ZCommsCreate fail; otherwise it writes Handle
// (which may be 0 or negative) in place of the counted handles.
STANDIN_EXPORT void StandIn_SetCreate(std::int32_t result, std::int32_t handle) {
  S().createResult = result;
  S().fixedHandle = true;
  S().handleToWrite = handle;
}

STANDIN_EXPORT void StandIn_SetOpenResult(std::int32_t result) { S().openResult = result; }

// Entry (1-based) throws from now on; 0 throws nowhere.
STANDIN_EXPORT void StandIn_SetThrow(std::int32_t entry) { S().throwEntry = entry; }

STANDIN_EXPORT std::int32_t StandIn_CallCount() { return static_cast<std::int32_t>(S().calls.size()); }

STANDIN_EXPORT void StandIn_GetCall(std::int32_t i, std::int32_t* entry, std::int32_t* a, std::int32_t* b,
                                    std::int32_t* c) {
  const Call& call = S().calls.at(static_cast<std::size_t>(i));
  *entry = call.entry;
  *a = call.a;
  *b = call.b;
  *c = call.c;
}
