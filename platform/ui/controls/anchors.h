#pragma once
// Anchors: the edges of its parent's client area that a control keeps its
// distance to when the parent is resized. Anchored to two opposite edges it
// stretches, to one it moves with that edge, and to neither it keeps its
// centre at the same fraction of the parent's extent.

#include "platform/core/window_system/wintypes.h"

namespace platform {

enum TAnchorKind : unsigned {
  akLeft = 1u << 0,
  akTop = 1u << 1,
  akRight = 1u << 2,
  akBottom = 1u << 3,
};
using TAnchors = unsigned;
constexpr TAnchors kDefaultAnchors = akLeft | akTop;

// Where a control goes that was put at Placed while its parent's client
// area measured PlacedIn, now that the area measures Size.
RECT AnchoredBounds(TAnchors Anchors, const RECT& Placed, SIZE PlacedIn, SIZE Size);

// What a control remembers to follow its anchors: where it was last put by
// anything but the anchoring itself, and the parent's client size then.
struct TAnchorRules {
  TAnchors Anchors = kDefaultAnchors;
  RECT Placed{};
  SIZE PlacedIn{};
  // Set while the anchoring moves the control, so that the move is not
  // taken for a new placement.
  bool Following = false;
};

}  // namespace platform
