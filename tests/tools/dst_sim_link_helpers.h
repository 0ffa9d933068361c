#pragma once
// The program's side of the simulator's ports in tests: a link endpoint on
// one port that keeps, in order, every sentence it framed and the text of
// every chunk it received, and waits on them.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client/dst_sim_client.h"
#include "nmea/link/endpoint.h"

namespace dstsim::testing {

inline constexpr std::chrono::milliseconds kDeadline{10000};

class LinkProbe {
 public:
  // Opens a checked text link on the port; Open() tells whether it did.
  LinkProbe(int port, int baud);
  ~LinkProbe();
  LinkProbe(const LinkProbe&) = delete;
  LinkProbe& operator=(const LinkProbe&) = delete;

  bool Open() const { return link_.IsOpen(); }
  nmea::TNMEA2KDecoder& Link() { return link_; }
  // A command as the program sends it ("$PARLRHI,01"): checksum and line
  // end added.
  void Send(std::string_view line) { link_.SendLine(line, true); }
  // Bytes as they stand.
  void SendRaw(std::string_view bytes) { link_.SendLine(bytes, false); }
  // Closes and opens the link again on the same port.
  bool Reopen();

  std::vector<std::string> Sentences() const;
  std::size_t SentenceCount() const;
  // Everything received, as the receive event showed it (hex for binary).
  std::string Received() const;
  // The index of the first sentence at or after from that starts with
  // prefix, once it has been framed; nothing at the deadline.
  std::optional<std::size_t> WaitForSentence(std::string_view prefix, std::size_t from = 0) const;
  // Waits until done holds, looked at under the link's lock after every
  // sentence framed.
  bool WaitFor(const std::function<bool()>& done);

 private:
  void Attach();

  int port_;
  int baud_;
  nmea::TNMEA2KDecoder link_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<std::string> sentences_;
  std::string received_;
};

// The link's table of this id; nothing when none has come. Call with the
// link's lock held.
const nmea::TNMEACurve* Curve(const nmea::TNMEA2KDecoder& link, std::uint8_t id);

// The log lines of one source and event, in order, from index from on.
std::vector<LogLine> Lines(const DstSimProcess& sim, std::string_view source, std::string_view event,
                           std::size_t from = 0);

// The checked sentence's fields after the address ("$VWVHW,,T,..*hh" ->
// {"VWVHW", "", "T", ...}), without the checksum.
std::vector<std::string> Fields(std::string_view sentence);

}  // namespace dstsim::testing
