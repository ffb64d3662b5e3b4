#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
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

// Why a picture of this size is refused ("too wide ..."), or nothing when it fits.
std::string PictureSizeRefusal(long long width, long long height);

// What is wrong with a decoded indexed picture, or nothing: an index past the colour table, or
// a used table entry whose opacity (`tableAlpha`, one per entry, 255 when shorter) is below 255.
// Unused entries may be see-through: files often carry one for nothing.
std::string IndexedPictureProblem(const DecodedPicture& picture,
                                  std::span<const std::uint8_t> tableAlpha);

// The largest PNG, GIF or JPEG file read. Far above any picture that fits the size limit, but a
// file chosen by mistake (a video, a disc image) is refused unread.
inline constexpr std::uint64_t kMaxEncodedPictureBytes = 64u << 20;

}  // namespace orvandel
