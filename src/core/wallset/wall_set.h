#pragma once

#include <array>

#include "core/image/indexed_image.h"
#include "core/image/palette16.h"
#include "core/wallset/wall_set_slots.h"

namespace orvandel {

// A wall set in memory: the palette and the seven image slots. Slots 0..5 hold the pictures
// named by keys "0084".."0089"; slot 6 is never loaded.
struct WallSet {
    Palette16 palette;
    std::array<CIndexedImage, kImageSlotCount> images;
};

}  // namespace orvandel
