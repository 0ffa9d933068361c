#pragma once
// The simulator's log, one line per event, for people and for tests:
//
//   <ms> <source> <event> <text>
//
// ms counts milliseconds since the simulator started; source is dst, gps,
// control or sim. Events: rx (a line received, with its verdict after
// " -> "), tx (a sentence or garbage as it starts on the line), state (a
// change of the module's or the line's state). Every line is written at
// once, so a reader never waits for a buffer to fill.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace dstsim {

class EventLog {
 public:
  using Clock = std::chrono::steady_clock;

  EventLog();
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  // Appends to file (created when missing); false when it cannot be opened.
  bool OpenFile(const std::string& file);
  // Also shows every line on out (nullptr: nowhere).
  void Echo(std::FILE* out) { echo_ = out; }

  void Write(std::string_view source, std::string_view event, std::string_view text);
  long long Millis(Clock::time_point t) const;

 private:
  Clock::time_point start_;
  int fd_ = -1;
  std::FILE* echo_ = nullptr;
};

}  // namespace dstsim
