#include "platform/ui/controls/anchors.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/ui/controls/controls.h"

namespace platform {
namespace {

// One axis: the control's Start and Length, the parent's extent Then (when
// the control was put there) and Now.
void Follow(bool Near, bool Far, std::int32_t& Start, std::int32_t& Length, std::int32_t Then, std::int32_t Now) {
  if (Near && Far) {
    Length = std::max(Length + Now - Then, 0);
  } else if (Far) {
    Start += Now - Then;
  } else if (!Near && Then > 0) {
    const std::int64_t centreTwice = std::int64_t{2} * Start + Length;
    Start = static_cast<std::int32_t>((centreTwice * Now / Then - Length) / 2);
  }
}

}  // namespace

RECT AnchoredBounds(TAnchors Anchors, const RECT& Placed, SIZE PlacedIn, SIZE Size) {
  std::int32_t left = Placed.left, top = Placed.top, width = Placed.Width(), height = Placed.Height();
  Follow((Anchors & akLeft) != 0, (Anchors & akRight) != 0, left, width, PlacedIn.cx, Size.cx);
  Follow((Anchors & akTop) != 0, (Anchors & akBottom) != 0, top, height, PlacedIn.cy, Size.cy);
  return RECT{left, top, left + width, top + height};
}

void TControl::SetAnchors(TAnchors Value) {
  anchorRules_.Anchors = Value;
  PlaceAnchored();
}

void TControl::PlaceAnchored() {
  // Controls on the default edges never move, so they need not remember.
  if (anchorRules_.Following || anchorRules_.Anchors == kDefaultAnchors || !parent_) return;
  anchorRules_.Placed = BoundsRect();
  const TRect area = parent_->ClientRect();
  anchorRules_.PlacedIn = SIZE{area.Width(), area.Height()};
}

void TWinControl::AnchorControls() {
  const TRect area = ClientRect();
  const SIZE size{area.Width(), area.Height()};
  for (TControl* c : std::vector<TControl*>(controls_)) {
    TAnchorRules& rules = c->anchorRules_;
    if (rules.Anchors == kDefaultAnchors || c->align_ != alNone) continue;
    const RECT r = AnchoredBounds(rules.Anchors, rules.Placed, rules.PlacedIn, size);
    rules.Following = true;
    c->SetBounds(r.left, r.top, r.Width(), r.Height());
    rules.Following = false;
  }
}

}  // namespace platform
