#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/status.h"
#include "core/image/byte_buffer.h"
#include "core/image/decoded_picture.h"
#include "core/image/match_tally.h"
#include "core/image/palette16.h"

namespace orvandel {

// What a load found out about a picture, for reports such as `orvandel-cli check`.
struct PictureLoadInfo {
    int bitsPerPixel = 0;  // of the file, 0 when it could not be decoded
    int sourceWidth = 0;   // of the file, also when it was too large
    int sourceHeight = 0;
    // Pixels whose colour in the file differs from the palette colour of the index they became.
    std::uint32_t approximatedPixels = 0;
    std::uint32_t transparentPixels = 0;  // pixels that became index 10, approximated or not
    std::uint32_t seeThroughPixels = 0;   // approximated pixels that became index 10
};

// A wall picture in memory: one palette index 0..15 per pixel, row-major, top row first, and the
// palette the pixels were matched against.
class CIndexedImage {
public:
    // Sizes the image to width x height bytes; the pixels are not cleared. A zero product
    // changes nothing and returns false.
    bool Init(std::int32_t width, std::int32_t height);

    // The byte at (x, y), or 0 when the image has no pixels. Callers keep x and y in range.
    std::uint8_t GetIndex(int x, int y) const;
    // The colour pixel (x, y) has in the file it was loaded from; none outside the image or
    // when the pixels did not come from a file.
    std::optional<Colour> FileColourAt(int x, int y) const;

    // Loads and matches a picture file; the palette must be set first. On failure the image
    // keeps what it held (the loader empties it beforehand).
    Status LoadFromFile(const std::filesystem::path& fileName);
    // Matches a decoded picture against the palette: the bitmap conversion.
    Status LoadFromPicture(const DecodedPicture& picture);

    // Empties the image (no pixels, width and height 0); the palette stays, and so does the
    // memory, for the next picture of no larger size.
    void Clear();
    // Empties the image and frees its memory.
    void Release();

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool IsEmpty() const { return m_pixels.data() == nullptr; }
    const std::uint8_t* pixels() const { return m_pixels.data(); }
    std::uint8_t* pixels() { return m_pixels.data(); }
    const Palette16& palette() const { return m_palette; }
    void SetPalette(const Palette16& palette) { m_palette = palette; }
    const PictureLoadInfo& loadInfo() const { return m_loadInfo; }
    // Every distinct file colour that is not the palette colour of the index it became, with
    // its exact pixel count, most pixels first. Worked out from the kept file colours on each
    // call, so a load pays nothing for it; empty when nothing was approximated.
    std::vector<ApproximatedColour> ApproximatedColours() const;

private:
    CByteBuffer m_pixels;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    Palette16 m_palette;
    PictureLoadInfo m_loadInfo;
    // The file's own colours, kept so the pixel inspector can say what a pixel was: a colour
    // table with an entry per pixel for indexed files, else one colour per pixel.
    std::vector<Colour> m_fileTable;
    std::vector<std::uint8_t> m_fileEntries;
    std::vector<Colour> m_fileColours;
};

// Per-pixel matching by octree lookup, exactly as the conversion defines it; the reference the
// fast conversion is tested against.
std::uint8_t MatchColour(const Palette16& palette, Colour colour);

}  // namespace orvandel
