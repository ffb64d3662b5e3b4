#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/image/indexed_image.h"
#include "core/image/palette16.h"

namespace orvandel::testing {

// Bytes of a RIFF palette file ("PAL " form, one "data" chunk) with the given colours.
std::vector<unsigned char> MakeRiffPalette(const std::vector<Colour>& colours);

// Bytes of an uncompressed bottom-up BMP with a 40-byte header. `pixels` holds one colour per
// pixel, top row first; for 1/4/8 bits the colours must be in `table` and are stored as
// indices into it.
std::vector<unsigned char> MakeBmp(int width, int height, int bitsPerPixel,
                                   const std::vector<Colour>& pixels,
                                   const std::vector<Colour>& table = {});

// A palette of 16 distinct colours for tests.
Palette16 TestPalette();

// A wall picture on TestPalette() whose pixel (x, y) holds the low byte of index(x, y).
CIndexedImage MakeImage(int width, int height, const std::function<int(int, int)>& index);

}  // namespace orvandel::testing
