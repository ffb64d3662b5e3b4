#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/image/picture_decoder.h"

namespace orvandel {

// GIF through giflib: the first picture of the file on its logical screen, as 24-bit colour.
// The picture's own (local) colour table wins over the global one; screen pixels the picture
// does not cover take the background colour (white when the global table lacks it). A used
// transparent index, a see-through background or an index past its table refuses the file. The
// screen, and the picture itself, must fit kMaxPictureWidth x kMaxPictureHeight; that is judged
// before any pixel is decoded.
class GifDecoder final : public PictureDecoder {
public:
    bool Recognizes(std::span<const std::uint8_t> head) const override;
    DecodeResult Decode(const std::filesystem::path& fileName) const override;
    // Decodes a whole file held in memory. Never reads outside `bytes`.
    static DecodeResult DecodeBytes(std::span<const std::uint8_t> bytes);
};

}  // namespace orvandel
