#pragma once
// The timing of a serial line: each byte takes ten bit times at the line's
// baud rate (start bit, eight data bits, stop bit), and the receiving side
// gets the bytes in small pieces as they come off the line, never faster.

#include <chrono>
#include <cstddef>

namespace dstsim {

class LinePacer {
 public:
  using Clock = std::chrono::steady_clock;

  // A driver hands over what arrived every few milliseconds.
  static constexpr std::chrono::milliseconds kPieceInterval{5};
  // A piece is never larger than a USB serial adapter's packet, even when
  // the simulator was held up and the line is behind.
  static constexpr std::size_t kMaxPiece = 64;

  explicit LinePacer(int baud) : baud_(baud) {}

  int Baud() const { return baud_; }
  // The rest of the bytes go at the new rate from now.
  void SetBaud(int baud, Clock::time_point now);
  // The line starts carrying bytes now, after it stood idle.
  void Start(Clock::time_point now);
  // How many of the pending bytes the line has carried by now and may be
  // handed over as one piece (0 until a piece is complete).
  std::size_t Due(Clock::time_point now, std::size_t pending);
  // n bytes were handed over.
  void Sent(std::size_t n) { sent_ += n; }
  // When the next piece of the pending bytes will have been carried.
  Clock::time_point NextPiece(std::size_t pending) const;

  // Line time of n bytes at this rate, rounded up.
  std::chrono::nanoseconds Duration(std::size_t n) const;

 private:
  std::size_t PieceSize(std::size_t pending) const;
  std::size_t Carried(Clock::time_point now) const;

  int baud_;
  Clock::time_point origin_{};
  std::size_t sent_ = 0;
};

}  // namespace dstsim
