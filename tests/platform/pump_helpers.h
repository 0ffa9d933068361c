#pragma once
// Waiting in a test for what the message loop brings.

#include <functional>

namespace fixture {

// Handles messages until Want holds; false when a generous deadline passed
// first.
bool PumpUntil(const std::function<bool()>& Want);

}  // namespace fixture
