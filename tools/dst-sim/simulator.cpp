#include "simulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "control_language.h"
#include "platform/core/os/serial_ports.h"

namespace dstsim {
namespace {

using namespace std::chrono_literals;

// However idle, the loop looks at the ports' rates this often.
constexpr auto kLongestWait = 50ms;

const std::set<std::string> kDstSentences{"DBT", "DPT", "VHW", "VLW", "MTW"};
const std::set<std::string> kGpsSentences{"GGA", "RMC", "VTG", "GSA", "GSV"};

// The sentence id of a talker sentence body ("VWVHW,..." -> "VHW").
std::string SentenceId(const std::string& body) { return body.size() >= 5 ? body.substr(2, 3) : body; }

Simulator::Clock::duration PeriodOf(double roundsPerSecond) {
  return std::chrono::duration_cast<Simulator::Clock::duration>(std::chrono::duration<double>(1.0 / roundsPerSecond));
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

Simulator::Simulator(const Options& options, EventLog& log)
    : options_(options), log_(log), module_(options.Module, options.LogFactor), receiver_(options.Receiver) {
  if (options.Dst) {
    dst_.Line = std::make_unique<SerialLine>("dst", options.DstName, options.DstBaud, log);
    dst_.Period = PeriodOf(options.DstRate);
  }
  if (options.Gps) {
    gps_.Line = std::make_unique<SerialLine>("gps", options.GpsName, options.GpsBaud, log);
    gps_.Period = PeriodOf(options.GpsRate);
  }
}

void Simulator::Start() {
  for (Port* port : {&dst_, &gps_}) {
    if (port->Line) port->Line->Plug();
  }
  controlPath_ = options_.ControlPath;
  if (controlPath_.empty()) {
    controlPath_ = platform::VirtualPortFolder() + "/" + DefaultLine().PortName() + ".control";
  }
  control_ = std::make_unique<ControlServer>(controlPath_);
  const auto now = Clock::now();
  for (Port* port : {&dst_, &gps_}) port->NextRound = port->LastRound = now;
  log_.Write("sim", "state", "started, control at " + controlPath_);
}

SerialLine* Simulator::Line(std::string_view source) {
  if (source == "dst") return dst_.Line.get();
  if (source == "gps") return gps_.Line.get();
  return nullptr;
}

SerialLine& Simulator::DefaultLine() { return dst_.Line ? *dst_.Line : *gps_.Line; }

void Simulator::Run(const volatile sig_atomic_t& stop) {
  bool lifeline = options_.StdinLifeline;
  while (!stop && !quit_) {
    auto now = Clock::now();
    RunTimers(now);
    auto wake = now + kLongestWait;
    for (Port* port : {&dst_, &gps_}) {
      if (!port->Line) continue;
      SendRoundIfDue(*port, now);
      if (const auto next = port->Line->Pump(now)) wake = std::min(wake, *next);
      if (port->Line->Idle()) wake = std::min(wake, port->NextRound);
    }
    if (!timers_.empty()) wake = std::min(wake, timers_.begin()->first);

    std::vector<pollfd> fds;
    for (Port* port : {&dst_, &gps_}) fds.push_back({port->Line ? port->Line->Fd() : -1, POLLIN, 0});
    if (lifeline) fds.push_back({STDIN_FILENO, POLLIN, 0});
    const std::size_t firstControl = fds.size();
    control_->AddPollFds(fds);
    // Rounded up: waking before a piece is due would only spin.
    const auto waitMs = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()).count();
    const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(waitMs, 0)));
    if (ready < 0) {
      if (errno == EINTR) continue;
      log_.Write("sim", "state", "poll failed");
      return;
    }
    if (fds[0].revents & POLLIN) Receive(dst_);
    if (fds[1].revents & POLLIN) Receive(gps_);
    if (lifeline && fds[2].revents != 0) {
      char buf[256];
      if (::read(STDIN_FILENO, buf, sizeof buf) <= 0) {
        log_.Write("sim", "state", "standard input closed");
        lifeline = false;
        quit_ = true;
      }
    }
    const std::vector<pollfd> controlFds(fds.begin() + static_cast<std::ptrdiff_t>(firstControl), fds.end());
    control_->Service(controlFds, [this](const std::string& line) { return Control(line); });
  }
  log_.Write("sim", "state", "stopped");
}

std::vector<std::string> Simulator::RoundBodies(Port& port, double elapsedSeconds) {
  std::vector<std::string> bodies =
      &port == &dst_ ? module_.Stream(elapsedSeconds) : receiver_.Stream(elapsedSeconds, UtcNow());
  std::erase_if(bodies, [this](const std::string& b) { return disabled_.count(SentenceId(b)) != 0; });
  return bodies;
}

void Simulator::SendRoundIfDue(Port& port, Clock::time_point now) {
  SerialLine& line = *port.Line;
  // A line still busy with the last round holds the next one back, as a
  // module's output does when its line is full.
  if (now < port.NextRound || !line.Idle()) return;
  const double elapsed = std::chrono::duration<double>(now - port.LastRound).count();
  port.LastRound = now;
  port.NextRound = std::max(port.NextRound + port.Period, now);
  if (!line.Plugged() || line.Silent()) return;
  for (const std::string& body : RoundBodies(port, elapsed)) line.Queue(Sentence(body));
}

void Simulator::Receive(Port& port) {
  const std::string bytes = port.Line->Receive();
  for (const std::string& line : port.Collector.Feed(bytes)) {
    if (&port == &dst_) {
      HandleCommand(line);
    } else {
      log_.Write("gps", "rx", Printable(line) + " -> ignored: the receiver takes no commands");
    }
  }
}

void Simulator::HandleCommand(const std::string& line) {
  const std::string shown = Printable(line);
  if (dst_.Line->Silent()) {
    log_.Write("dst", "rx", shown + " -> ignored: silent");
    return;
  }
  const Framing framing = CheckFraming(line);
  if (!framing.Ok) {
    log_.Write("dst", "rx", shown + " -> refused: " + framing.Reason);
    return;
  }
  if (faults_.IgnoreIdentification && StartsWith(framing.Body, "PARLRHI")) {
    log_.Write("dst", "rx", shown + " -> ignored: identification ignored by fault");
    return;
  }
  const Answer answer = module_.Handle(framing.Body);
  std::string verdict = answer.Accepted ? "accepted" : "refused";
  if (!answer.Note.empty()) verdict += (answer.Accepted ? ", " : ": ") + answer.Note;
  log_.Write("dst", "rx", shown + " -> " + verdict);
  for (const std::string& event : answer.Events) log_.Write("dst", "state", event);
  if (!answer.Replies.empty()) SendReplies(answer);
}

void Simulator::SendReplies(const Answer& answer) {
  if (faults_.DropCountdown > 0 && --faults_.DropCountdown == 0) {
    log_.Write("dst", "state", "reply dropped by fault");
    return;
  }
  std::vector<std::string> bodies = answer.Replies;
  int spreadMs = 0;
  if (answer.Kind == ReplyKind::SpeedTable || answer.Kind == ReplyKind::TemperatureTable) {
    const int zero = faults_.ZeroCoefficientPoint;
    if (answer.Kind == ReplyKind::SpeedTable && zero >= 0 && zero < static_cast<int>(bodies.size())) {
      std::string& body = bodies[static_cast<std::size_t>(zero)];
      body.erase(body.rfind(',') + 1);
      body += '0';
      faults_.ZeroCoefficientPoint = -1;
      log_.Write("dst", "state", "zero coefficient at point " + std::to_string(zero) + " by fault");
    }
    const int keep = faults_.PartialTablePoints;
    if (keep >= 0 && keep < static_cast<int>(bodies.size())) {
      log_.Write(
          "dst", "state",
          "table sent partly by fault: " + std::to_string(keep) + " of " + std::to_string(bodies.size()) + " points");
      bodies.resize(static_cast<std::size_t>(keep));
    }
    spreadMs = faults_.SpreadTableMs;
  }
  std::vector<std::string> sentences;
  for (const std::string& body : bodies) sentences.push_back(Sentence(body));
  SerialLine* line = dst_.Line.get();
  const auto send = [line, sentences = std::move(sentences), spreadMs] {
    for (std::size_t i = 0; i < sentences.size(); ++i) {
      line->Queue(sentences[i], std::chrono::milliseconds(i > 0 ? spreadMs : 0));
    }
  };
  const int delayMs = faults_.DelayMs;
  if (delayMs > 0) {
    log_.Write("dst", "state", "reply delayed " + std::to_string(delayMs) + " ms by fault");
    At(Clock::now() + std::chrono::milliseconds(delayMs), send);
  } else {
    send();
  }
}

void Simulator::At(Clock::time_point when, std::function<void()> action) { timers_.emplace(when, std::move(action)); }

void Simulator::RunTimers(Clock::time_point now) {
  while (!timers_.empty() && timers_.begin()->first <= now) {
    const auto action = std::move(timers_.begin()->second);
    timers_.erase(timers_.begin());
    action();
  }
}

void Simulator::HangUp(SerialLine& line, std::chrono::milliseconds replugAfter) {
  line.Unplug();
  if (replugAfter.count() < 0) return;
  At(Clock::now() + replugAfter, [this, &line] {
    try {
      Replug(line);
    } catch (const std::system_error& e) {
      log_.Write(line.Source(), "state", std::string("port not published again: ") + e.what());
    }
  });
}

void Simulator::Replug(SerialLine& line) {
  if (line.Plugged()) return;
  // A port found again starts from scratch, like a freshly plugged adapter.
  Port& port = &line == dst_.Line.get() ? dst_ : gps_;
  port.Collector = LineCollector();
  line.Plug();
}

bool Simulator::InjectGarbage(SerialLine& line, GarbageKind kind, const std::string& id) {
  Port& port = &line == dst_.Line.get() ? dst_ : gps_;
  std::vector<std::string> models;
  if (kind == GarbageKind::Foreign && &port == &dst_ && id.empty()) {
    models.push_back(module_.IdentificationBody());
  } else {
    // A model round, whose distances do not advance.
    const std::vector<std::string> all = &port == &dst_ ? module_.Stream(0.0) : receiver_.Stream(0.0, UtcNow());
    for (const std::string& body : all) {
      if (id.empty() ? disabled_.count(SentenceId(body)) == 0 : SentenceId(body) == id) models.push_back(body);
    }
    if (models.empty() && id.empty()) models = all;
    if (models.empty()) return false;
  }
  line.Queue(MakeGarbage(kind, models));
  return true;
}

bool Simulator::SetSentence(const std::string& id, bool on) {
  if (!kDstSentences.count(id) && !kGpsSentences.count(id)) return false;
  if (on) {
    disabled_.erase(id);
  } else {
    disabled_.insert(id);
  }
  return true;
}

std::string Simulator::Status() const {
  const DstModule& m = module_;
  const DstSettings& s = m.Settings();
  std::string text;
  if (dst_.Line) text += "dst-baud=" + std::to_string(dst_.Line->Baud()) + " ";
  if (gps_.Line) text += "gps-baud=" + std::to_string(gps_.Line->Baud()) + " ";
  text += "firmware=" + std::to_string(s.Firmware) + " product=" + std::to_string(s.ProductCode);
  text += " temp-offset=" + Fixed(s.TemperatureOffset, 1) + " depth-offset=" + Fixed(s.TransducerOffset, 2);
  text += " trip=" + Fixed(s.TripMiles, 2) + " clamp=" + (s.ClampOffsets ? "on" : "off") + " table=";
  if (m.Table()) {
    for (std::size_t i = 0; i < m.Table()->size(); ++i) {
      text += (i ? "," : "") + std::to_string((*m.Table())[i].Coefficient);
    }
  } else {
    text += "none";
  }
  return text;
}

std::string Simulator::Control(const std::string& line) {
  const std::string reply = ExecuteControl(*this, line);
  log_.Write("control", "rx", Printable(line) + " -> " + reply);
  return reply;
}

}  // namespace dstsim
