#pragma once

namespace orvandel {

// Slots 0..5 hold the six pictures of a wall set; slot 6 is never loaded, so the pieces that
// name it draw nothing.
inline constexpr int kImageSlotCount = 7;
inline constexpr int kEmptySlot = 6;

}  // namespace orvandel
