#include "app/monitor_feed.h"

namespace app {

void TMonitorFeed::Add(std::string_view Text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  chunks_.emplace_back(Text);
}

std::vector<std::string> TMonitorFeed::Take() {
  std::vector<std::string> taken;
  const std::lock_guard<std::mutex> lock(mutex_);
  taken.swap(chunks_);
  return taken;
}

}  // namespace app
