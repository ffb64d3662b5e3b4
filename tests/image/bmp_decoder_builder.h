#pragma once

#include <cstdint>
#include <vector>

#include "core/image/palette16.h"

namespace orvandel::testing {

enum class BmpCompression { kNone, kRle };

// A BMP file as a test wants it written. Indexed pictures take `indices` (top row first) and
// `table`; 24-bit pictures take `pixels`.
struct BmpRecipe {
    int infoSize = 40;  // 12 (OS/2 core), 16 or 64 (OS/2 2.x), 40, 52, 56, 108, 124
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 8;
    BmpCompression compression = BmpCompression::kNone;
    std::vector<Colour> table;
    bool writeColoursUsed = true;  // else the field says 0 ("full table")
    std::vector<std::uint8_t> indices;
    std::vector<Colour> pixels;
    std::uint32_t gapBeforePixels = 0;
};

std::vector<std::uint8_t> BuildBmp(const BmpRecipe& recipe);

// RLE streams for a picture given top row first, as a writer would emit them: encoded runs for
// repeats, absolute runs (word padded) otherwise, an end-of-line after each row and an
// end-of-bitmap at the end.
std::vector<std::uint8_t> EncodeRle8(const std::vector<std::uint8_t>& indices, int width,
                                     int height);
std::vector<std::uint8_t> EncodeRle4(const std::vector<std::uint8_t>& indices, int width,
                                     int height);

// Places `stream` as the pixels of an RLE file with the given header fields.
std::vector<std::uint8_t> BuildRleBmp(int width, int height, int bitsPerPixel,
                                      const std::vector<Colour>& table,
                                      const std::vector<std::uint8_t>& stream);

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);

}  // namespace orvandel::testing
