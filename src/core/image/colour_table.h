#pragma once

#include <array>
#include <cstdint>

#include "core/image/palette16.h"

namespace orvandel {

// One entry of a bitmap colour table, in file order: blue, green, red, reserved.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

using ColourTable256 = std::array<RgbQuad, 256>;

// The table every 8-bit bitmap of the program carries: the 16 palette colours, then 240 black.
ColourTable256 BuildColourTable(const Palette16& palette);

}  // namespace orvandel
