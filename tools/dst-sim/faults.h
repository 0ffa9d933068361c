#pragma once
// Faults of the module's replies that a test switches on through the
// control channel; the line faults (silence, hang-up, garbage) belong to
// the serial lines.

namespace dstsim {

struct ReplyFaults {
  // Identification commands get no reply.
  bool IgnoreIdentification = false;
  // Every reply goes out this much later.
  int DelayMs = 0;
  // The reply this many replies from now is dropped; 0: none.
  int DropCountdown = 0;
  // Table replies carry only their first points; -1: all of them.
  int PartialTablePoints = -1;
  // Each point of a table reply starts on the line at least this long after
  // the one before.
  int SpreadTableMs = 0;
  // The next speed table reply carries a zero coefficient at this point;
  // -1: none.
  int ZeroCoefficientPoint = -1;
};

}  // namespace dstsim
