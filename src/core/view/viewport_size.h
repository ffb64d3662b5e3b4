#pragma once

namespace orvandel {

// The game's viewport; the blitter draws only into a bitmap of exactly this shape.
inline constexpr int kViewportWidth = 224;
inline constexpr int kViewportHeight = 136;

}  // namespace orvandel
