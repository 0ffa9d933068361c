#include "tests/tools/dst_sim_link_helpers.h"

#include "sentence.h"

namespace dstsim::testing {

using Clock = std::chrono::steady_clock;

LinkProbe::LinkProbe(int port, int baud) : port_(port), baud_(baud) {
  Attach();
  link_.VerifyChecksum = true;
  link_.Open(port_, baud_, nmea::kStreamText, true);
}

LinkProbe::~LinkProbe() { link_.Close(); }

void LinkProbe::Attach() {
  // Raised on the reader thread with the link's lock held: only hand over.
  link_.OnRawMessage = [this](platform::TObject*, std::string_view text) {
    std::lock_guard lock(mutex_);
    sentences_.emplace_back(text);
    changed_.notify_all();
  };
  link_.OnReceive = [this](platform::TObject*, std::string_view text) {
    std::lock_guard lock(mutex_);
    received_ += text;
  };
}

bool LinkProbe::Reopen() {
  link_.Close();
  return link_.Open(port_, baud_, nmea::kStreamText, true);
}

std::vector<std::string> LinkProbe::Sentences() const {
  std::lock_guard lock(mutex_);
  return sentences_;
}

std::size_t LinkProbe::SentenceCount() const {
  std::lock_guard lock(mutex_);
  return sentences_.size();
}

std::string LinkProbe::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::optional<std::size_t> LinkProbe::WaitForSentence(std::string_view prefix, std::size_t from) const {
  const auto deadline = Clock::now() + kDeadline;
  std::unique_lock lock(mutex_);
  for (;;) {
    for (std::size_t i = from; i < sentences_.size(); ++i) {
      if (sentences_[i].rfind(prefix, 0) == 0) return i;
    }
    from = std::max(from, sentences_.size());
    if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && from == sentences_.size()) {
      return std::nullopt;
    }
  }
}

bool LinkProbe::WaitFor(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + kDeadline;
  std::size_t seen = 0;
  for (;;) {
    {
      auto lock = link_.Lock();
      if (done()) return true;
    }
    // Never holds this mutex while taking the link's lock: the reader
    // thread takes them the other way round.
    std::unique_lock lock(mutex_);
    if (!changed_.wait_until(lock, deadline, [&] { return sentences_.size() != seen; })) return false;
    seen = sentences_.size();
  }
}

const nmea::TNMEACurve* Curve(const nmea::TNMEA2KDecoder& link, std::uint8_t id) {
  for (const nmea::TNMEACurve& c : link.Curves) {
    if (c.Id == id) return &c;
  }
  return nullptr;
}

std::vector<LogLine> Lines(const DstSimProcess& sim, std::string_view source, std::string_view event,
                           std::size_t from) {
  std::vector<LogLine> lines;
  for (const LogLine& l : sim.Log()) {
    if (l.Index >= from && l.Source == source && l.Event == event) lines.push_back(l);
  }
  return lines;
}

std::vector<std::string> Fields(std::string_view sentence) {
  std::string_view body = sentence.substr(1);
  if (const auto star = body.rfind('*'); star != std::string_view::npos) body = body.substr(0, star);
  return SplitFields(body);
}

}  // namespace dstsim::testing
