#include "nmea/serial/serial_engine.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/core/window_system/queue.h"
#include "platform/core/window_system/window.h"
#include "support/serial_ports.h"

namespace nmea {
namespace {

// The reader's poll period: a wait that sees nothing looks at the queue
// again after this long, and a device that reports an error or a hang-up
// is retried at this pace rather than in a busy loop.
constexpr int kPollMs = 200;
// Bytes short of the receive threshold are handed over once the line has
// been quiet this long (about ten characters at 4800 baud), so the last
// bytes of a sentence do not wait for the next sentence.
constexpr int kQuietMs = 20;
// Extra time a write may wait beyond what the line needs for its bytes.
constexpr int kWriteGraceMs = 2000;

}  // namespace

TComPortCore::TComPortCore() = default;

TComPortCore::~TComPortCore() { Close(); }

bool TComPortCore::OpenComPort(int N) {
  ReceiveEnabled = true;
  if (open_) return false;
  comNumber_ = N;
  DoOpen();
  return open_;
}

void TComPortCore::DoOpen() {
  try {
    const std::string path = comNumber_ != 0 ? support::ComPortName(comNumber_) : std::string();
    if (path.empty()) {
      SetLastError("port " + std::to_string(comNumber_) + " does not exist");
      CloseSequence();
      return;
    }
    const int threshold = std::clamp(RxThreshold, 1, 255);
    // The device wakes the reader at the first byte; the reader applies the
    // threshold and the quiet time itself.
    if (!device_.Open(path) || !device_.Configure(dcb_, 1)) {
      SetLastError(device_.LastError());
      CloseSequence();
      return;
    }
    stop_.Clear();
    commErrors_ = 0;
    active_ = true;
    reader_ = std::thread(&TComPortCore::ReaderLoop, this, OnError, threshold);
    open_ = true;
    SetLastError({});
  } catch (...) {
    CloseSequence();
    throw;
  }
}

void TComPortCore::Close() {
  if (!open_) return;
  CloseSequence();
  open_ = false;
}

void TComPortCore::CloseSequence() {
  // The reader and a write in progress on another thread both wait on the
  // stop event: the write gives up at once, and the device is closed only
  // once neither uses it.
  active_ = false;
  stop_.Signal();
  { std::lock_guard writing(writeLock_); }
  device_.Purge(true, true);
  if (reader_.joinable()) reader_.join();
  device_.Close();
}

void TComPortCore::GetStatus(TComStat& Stat) {
  Stat = {};
  if (!active_) return;
  std::lock_guard lock(portLock_);
  commErrors_ |= device_.TakeLineErrors();
  Stat.InQueue = device_.QueuedInput();
  Stat.OutQueue = device_.QueuedOutput();
}

bool TComPortCore::PurgeRx() {
  if (!active_) return false;
  device_.Purge(true, false);
  return true;
}

bool TComPortCore::PurgeTx() {
  if (!active_) return false;
  std::lock_guard lock(writeLock_);
  device_.Purge(false, true);
  return true;
}

bool TComPortCore::SetDCB(const platform::DCB& Dcb) {
  if (active_) {
    if (!device_.Configure(Dcb, 1)) {
      SetLastError(device_.LastError());
      return false;
    }
  }
  dcb_ = Dcb;
  return true;
}

bool TComPortCore::WriteData(const void* Data, int Count) {
  if (!active_ || Count < 0) return false;
  if (Count == 0) return true;
  // Ten bit times per byte covers start, eight data bits and a stop bit;
  // parity and a second stop bit stay within the grace period.
  const std::int64_t baud = std::max<std::uint32_t>(dcb_.BaudRate, 1);
  const std::int64_t lineMs = static_cast<std::int64_t>(Count) * 10 * 1000 / baud;
  const int timeoutMs = static_cast<int>(std::min<std::int64_t>(lineMs + kWriteGraceMs, 60000));
  std::lock_guard lock(writeLock_);
  if (!active_) return false;
  if (device_.Write(Data, static_cast<std::size_t>(Count), timeoutMs, stop_.Fd())) return true;
  SetLastError(device_.LastError());
  return false;
}

std::string TComPortCore::LastError() const {
  std::lock_guard lock(errorLock_);
  return lastError_;
}

void TComPortCore::SetLastError(std::string text) {
  std::lock_guard lock(errorLock_);
  lastError_ = std::move(text);
}

void TComPortCore::ReaderLoop(TComErrorEvent onError, int threshold) {
  std::string buffer;
  // Bytes seen queued short of the threshold at the last look. While there
  // are some the device stays readable, so the reader waits on the stop
  // event alone for the quiet time and looks again.
  int waiting = 0;
  for (;;) {
    pollfd fds[2] = {{waiting > 0 ? -1 : device_.Fd(), POLLIN, 0}, {stop_.Fd(), POLLIN, 0}};
    const int r = ::poll(fds, 2, waiting > 0 ? kQuietMs : kPollMs);
    if (r < 0) {
      if (errno == EINTR) continue;
      if (stop_.Wait(kPollMs)) return;
      continue;
    }
    if (fds[1].revents != 0) return;
    const short events = fds[0].revents;
    bool delivered = false;
    std::exception_ptr failure;
    try {
      delivered = Deliver(threshold, waiting, buffer);
    } catch (...) {
      waiting = 0;
      failure = std::current_exception();
    }
    // Handed over only once the catch has let go of it, so that the
    // user-interface thread, where it may be raised again, holds it alone.
    if (failure) HandleException(onError, std::move(failure));
    if (events & (POLLERR | POLLHUP | POLLNVAL)) {
      // A removed adapter or a closed peer: nothing more will come until
      // the port is closed, so wait at the poll pace instead of spinning.
      if (stop_.Wait(kPollMs)) return;
    } else if ((events & POLLIN) && !delivered && waiting == 0) {
      // Readable, yet nothing could be read.
      if (stop_.Wait(kQuietMs)) return;
    }
  }
}

bool TComPortCore::Deliver(int threshold, int& waiting, std::string& buffer) {
  const int before = waiting;
  waiting = 0;
  if (!ReceiveEnabled || !OnDataReceived) {
    PurgeRx();
    return true;
  }
  TComStat status;
  GetStatus(status);
  const int queued = status.InQueue;
  if (queued <= 0) return false;
  if (queued < threshold && queued != before) {
    waiting = queued;
    return false;
  }
  buffer.resize(static_cast<std::size_t>(queued));
  const long got = device_.Read(buffer.data(), buffer.size());
  if (got <= 0) return false;
  OnDataReceived(this, reinterpret_cast<const std::uint8_t*>(buffer.data()), static_cast<int>(got));
  return true;
}

void TComPortCore::HandleException(const TComErrorEvent& onError, std::exception_ptr error) {
  if (!onError) {
    // Raised again on the user-interface thread, where the message loop
    // shows it to the user; a mouse held captured would leave the user no
    // way to answer it.
    platform::RunOnUiThread([error = std::move(error)] {
      platform::ReleaseCapture();
      std::rethrow_exception(error);
    });
    return;
  }
  try {
    onError(this, kErrorException, std::move(error));
  } catch (...) {
    // The error handler's own failure has nowhere left to go.
  }
}

}  // namespace nmea
