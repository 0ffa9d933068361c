#pragma once
// Lets the user-interface thread work off the window messages already queued
// for it while it holds on to control: windows repaint, timers and posted
// work run, and user input that arrives meanwhile is dropped, not deferred.

#include <cstdint>

namespace support {

// Handles the calling thread's queued messages for at most about MaxMs
// milliseconds and never waits for new ones: returns as soon as the queue is
// empty. A quit request is posted again for the message loop and ends the
// call; an exception from a handler ends it silently. Handlers run nested
// inside the caller.
void ProcessPendingMessages(std::uint32_t MaxMs);

}  // namespace support
