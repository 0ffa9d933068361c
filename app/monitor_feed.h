#pragma once
// Received text on its way from a link's reader thread to its monitor: the
// reader adds each chunk and goes on at once; the user-interface thread
// takes all that waits when it shows the monitors, so a busy line costs it
// one update of each monitor per main timer tick, not one per chunk.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class TMonitorFeed {
 public:
  // Reader thread.
  void Add(std::string_view Text);
  // User-interface thread: every chunk waiting, in arrival order.
  std::vector<std::string> Take();

 private:
  std::mutex mutex_;
  std::vector<std::string> chunks_;
};

}  // namespace app
