#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/image/palette16.h"

namespace orvandel {

// What a picture decoder hands to the colour matching: the picture's size and depth, and its
// pixels top row first. Indexed pictures (1, 4, 8 bits) keep their colour table and one index
// per pixel, so matching runs once per table entry; 24-bit pictures carry one colour per pixel.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

    std::vector<Colour> colourTable;  // indexed pictures only; the BMP decoder gives 2^bpp entries
    // How many of those entries the file itself holds (a BMP's biClrUsed); the rest are padding.
    // 0 when every entry came from the file.
    std::size_t fileColourEntries = 0;
    std::vector<std::uint8_t> indices;  // indexed pictures: width * height, each < table size
    std::vector<Colour> pixels;         // 24-bit pictures: width * height

    bool IsIndexed() const { return bitsPerPixel <= 8; }
    Colour ColourAt(int x, int y) const;  // the 24-bit colour of any pixel, whatever the depth
};

// The largest picture a wall set may hold. Decoders refuse bigger pictures before they
// allocate their pixels.
inline constexpr int kMaxPictureWidth = 320;
inline constexpr int kMaxPictureHeight = 1000;

}  // namespace orvandel
